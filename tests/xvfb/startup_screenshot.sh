#!/usr/bin/env bash
# Starts the real program in a virtual X display, presses a key at the splash
# window and checks that the main window appears with its start-up caption;
# leaves a screenshot in <build>/screenshots/main-startup.png.
# Usage: startup_screenshot.sh <build dir>   (run it under xvfb-run)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
caption="Legend Of Mir : Quillmoor : v3 : [Untitled NPC]"
mkdir -p "$build/screenshots"
shot="$build/screenshots/main-startup.png"
rm -f "$shot"

QT_QPA_PLATFORM=xcb "$build/Quillmoor" &
app=$!
trap 'kill "$app" 2>/dev/null || true' EXIT

# Wait for the splash, then hand over with a character key.
for _ in $(seq 50); do
  xdotool search --onlyvisible --class Quillmoor >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --onlyvisible --name "$caption" >/dev/null 2>&1 && { echo "main window before the key"; exit 1; }
xdotool key a

win=""
for _ in $(seq 30); do
  win=$(xdotool search --onlyvisible --name "^$(printf '%s' "$caption" | sed 's/[][\.*^$]/\\&/g')\$" 2>/dev/null | head -1) && [ -n "$win" ] && break
  sleep 0.1
done
if [ -z "$win" ]; then
  echo "no window titled \"$caption\" within 3 s"
  exit 1
fi
sleep 0.5  # let the first paint finish
import -window "$win" "$shot"
echo "main window $win; screenshot $shot"
