#!/usr/bin/env bash
# Takes the screenshots of the magic data editor under a virtual X server: the editor comparing a
# track with the stock data of its game track (docs/magic-editor.png) and its bump table chart
# (docs/bump-chart.png); or both into the folder given. QT_SCALE_FACTOR is passed on.
# The program runs from a folder of its own, beside demo files written for the purpose, and is
# started with the track as its one argument, as a file manager's "Open with" does.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=$(realpath -m "${1:-docs}")

source scripts/screenshot-setup.sh

build/bin/write_demo_files "$place"

mkdir -p "$folder"
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  set -euo pipefail
  "$1/vantor2000" "$1/monza.dat" &
  program=$!
  editor=$(timeout 20 xdotool search --sync --onlyvisible --name "^Magic data - monza.dat$" | head -n 1)
  xdotool windowfocus --sync "$editor"
  # Compare with the stock data of track 5: the track number is asked in a box of its own.
  xdotool key ctrl+shift+k
  box=$(timeout 20 xdotool search --sync --onlyvisible --name "^Compare with stock data$" | head -n 1)
  xdotool windowfocus --sync "$box"
  xdotool key ctrl+a
  xdotool type 5
  xdotool key Return
  sleep 1 # let the comparison paint
  import -window "$editor" "$2/magic-editor.png"
  # The bump table with its chart: the right-hand side, above the findings.
  read -r width height < <(identify -format "%w %h\n" "$2/magic-editor.png")
  convert "$2/magic-editor.png" -crop "$((width * 41 / 100))x$((height * 72 / 100))+$((width * 59 / 100))+$((height * 5 / 100))" \
    +repage "$2/bump-chart.png"
  kill "$program"
' screenshot "$place" "$folder"
echo "Wrote $folder/magic-editor.png and $folder/bump-chart.png"
