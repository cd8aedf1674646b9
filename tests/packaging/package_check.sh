#!/usr/bin/env bash
# Builds the Debian package of the build tree and reads it back (never installs
# it): its dependencies must be those dpkg-shlibdeps found for the programs (Qt
# and the C++ runtime), and it must carry the programs and the desktop files.
# usage: package_check.sh BUILD_DIR WORK_DIR VERSION
set -euo pipefail
build=$1 work=$2 version=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -20 "$work/cpack.log")"
debs=("$work"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb"
deb=${debs[0]}

info=$(dpkg-deb --info "$deb")
echo "$info"
depends=$(dpkg-deb --field "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libqt6printsupport6 libstdc\\+\\+6 libc6; do
    echo "$depends" | grep -Eq "(^|, )$library( |,|$)" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb --field "$deb" Package)" = veloquin ] || fail "the package is not called veloquin"
[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "the package's version is not $version"

contents=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/veloquin ./usr/bin/veloquin-cli ./usr/share/applications/veloquin.desktop \
    ./usr/share/mime/packages/veloquin.xml ./usr/share/icons/hicolor/scalable/apps/veloquin.svg \
    ./usr/share/veloquin/guide.ru.md; do
    echo "$contents" | grep -q " $path\$" || fail "the package lacks $path"
done
echo "package $deb checked"
