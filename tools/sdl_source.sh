# SDL's source for the builds that cannot use the machine's libsdl2 (the browser's and
# Windows'): the source package of the same libsdl2 that libsdl2-dev installs, so every
# build of the game runs on one SDL. Sourced, not run; needs dpkg-dev to unpack it.

# fetch_sdl_source FOLDER: unpacks that source into FOLDER/source/libsdl2-*/ and
# prints the tree's path. apt-get source goes through sources of our own: every "deb"
# entry of the machine's lists read as "deb-src", with private package lists in
# FOLDER/apt, so the machine's apt set-up is left as it was.
fetch_sdl_source() {
  local folder version apt
  folder=$(realpath -m "$1")
  version=$(dpkg-query -W -f='${Version}' libsdl2-dev)
  apt=$folder/apt
  rm -rf "$apt" "$folder/source"
  mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache" "$folder/source" || return 1
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -e "$file" ] || continue
    sed -E 's/^Types:.*\bdeb\b.*$/Types: deb-src/' "$file" > "$apt/sources.list.d/$(basename "$file")"
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$file" ] || continue
    sed -nE 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" \
      >> "$apt/sources.list.d/machine-sources.list"
  done
  local options=(-o Dir::Etc::SourceList=/dev/null
                 -o "Dir::Etc::SourceParts=$apt/sources.list.d"
                 -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache"
                 -o APT::Sandbox::User=root -qq)
  # A list that has no sources (a third-party archive) only warns; the source
  # package itself must come.
  apt-get "${options[@]}" update >&2 || echo "Some source lists could not be read; going on." >&2
  # Run inside $(...), where set -e does not reach: every failure returns itself.
  (cd "$folder/source" && apt-get "${options[@]}" source "libsdl2=$version" >&2) || return 1
  rm -rf "$apt"
  local tree
  tree=$(find "$folder/source" -mindepth 1 -maxdepth 1 -type d -name 'libsdl2-*')
  [ -n "$tree" ] || return 1
  echo "$tree"
}

# build_sdl_once FOLDER WHAT CONFIGURE...: builds that source once, static, into
# FOLDER/prefix, configured by the command CONFIGURE... ("emcmake cmake", or cmake with a
# toolchain file), and stamps FOLDER with the version so that later runs skip it.
build_sdl_once() {
  local folder=$1 what=$2
  shift 2
  local version stamp tree
  version=$(dpkg-query -W -f='${Version}' libsdl2-dev)
  stamp=$folder/built-$version
  [ -e "$stamp" ] && return 0
  echo "== SDL $version for $what (once)"
  tree=$(fetch_sdl_source "$folder")
  rm -rf "$folder/build" "$folder/prefix"
  "$@" -S "$tree" -B "$folder/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$(realpath -m "$folder/prefix")" -DSDL_SHARED=OFF -DSDL_STATIC=ON \
    -DSDL_TEST=OFF -DSDL_TESTS=OFF > /dev/null
  cmake --build "$folder/build" -j 2
  cmake --install "$folder/build" > /dev/null
  rm -rf "$folder/source" "$folder/build"
  rm -f "$folder"/built-*
  touch "$stamp"
}
