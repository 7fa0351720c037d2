#!/usr/bin/env bash
# Installs the game into a temporary prefix as a package would, checks the desktop entry and the
# AppStream metadata with their validators, then starts the installed game through the desktop
# entry's Exec line from another folder, with HOME pointing at a fresh folder (SDL's dummy
# drivers), asks it to close as a desktop would, and checks that:
#   - the settings and the hall of fame are in that home, nothing lands in the working folder,
#     and nothing new or changed in the prefix;
#   - with a home that cannot be written, the game says so in one line, still plays and quits
#     cleanly, and still writes nothing into the prefix.
#
#   tests/install/install_test.sh [build folder]      (default: build)
#
# Exits 77 (skipped) when desktop-file-validate or appstreamcli is missing.
set -euo pipefail

build="$(cd "${1:-build}" && pwd)"
app_id=org.drakmoor.Drakmoor
skip=77

for tool in desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
    exit "$skip"
  fi
done

work="$(mktemp -d "${TMPDIR:-/tmp}/drakmoor-install-XXXXXX")"
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  exit 1
}

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  fail "cmake --install: $(tail -n 5 "$work/install.log")"

for file in bin/drakmoor share/drakmoor/map.hm share/drakmoor/art/title.png \
  share/drakmoor/art/map/sky.png share/drakmoor/font/CELTICMD.ttf \
  "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
  "share/icons/hicolor/scalable/apps/$app_id.svg" share/doc/drakmoor/copyright \
  "share/icons/hicolor/"{48x48,64x64,128x128,256x256}"/apps/$app_id.png"; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
# A game played from the build folder keeps its files there; they must not ship.
for file in settings hiscore; do
  [ ! -e "$prefix/share/drakmoor/$file" ] || fail "the build folder's $file was installed"
done

desktop_entry="$prefix/share/applications/$app_id.desktop"
desktop-file-validate "$desktop_entry" || fail "the desktop entry does not validate"
appstreamcli validate --no-net --strict "$prefix/share/metainfo/$app_id.metainfo.xml" ||
  fail "the AppStream metadata does not validate"

# The command a desktop runs, without its field codes (%f, %u, ...).
read -r -a launch <<<"$(sed -n 's/^Exec=//p' "$desktop_entry" | sed 's/ %[a-zA-Z]//g')"
[ "${#launch[@]}" -gt 0 ] || fail "the desktop entry has no Exec line"

inventory() { (cd "$prefix" && find . -printf '%p %s %T@\n' | sort); }
inventory >"$work/prefix.before"

# Starts the installed game as the desktop would, in an empty folder with the given home; once
# its window is up (its trace, on with DRAKMOOR_DEBUG=1, says so), asks it to close (SIGTERM
# arrives as a close request) and waits for it.
play() {
  local home="$1" log="$2"
  local folder="$work/elsewhere"
  mkdir -p "$folder"
  (cd "$folder" && exec env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" \
    PATH="$prefix/bin:$PATH" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy DRAKMOOR_DEBUG=1 \
    "${launch[@]}") \
    >"$log" 2>&1 &
  game_pid=$!
  for _ in $(seq 600); do
    grep -qs 'RESET DEVICE' "$log" && break
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  grep -q 'RESET DEVICE' "$log" || fail "the installed game did not open its window: $(tail -n 5 "$log")"
  sleep 0.5
  kill -TERM "$game_pid" 2>/dev/null || true
  local status=0
  wait "$game_pid" || status=$?
  game_pid=""
  [ "$status" -eq 0 ] || fail "the installed game ended with $status: $(tail -n 5 "$log")"
  [ -z "$(ls -A "$folder")" ] || fail "the game wrote into its working folder: $(ls -A "$folder")"
  inventory | diff "$work/prefix.before" - >/dev/null ||
    fail "the game changed the installation: $(inventory | diff "$work/prefix.before" - | head -n 5)"
}

home="$work/home"
mkdir -p "$home"
play "$home" "$work/game.log"
for file in settings hiscore; do
  [ -s "$home/.local/share/drakmoor/$file" ] || fail "no $file in the player's home"
done
grep -q '^difficulty: 1$' "$home/.local/share/drakmoor/settings" ||
  fail "the settings in the home are not the game's: $(cat "$home/.local/share/drakmoor/settings")"

# A home under a plain file can be written by nobody, root included.
touch "$work/not-a-folder"
play "$work/not-a-folder/home" "$work/homeless.log"
said="$(grep -c 'cannot save the settings and the hall of fame' "$work/homeless.log" || true)"
[ "$said" -eq 1 ] || fail "an unwritable home was reported $said times: $(tail -n 5 "$work/homeless.log")"

echo "PASS: installed into a prefix, validated, played from the path with the player's files in the home"
