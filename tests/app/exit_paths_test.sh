#!/usr/bin/env bash
# The built program under the bench's X server and window manager, ended each way a person
# ends it (Esc, the exit button, the title bar's close box, Alt+F4): exit code 0 each time,
# and the window opened centred with its outer size of 452 x 335.
set -uo pipefail
program=$1
title="欢迎使用Tazmelmp3播放器！"
failures=0

start() {
  "$program" &
  pid=$!
  win=$(timeout 10 xdotool search --sync --onlyvisible --name "$title" | head -n1)
  [ -n "$win" ] || { echo "FAIL: no window"; kill "$pid"; return 1; }
  xdotool windowactivate --sync "$win" >/dev/null 2>&1
  sleep 0.3
}

finish() {  # finish NAME: the program must end by itself with exit code 0
  local name=$1 code
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  if kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: $name: still running"; kill -9 "$pid"; failures=$((failures + 1)); return
  fi
  wait "$pid"; code=$?
  if [ "$code" = 0 ]; then echo "ok: $name: exit code 0"; else echo "FAIL: $name: exit code $code"; failures=$((failures + 1)); fi
}

frame() {  # outer rectangle of the window: x y width height
  local extents x y w h
  extents=$(xprop -id "$win" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  read -r l r t b <<<"$extents"
  eval "$(xwininfo -id "$win" | awk '/Absolute upper-left X/{print "x="$4} /Absolute upper-left Y/{print "y="$4} /Width:/{print "w="$2} /Height:/{print "h="$2}')"
  echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
}

start || exit 1
read -r fx fy fw fh <<<"$(frame)"
screen=$(xdpyinfo | awk '/dimensions:/{print $2}')
sw=${screen%x*} sh=${screen#*x}
if [ "$fw $fh" = "452 335" ] && [ "$fx $fy" = "$(((sw - 452) / 2)) $(((sh - 335) / 2))" ]; then
  echo "ok: outer rectangle $fx,$fy ${fw}x$fh"
else
  echo "FAIL: outer rectangle $fx,$fy ${fw}x$fh on ${sw}x$sh"; failures=$((failures + 1))
fi
xdotool key Escape
finish "Esc"

start || exit 1
xdotool mousemove --window "$win" 395 63 click 1
finish "exit button"

start || exit 1
read -r fx fy fw fh <<<"$(frame)"
# The close box sits at the right end of the title bar.
xdotool mousemove $((fx + fw - 10)) $((fy + 10)) click 1
finish "close box"

start || exit 1
xdotool key alt+F4
finish "Alt+F4 (window manager's close request)"

echo "$((5 - failures)) passed, $failures failed"
[ "$failures" = 0 ]
