#!/usr/bin/env bash
# Builds the browser version, and writes exactly the files to publish into build-web/site/:
# the page, its scripts, service worker and manifest, the game (vantorel.js, vantorel.wasm,
# vantorel.data: the sheets) and the icons. Installs what is missing; safe to run again.
# Arguments go to the CMake configures (./check adds -DVANTOREL_WERROR=ON).
#
# Everything comes from Debian: its emscripten, and SDL built for the browser from the
# source of the same libsdl2 that libsdl2-dev installs, fetched once with apt-get source
# and kept under build-web/sdl/.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
source tools/sdl_source.sh
ensure_packages "${BASE_PACKAGES[@]}" "${WEB_PACKAGES[@]}"

out=build-web
sdl=$out/sdl
mkdir -p "$out"

# Debian's python and node modules, whatever else is first on the PATH: emscripten's
# optimizer needs Debian's acorn.
export EMSDK_PYTHON=/usr/bin/python3
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

build_sdl_once "$sdl" "the browser" emcmake cmake

# Boost is headers only; handing the compiler all of /usr/include would bring the
# host's C library headers in ahead of emscripten's own.
mkdir -p "$out/boost-include"
ln -sfn /usr/include/boost "$out/boost-include/boost"

# The icons come from the desktop's icon tool, built for this machine in a folder of its
# own: emscripten cannot build tools that run here.
cmake -S . -B "$out/host" -DCMAKE_BUILD_TYPE=Release -DVANTOREL_TESTS=OFF "$@" > /dev/null
cmake --build "$out/host" -j 2 --target vantorel_icon

emcmake cmake -S . -B "$out/game" -DCMAKE_BUILD_TYPE=Release \
  -DSDL2_DIR="$PWD/$sdl/prefix/lib/cmake/SDL2" \
  -DBoost_INCLUDE_DIR="$PWD/$out/boost-include" \
  -DVANTOREL_ICON_TOOL="$PWD/$out/host/packaging/vantorel_icon" "$@" > /dev/null
cmake --build "$out/game" -j 2 --target vantorel vantorel_web_icons

# The site is put together beside the old one and swapped in whole.
site=$out/site
rm -rf "$site.new"
mkdir -p "$site.new"
cp web/index.html web/page.js web/keys.js web/controls.js web/gamepad.js web/sw.js \
  web/manifest.webmanifest "$out/game/vantorel.js" "$out/game/vantorel.wasm" \
  "$out/game/vantorel.data" "$out/game/icon-192.png" "$out/game/icon-512.png" "$site.new/"
node web/stamp.mjs "$site.new" > /dev/null
rm -rf "$site"
mv "$site.new" "$site"
# Copies an older build left at the top.
rm -f "$out/index.html" "$out/vantorel.js" "$out/vantorel.wasm" "$out/vantorel.data"
echo "Built $site/: $(cd "$site" && ls | tr '\n' ' ')($(du -sk "$site" | cut -f1) KiB)"
