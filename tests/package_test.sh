#!/usr/bin/env bash
# The game as a player gets it.
#
#   package_test.sh run PACKAGE_DIR RECORDING
#     Unpacks the one Debian package in PACKAGE_DIR into a temporary folder, as any user could,
#     validates its desktop files and starts its launcher, under a private Xvfb, from an
#     unrelated folder in each way a player might: the window titled "Vantorel" must open, the
#     sheets must load, and SIGTERM must end the game. Then the packed vantorel-replay, from
#     another folder, must verify a copy of RECORDING named from there.
#   package_test.sh tree PACKAGE_DIR BUILD_DIR
#     `cmake --install BUILD_DIR` into a temporary prefix must give the package's tree.
set -euo pipefail

# The sheets the game reads as it starts; Sparks waits for the first spark to fly.
readonly kStartSheets=(Armory Glyphs Gravefolk Panels Pilgrim Rockset Shotsheet Skyfill)
readonly kIconSizes=(16 32 64 128 256)
readonly kWaitSeconds=30
# What the shell reports for a process ended by SIGTERM.
readonly kTerminatedStatus=143

mode=$1
package_dir=$2
work=$(mktemp -d)
xvfb_pid=

cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The one package in the folder, unpacked without root and without installing it.
unpack() {
  local packages=("$package_dir"/vantorel_*.deb)
  [ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] ||
    fail "expected one vantorel package in $package_dir, found: ${packages[*]}"
  dpkg-deb -x "${packages[0]}" "$work/root"
  echo "Unpacked ${packages[0]} ($(stat -c %s "${packages[0]}") bytes)"
}

# Every path under a folder with its kind and permissions, one a line.
describe_tree() {
  (cd "$1" && find . -mindepth 1 -printf '%P %y %m\n' | LC_ALL=C sort)
}

# Polls COMMAND until it succeeds while the game process PID lives.
wait_for() {
  local what=$1 pid=$2 output=$3
  shift 3
  local deadline=$((SECONDS + kWaitSeconds))
  until "$@" > /dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || fail "the game ended before $what; it printed: $(cat "$output")"
    [ $SECONDS -lt $deadline ] ||
      fail "no $what within ${kWaitSeconds}s; the game printed: $(cat "$output")"
    sleep 0.1
  done
}

window_open() {
  xdotool search --all --pid "$1" --name '^Vantorel$'
}

sheets_loaded() {
  local sheet
  for sheet in "${kStartSheets[@]}"; do
    grep -qxF "Loading sprite: ../content/sprites/umbercrag/$sheet.pbm" "$1" || return 1
  done
}

start_xvfb() {
  # Xvfb picks a free display itself and writes its number once it accepts clients.
  Xvfb -displayfd 3 -nolisten tcp -screen 0 800x600x24 3> "$work/display" 2> "$work/xvfb.log" &
  xvfb_pid=$!
  local deadline=$((SECONDS + kWaitSeconds))
  until [ -s "$work/display" ]; do
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    [ $SECONDS -lt $deadline ] || fail "Xvfb gave no display within ${kWaitSeconds}s"
    sleep 0.1
  done
  export DISPLAY=":$(head -n 1 "$work/display")"
}

# start_game NAME COMMAND...: runs COMMAND from a fresh folder that has nothing to do with the
# game, waits for its window, ends it with SIGTERM and checks that it read every sheet.
start_game() {
  local name=$1
  shift
  local folder output pid status
  folder=$(mktemp -d "$work/elsewhere.XXXX")
  output=$work/$name.out
  # In the sanitizer build, leak checking stays off here: on a real X server, D-Bus and the GL
  # driver leave blocks that LeakSanitizer reports after their libraries are unloaded, past any
  # suppression by name. The game's own leaks are checked on the dummy driver and by memcheck.
  local asan_options=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
  (cd "$folder" && SDL_VIDEODRIVER=x11 ASAN_OPTIONS=$asan_options exec "$@") > "$output" 2>&1 &
  pid=$!
  wait_for "the window titled Vantorel ($name)" "$pid" "$output" window_open "$pid"
  kill -TERM "$pid"
  local deadline=$((SECONDS + kWaitSeconds))
  while kill -0 "$pid" 2>/dev/null; do
    if [ $SECONDS -ge $deadline ]; then
      kill -KILL "$pid"
      fail "$name: the game was still running ${kWaitSeconds}s after SIGTERM"
    fi
    sleep 0.1
  done
  status=0
  wait "$pid" || status=$?
  [ "$status" -eq "$kTerminatedStatus" ] ||
    fail "$name: SIGTERM ended the game with status $status, not $kTerminatedStatus:" \
      "$(cat "$output")"
  # The game's output is a file here, so its lines arrive only as it exits.
  sheets_loaded "$output" ||
    fail "$name: the sheets did not all load; the game printed: $(cat "$output")"
  echo "Started $name: window opened, sheets loaded, SIGTERM gave $status"
}

run_package() {
  unpack
  local usr=$work/root/usr
  local desktop_files=("$usr"/share/applications/*.desktop)
  local metainfo_files=("$usr"/share/metainfo/*.metainfo.xml)
  [ ${#desktop_files[@]} -eq 1 ] && [ -f "${desktop_files[0]}" ] ||
    fail "expected one desktop entry"
  [ ${#metainfo_files[@]} -eq 1 ] && [ -f "${metainfo_files[0]}" ] ||
    fail "expected one metainfo file"
  desktop-file-validate "${desktop_files[0]}" || fail "desktop-file-validate rejects the entry"
  appstreamcli validate --no-net "${metainfo_files[0]}" || fail "appstreamcli rejects the metainfo"

  local icon
  icon=$(sed -n 's/^Icon=//p' "${desktop_files[0]}")
  local size
  for size in "${kIconSizes[@]}"; do
    local png=$usr/share/icons/hicolor/${size}x$size/apps/$icon.png
    file -b "$png" | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" ||
      fail "icon $png is not a ${size}x$size RGBA PNG: $(file -b "$png" 2>&1)"
  done
  grep -qF "Permission is hereby granted, free of charge" "$usr/share/doc/vantorel/copyright" ||
    fail "the copyright file lacks the licence"

  start_xvfb
  local exec_line
  exec_line=$(sed -n 's/^Exec=//p' "${desktop_files[0]}")
  mkdir "$work/links"
  ln -s "$usr/games/vantorel" "$work/links/vantorel"
  start_game "by-path" "$usr/games/vantorel"
  # The menu runs the entry's Exec line through PATH, where /usr/games lies on Debian.
  # shellcheck disable=SC2086  # the Exec line is split into words as the desktop splits it
  start_game "as-the-menu-does" env PATH="$usr/games:$PATH" $exec_line
  start_game "through-a-symbolic-link" "$work/links/vantorel"
  verify_recording "$usr/games/vantorel-replay"
}

# The packed recorder and replayer beside the game: its usage, and a recording named
# relative to the folder it is started from.
verify_recording() {
  local replay=$1 folder status output
  folder=$(mktemp -d "$work/recordings.XXXX")
  cp "$recording" "$folder/session.vrec"
  status=0
  output=$(cd "$folder" && "$replay" 2>&1) || status=$?
  [ "$status" -eq 2 ] && [[ $output == usage:* ]] ||
    fail "vantorel-replay with no arguments gave status $status: $output"
  status=0
  output=$(cd "$folder" && env -u DISPLAY -u SDL_VIDEODRIVER "$replay" verify session.vrec 2>&1) ||
    status=$?
  [ "$status" -eq 0 ] && grep -qF "session.vrec: " <<< "$output" &&
    grep -qF "frames, every checkpoint matches" <<< "$output" ||
    fail "vantorel-replay verify gave status $status: $output"
  echo "Verified a recording with the packed vantorel-replay: $(tail -n 1 <<< "$output")"
}

run_tree() {
  local build_dir=$1
  unpack
  cmake --install "$build_dir" --prefix "$work/prefix" > "$work/install.log" ||
    fail "cmake --install failed: $(cat "$work/install.log")"
  describe_tree "$work/root/usr" > "$work/package.tree"
  describe_tree "$work/prefix" > "$work/install.tree"
  diff -u "$work/package.tree" "$work/install.tree" ||
    fail "the installed tree (+) differs from the package's (-)"
  echo "cmake --install gives the package's $(wc -l < "$work/package.tree") paths"
}

case $mode in
  run)
    recording=$3
    run_package
    ;;
  tree) run_tree "$3" ;;
  *) fail "unknown mode $mode" ;;
esac
