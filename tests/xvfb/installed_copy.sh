#!/usr/bin/env bash
# Installs the build into a temporary prefix, starts the installed copy through
# its launcher in bin/ under a window manager, hands over from the splash with
# a key, closes the main window with Alt+F4 and checks that Settings.ini landed
# in the installed Data folder: the program found its own folder through the
# link. Then builds the Debian package and checks what it holds.
# Usage: installed_copy.sh <build dir>   (run it under xvfb-run)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
caption="Legend Of Mir : Quillmoor : v3 : [Untitled NPC]"
work=$(mktemp -d)
app="" wm=""
trap 'kill $app $wm 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# within_10s <command>...: until the command succeeds, at most 100 tries 0.1 s apart.
within_10s() { for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done; return 1; }
visible() { id=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -1) && [ -n "$id" ]; }
gone() { ! kill -0 "$app" 2>/dev/null; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
program="$prefix/lib/quillmoor"
for f in "$program/Quillmoor" "$program/NPC Script.ini" "$prefix/share/applications/quillmoor.desktop" \
         "$prefix/share/icons/hicolor/32x32/apps/quillmoor.png" "$prefix/share/icons/hicolor/16x16/apps/quillmoor.png"; do
  [ -f "$f" ] || fail "not installed: $f"
done
[ -d "$program/Data" ] && [ -z "$(ls -A "$program/Data")" ] || fail "no empty Data folder beside the program"
[ -L "$prefix/bin/quillmoor" ] && [ "$(readlink -f "$prefix/bin/quillmoor")" = "$(readlink -f "$program/Quillmoor")" ] ||
  fail "bin/quillmoor does not lead to the program"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/quillmoor.desktop"
fi

openbox >/dev/null 2>&1 &
wm=$!
sleep 1
cd "$work"  # a folder that holds neither the language file nor Data
QT_QPA_PLATFORM=xcb "$prefix/bin/quillmoor" >"$work/app.log" 2>&1 &
app=$!
within_10s visible --class Quillmoor || fail "no splash window within 10 s"
xdotool key a
within_10s visible --name "^$(printf '%s' "$caption" | sed 's/[][\.*^$]/\\&/g')\$" ||
  fail "no window titled \"$caption\" within 10 s"
xdotool windowactivate --sync "$id" key alt+F4
within_10s gone || fail "the program still runs 10 s after Alt+F4"
wait "$app" || fail "the program exited with status $?: $(cat "$work/app.log")"
app=""
grep -q '^\[Window Metrics\]' "$program/Data/Settings.ini" 2>/dev/null ||
  fail "no Settings.ini in the installed Data folder"
echo "installed copy started from $prefix/bin/quillmoor, showed its windows and closed"

# The Debian package holds the same files under /usr.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1) ||
  fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls "$work"/package/quillmoor_*.deb)
dpkg-deb -c "$deb" >"$work/contents"
for f in ./usr/lib/quillmoor/Quillmoor "./usr/lib/quillmoor/NPC Script.ini" ./usr/lib/quillmoor/Data/ \
         "./usr/bin/quillmoor -> ../lib/quillmoor/Quillmoor" ./usr/share/applications/quillmoor.desktop \
         ./usr/share/icons/hicolor/32x32/apps/quillmoor.png; do
  grep -qF -- " $f" "$work/contents" || fail "the package lacks $f"
done
echo "package $(basename "$deb"): $(dpkg-deb -f "$deb" Depends)"
