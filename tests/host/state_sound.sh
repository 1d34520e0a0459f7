#!/bin/bash
# F10 in the window, heard through SDL's disk audio driver: tolv plays the
# sample game, its sound written to a file; four times F9 saves the state
# and F10 loads it a moment later. Once the music has started, the
# recording holds no silence longer than one audio buffer (1024 frames):
# the music goes on from the saved place at once.
# Usage: state_sound.sh TOLV GAMES WORK
set -u
tolv=$1 games=$2 work=$3/state_sound
rm -rf "$work" && mkdir -p "$work/gdf" && cp -r "$games/default" "$games/sample" "$work"/ &&
  cp "$games/gdf/default.gdf" "$work/gdf/" && rm -f "$work"/sample/game.tvp
fail() { echo "state_sound: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }

cd "$work" || exit 1
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw" SDL_DISKAUDIODELAY=20 "$tolv" >"$work/out.txt" 2>&1 &
pid=$!
wid=$(timeout 20 xdotool search --sync --name "Ball Yard" | head -1) || fail "no window"
[ -n "$wid" ] || fail "no window"
xdotool windowfocus --sync "$wid"
sleep 1
for pause in 0.45 0.7 0.95 1.2; do  # saves at different rows of the song
  xdotool key F9
  sleep "$pause"
  xdotool key F10
  sleep 0.6
done
[ -e sample/state.sav ] || fail "F9 saved no state"
xdotool key Escape
wait "$pid"

# Runs of silent frames (both sides 0) that sound ends, after the first sound.
longest=$(od -An -v -td2 -w4 sound.raw | awk '
  $1 != 0 || $2 != 0 { if (heard && run > most) most = run; heard = 1; run = 0; next }
  { run++ }
  END { print most + 0 }')
frames=$(($(stat -c %s sound.raw) / 4))
[ "$frames" -gt 44100 ] || fail "only $frames frames recorded"
[ "$longest" -le 1024 ] || fail "a silence of $longest frames ($((longest * 1000 / 44100)) ms)"
echo "state_sound: $frames frames, longest silence after the start $longest frames"
