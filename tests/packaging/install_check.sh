#!/usr/bin/env bash
# Installs the build tree into a scratch DESTDIR, as a package manager would,
# and checks that a desktop finds what it needs there: both programs, a valid
# desktop entry for tank files, a MIME type the MIME database accepts and that
# maps *.vlq to it, the icon in its sizes and the user's guide.
# usage: install_check.sh BUILD_DIR WORK_DIR VERSION
set -euo pipefail
build=$1 work=$2 version=$3
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
DESTDIR="$work/root" cmake --install "$build" --prefix /usr >"$work/install.log"
usr=$work/root/usr

for program in veloquin veloquin-cli; do
    [ -x "$usr/bin/$program" ] || fail "bin/$program is not installed"
done
# Nothing but the two programs goes to bin/ (no tests, no build tools).
[ "$(ls "$usr/bin" | wc -l)" -eq 2 ] || fail "bin/ holds more than the two programs: $(ls "$usr/bin" | tr '\n' ' ')"
[ "$("$usr/bin/veloquin-cli" --version)" = "veloquin-cli $version" ] || fail "veloquin-cli --version does not say $version"

entry=$usr/share/applications/veloquin.desktop
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "desktop-file-validate refuses the entry"
grep -qx 'MimeType=application/x-veloquin-tank;' "$entry" || fail "the entry does not take tank files"
grep -qx 'Exec=veloquin %f' "$entry" || fail "the entry does not hand the file to the program"
grep -q '^Name\[ru\]=' "$entry" && grep -q '^GenericName\[ru\]=' "$entry" && grep -q '^GenericName=' "$entry" ||
    fail "the entry lacks its Russian or English names"
grep -qx 'Categories=Office;Science;' "$entry" || fail "the entry is not in Office and Science"

mime=$usr/share/mime/packages/veloquin.xml
[ -f "$mime" ] || fail "no MIME type"
xmllint --noout --relaxng "$here/mime-info.rng" "$mime" || fail "the MIME type file is not valid"
# The MIME database compiler is what a desktop runs on it: it must take the
# file and map the extension to the type.
update-mime-database "$usr/share/mime" >"$work/mime.log" 2>&1 || fail "update-mime-database refuses it: $(cat "$work/mime.log")"
grep -q '^50:application/x-veloquin-tank:\*\.vlq$' "$usr/share/mime/globs2" || fail "*.vlq is not mapped to the type"

icons=$usr/share/icons/hicolor
xmllint --noout "$icons/scalable/apps/veloquin.svg" || fail "the scalable icon is not well-formed"
[ -f "$icons/scalable/mimetypes/application-x-veloquin-tank.svg" ] || fail "no icon for tank files"
for size in 16 32 48 256; do
    png=$icons/${size}x${size}/apps/veloquin.png
    [ -f "$png" ] || fail "no ${size} px icon"
    file "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not a $size px PNG"
done

guide=$usr/share/veloquin/guide.ru.md
[ -s "$guide" ] || fail "the user's guide is not installed"
grep -q '^# ' "$guide" || fail "the guide has no title"
echo "installed tree checked in $work/root"
