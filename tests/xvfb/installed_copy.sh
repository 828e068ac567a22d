#!/usr/bin/env bash
# Installs the build into a temporary prefix, starts the installed copy through
# its launcher in bin/ under a window manager, hands over from the splash with
# a key, closes the main window with Alt+F4 and checks that Settings.ini landed
# in the installed Data folder: the program found its own folder through the
# link. Then builds the Debian package, checks what it holds and that lintian
# finds nothing to complain of but a maintainer address left at its default.
# Usage: installed_copy.sh <build dir>   (run it under xvfb-run)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
caption="Legend Of Mir : Quillmoor : v3 : [Untitled NPC]"
work=$(mktemp -d)
app="" wm=""
trap 'kill $app $wm 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# openbox keeps a cache in the home folder: give it one of its own.
export HOME=$work/home XDG_CACHE_HOME=$work/home/.cache XDG_CONFIG_HOME=$work/home/.config
# within_10s <command>...: until the command succeeds, at most 100 tries 0.1 s apart.
within_10s() { for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done; return 1; }
visible() { id=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -1) && [ -n "$id" ]; }
gone() { ! kill -0 "$app" 2>/dev/null; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
program="$prefix/lib/quillmoor"
icons=()
for size in 16 32 48 64 128 256; do icons+=("share/icons/hicolor/${size}x$size/apps/quillmoor.png"); done
for f in lib/quillmoor/Quillmoor "lib/quillmoor/NPC Script.ini" share/applications/quillmoor.desktop \
         share/man/man1/quillmoor.1.gz "${icons[@]}"; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
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

# The Debian package holds the same files under /usr, but no Data folder: a
# packaged program must write nothing there, and leave nothing when removed.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1) ||
  fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls "$work"/package/quillmoor_*.deb)
dpkg-deb -c "$deb" >"$work/contents"
for f in ./usr/lib/quillmoor/Quillmoor "./usr/lib/quillmoor/NPC Script.ini" \
         "./usr/bin/quillmoor -> ../lib/quillmoor/Quillmoor" ./usr/share/applications/quillmoor.desktop \
         ./usr/share/doc/quillmoor/copyright ./usr/share/doc/quillmoor/changelog.Debian.gz \
         "${icons[@]/#/./usr/}" ./usr/share/man/man1/quillmoor.1.gz; do
  grep -qF -- " $f" "$work/contents" || fail "the package lacks $f"
done
! grep -F " ./usr/lib/quillmoor/Data" "$work/contents" || fail "the package holds a Data folder"
lintian --fail-on none -I "$deb" >"$work/lintian.log" 2>&1 || fail "lintian did not run: $(cat "$work/lintian.log")"
# Errors and warnings, and any missing hardening flag, but for the default
# maintainer address, which the packager sets, and fortify in the sanitizer
# build, which goes without it.
allowed='^E: quillmoor: bogus-mail-host(-in-debian-changelog)? (Maintainer )?quillmoor@invalid( |$)'
grep -qx 'QUILL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" && allowed+='|hardening-no-fortify-functions'
complaints=$(grep -E '^(E|W): |^I: .*hardening' "$work/lintian.log" | grep -vE "$allowed" || true)
[ -z "$complaints" ] || fail "lintian: $complaints"
echo "package $(basename "$deb"): $(dpkg-deb -f "$deb" Depends)"
