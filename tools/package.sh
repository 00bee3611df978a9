#!/usr/bin/env bash
# Builds the Debian package build-package/vantorel_<version>_<arch>.deb with Debian's own
# compiler and linker hardening, then prints what lintian says of it and fails on its errors.
# Safe to run again.
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
rm -f build-package/vantorel_*.deb
(cd build-package && cpack -G DEB)

package=$(ls build-package/vantorel_*.deb)
echo "== $package: $(stat -c %s "$package") bytes"
# Every tag is shown, down to the pedantic ones; only errors fail the script.
echo "== lintian"
lintian --info --display-info --display-experimental --pedantic --fail-on error "$package"
