#!/bin/bash
# Builds the example game of README's "Making a game" from the README itself
# (each fenced block after a line `path`: is that file of the base folder;
# sh blocks run in the base folder), runs it, packs it and runs it packed.
# Usage: making_a_game.sh TOLV README GAMES WORK
set -eu
tolv=$1 readme=$2 games=$3 base=$4/making_a_game
fail() { echo "making_a_game: $*" >&2; exit 1; }

rm -rf "$base" && mkdir -p "$base" && cp -r "$games/default" "$base/"
awk -v base="$base" '
  /^## / { guide = ($0 == "## Making a game") }
  !guide { next }
  fence && /^```$/ { fence = 0; close(out); next }
  fence { print > out; next }
  /^`[^`]+`:$/ { file = substr($0, 2, length($0) - 3); next }
  /^```sh$/ { fence = 1; out = base "/.guide_commands.sh"; next }
  /^```$/ && file != "" {
    fence = 1; out = base "/" file; n = split(out, part, "/")
    system("mkdir -p \"" substr(out, 1, length(out) - length(part[n])) "\"")
    file = ""; next
  }
' "$readme"
[ -f "$base/gdf/hello.gdf" ] && [ -f "$base/hello/game.def" ] || fail "no example game in $readme"
(cd "$base" && bash -e .guide_commands.sh) || fail "the guide's commands failed"

run() {
  rm -f "$base/hello/hello.txt"
  (cd "$base" && "$tolv" -game hello.gdf >"$base/out.txt" 2>"$base/err.txt") || fail "exit $?: $(cat "$base/err.txt")"
  # The tests have no audio device (SDL_AUDIODRIVER names none): that one
  # line is no complaint of the game's.
  ! grep -vx "Couldn't start mixer!" "$base/err.txt" >/dev/null || fail "complaints: $(cat "$base/err.txt")"
  grep -q "level started: zone 1 act 0 of 1" "$base/out.txt" || fail "no level: $(cat "$base/out.txt")"
  [ "$(cat "$base/hello/hello.txt")" = "Hello after 30 frames, and the ball rolled 30 times" ] ||
    fail "hello.txt: $(cat "$base/hello/hello.txt" 2>&1)"
}
run
(cd "$base" && "$tolv" -pack hello >/dev/null) || fail "-pack hello failed"
find "$base/hello" -mindepth 1 ! -name game.tvp ! -name keymap.def -delete
run
grep -q "(game.tvp)" "$base/out.txt" || fail "not run from the archive"
rm -rf "$base"
