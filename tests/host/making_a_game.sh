#!/bin/bash
# Builds the example game of README's "Making a game" from the README itself
# in a base folder of its own (each fenced block after a line `path`: is
# that file of the base folder; the sh blocks run there, in order, with
# tolv and the tools on the path), runs it headless: the ball has rolled
# and the hero stands on the level's ground, and the report gives the size
# the planes were given, as the README says; packs it and runs it packed,
# where an edited loose file counts only once game.tvp is gone. With
# --window (under a virtual X server) it plays the game in the window
# instead: the hero and the ball show in their colours, F9's message shows
# in white, Right walks the hero and Space makes it jump.
# Usage: making_a_game.sh TOLV README GAMES WORK [--window]
set -eu
tolv=$1 readme=$2 games=$3 base=$4/making_a_game${5:+_window} window=${5:-}
fail() { echo "making_a_game: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }
expected="Frame 60: the ball at x 219, the hero at x 80, y 200 on ground 1"
level="level: 2 planes, 80 x 60 tiles, from hello.lev"

rm -rf "$base" && mkdir -p "$base" && cp -r "$games/default" "$base/"
awk -v base="$base" '
  /^## / { guide = ($0 == "## Making a game") }
  !guide { next }
  fence && /^```$/ { fence = 0; close(out); next }
  fence { print >> out; next }
  /^`[^`]+`:$/ { file = substr($0, 2, length($0) - 3); next }
  /^```sh$/ { fence = 1; out = base "/.guide_commands.sh"; next }
  /^```$/ && file != "" {
    fence = 1; out = base "/" file; n = split(out, part, "/")
    system("mkdir -p \"" substr(out, 1, length(out) - length(part[n])) "\"; rm -f \"" out "\"")
    file = ""; next
  }
' "$readme"
[ -f "$base/gdf/hello.gdf" ] && [ -f "$base/hello/game.def" ] || fail "no example game in $readme"
export PATH="$(dirname "$tolv"):$PATH"
(cd "$base" && bash -e .guide_commands.sh) || fail "the guide's commands failed"
[ -s "$base/hello/hello.til" ] && [ -s "$base/hello/hello.lev" ] || fail "the guide's tools wrote no tile set or level"
# What the README says the run writes, its lines joined.
tr '\n' ' ' <"$readme" | grep -qF "reads \"$expected\"" || fail "the README does not promise \"$expected\""
grep -qF "\`$level\`" "$readme" || fail "the README does not promise \"$level\""

# The engine's messages are drawn in palette entry 1: the guide's palette
# keeps it apart from the sky, the first colour of tile 0.
palette_entry() { tail -c 768 "$base/hello/art.pcx" | od -An -v -tu1 -j $((3 * $1)) -N 3 | xargs; }
sky=$(awk '/^0 0$/ { getline; print substr($1, 1, 1); exit }' "$base/hello/tiles.txt")
[ "$(palette_entry 1)" != "$(palette_entry $((16#$sky)))" ] || fail "messages would be drawn in the sky's colour"

run() {  # what hello.txt must read, else the README's line
  rm -f "$base/hello/hello.txt"
  (cd "$base" && tolv -game hello.gdf >"$base/out.txt" 2>"$base/err.txt") || fail "exit $?: $(cat "$base/err.txt")"
  # The tests have no audio device (SDL_AUDIODRIVER names none): that one
  # line is no complaint of the game's.
  ! grep -vx "Couldn't start mixer!" "$base/err.txt" >/dev/null || fail "complaints: $(cat "$base/err.txt")"
  grep -q "level started: zone 1 act 0 of 1" "$base/out.txt" || fail "no level: $(cat "$base/out.txt")"
  grep -qx "  $level" "$base/out.txt" || fail "not the guide's level: $(cat "$base/out.txt")"
  [ "$(cat "$base/hello/hello.txt")" = "${1:-$expected}" ] || fail "hello.txt: $(cat "$base/hello/hello.txt" 2>&1)"
}
from() { grep -q "($1)" "$base/out.txt" || fail "not run from $1: $(cat "$base/out.txt")"; }

# The hero's x, y and ground from hello.txt, which the game rewrites every
# half second, once it says `want` (a grep pattern) within `seconds`.
await() {  # pattern, seconds
  for _ in $(seq $((20 * $2))); do grep -q "$1" "$base/hello/hello.txt" 2>/dev/null && return 0; sleep 0.05; done
  fail "hello.txt never matched '$1': $(cat "$base/hello/hello.txt" 2>&1)"
}

play_in_window() {
  cd "$base"
  tolv -game hello.gdf >"$base/out.txt" 2>&1 &
  pid=$!
  wid=$(timeout 20 xdotool search --sync --name "Hello Yard" | head -1) || fail "no window"
  [ -n "$wid" ] || fail "no window"
  xdotool windowfocus --sync "$wid"
  await "hero at x 80, y 200 on ground 1" 10
  xdotool key F9
  for _ in $(seq 50); do [ -s hello/state.sav ] && break; sleep 0.1; done
  xdotool key F12
  for _ in $(seq 50); do [ -s hello/sh000000.tga ] && break; sleep 0.1; done
  colours=$(tgatoppm hello/sh000000.tga | ppmhist -noheader | awk '{ print $1, $2, $3 }')
  for c in "224 48 48" "255 216 0" "64 176 64" "255 255 255"; do  # hero, ball, grass, "State Saved!"
    grep -qx "$c" <<<"$colours" || fail "colour $c not on the screen: $colours"
  done
  xdotool keydown Right
  sleep 1
  xdotool keyup Right
  await "hero at x [1-3][0-9][0-9], y 200 on ground 1" 5
  xdotool key space
  await "on ground 0" 3
  await "on ground 1" 3
  xdotool key Escape
  wait "$pid" || fail "tolv ended with $?: $(cat "$base/out.txt")"
  pid=
}

if [ "$window" = --window ]; then
  play_in_window
else
  run
  from "loose files"
  (cd "$base" && tolv -pack hello >/dev/null) || fail "-pack hello failed"
  # The archive's game.def counts while game.tvp is there, the loose one
  # once it is gone.
  sed -i 's/^:Frame /:Edited /' "$base/hello/game.def"
  run
  from game.tvp
  mv "$base/hello/game.tvp" "$base/game.tvp"
  run "Edited ${expected#Frame }"
  from "loose files"
  # The archive alone runs the game.
  mv "$base/game.tvp" "$base/hello/game.tvp"
  find "$base/hello" -mindepth 1 ! -name game.tvp ! -name keymap.def -delete
  run
  from game.tvp
fi
rm -rf "$base"
