# Package lists shared by run.sh and test.sh.
# console-setup-linux ships the console font the default data set's font is made from.
OCRE_BUILD_PACKAGES=(build-essential cmake pkg-config libsdl1.2-dev libsdl-net1.2-dev libpng-dev zlib1g-dev console-setup-linux libboost-dev)
OCRE_TEST_PACKAGES=(libgtest-dev libbenchmark-dev xvfb xdotool x11-utils)
# The relay's end-to-end tests drive Debian's Chromium from Debian's Python.
OCRE_TEST_PACKAGES+=(chromium python3-websocket)
# The fuzz targets need clang with libFuzzer; the soak looks at ports with ss.
OCRE_FUZZ_PACKAGES=(clang libclang-rt-14-dev iproute2)
# The Debian package: dpkg-shlibdeps and dpkg-buildflags (dpkg-dev) and file
# (CPack's search for programs). Its test: lintian, systemd (systemd-analyze
# checks the units, systemctl enables one), util-linux's setpriv, curl.
OCRE_PACKAGE_PACKAGES=(dpkg-dev file)
OCRE_PACKAGE_TEST_PACKAGES=(lintian systemd util-linux curl)
