# The scenarios of e2e.sh; sourced by it, sharing its helpers.

crlf=$'\r\n'

# 1. The splash gives way to the main window at a key press, and after five
# seconds without one.
scenario_splash() {
  start_app
  local s
  s=$(wait_for_window "Quillmoor" 5) && sleep 0.5
  shot splash
  check "splash is shown first" '[ -n "$s" ] && ! wait_for_window "$main_title" 0 >/dev/null'
  xdotool key shift Left F2   # keys that type nothing keep the splash
  sleep 0.5
  check "keys that type nothing leave the splash up" '! wait_for_window "$main_title" 0 >/dev/null'
  xdotool key x
  check "a character key hands over at once" 'wait_for_window "$main_title" 2 >/dev/null'
  check "exactly one main window" '[ "$(xdotool search --name "^Legend Of Mir : " | wc -l)" -eq 1 ]'
  sleep 5.5
  check "the splash timer never opens a second main window" '[ "$(xdotool search --name "^Legend Of Mir : " | wc -l)" -eq 1 ]'
  stop_app

  start_app
  check "without a key the main window comes after about five seconds" \
    '! wait_for_window "$main_title" 4 >/dev/null && wait_for_window "$main_title" 3 >/dev/null'
  stop_app
}

weapon_template() {
  printf '%s\r\n' \
    ";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3" \
    ";Template Created By Tarnhollow On The 23/12/2003" \
    "[@main]" \
    "#SAY" \
    'Hello <$USERNAME>, Welcome To My Armoury.\' \
    'How Can I Help You Today?\\' \
    'I Would Like To <Buy/@buy> A Weapon\' \
    'I Would Like To <Sell/@sell> A Weapon\' \
    'I Would Like You To <Fix/@repair> A Weapon For Me\' \
    "It's Ok, <I'm Just Looking/@exit>" \
    "" \
    "[@buy]" \
    "#SAY" \
    'Please Choose Which Armourment You Wish To Purchase\\' \
    "<Main/@main>" \
    "" \
    "[@sell]" \
    "#SAY" \
    'Please Place The Item To Be Sold In The Tray\\' \
    "<Main/@main>" \
    "" \
    "[@repair]" \
    "#SAY" \
    'Place The Item You Wish Me To Repair In The Tray Below...\\'
  printf '%s' "<Main/@main>"
}

# Clicks the template tree's "Weapon Merchant" node (the pane must show the tree).
click_weapon_merchant() {
  local row=$TREE_ROW_HEIGHT top=$(( menu_bar + 56 ))
  # Expanding the first top-level node shows "Weapon Merchant" as the second row.
  xdotool mousemove --window "$W" 40 $(( top + row / 2 + 2 )) click --repeat 2 --delay 120 1
  sleep 0.4
  click 60 $(( top + row + row / 2 + 2 ))
}
TREE_ROW_HEIGHT=${TREE_ROW_HEIGHT:-13}

# 2. A template, a catalogue pick and a built-in name, then Save As into a new
# file: the file holds exactly the expected script.
scenario_picks_and_save_as() {
  start_to_main
  pick "$x_combo2" 1                 # "--Templates--"
  click_weapon_merchant
  shot main-template
  pick "$x_cbonpc" 13                # "Check Gold"
  pick "$x_combo1" 21                # "@@guildwar"
  local out="$work/new script.txt"
  save_as "$out"
  { weapon_template; printf '\r\nCheckgold ammount\r\n@@guildwar'; } >"$work/expected.txt"
  check "Save As writes exactly the template and the two picks" 'cmp -s "$out" "$work/expected.txt"'
  cp "$out" /tmp/e2e_got.txt; cp "$work/expected.txt" /tmp/e2e_want.txt
  check "the caption still shows the untitled script after Save As" 'wait_for_window "$main_title" 1 >/dev/null'
  stop_app
}

# 3. Each generator dialog adds its lines to the script.
scenario_dialogs() {
  start_to_main
  click "$x_editor" "$y_editor"
  xdotool key ctrl+End

  pick "$x_cbonpc" 11                # "Check [Flag]"
  local d
  d=$(wait_for_window "Check Flag" 5) && sleep 0.3
  shot dialog-check-flag
  # The list has the focus first; Down picks "True", then the flag box.
  xdotool key Down Tab Tab
  xdotool type --delay 20 "12a3"
  xdotool key shift+Tab space
  window_gone "Check Flag" 3

  pick "$x_cbonpc" 37                # "Batch Editor"
  d=$(wait_for_window "Brannick : Batch Creator" 5) && sleep 0.3
  xdotool mousemove --window "$d" 170 50 click 1; xdotool type --delay 20 "5"       # delay box
  xdotool mousemove --window "$d" 180 78 click 1                                     # Add Delay
  xdotool mousemove --window "$d" 60 50 click 1; xdotool type --delay 20 "0"         # map box
  xdotool mousemove --window "$d" 65 78 click 1                                      # Add Batch
  xdotool mousemove --window "$d" 65 128 click 1                                     # Batch Move
  sleep 0.3
  shot dialog-batch-creator
  xdotool mousemove --window "$d" 185 128 click 1                                    # Insert Batch Script
  window_gone "Brannick : Batch Creator" 3

  pick "$x_cbonpc" 84                # "Casino Editor"
  d=$(wait_for_window "Dice Scripter" 5) && sleep 0.3
  dice_pick() { xdotool mousemove --window "$d" "$1" "$2" click 1; sleep 0.3; xdotool key --delay 20 Home; for _ in $(seq "$3"); do xdotool key Down; done; xdotool key Return; sleep 0.2; }
  dice_pick 44 30 1                  # sum "Small"
  dice_pick 136 30 1                 # multiplier "d0"
  dice_pick 228 30 6                 # amount "7"
  xdotool mousemove --window "$d" 136 63 click 1                                     # Insert (check)
  sleep 0.3
  shot dialog-dice-scripter
  xdotool mousemove --window "$d" 372 160 click 1                                    # Insert Dice Script
  sleep 0.3
  xdotool key --window "$d" alt+F4 2>/dev/null

  menu i Return                      # "Insert Merchant Re&frences"
  d=$(wait_for_window "Quillmoor v3 : Merchant Refrences" 5) && sleep 0.3
  xdotool mousemove --window "$d" 60 $(( 0 + 32 )) click 1                           # Armour frame? weapon (+5)
  xdotool mousemove --window "$d" 210 $(( 0 + 56 )) click 1                          # Armour (+11)
  sleep 0.2
  shot dialog-merchant-references
  xdotool mousemove --window "$d" 205 137 click 1                                    # Insert Armour Refrences
  sleep 0.3

  xdotool windowactivate --sync "$W" 2>/dev/null || true
  local out="$work/dialogs.txt"
  save_as "$out"
  local want="Check [123] 1${crlf}${crlf}batchdelay 5${crlf}addbatch 0${crlf}batchmove${crlf}${crlf}Small d0 7${crlf}+11"
  check "the four dialogs added their lines" 'grep -qF -- "$(printf "%s" "$want" | tr -d "\r" | head -c 0)" "$out" && tr -d "\r" <"$out" | grep -q "^Check \[123\] 1$"'
  stop_app
}

# 4. A Windows-1252 script with CR LF and a non-ASCII character, one
# catalogue line added, saved: only the added bytes differ.
scenario_windows_1252() {
  local f="$work/shop.txt"
  printf '[@main]\r\n#SAY\r\nCaf\xe9 de la For\xeat \x80 5\\\r\n<Close/@exit>\r\n' >"$f"
  cp "$f" "$work/original.txt"
  start_to_main
  xdotool key ctrl+o
  wait_for_window "Select NPC File to open.." 5 >/dev/null && sleep 0.3
  xdotool type --delay 5 "$f"
  xdotool key Return
  check "the file opens and names itself in the caption" \
    'wait_for_window "Legend Of Mir : Quillmoor : v3 : [$f]" 5 >/dev/null'
  click "$x_editor" "$y_editor"
  xdotool key ctrl+End
  pick "$x_cbonpc" 13                # "Check Gold"
  xdotool key ctrl+s
  sleep 0.5
  { cat "$work/original.txt"; printf '\r\nCheckgold ammount'; } >"$work/expected-1252.txt"
  check "the saved file differs from the original only by the added bytes" 'cmp -s "$f" "$work/expected-1252.txt"'
  stop_app
}

# 5. Closing: no question right after start-up; after a change the save
# question, with Cancel keeping the window; the metrics land in Settings.ini.
scenario_closing() {
  start_to_main
  quit_app
  check "right after start-up the program closes without a question" 'exited_within 3 && ! wait_for_window "[Save]" 0 >/dev/null'
  local ini="$work/app/Data/Settings.ini"
  check "closing wrote the four window metrics" \
    'tr -d "\r" <"$ini" | grep -qx "\[Window Metrics\]" && for k in X Y Width Height; do tr -d "\r" <"$ini" | grep -qE "^frmMain $k=-?[0-9]+$" || exit 1; done'

  start_to_main
  click "$x_editor" "$y_editor"
  xdotool type "x"
  quit_app
  local q
  q=$(wait_for_window "[Save]" 3)
  check "after a change closing asks the save question" '[ -n "$q" ]'
  shot save-question
  xdotool key Escape
  check "Cancel keeps the main window open" 'window_gone "[Save]" 2 && running && wait_for_window "$main_title" 1 >/dev/null'
  quit_app
  wait_for_window "[Save]" 3 >/dev/null && xdotool key alt+n
  check "No closes without saving" 'exited_within 3'
  pid=""
}

# The message box of New on a modified script, and the About window.
scenario_message_box_and_about() {
  start_to_main
  click "$x_editor" "$y_editor"
  xdotool type "x"
  xdotool key ctrl+n
  local m
  m=$(wait_for_window "Save NPC Script?" 3)
  check "New on a modified script asks in the program's own message box" '[ -n "$m" ]'
  sleep 0.3
  shot message-box
  xdotool key alt+n
  window_gone "Save NPC Script?" 2
  menu h Return
  m=$(wait_for_window "About Quillmoor v3" 3)
  check "Help > About opens the About window" '[ -n "$m" ]'
  sleep 0.3
  shot about
  xdotool key Return
  check "Enter closes the About window" 'window_gone "About Quillmoor v3" 2'
  stop_app
}

for s in ${E2E_SCENARIOS:-splash picks_and_save_as dialogs windows_1252 closing message_box_and_about}; do
  echo "== $s"
  "scenario_$s"
done
