#!/usr/bin/env bash
# Builds the Debian package build-package/vantorel_<version>_<arch>.deb with Debian's own
# compiler and linker hardening, then prints what lintian says of it. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
ensure_packages "${BASE_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

# Read on the first configure only, like any CMake compiler flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
build_in build-package -DCMAKE_BUILD_TYPE=Release -DVANTOREL_TESTS=OFF
(cd build-package && cpack -G DEB)

package=$(ls build-package/vantorel_*.deb)
echo "== $package"
echo "== lintian"
lintian --info --display-info --pedantic "$package" || true
