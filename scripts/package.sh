#!/usr/bin/env bash
# Builds ocre in Release with Debian's hardening flags into build-package/
# and makes the Debian package ocre_VERSION_ARCH.deb there. Prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-packages.sh "${OCRE_BUILD_PACKAGES[@]}" "${OCRE_PACKAGE_PACKAGES[@]}"
build=build-package
# Every hardening Debian knows, bindnow and PIE included.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DOCRE_PACKAGE=ON -DOCRE_BUILD_TESTS=OFF -DOCRE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/ocre_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/ocre_*.deb
