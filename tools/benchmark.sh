#!/usr/bin/env bash
# Builds Vantorel and measures it headless against SDL alone: a frame against SDL
# drawing the same picture, allocations per frame, and start-up and peak memory
# against a bare SDL program. Arguments go to vantorel_benchmark (see its --help).
# BUILD_DIR picks the build folder, beside content/ (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
ensure_packages "${BASE_PACKAGES[@]}" libgtest-dev libbenchmark-dev hyperfine time
export SDL_VIDEODRIVER=dummy
build=${BUILD_DIR:-build}
runs=${STARTUP_RUNS:-60}

echo "== Release build"
build_in "$build" -DCMAKE_BUILD_TYPE=Release -DVANTOREL_TESTS=ON
tests_dir=$(cd "$build/tests" && pwd)
game=$tests_dir/vantorel_first_frame
bare=$tests_dir/vantorel_bare_startup

echo "== Frame against SDL's own drawing"
"$tests_dir/vantorel_benchmark" "$@"

# Both programs read ../content, so they run from tests/.
cd tests

echo "== Start-up to the first presented frame, $runs runs each"
json=$(mktemp)
trap 'rm -f "$json"' EXIT
hyperfine --shell=none --warmup 5 --runs "$runs" --export-json "$json" "$bare" "$game"
# hyperfine lists the commands in the order given: bare first, then the game.
awk -F'[:,]' '/"median"/ { median[++n] = $2 * 1000 }
  END { printf "Start-up median: game %.1f ms, bare %.1f ms, ratio %.2f\n",
        median[2], median[1], median[2] / median[1] }' "$json"

echo "== Peak resident memory, median of 5 runs each"
peak() {
  for _ in 1 2 3 4 5; do /usr/bin/time -f %M "$1" 2>&1 >/dev/null | tail -n 1; done |
    sort -n | sed -n 3p
}
game_kib=$(peak "$game")
bare_kib=$(peak "$bare")
awk -v game="$game_kib" -v bare="$bare_kib" 'BEGIN {
  printf "Peak memory: game %d KiB, bare %d KiB, %.2f MiB above\n",
         game, bare, (game - bare) / 1024 }'
