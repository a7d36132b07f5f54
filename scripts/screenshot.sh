#!/usr/bin/env bash
# Takes a screenshot of the main window under a virtual X server: docs/main-window.png, or the
# file given. QT_SCALE_FACTOR is passed on, to look at the window at other scales.
# The program runs from a folder of its own, beside a settings file that names an executable, so
# that it opens straight into the main window and leaves the real settings alone.
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-docs/main-window.png}")

source scripts/screenshot-setup.sh

touch "$place/KX7_2000.EXE"
printf '[config]\r\nkx72000exe=%s\r\n' "$place/KX7_2000.EXE" >"$place/vantor2000.ini"

xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  set -euo pipefail
  "$1/vantor2000" &
  program=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Vantor - 2000$" | head -n 1)
  sleep 1 # let the first paint finish
  import -window "$window" "$2"
  kill "$program"
' screenshot "$place" "$output"
echo "Wrote $output"
