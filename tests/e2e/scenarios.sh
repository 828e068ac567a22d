# The scenarios of e2e.sh; sourced by it, sharing its helpers.

crlf=$'\r\n'

# 1. The splash comes first and gives way to the main window. (Which keys
# hand over and which do not, and the timer's five seconds, are the window
# test's: here a lost key would only leave the hand-over to the timer.)
scenario_splash() {
  start_app
  local s
  s=$(wait_for_window "Quillmoor" 10)
  check "splash is shown first" '[ -n "$s" ] && ! wait_for_window "$main_title" 0 >/dev/null'
  shot splash
  wait_for_focus "$s"
  xdotool key x
  check "the main window follows the splash" 'wait_for_window "$main_title" 60 >/dev/null'
  stop_app
}

# Clicks the template tree's "Weapon Merchant" node (the pane must show the tree).
click_weapon_merchant() {
  local row=13 top=$(( menu_bar + 56 ))
  # Expanding the first top-level node shows "Weapon Merchant" as the second row.
  xdotool mousemove --window "$W" 40 $(( top + row / 2 + 2 )) click --repeat 2 --delay 120 1
  sleep 0.4
  click 60 $(( top + row + row / 2 + 2 ))
}

# 2. A template, a catalogue pick and a built-in name, then Save As into a new
# file: the file holds exactly the expected script.
scenario_picks_and_save_as() {
  start_to_main
  pick "$x_combo2" 1                 # "--Templates--"
  click_weapon_merchant
  shot main-template
  pick "$x_cbonpc" 13                # "Check Gold"
  pick "$x_combo1" 21                # "@@guildwar"
  # The wheel over the pickers, once the editor has the focus, picks nothing.
  click "$x_editor" "$y_editor"
  for x in "$x_cbonpc" "$x_combo1"; do
    xdotool mousemove --window "$W" "$x" "$y_pickers" click --repeat 3 --delay 100 5
  done
  local out="$work/new script.txt"
  save_as "$out"
  { cat "$here/../data/catalogue/weapon_merchant.txt"; printf '\r\nCheckgold ammount\r\n@@guildwar'; } >"$work/expected.txt"
  check "Save As writes exactly the template and the two picks, not the wheel's rows" 'cmp -s "$out" "$work/expected.txt"'
  stop_app
}

# 3. A generator dialog walked with the keyboard alone adds its lines (the
# others' keys are the window test's).
scenario_dialogs() {
  start_to_main
  click "$x_editor" "$y_editor"
  xdotool key ctrl+End
  local d

  pick "$x_cbonpc" 37                # "Batch Editor"
  d=$(wait_for_window "Brannick : Batch Creator" 5) && wait_for_focus "$d"
  # Keys alone, round the tab order from "Insert Batch Script": Batch Move,
  # map box, Add Batch, Add Delay, delay box, list. The map comes pasted
  # with a second line, which the one-line box leaves out.
  printf 'D0\r\n[@evil]' | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
  local clip=$!
  tabs() { xdotool key --delay 60 $(printf 'Tab %.0s' $(seq "$1")); }
  tabs 5; xdotool type --delay 20 "5"             # delay box
  tabs 6; xdotool key Return                      # "Add Delay"
  tabs 5; xdotool key ctrl+v                      # map box
  tabs 1; xdotool key Return                      # "Add Batch"
  tabs 5; xdotool key Return                      # "Batch Move"
  kill "$clip" 2>/dev/null
  tabs 6; xdotool key Return                      # "Insert Batch Script"
  check "Tab walks the Batch Creator and Enter on Insert Batch Script closes it" \
    'window_gone "Brannick : Batch Creator" 3'

  activate "$W"
  local out="$work/dialogs.txt"
  save_as "$out"
  printf '%s' ";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3${crlf}[@main]" \
    "${crlf}${crlf}batchdelay 5${crlf}addbatch D0${crlf}batchmove" >"$work/expected-dialogs.txt"
  check "the dialog wrote exactly its lines into the script" 'cmp -s "$out" "$work/expected-dialogs.txt"'
  stop_app
}

# open_script <path>: Ctrl+O and the path typed into the open dialog.
open_script() {
  xdotool key ctrl+o
  local o
  o=$(wait_for_window "Select NPC File to open.." 5) && wait_for_focus "$o" && sleep 0.3
  xdotool type --delay 5 "$1"
  xdotool key Return
}

# 4. A Chinese user's GBK script ("你好，勇士") is read in GBK: a Chinese
# character typed at its end is saved as that character's GBK bytes. (Read
# as Windows-1252, the save would refuse the character.)
scenario_chinese_gbk() {
  local f="$work/gbk.txt"
  printf '[@main]\r\n#SAY\r\n\xc4\xe3\xba\xc3\xa3\xac\xd3\xc2\xca\xbf\r\n' >"$f"
  { cat "$f"; printf '\xd5\xbd'; } >"$work/expected-gbk.txt"   # "战"
  start_to_main LC_ALL= LC_CTYPE= LANG=zh_CN.UTF-8
  open_script "$f"
  wait_for_window "Legend Of Mir : Quillmoor : v3 : [$f]" 5 >/dev/null
  click "$x_editor" "$y_editor"
  xdotool key ctrl+End
  # 战 is on no key of the keyboard map. xdotool type would lend it a spare key
  # only for the moment of the press, and a busy program that reads the map
  # after it was given back types nothing; so a spare key holds it until the
  # script is saved, and is pressed once the map says so.
  local spare
  spare=$(xmodmap -pke | awk 'NF == 3 {k = $2} END {print k}')
  xmodmap -e "keycode $spare = U6218"
  within 3 eval 'xmodmap -pke | grep -q "^keycode *$spare = U6218"'
  xdotool key U6218
  sleep 0.3
  shot chinese-gbk
  xdotool key ctrl+s
  check "a Chinese character typed into a GBK script is saved in GBK" 'within 5 cmp -s "$f" "$work/expected-gbk.txt"'
  xmodmap -e "keycode $spare ="
  stop_app
}

# 5. The message box of New on a modified script: its close box keeps the
# script. The About window. (Esc in the box, the close question's answers,
# and that closing right after start-up asks nothing, are the window tests'.)
scenario_message_box_and_about() {
  start_to_main
  click "$x_editor" "$y_editor"
  xdotool type "x"
  xdotool key ctrl+n
  local m
  m=$(wait_for_window "Save NPC Script?" 3) && wait_for_focus "$m"
  check "New on a modified script asks in the program's own message box" '[ -n "$m" ]'
  shot message-box
  xdotool key alt+F4
  check "its close box stops New: the caption stays" \
    'window_gone "Save NPC Script?" 2 && wait_for_window "$main_title" 1 >/dev/null'
  activate "$W"
  save_as "$work/kept.txt"
  printf '%s' ";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3${crlf}[@main]x" >"$work/expected-kept.txt"
  check "the script typed before New survives" 'cmp -s "$work/kept.txt" "$work/expected-kept.txt"'
  menu h Return
  m=$(wait_for_window "About Quillmoor v3" 3)
  check "Help > About opens the About window" '[ -n "$m" ]'
  sleep 0.3
  xdotool key Return
  check "Enter closes the About window" 'window_gone "About Quillmoor v3" 2'
  stop_app
}

for s in ${E2E_SCENARIOS:-splash picks_and_save_as dialogs message_box_and_about chinese_gbk}; do
  echo "== $s"
  "scenario_$s"
done
