#!/usr/bin/env bash
# Plays the shipped executable in a real X window: starts Xvfb, drives the game with xdotool
# from the title through the slides, the hall of fame, the credits and a match (fly, fire,
# screenshot, pause, screenshot, abandon) back to the title and out with Escape. Checks the
# exit code, the game's own screenshots (size, not blank, the HUD and the pause overlay where
# they belong) and that the settings and the hall of fame were written.
#
#   tests/window/window_test.sh [build folder]      (default: build)
#
# The game runs in a fresh folder of its own, so the player's files are never touched. Pictures
# of the whole X screen at each step, the game's screenshots and its diagnostics are kept in
# <build folder>/window-test/ to be looked at. Exits 77 (skipped) when Xvfb or xdotool is
# missing.
set -euo pipefail

build="$(cd "${1:-build}" && pwd)"
out="$build/window-test"
skip=77

for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
    exit "$skip"
  fi
done
for tool in import identify convert compare; do
  command -v "$tool" >/dev/null || { echo "FAIL: ImageMagick's $tool is missing"; exit 1; }
done
[ -x "$build/drakmoor" ] || { echo "FAIL: $build/drakmoor has not been built"; exit 1; }

# The game must find the real display, whatever the caller's environment asks SDL for.
unset SDL_VIDEODRIVER

run="$(mktemp -d "${TMPDIR:-/tmp}/drakmoor-window-XXXXXX")"
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  # What the game wrote and said stays beside the pictures, also when a check failed.
  cp "$run/game.log" "$out/" 2>/dev/null || true
  cp -r "$run/screenshots" "$out/" 2>/dev/null || true
  rm -rf "$run"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  if [ -f "$run/game.log" ]; then
    echo "-- the game's diagnostics:"
    tail -n 30 "$run/game.log"
  fi
  exit 1
}

rm -rf "$out"
mkdir -p "$out/screen" "$run/data"
ln -s "$build/data/art" "$run/data/art"
ln -s "$build/data/font" "$run/data/font"
ln -s "$build/data/map.hm" "$run/data/map.hm"
# A copy, not a link: the game keeps its files beside its own executable, wherever a link points.
cp "$build/drakmoor" "$run/drakmoor"

# Xvfb picks a free display itself and tells its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$run/display" 2>"$run/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$run/display" ] && break; sleep 0.1; done
[ -s "$run/display" ] || fail "Xvfb did not start: $(cat "$run/xvfb.log")"
export DISPLAY=":$(tr -d '[:space:]' <"$run/display")"

game_alive() { kill -0 "$game_pid" 2>/dev/null; }

# A key held for a while and let go, as a player does; the dragon's keys are read once a frame.
hold() {
  game_alive || fail "the game ended before '$1' could be pressed"
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
  sleep 0.4
}
tap() { for key in "$@"; do hold "$key" 0.08; done; }

# A picture of the whole X screen, kept for people to look at.
picture() { import -window root "$out/screen/$1.png"; }

wait_for_file() {
  for _ in $(seq $(( $2 * 10 ))); do
    [ -s "$1" ] && return 0
    game_alive || fail "the game ended while waiting for $1"
    sleep 0.1
  done
  fail "no $1 after $2 s"
}

# Channel values 0..255 of one pixel, as "r g b".
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }
# The number of pixels in which two pictures differ noticeably.
differing_pixels() { compare -metric AE -fuzz 3% "$1" "$2" null: 2>&1 || true; }
same_screen() {
  [ "$(differing_pixels "$out/screen/$1.png" "$out/screen/$2.png")" -le 500 ] ||
    fail "$2 should show the same screen as $1"
}
other_screen() {
  [ "$(differing_pixels "$out/screen/$1.png" "$out/screen/$2.png")" -ge 50000 ] ||
    fail "$2 should show another screen than $1"
}
mean_brightness() { convert "$1" -colorspace Gray -format '%[fx:int(255*mean)]' info:; }
colours() { identify -format '%k' "$1"; }

echo "== starting the game on display $DISPLAY in $run"
(cd "$run" && SDL_AUDIODRIVER=dummy exec ./drakmoor) >"$run/game.log" 2>&1 &
game_pid=$!

# SDL makes the window anew when it gives it the renderer, so a window found before the game
# has drawn may already be gone (X answers BadWindow): wait for the title on the screen, however
# long a loaded machine takes, then take the window that shows it.
title_shown=""
for _ in $(seq 600); do
  game_alive || fail "the game ended before showing its title"
  import -window root "$run/probe.png" 2>/dev/null &&
    [ "$(mean_brightness "$run/probe.png")" -gt 10 ] && title_shown=yes && break
  sleep 0.1
done
[ -n "$title_shown" ] || fail "no title on the screen within a minute"
window="$(xdotool search --onlyvisible --name '^Drakmoor$' | tail -n 1)"
[ -n "$window" ] || fail "no visible window named Drakmoor"
# Xvfb has no window manager, so nobody answers the game's request for full screen: play the
# manager's part and give the window the whole screen, as a desktop would.
fill_screen() {
  xdotool windowmove --sync "$window" 0 0 windowsize --sync "$window" 1024 768
  xdotool windowfocus --sync "$window"
  sleep 0.5
}
fill_screen
picture 01-title

echo "== Alt+Enter to a window and back to full screen: the menu must not take the Enter"
alt_enter() { xdotool keydown alt+Return; sleep 0.08; xdotool keyup alt+Return; }
alt_enter; sleep 1.5; picture 01-title-windowed
alt_enter; fill_screen; picture 01-title-full-screen-again

echo "== how to play: three slides and back to the title"
tap Down Return; sleep 0.5; picture 02-slide0
tap space; sleep 0.5; picture 03-slide1
tap space; sleep 0.5; picture 04-slide2
tap space; sleep 0.5; picture 05-title-again

echo "== hall of fame and back"
tap Down Down Return; sleep 0.5; picture 06-hall-of-fame
tap Return

echo "== credits and back"
tap Down Down Down Return; sleep 1; picture 07-credits
sleep 3; picture 08-credits-names
tap Return; sleep 0.5; picture 09-title-after-credits

echo "== start game: a new player sees the slides first, then the match loads"
tap Return; sleep 0.5; picture 10-intro-slide0
tap space space space
sleep 1
# Keys sent while the match loads wait in the queue and act once it runs: this first
# screenshot proves that the match is on.
tap Print
wait_for_file "$run/screenshots/screenshot00.png" 60
picture 11-match-start

echo "== in the match: fly, breathe, shoot, screenshot, pause, screenshot, abandon"
hold Left 1.5
hold Up 0.6
tap z
hold z 1.2
hold Down 0.4
tap Print
wait_for_file "$run/screenshots/screenshot01.png" 10
picture 12-match-flying
tap Escape; sleep 0.5
tap Print
wait_for_file "$run/screenshots/screenshot02.png" 10
picture 13-paused
tap Return; sleep 1; picture 14-title-after-match

echo "== Escape quits"
xdotool keydown Escape; sleep 0.08; xdotool keyup Escape
status=""
for _ in $(seq 200); do
  if ! game_alive; then
    status=0
    wait "$game_pid" || status=$?
    break
  fi
  sleep 0.1
done
[ -n "$status" ] || fail "the game was still running 20 s after Escape on the title"
game_pid=""

echo "== checks"
same_screen 01-title 01-title-full-screen-again
other_screen 01-title 02-slide0
other_screen 02-slide0 03-slide1
other_screen 03-slide1 04-slide2
same_screen 01-title 05-title-again
other_screen 01-title 06-hall-of-fame
other_screen 01-title 07-credits
same_screen 01-title 09-title-after-credits
same_screen 02-slide0 10-intro-slide0
same_screen 01-title 14-title-after-match
echo "   the walk reached every screen and came back to the title each time"
[ "$status" -eq 0 ] || fail "exit code $status, expected 0"
echo "   exit code 0"

for n in 00 01 02; do
  shot="$run/screenshots/screenshot$n.png"
  size="$(identify -format '%wx%h' "$shot")"
  [ "$size" = 800x600 ] || fail "screenshot$n.png is $size, not 800x600"
  count="$(colours "$shot")"
  [ "$count" -ge 100 ] || fail "screenshot$n.png has only $count colours: blank?"
  echo "   screenshot$n.png: 800x600, $count colours"
done

# The HUD of a running match: the health bar (green to yellow at the health a new dragon has)
# on its dark band, the gold band dark beside the gold count, white digits of the clock.
flying="$run/screenshots/screenshot01.png"
read -r r g b <<<"$(pixel "$flying" 100 57)"
# Green when full; white while the bar still fills up at the start of a slow machine's match.
{ [ "$g" -ge 150 ] && [ "$b" -le 100 ]; } || { [ "$r" -ge 240 ] && [ "$g" -ge 240 ] && [ "$b" -ge 240 ]; } ||
  fail "no health bar at (100, 57): colour $r $g $b"
read -r r g b <<<"$(pixel "$flying" 160 112)"
[ "$r" -le 110 ] && [ "$g" -le 110 ] && [ "$b" -le 110 ] || fail "no dark gold band at (160, 112): colour $r $g $b"
clock_white="$(convert "$flying" -crop 55x30+15+97 +repage -fx 'min(r,min(g,b))>0.9' -format '%[fx:int(mean*w*h)]' info:)"
[ "$clock_white" -ge 20 ] || fail "no clock digits in (15, 97)-(70, 127): $clock_white white pixels"
echo "   HUD: health bar, gold band and clock digits in place"

# Pausing dims the whole screen under the pause text.
paused="$run/screenshots/screenshot02.png"
before="$(mean_brightness "$flying")"
after="$(mean_brightness "$paused")"
[ $(( after * 10 )) -le $(( before * 6 )) ] || fail "the paused screen is not dimmed ($before -> $after)"
pause_white="$(convert "$paused" -crop 800x60+0+295 +repage -fx 'min(r,min(g,b))>0.9' -format '%[fx:int(mean*w*h)]' info:)"
[ "$pause_white" -ge 50 ] || fail "no pause text below the middle of the screen"
echo "   pause: brightness $before -> $after, pause text present"

grep -qx 'difficulty: [123]' "$run/data/settings" || fail "data/settings was not written"
[ "$(grep -c . "$run/data/hiscore")" -eq 20 ] || fail "data/hiscore was not written with ten records"
echo "   data/settings and data/hiscore written"
echo "PASS: pictures of each screen in $out/screen"
