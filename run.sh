#!/usr/bin/env bash
# Builds ocre in Release, builds the default data set if it is missing, and
# starts the server in it. Arguments go to the server (its client host names).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/install-packages.sh "${OCRE_BUILD_PACKAGES[@]}"
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DOCRE_BUILD_TESTS=OFF -DOCRE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-release -j"$(nproc)" --target ocre-server ocre-client ocre-data ocre-bot ocre-relay
if [ ! -f data-set/test2.map ]; then
  echo "Building the default data set in data-set/"
  build-release/bin/ocre-data build data-set
fi
cd data-set
exec ../build-release/bin/ocre-server "$@"
