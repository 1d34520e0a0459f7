#!/bin/bash
# The window's menus under a virtual X server, driven by their mnemonics
# as a person would: the Video menu's filters change the picture as each
# says (None: only the game's colours, each row pair alike; TV Blur: mixed
# colours, row pairs still alike; Anti-Alias: row pairs differ), Scanlines
# leaves every second row black, Normal Size shrinks the window to the
# 320x240 frame; the File menu's Game Select opens the launcher and Exit
# ends tolv with status 0.
# Usage: window_menu.sh TOLV GAMES WORK
set -u
tolv=$1 games=$2 work=$3/window_menu
rm -rf "$work" && mkdir -p "$work/gdf" && cp -r "$games/default" "$games/sample" "$work"/ &&
  cp "$games/gdf/default.gdf" "$work/gdf/" && rm -f "$work"/sample/game.tvp
fail() { echo "window_menu: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }
menu() {  # menu mnemonic, item mnemonic
  xdotool key "alt+$1"
  sleep 0.3
  xdotool key "$2"
  sleep 0.5
}
capture() {  # the lowest $1 rows of the window (under the menu bar) into $2
  xwd -silent -id "$wid" | xwdtopnm 2>/dev/null | pamcut -top=-"$1" | pnmdepth 255 > "$2"
}
colours() { ppmhist -noheader "$1" | awk '{ print $1, $2, $3 }' | sort -u; }
foreign() { colours "$1" | comm -23 - palette.txt | wc -l; }  # colours the palette lacks
pairs_alike() { cmp -s <(pamdeinterlace -takeeven "$1") <(pamdeinterlace -takeodd "$1"); }

cd "$work" || exit 1
"$tolv" >"$work/out.txt" 2>&1 &
pid=$!
wid=$(timeout 20 xdotool search --sync --name "Ball Yard" | head -1) || fail "no window"
[ -n "$wid" ] || fail "no window"
xdotool windowfocus --sync "$wid"
sleep 1
xdotool key F12
for _ in $(seq 50); do [ -e sample/sh000000.tga ] && break; sleep 0.1; done
od -An -v -tu1 -j18 -N768 sample/sh000000.tga | tr -s ' ' '\n' | grep . |
  paste -d' ' - - - | awk '{ print $3, $2, $1 }' | sort -u > palette.txt
[ -s palette.txt ] || fail "F12 wrote no screenshot"

capture 480 none.ppm
[ "$(foreign none.ppm)" -eq 0 ] || fail "no filter: colours the palette lacks"
pairs_alike none.ppm || fail "doubled rows differ without a filter"
menu v t
capture 480 blur.ppm
[ "$(foreign blur.ppm)" -gt 0 ] || fail "TV Blur: only the palette's colours"
pairs_alike blur.ppm || fail "TV Blur: doubled rows differ"
menu v a
capture 480 smooth.ppm
[ "$(foreign smooth.ppm)" -gt 0 ] || fail "Anti-Alias: only the palette's colours"
pairs_alike smooth.ppm && fail "Anti-Alias: doubled rows alike"
menu v s
capture 480 lines.ppm
[ "$(pamdeinterlace -takeodd lines.ppm | ppmhist -noheader | wc -l)" -eq 1 ] || fail "Scanlines: second rows drawn"
[ "$(colours lines.ppm | wc -l)" -gt 1 ] || fail "Scanlines: nothing drawn"
menu v o
menu v n
size=$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ { print $2 }')
[ "${size%x*}" -eq 320 ] && [ "${size#*x}" -lt 480 ] || fail "Normal Size: the window is $size"
capture 240 normal.ppm
[ "$(foreign normal.ppm)" -eq 0 ] && [ "$(colours normal.ppm | wc -l)" -gt 1 ] ||
  fail "Normal Size: not the game's frame"

menu f g
for _ in $(seq 50); do [ "$(xdotool getwindowname "$wid")" = TOLV ] && break; sleep 0.1; done
[ "$(xdotool getwindowname "$wid")" = TOLV ] || fail "Game Select: the window is titled $(xdotool getwindowname "$wid")"
menu f x
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Exit did not end tolv"
wait "$pid" || fail "tolv ended with $?: $(cat "$work/out.txt")"
pid=
rm -rf "$work"
