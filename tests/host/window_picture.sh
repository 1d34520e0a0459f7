#!/bin/bash
# A smaller picture after a larger one in the same window, as a person
# gets it (run through with_xvfb.sh on a screen taller than the two-view
# window): the drawing area outside the new picture, and the second rows
# of scanlines, are black, and the picture itself is drawn.
# Usage: window_picture.sh TOLV GAMES WORK
set -u
tolv=$1 games=$2 work=$3/window_picture
rm -rf "$work" && mkdir -p "$work/gdf" && cp -r "$games/default" "$games/sample" "$work"/ &&
  cp "$games/gdf/default.gdf" "$work/gdf/" && rm -f "$work"/sample/game.tvp
fail() { echo "window_picture: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }
lit() { ppmhist -noheader | awk '$1 + $2 + $3 > 0 { n += $5 } END { print n + 0 }'; }  # pixels not black

# what | options | steps (menu mnemonics m:v:n, keys k:F2) | drawing area w h | picture x y w h | scanlines
cases=(
  "Normal Size, F2, F2||m:v:n k:F2 k:F2|640 480|160 120 320 240|"
  "Scanlines, F3, F3||m:v:s k:F3 k:F3|640 480|0 0 640 480|scan"
  "mode 3, F2, F2|-warp 1 0 0 0 3|k:F2 k:F2|640 480|0 16 640 448|"
  "two views, F8|-warp 1 0 0 0 2|k:F8|640 896|0 208 640 480|"
)
cd "$work" || exit 1
for c in "${cases[@]}"; do
  IFS='|' read -r what options steps area picture scan <<<"$c"
  read -r aw ah <<<"$area"
  read -r px py pw ph <<<"$picture"
  # shellcheck disable=SC2086
  "$tolv" $options >"$work/out.txt" 2>&1 &
  pid=$!
  wid=$(timeout 20 xdotool search --sync --name "Ball Yard" | head -1) || fail "$what: no window"
  [ -n "$wid" ] || fail "$what: no window"
  xdotool windowfocus --sync "$wid"
  sleep 1
  for s in $steps; do
    if [ "${s%%:*}" = m ]; then
      IFS=: read -r _ menu item <<<"$s"
      xdotool key "alt+$menu"
      sleep 0.3
      xdotool key "$item"
    else
      xdotool key "${s#k:}"
    fi
    sleep 1
  done
  xwd -silent -id "$wid" | xwdtopnm 2>/dev/null | pamcut -top=-"$ah" | pnmdepth 255 > shot.ppm
  [ "$(pamfile shot.ppm | awk '{ print $4, $6 }')" = "$aw $ah" ] || fail "$what: the area is $(pamfile shot.ppm)"
  outside=$(ppmdraw -script="setcolor black; filledrectangle $px $py $pw $ph" shot.ppm | lit)
  [ "$outside" -eq 0 ] || fail "$what: $outside pixels lit outside the picture"
  pamcut -left="$px" -top="$py" -width="$pw" -height="$ph" shot.ppm > picture.ppm
  [ "$(lit < picture.ppm)" -gt 0 ] || fail "$what: no picture"
  if [ -n "$scan" ]; then
    between=$(pamdeinterlace -takeodd picture.ppm | lit)
    [ "$between" -eq 0 ] || fail "$what: $between pixels lit in the scanlines' black rows"
  fi
  xdotool key Escape
  wait "$pid" || fail "$what: tolv ended with $?: $(cat "$work/out.txt")"
  pid=
done
rm -rf "$work"
