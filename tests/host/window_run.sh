#!/bin/bash
# The window under a virtual X server (run through with_xvfb.sh): tolv starts
# on the sample game; its window is titled with the game's name; Left Ctrl
# + Q typed into it reaches the game's world update (objlist.txt); F9
# saves its state to state.sav and F10 loads it; F12
# writes the frame the engine drew as a screenshot, and a capture of the
# window shows that frame: more than one colour, the most common one the
# same, and no colour that the game's palette lacks; F8 returns to the
# launcher (the title back at TOLV), whose Enter plays the first game
# again; Esc ends tolv. With F8 held at its start, tolv opens the
# launcher instead of the game.
# Usage: window_run.sh TOLV GAMES WORK
set -u
tolv=$1 games=$2 work=$3/window_run
# A base folder of its own: the engine folder, the sample and its descriptor.
rm -rf "$work" && mkdir -p "$work/gdf" && cp -r "$games/default" "$games/sample" "$work"/ &&
  cp "$games/gdf/default.gdf" "$work/gdf/" && rm -f "$work"/sample/game.tvp
fail() { echo "window_run: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }
wait_for() {  # file, seconds
  for _ in $(seq $((10 * $2))); do [ -e "$1" ] && return 0; sleep 0.1; done
  return 1
}
# "r g b" per line, the most common colour first.
colours() { ppmhist -noheader | awk '{ print $1, $2, $3 }'; }

cd "$work" || exit 1
"$tolv" >"$work/out.txt" 2>&1 &
pid=$!
wid=$(timeout 20 xdotool search --sync --name "Ball Yard" | head -1) || fail "no window"
[ -n "$wid" ] || fail "no window"
title=$(xdotool getwindowname "$wid")
[ "$title" = "Ball Yard: the TOLV sample game" ] || fail "window title '$title'"
xdotool windowfocus --sync "$wid"
sleep 1
xdotool keydown ctrl
sleep 0.2
xdotool key q
sleep 0.2
xdotool keyup ctrl
wait_for sample/objlist.txt 5 || fail "Left Ctrl + Q did not reach the game"

xdotool key F9
wait_for sample/state.sav 5 || fail "F9 saved no state"
xdotool key F10  # and back: the game runs on

xdotool key F12
wait_for sample/sh000000.tga 5 || fail "F12 wrote no screenshot"
xwd -silent -id "$wid" > capture.xwd || fail "no capture"
xwdtopnm capture.xwd 2>/dev/null | pamcut -top=-480 | pnmdepth 255 | colours > capture.txt  # under the menu bar
tgatoppm sample/sh000000.tga | colours > frame.txt
# The game's palette: bank 0 as the screenshot's colour map holds it.
od -An -v -tu1 -j18 -N768 sample/sh000000.tga | tr -s ' ' '\n' | grep . |
  paste -d' ' - - - | awk '{ print $3, $2, $1 }' | sort -u > palette.txt
[ "$(wc -l < capture.txt)" -gt 1 ] || fail "the capture is one colour: $(cat capture.txt)"
[ "$(head -1 capture.txt)" = "$(head -1 frame.txt)" ] ||
  fail "the capture's main colour $(head -1 capture.txt) is not the frame's $(head -1 frame.txt)"
strange=$(sort -u capture.txt | comm -23 - palette.txt)
[ -z "$strange" ] || fail "colours the palette lacks: $strange"

titled() {  # title, seconds
  for _ in $(seq $((10 * $2))); do [ "$(xdotool getwindowname "$wid")" = "$1" ] && return 0; sleep 0.1; done
  return 1
}
xdotool key F8
titled TOLV 5 || fail "F8: the window is titled '$(xdotool getwindowname "$wid")'"
sleep 0.5
xdotool key Return
titled "Ball Yard: the TOLV sample game" 5 || fail "the launcher did not start the game"

xdotool key Escape
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Esc did not end tolv"
wait "$pid" || fail "tolv ended with $?: $(cat "$work/out.txt")"
pid=

xdotool keydown F8 sleep 4 keyup F8 &  # xdotool lets go of its keys when it ends
sleep 0.5
"$tolv" >"$work/out.txt" 2>&1 &
pid=$!
sleep 3
wid=
for w in $(xdotool search --name "TOLV"); do [ "$(xdotool getwindowname "$w")" = "TOLV" ] && wid=$w; done
[ -n "$wid" ] || fail "F8 held: no window titled TOLV"
xdotool windowfocus --sync "$wid"
xdotool key Escape
wait "$pid" || fail "tolv ended with $?: $(cat "$work/out.txt")"
pid=
rm -rf "$work"
