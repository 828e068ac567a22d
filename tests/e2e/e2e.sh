#!/usr/bin/env bash
# Runs the built program in a virtual X display, drives it only with real key
# presses and mouse clicks (xdotool), and judges it only by what a user sees or
# gets: window titles, the files it saves, screenshots.
#
#   e2e.sh <build dir> [screenshot dir]
#
# Must run inside an X display (the ctest entry wraps it in xvfb-run).
set -uo pipefail

build=$(cd "$1" && pwd)
shots=${2:-$build/screenshots}
mkdir -p "$shots"
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
# openbox and the program keep caches and settings in the home folder: give
# them one of their own, removed with $work.
export HOME=$work/home XDG_CACHE_HOME=$work/home/.cache XDG_CONFIG_HOME=$work/home/.config
passed=0 failed=0 runs=0 pid=""

pass() { passed=$((passed + 1)); echo "PASS: $1"; }
fail() { failed=$((failed + 1)); echo "FAIL: $1"; }
check() { if eval "$2"; then pass "$1"; else fail "$1"; fi; }

# A copy of the program with its language file and an empty Data folder, as
# an installed copy would stand, so that Settings.ini lands in $work.
install_app() {
  rm -rf "$work/app"
  mkdir -p "$work/app/Data"
  cp "$build/Quillmoor" "$build/NPC Script.ini" "$work/app/"
}

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# within <seconds> <command>...: runs the command until it succeeds; looks at
# least once, and until the time is up by the clock.
within() {
  local deadline=$(( $(now_ms) + $1 * 1000 )); shift
  until "$@"; do [ "$(now_ms)" -lt "$deadline" ] || return 1; sleep 0.1; done
}
found() {  # found <title pattern>: sets id to a mapped window with that title
  id=$(xdotool search --name "$1" 2>/dev/null | tail -n 1)
  [ -n "$id" ] && xdotool getwindowgeometry "$id" >/dev/null 2>&1
}
# wait_for_window <exact title> [seconds]: prints the window id.
wait_for_window() {
  local id
  within "${2:-10}" found "^$(printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g')\$" && echo "$id"
}
absent() { ! wait_for_window "$1" 0 >/dev/null; }
window_gone() { within "${2:-5}" absent "$1"; }
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# wait_for_focus <window id>: until the window manager has given it the keyboard.
wait_for_focus() { within 3 active "$1" && sleep 0.1; }
running() { kill -0 "$pid" 2>/dev/null; }

# start_app [NAME=VALUE]...: the program, with those variables set for it.
start_app() {
  install_app
  runs=$((runs + 1))
  env "$@" "$work/app/Quillmoor" >"$work/app-$runs.log" 2>&1 &
  pid=$!
}

stop_app() { if [ -n "$pid" ] && running; then kill "$pid"; wait "$pid" 2>/dev/null; fi; pid=""; }

shot() { import -window root "$shots/$1.png"; }

main_title="Legend Of Mir : Quillmoor : v3 : [Untitled NPC]"

# start_to_main [NAME=VALUE]...: starts the program and passes the splash
# with a key press.
start_to_main() {
  start_app "$@"
  local s
  s=$(wait_for_window "Quillmoor" 10) && wait_for_focus "$s"
  xdotool key a
  W=$(wait_for_window "$main_title" 10)
}

# click <x> <y>: a click at pixel (x, y) of the main window's client area.
click() { xdotool mousemove --window "$W" "$1" "$2" click 1; sleep 0.25; }
activate() { xdotool windowactivate --sync "$1" 2>/dev/null; sleep 0.2; }

# Positions on the main window (96 DPI, no window manager: the frame is the
# menu bar plus the client area).
menu_bar=$(( 445 - 427 ))
y_pickers=$(( menu_bar + 42 ))
x_combo2=60 x_cbonpc=260 x_combo1=500 x_editor=400
y_editor=$(( menu_bar + 200 ))

# pick <x> <row>: opens the main window's drop-down list at x and picks a row.
pick() {
  click "$1" "$y_pickers"
  xdotool key --delay 15 Home
  for _ in $(seq "$2"); do xdotool key --delay 5 Down; done
  xdotool key Return
  sleep 0.2
}

menu() {  # menu <alt letter> <key>...: opens a menu by its access key and walks it
  local letter=$1; shift
  xdotool key "alt+$letter"; sleep 0.3
  xdotool key --delay 60 "$@"; sleep 0.3
}

save_as() {  # save_as <path>: Ctrl+S on an untitled script opens the save dialog
  xdotool key ctrl+s
  local d
  d=$(wait_for_window "Enter filename for this script.." 5) || { shot save-as-missing; return 1; }
  wait_for_focus "$d"
  sleep 0.3
  xdotool type --delay 5 "$1"
  xdotool key Return
  window_gone "Enter filename for this script.." 5
}

# A window manager, as on a user's desktop: it places new windows, gives
# them the focus and closes them at Alt+F4.
openbox >/dev/null 2>&1 &
wm=$!
trap 'pkill -f "$work/app/Quillmoor" 2>/dev/null; kill $wm 2>/dev/null; rm -rf "$work"' EXIT
sleep 1

source "$here/scenarios.sh"

# In a sanitizer build the program reports memory errors and leaks on its
# standard error; none may appear.
check "the program reported no memory error" '! grep -qE "AddressSanitizer|LeakSanitizer|runtime error:" "$work"/app-*.log'
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
