#!/usr/bin/env bash
# Builds the Windows version, build-windows/Vantorel-<version>-windows-x64.zip: the game
# cross-built with Debian's MinGW-w64, one folder that a player unpacks and plays.
# Installs what is missing; safe to run again. Arguments go to the game's CMake
# configure (./check adds -DVANTOREL_WERROR=ON). BUILD_DIR picks where the game is
# built and zipped (default build-windows); SDL and the icon tool are shared.
#
# SDL is built for Windows from the source of the same libsdl2 that libsdl2-dev
# installs, once, and kept in build-windows/sdl/. The icon's pictures come from the
# project's icon tool built for this machine, since the cross build cannot run it.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
source tools/sdl_source.sh
ensure_packages "${BASE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"

shared=build-windows
out=${BUILD_DIR:-$shared}
sdl=$shared/sdl
toolchain=$PWD/windows/mingw-w64-x86_64.cmake
mkdir -p "$shared" "$out"

build_sdl_once "$sdl" Windows cmake -DCMAKE_TOOLCHAIN_FILE="$toolchain"

echo "== The icon tool, for this machine"
cmake -S . -B "$shared/host" -DCMAKE_BUILD_TYPE=Release -DVANTOREL_TESTS=OFF > /dev/null
cmake --build "$shared/host" -j 2 --target vantorel_icon

echo "== The game for Windows"
# Boost is headers only; handing the compiler all of /usr/include would bring the
# host's C library headers in ahead of MinGW's own.
mkdir -p "$shared/boost-include"
ln -sfn /usr/include/boost "$shared/boost-include/boost"
cmake -S . -B "$out/game" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DSDL2_DIR="$PWD/$sdl/prefix/lib/cmake/SDL2" -DBoost_INCLUDE_DIR="$PWD/$shared/boost-include" \
  -DVANTOREL_ICON_TOOL="$PWD/$shared/host/packaging/vantorel_icon" "$@" > /dev/null
cmake --build "$out/game" -j 2 --target vantorel vantorel_launcher

# Explorer starts a program in its own folder, and the game reads its sheets from
# ../content/, so the game lies in game\ beside content\, and the thing to open at
# the top is the launcher, which starts the game inside game\:
#   Vantorel-<version>-windows-x64\Vantorel.exe        open this
#   Vantorel-<version>-windows-x64\README.txt, LICENSE.txt
#   Vantorel-<version>-windows-x64\game\vantorel.exe
#   Vantorel-<version>-windows-x64\content\sprites\umbercrag\*.pbm
version=$(sed -nE 's/^project\(Vantorel VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
name=Vantorel-$version-windows-x64
folder=$out/zip/$name
rm -rf "$out/zip"
mkdir -p "$folder/game" "$folder/content/sprites/umbercrag"
cp "$out/game/launcher/Vantorel.exe" "$folder/"
cp "$out/game/vantorel.exe" "$folder/game/"
cp content/sprites/umbercrag/*.pbm "$folder/content/sprites/umbercrag/"
# Windows line ends, for Notepad of any age.
sed 's/$/\r/' windows/README.txt > "$folder/README.txt"
sed 's/$/\r/' LICENSE > "$folder/LICENSE.txt"

# The same tree gives the same zip: fixed times (the last commit's), modes and order,
# and no extra fields.
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2> /dev/null || date -d 2026-12-10 +%s)}
find "$out/zip" -type d -exec chmod 755 {} +
find "$out/zip" -type f -exec chmod 644 {} +
find "$out/zip" -exec touch -d "@$epoch" {} +
zip=$PWD/$out/$name.zip
rm -f "$zip"
(cd "$out/zip" && find "$name" | LC_ALL=C sort | TZ=UTC zip -X -q -9 "$zip" -@)
echo "Built $out/$name.zip ($(stat -c %s "$zip") bytes)"
