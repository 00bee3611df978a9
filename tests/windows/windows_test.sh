#!/usr/bin/env bash
# The Windows zip as a player gets it, played under wine on an Xvfb of the test's own:
# its layout, its programs' imports and resources, the same bytes from a second build,
# the game started the way Explorer starts it (window, first frame against the desktop
# build's, Escape), started from elsewhere, and the stop signals in a console.
#
# Builds the zip first (tools/windows.sh, seconds when it is up to date), so that it is
# the tree's as it is now. Needs the desktop build's vantorel_reference_frame
# (VANTOREL_REFERENCE_FRAME, default build/tests/); ./check provides it. Prints one
# line per check and fails if any failed.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/setup.sh
ensure_packages "${WINDOWS_PACKAGES[@]}" "${WINDOWS_TEST_PACKAGES[@]}"

version=$(sed -nE 's/^project\(Vantorel VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
name=Vantorel-$version-windows-x64
zip=$PWD/build-windows/$name.zip
game_build=$PWD/build-windows/game
icon_tool=$PWD/build-windows/host/packaging/vantorel_icon
reference_tool=${VANTOREL_REFERENCE_FRAME:-$PWD/build/tests/vantorel_reference_frame}
tools/windows.sh > /dev/null
for needed in "$zip" "$icon_tool" "$reference_tool"; do
  [ -e "$needed" ] && continue
  echo "missing $needed: build the release preset's vantorel_reference_frame"
  exit 1
done

work=$(mktemp -d /tmp/vantorel-windows-XXXXXX)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# wine's own windows are no concern here, and nothing may reach for a real display.
unset DISPLAY WAYLAND_DISPLAY
xvfb_pid=
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2> /dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null
  # Ends this prefix's wine server only, and whatever still runs in it.
  [ -d "$WINEPREFIX" ] && wineserver -k 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
pass() { echo "ok   $*"; }
fail() {
  echo "FAIL $1"
  shift
  local line
  for line in "$@"; do echo "     $line"; done
  failures=$((failures + 1))
}

unzip -q "$zip" -d "$work/unpacked"
folder=$work/unpacked/$name

# -- The zip --------------------------------------------------------------------------

expected=$(printf '%s\n' "$name/" "$name/LICENSE.txt" "$name/README.txt" "$name/Vantorel.exe" \
  "$name/content/" "$name/content/sprites/" "$name/content/sprites/umbercrag/" \
  $(cd content/sprites/umbercrag && printf "$name/content/sprites/umbercrag/%s\n" *.pbm) \
  "$name/game/" "$name/game/vantorel.exe" | LC_ALL=C sort)
actual=$(unzip -Z1 "$zip" | LC_ALL=C sort)
if [ "$actual" = "$expected" ]; then
  pass "the zip holds one folder: Vantorel.exe, README.txt, LICENSE.txt, game\\, content\\"
else
  fail "the zip's entries" "$(diff <(echo "$expected") <(echo "$actual") || true)"
fi

if cmp -s <(tr -d '\r' < "$folder/LICENSE.txt") LICENSE &&
   grep -qE $'^ +Escape +quit\r$' "$folder/README.txt" &&
   grep -qE $'Escape quits\\. The window\'s close button does not\\.\r$' "$folder/README.txt"; then
  pass "README.txt (controls, Escape quits, the close button does not) and LICENSE.txt"
else
  fail "README.txt or LICENSE.txt" "$(head -c 400 "$folder/README.txt")"
fi

# -- The programs ---------------------------------------------------------------------

# What every Windows since 7 has in System32; the C runtime is its msvcrt.dll.
windows_dlls=" advapi32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll \
setupapi.dll shell32.dll user32.dll version.dll winmm.dll "
for program in Vantorel.exe game/vantorel.exe; do
  headers=$(x86_64-w64-mingw32-objdump -p "$folder/$program")
  dlls=$(sed -nE 's/^\s*DLL Name: (.*)$/\1/p' <<< "$headers" | tr 'A-Z' 'a-z')
  foreign=$(for dll in $dlls; do [[ $windows_dlls == *" $dll "* ]] || echo "$dll"; done)
  if [ -n "$dlls" ] && [ -z "$foreign" ]; then
    pass "$program imports only Windows' own DLLs: $(echo $dlls)"
  else
    fail "$program imports DLLs that Windows lacks" $foreign
  fi
  if grep -qE '^Subsystem\s+00000002\s+\(Windows GUI\)' <<< "$headers" &&
     grep -qE '^Time/Date\s+Thu Jan  1 00:00:00 1970' <<< "$headers"; then
    pass "$program is a windowed program with no link time stamp"
  else
    fail "$program's subsystem or time stamp" "$(grep -E '^(Subsystem|Time/Date)' <<< "$headers")"
  fi

  # The icon: Windows' four sizes, each the picture the icon tool draws of the player.
  wrestool -x -t 14 -o "$work/icon.ico" "$folder/$program" 2> /dev/null || true
  sizes=$(icotool -l "$work/icon.ico" 2> /dev/null |
    sed -nE 's/.*--width=([0-9]+).*/\1/p' | sort -n)
  rm -rf "$work/icon"
  mkdir -p "$work/icon"
  icotool -x -o "$work/icon" "$work/icon.ico" 2> /dev/null || true
  differing=
  for size in 16 32 48 256; do
    "$icon_tool" content/sprites/umbercrag/Pilgrim.pbm 0 16 16 "$size" "$work/icon/want.png" \
      > /dev/null
    have=$(ls "$work/icon/"*"_${size}x${size}x"*.png 2> /dev/null | head -1)
    if [ -z "$have" ] ||
       [ "$(compare -metric AE "$have" "$work/icon/want.png" null: 2>&1 || true)" != 0 ]; then
      differing+=" $size"
    fi
  done
  if [ "$(echo $sizes)" = "16 32 48 256" ] && [ -z "$differing" ]; then
    pass "$program carries the icon: the player's cell at 16, 32, 48 and 256 px"
  else
    fail "$program's icon" "sizes: $(echo $sizes)" "differing from the icon tool's:$differing"
  fi

  # The version resource's strings are UTF-16, each name followed by its value.
  version_text=$(wrestool -x --raw -t 16 "$folder/$program" 2> /dev/null | tr -d '\0')
  missing=
  for text in "ProductNameVantorel" "ProductVersion$version" "FileVersion$version" \
              "LegalCopyrightCopyright (c) 2026 The Vantorel developers. MIT License"; do
    [[ $version_text == *"$text"* ]] || missing+=" \"$text\""
  done
  if [ -n "$version_text" ] && [ -z "$missing" ]; then
    pass "$program carries its version: Vantorel $version, MIT License"
  else
    fail "$program's version resource lacks:$missing"
  fi
done

# -- The same bytes ---------------------------------------------------------------------

# A second build of the same tree, in a folder of its own, shares SDL and the icon tool.
again=build-windows/again
rm -rf "$again"
if BUILD_DIR=$again tools/windows.sh > "$work/again.log" 2>&1 &&
   cmp "$zip" "$again/$name.zip" > "$work/cmp.log" 2>&1; then
  pass "a second build in another folder gives the same zip, byte for byte"
else
  fail "a second build differs" "$(tail -5 "$work/again.log")" "$(cat "$work/cmp.log")"
fi
rm -rf "$again"

# -- Under wine -------------------------------------------------------------------------

wineboot --init > "$work/wineboot.log" 2>&1 || true
wineserver -w

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
display=:$(cat "$work/display")

# Lines of the game's output as the desktop writes them: Windows ends lines with CR LF.
lines() { tr -d '\r' < "$1"; }

# The desktop's first frame and its regions of wall tiles and HUD.
mkdir -p "$work/reference"
(cd tests && "$reference_tool" "$work/reference") > "$work/reference.log"
# One line per region: x, y, w, h and kind, the first four numbers of its entry.
grep -E '"kind": "(wall|hud)"' "$work/reference/regions.json" |
  { n='[^0-9]+([0-9]+)'; sed -E "s/.*\"kind\": \"([a-z]+)\"$n$n$n$n.*/\\2 \\3 \\4 \\5 \\1/"; } |
  # A piece drawn empty (the experience bar at 0) covers no pixel.
  awk '$3 > 0 && $4 > 0' > "$work/regions"
draw=()
while read -r x y w h _; do draw+=(-draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))"); done \
  < "$work/regions"
convert -size 640x480 xc:black -fill white "${draw[@]}" "$work/mask.png"
convert "$work/reference/frame.png" "$work/mask.png" -compose multiply -composite \
  "$work/want.png"
# Pixels inside the regions that differ from the desktop's frame.
differing_pixels() {
  convert "$1" "$work/mask.png" -compose multiply -composite "$work/have.png"
  compare -metric AE "$work/have.png" "$work/want.png" null: 2>&1 || true
}
# One line per region that differs, for the report.
differing_regions() {
  local x y w h kind crop
  while read -r x y w h kind; do
    crop="${w}x${h}+${x}+${y}"
    local count
    count=$(compare -metric AE <(convert "$1" -crop "$crop" +repage png:-) \
      <(convert "$work/reference/frame.png" -crop "$crop" +repage png:-) null: 2>&1 || true)
    [ "$count" = 0 ] || echo "$kind at $x,$y ${w}x$h: $count pixels differ"
  done < "$work/regions" | head -10
}

# Explorer starts a program with its own folder as the working folder.
(cd "$folder" && exec env DISPLAY="$display" wine ./Vantorel.exe) \
  > "$work/game.out" 2> "$work/game.err" &
game_pid=$!
window=$(DISPLAY=$display timeout 60 xdotool search --sync --onlyvisible --name '^Vantorel$' \
  2> /dev/null | head -1 || true)
for _ in $(seq 200); do [ "$(lines "$work/game.out" | wc -l)" -ge 8 ] && break; sleep 0.1; done
reference_lines=$(grep '^Loading sprite: ' "$work/reference.log" || true)
if [ -z "$window" ]; then
  fail "opening Vantorel.exe: no window titled Vantorel" "$(head -5 "$work/game.err")"
else
  geometry=$(DISPLAY=$display xdotool getwindowgeometry "$window" | sed -nE 's/.*Geometry: //p')
  if [ "$geometry" = 640x480 ]; then
    pass "opening Vantorel.exe shows the window titled Vantorel at 640x480"
  else
    fail "the window is $geometry, not 640x480"
  fi
  if [ -n "$reference_lines" ] && [ "$(lines "$work/game.out")" = "$reference_lines" ]; then
    pass "it loads the eight sheets as the desktop does, each once, in the same order"
  else
    fail "its start-up lines differ from the desktop's" "$(lines "$work/game.out" | head -10)"
  fi
  # The first frames come within a few of the eighth line; the walls and the HUD do not
  # change while nobody plays, so the first picture that shows them counts.
  count=unread
  for _ in $(seq 20); do
    DISPLAY=$display import -window "$window" "$work/window.png" 2> /dev/null || continue
    count=$(differing_pixels "$work/window.png")
    [ "$count" = 0 ] && break
    sleep 0.1
  done
  if [ "$count" = 0 ]; then
    pass "its wall tiles and HUD equal the desktop's first frame, pixel for pixel" \
      "($(wc -l < "$work/regions") regions)"
  else
    fail "its wall tiles and HUD differ from the desktop's first frame: $count pixels" \
      "$(differing_regions "$work/window.png")"
  fi
  # wine takes keys only into the window that has the focus.
  DISPLAY=$display xdotool windowfocus --sync "$window"
  DISPLAY=$display xdotool key Escape
fi
status=timeout
for _ in $(seq 100); do
  if ! kill -0 "$game_pid" 2> /dev/null; then
    status=0
    wait "$game_pid" || status=$?
    game_pid=
    break
  fi
  sleep 0.1
done
if [ "$status" = 0 ] && [ ! -s "$work/game.err" ]; then
  pass "Escape ends it with status 0 and nothing on standard error"
else
  fail "after Escape: status $status" "$(head -5 "$work/game.err")"
fi

# From anywhere but its own folder the game cannot find its sheets, and says so.
mkdir -p "$work/elsewhere"
status=0
(cd "$work/elsewhere" && DISPLAY=$display timeout 60 wine "$folder/game/vantorel.exe") \
  > "$work/elsewhere.out" 2> "$work/elsewhere.err" || status=$?
want="Vantorel: cannot load sprite sheet ../content/sprites/umbercrag/Panels.pbm:"
want+=" the file does not exist"
if [ "$status" = 1 ] && [ "$(lines "$work/elsewhere.err")" = "$want" ]; then
  pass "game\\vantorel.exe started from another folder ends with status 1 and one line"
else
  fail "game\\vantorel.exe from another folder: status $status" "$(head -5 "$work/elsewhere.err")"
fi

# -- Stop signals in a console ------------------------------------------------------------

# A windowed program has no console, and wine drops a SIGINT sent to one; so the seam is
# tried in the console program vantorel_stop_signals_probe.exe, which plays the real game
# on SDL's dummy driver from the unpacked game\ folder. script(1) gives wine a terminal
# to make the console of.
cmake --build "$game_build" -j 2 --target vantorel_stop_signals_probe > "$work/probe-build.log"
cp "$game_build/vantorel_stop_signals_probe.exe" "$folder/game/"
# probe CASE: runs it in a console; sets status and milliseconds.
probe() {
  local start
  start=$(date +%s%N)
  status=0
  (cd "$folder/game" && timeout 30 script -qec \
    "wine ./vantorel_stop_signals_probe.exe $1 > $work/probe.out 2> $work/probe.err" /dev/null) \
    > /dev/null 2>&1 < /dev/null || status=$?
  milliseconds=$((($(date +%s%N) - start) / 1000000))
}

# descendant ROOT PROGRAM: the process under ROOT that runs PROGRAM, as wine names it.
descendant() {
  ps -eo pid=,ppid=,args= | awk -v root="$1" -v program="$2" '
    { parent[$1] = $2; if ($3 == program) candidates[$1] = 1 }
    END {
      for (pid in candidates)
        for (p = pid; p in parent && p > 1; p = parent[p])
          if (p == root) { print pid; exit }
    }'
}

# wine turns a SIGINT to a console program's process into that console's Ctrl-C.
(cd "$folder/game" && exec timeout 30 script -qec \
  "wine ./vantorel_stop_signals_probe.exe play > $work/probe.out; echo \$? > $work/probe.status" \
  /dev/null) > /dev/null 2>&1 < /dev/null &
runner=$!
probe_pid=
for _ in $(seq 300); do
  if [ "$(lines "$work/probe.out" 2> /dev/null | wc -l)" -ge 8 ]; then
    probe_pid=$(descendant "$runner" ./vantorel_stop_signals_probe.exe)
    break
  fi
  sleep 0.1
done
if [ -n "$probe_pid" ]; then
  start=$(date +%s%N)
  kill -INT $probe_pid
  wait "$runner" || true
  milliseconds=$((($(date +%s%N) - start) / 1000000))
  if [ "$(cat "$work/probe.status")" = 130 ] && [ "$milliseconds" -lt 2000 ]; then
    pass "Ctrl-C in a console (kill -INT through wine) ends the game with status 130" \
      "after $milliseconds ms"
  else
    fail "after kill -INT: status $(cat "$work/probe.status"), $milliseconds ms"
  fi
else
  kill "$runner" 2> /dev/null || true
  fail "the console game did not start" "$(head -5 "$work/probe.out")"
fi

# Sent from inside: the game under way, then the event.
for c in "ctrl-c 130" "sigterm 143"; do
  set -- $c
  probe "$1"
  if [ "$status" = "$2" ] && [ "$(lines "$work/probe.out" | wc -l)" = 8 ] &&
     [ ! -s "$work/probe.err" ]; then
    pass "$1 while the game runs ends it after all eight sheets with status $2 ($milliseconds ms)"
  else
    fail "$1: status $status, want $2" "$(lines "$work/probe.out" | wc -l) lines" \
      "$(head -3 "$work/probe.err")"
  fi
done

# A second Ctrl-C ends the process at once, long before the probe's own end 5 s on.
probe repeat-ctrl-c
if [[ " 3 4 124 " != *" $status "* ]] && [ "$milliseconds" -lt 4000 ]; then
  pass "a second Ctrl-C ends the process at once (status $status after $milliseconds ms)"
else
  fail "a second Ctrl-C: status $status after $milliseconds ms"
fi

# wine delivers only Ctrl-C to a console: it cannot send Ctrl+Break.
probe ctrl-break
if [ "$status" = 3 ]; then
  echo "note this wine cannot send Ctrl+Break ($(head -1 "$work/probe.err")); not tried"
elif [ "$status" = 130 ]; then
  pass "Ctrl+Break while the game runs ends it with status 130 ($milliseconds ms)"
else
  fail "ctrl-break: status $status, want 130" "$(head -3 "$work/probe.err")"
fi

echo
if [ "$failures" -eq 0 ]; then
  echo "Windows: all checks passed"
else
  echo "Windows: $failures checks failed"
  exit 1
fi
