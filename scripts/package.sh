#!/usr/bin/env bash
# Builds the Debian package of drum in build-package/packages/ from a Release
# build of its own, without tests or benchmarks, with Debian's hardening flags.
# The programs go to /usr/games, where Debian keeps the games.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DDRUM_BENCHMARKS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games "${launcher[@]}"
cmake --build build-package -j"$(nproc)"
rm -rf build-package/packages
(cd build-package && cpack -G DEB >/dev/null)
ls build-package/packages/*.deb
