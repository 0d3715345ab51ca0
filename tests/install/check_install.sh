#!/usr/bin/env bash
# Installs the build into a temporary root (cmake --install) and checks it as a
# user would meet it: the files in their freedesktop places, the desktop entry
# and metainfo validated, the man page complete, the installed program run from
# a folder with no data beside it (so that it seeds its per-user folder), and,
# when an X server can be started, the window's icon.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR
set -u
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
. "$(dirname "$0")/checks.sh"

root="$tmp/root"
usr="$root/usr"
cmake --install "$build" --prefix "$usr" >/dev/null || { echo "FAILED: cmake --install"; echo "0 passed, 1 failed"; exit 1; }
varnel="$usr/bin/varnel"
share="$usr/share"

# --- Files in their places -------------------------------------------------
check "executable" test -x "$varnel"
check "the desktop program among the helper programs" test -x "$usr/libexec/varnel/varnel-gui"
check "its printing and exports module beside it" test -f "$usr/libexec/varnel/varnel-extras.so"
check "the window loads no printing, network, key-store or iCalendar library" \
  bash -c '! ldd "$1" | grep -Eq "libQt6PrintSupport|libQt6Network|libqt6keychain|libical"' _ "$usr/libexec/varnel/varnel-gui"
same_tree() {  # every file under $1 is in $2 with the same bytes
  (cd "$1" && find . -type f) | while read -r f; do cmp -s "$1/$f" "$2/$f" || { echo "differs or missing: $f"; exit 1; }; done
}
check "every shipped data file installed, sub-folders included" same_tree "$source/data" "$share/varnel"
check "desktop entry" test -f "$share/applications/varnel.desktop"
check "metainfo named after its id" test -f "$share/metainfo/org.varnel.Varnel.metainfo.xml"
check "scalable icon" test -f "$share/icons/hicolor/scalable/apps/varnel.svg"
png_sizes_match() {  # each hicolor PNG is as large as its folder says
  python3 - "$share/icons/hicolor" <<'EOF'
import pathlib, struct, sys
found = 0
for png in sorted(pathlib.Path(sys.argv[1]).glob("*x*/apps/varnel.png")):
    w, h = struct.unpack(">II", png.read_bytes()[16:24])
    assert png.parts[-3] == f"{w}x{h}", (png, w, h)
    found += 1
assert found == 8, found
EOF
}
check "PNG icons 16 to 256, each its folder's size" png_sizes_match

# --- Validators -------------------------------------------------------------
if command -v desktop-file-validate >/dev/null; then
  check "desktop-file-validate" desktop-file-validate "$share/applications/varnel.desktop"
else echo "SKIPPED: desktop-file-validate not installed"; fi
if command -v appstreamcli >/dev/null; then
  check "appstreamcli validate" appstreamcli validate --no-net "$share/metainfo/org.varnel.Varnel.metainfo.xml"
  check "appstreamcli validate-tree (metainfo, desktop entry and icon together)" appstreamcli validate-tree --no-net "$root"
else echo "SKIPPED: appstreamcli not installed"; fi

# --- Man page: every command and option of --help, and the added sections ----
man_is_complete() {
  local page="$tmp/varnel.1"
  gzip -dc "$share/man/man1/varnel.1.gz" >"$page" || return 1
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS '"EXIT STATUS"' FILES ENVIRONMENT; do
    grep -q "^\.SH $section" "$page" || { echo "no section $section"; return 1; }
  done
  "$varnel" --help | awk '/^Commands:/ {c=1; next} /^$/ {c=0} c && /^  [a-z]/ {print $1}' >"$tmp/commands"
  [ -s "$tmp/commands" ] || { echo "no commands in --help"; return 1; }
  "$varnel" --help | grep -o -- '--[a-z-]*' | sort -u >"$tmp/options"
  sed 's/\\-/-/g; s/\\f[BIRP]//g' "$page" >"$tmp/plain"
  while read -r word; do
    grep -qw -- "$word" "$tmp/plain" || { echo "man page lacks $word"; return 1; }
  done < <(cat "$tmp/commands" "$tmp/options")
  # Each command heads an item of its own, not run into its neighbour's text.
  while read -r command; do
    grep -A1 '^\.TP' "$tmp/plain" | grep -qE "^$command( |$)" || { echo "no item for $command"; return 1; }
  done <"$tmp/commands"
}
check "man page lists every command and option, exit codes, files, environment" man_is_complete

# --- The installed program, from a folder with no data beside it --------------
home="$tmp/home"
# Seeding copies sub-folders too (the pictures): one more file in one, whatever ships.
mkdir -p "$share/varnel/Images" && echo "seeded" >"$share/varnel/Images/seeding-check.txt"
userdata="$home/.local/share/Varnel"
mkdir -p "$home" "$tmp/empty"
run() {  # a program as a user with a fresh home, from an empty folder; output in $tmp/out
  (cd "$tmp/empty" && env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u QT_QPA_PLATFORM -u DISPLAY \
     HOME="$home" "$@" >"$tmp/out")
}
same_as_build_tree() {  # the installed program prints what the build tree prints
  run "$build/varnel" "$@" && mv "$tmp/out" "$tmp/expected" && run "$varnel" "$@" && cmp "$tmp/expected" "$tmp/out"
}
check "installed holydays 2026 --json, as the build tree" same_as_build_tree holydays 2026 --json
check "holy days were read (Yom Kippur on 2026-09-21)" grep -q '"name":"Yom Kippur"[^}]*"date":"2026-09-21"' "$tmp/out"
check "installed month 2026-12, as the build tree" same_as_build_tree month 2026-12
check "per-user folder seeded with every shipped file" same_tree "$share/varnel" "$userdata"
installed_prints() {  # handed to the desktop program in libexec, which finds the same data
  run "$varnel" print day 2026-12-05 --output "$tmp/day.pdf" && head -c 5 "$tmp/day.pdf" | grep -q '%PDF-'
}
check "installed print (by the desktop program), as a PDF" installed_prints

# A user's own edit is never overwritten; a deleted file comes back.
edit_is_kept() {
  sed -i 's/^name=Yom Kippur$/name=Yom Kippur (my copy)/' "$userdata/holydays.dat"
  grep -q 'my copy' "$userdata/holydays.dat" || { echo "sed found no Yom Kippur line"; return 1; }
  cp "$userdata/holydays.dat" "$tmp/edited"
  rm "$userdata/parashot.dat"
  run "$varnel" holydays 2026 --json || return 1
  grep -q 'Yom Kippur (my copy)' "$tmp/out" && cmp -s "$tmp/edited" "$userdata/holydays.dat" &&
    cmp -s "$share/varnel/parashot.dat" "$userdata/parashot.dat"
}
check "a user's edited file is kept, a deleted one seeded again" edit_is_kept
check "no half-copied files left behind" test -z "$(find "$userdata" -name '*.seeding')"

# A home whose data folder cannot be made still shows the installed calendar.
unwritable_home() {
  run "$build/varnel" holydays 2026 --json && mv "$tmp/out" "$tmp/expected" &&
    run env XDG_DATA_HOME=/proc/varnel-none "$varnel" holydays 2026 --json && cmp "$tmp/expected" "$tmp/out"
}
check "unwritable data home: reads the installed files" unwritable_home

# A moved prefix finds its own data beside bin/.
moved_prefix() {
  mv "$usr" "$root/moved" && rm -rf "$userdata" &&
    run "$root/moved/bin/varnel" holydays 2026 --json && grep -q '"name":"Yom Kippur"' "$tmp/out"
  local status=$?
  mv "$root/moved" "$usr"
  return $status
}
check "a moved prefix still seeds from its own share/varnel" moved_prefix

# --- The window and its icon, under a virtual X server -------------------------
window_has_icon() {
  # A display number of its own, so that parallel tests do not race for the first free one.
  xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x1024x24" bash -c '
    env -u QT_QPA_PLATFORM HOME="$1" "$2" & pid=$!
    for _ in $(seq 1 100); do
      id=$(xwininfo -root -tree | awk "/\(\"varnel\" \"Varnel\"\)/ {print \$1; exit}")
      [ -n "$id" ] && xprop -len 1000000 -id "$id" _NET_WM_ICON | grep -q "Icon (256 x 256)" && break
      id=""; sleep 0.2
    done
    [ -n "$id" ] && xprop -len 1000000 -id "$id" WM_CLASS _NET_WM_ICON | grep -oE "WM_CLASS.*|Icon \([0-9]+ x [0-9]+\)" | sort -uV
    kill "$pid"; wait "$pid" 2>/dev/null
    [ -n "$id" ]' _ "$home" "$varnel"
}
if command -v xvfb-run >/dev/null && command -v xprop >/dev/null && command -v xwininfo >/dev/null; then
  check "the window carries the application icon (16 to 256)" window_has_icon
  grep -E "WM_CLASS|Icon" "$tmp/log" | tr -s ' \t' ' ' | paste -sd ';' -
else echo "SKIPPED: xvfb-run, xprop or xwininfo not installed"; fi

finish install
