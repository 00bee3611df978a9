# Shared by ./play and ./check: installs what is missing, then configures and builds.
# Sourced, not run.

# Installs the Debian packages given that are not installed yet.
ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build_in DIR [cmake options...]: configures (once) and builds DIR from the repository.
build_in() {
  local dir=$1
  shift
  cmake -S . -B "$dir" "$@" > /dev/null
  cmake --build "$dir" -j "$(nproc)"
}

BASE_PACKAGES=(g++ cmake make libsdl2-dev libboost-dev libpng-dev libgif-dev)
# Packing the game, and checking the package and the installed game.
PACKAGE_PACKAGES=(dpkg-dev file lintian desktop-file-utils appstream xvfb xdotool)
# The browser build: the compiler, and dpkg-source to unpack SDL's source package.
WEB_PACKAGES=(emscripten node-acorn dpkg-dev)
# The Windows build: the cross compiler and its binutils, dpkg-source for SDL's source,
# icotool to gather the icon's sizes into one .ico, and zip.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 dpkg-dev icoutils zip)
# Running and checking it: wine on an Xvfb of the test's own, xdotool to find and key its
# window, ImageMagick to read the window's pixels, and icoutils' wrestool.
WINDOWS_TEST_PACKAGES=(wine wine64 xvfb xdotool imagemagick icoutils unzip)

# Chromium and the browser tests' npm packages, exactly as tests/web/package-lock.json
# pins them; Xvfb and xdotool for the test that presses Escape through X.
ensure_browser_tools() {
  ensure_packages chromium xvfb xdotool
  # Node's own npm where it brought one; Debian's otherwise.
  command -v npm > /dev/null || ensure_packages npm
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
}
