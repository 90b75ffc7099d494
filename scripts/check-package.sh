#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a scratch root and checks
# what an exam machine gets: every file in its place, valid desktop entries and metadata,
# and an olvtool that runs from the package on the installed sample exam.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)

rm -f "$build"/olvane_*.deb
cmake --build "$build" > /dev/null
(cd "$build" && cpack -G DEB > cpack.log) || { cat "$build/cpack.log"; exit 1; }
deb=$(ls "$build"/olvane_*.deb)

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

expected=(
    usr/bin/Olvane usr/bin/Olvadmin usr/bin/olvtool usr/bin/olvane-launch
    usr/share/applications/org.olvane.Olvane.desktop usr/share/applications/org.olvane.Olvadmin.desktop
    usr/share/metainfo/org.olvane.Olvane.metainfo.xml usr/share/metainfo/org.olvane.Olvadmin.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/org.olvane.Olvane.svg
    usr/share/icons/hicolor/scalable/apps/org.olvane.Olvadmin.svg
    usr/share/olvane/sample/olvane.dat usr/share/olvane/sample/WordE97.kst usr/share/olvane/sample/cj.kcj
    usr/share/man/man1/olvtool.1 usr/share/doc/olvane/README.md usr/share/doc/olvane/ExaminersGuide.md
    etc/olvane/exam-folder
    usr/bin/olvane-kiosk usr/share/wayland-sessions/olvane-kiosk.desktop
)
missing=0
for file in "${expected[@]}"; do
    if [ ! -e "$root/$file" ]; then
        echo "missing from the package: /$file"
        missing=1
    fi
done
[ "$missing" -eq 0 ]

dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || { echo "Qt is not among the dependencies"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q 'fonts-wqy-microhei' || { echo "the CJK font is not a dependency"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q 'qt6-translations-l10n' || { echo "Qt's translations are not a dependency"; exit 1; }

dpkg-deb -f "$deb" Recommends | grep -q 'cage' || { echo "the kiosk compositor is not recommended"; exit 1; }

desktop-file-validate "$root"/usr/share/applications/*.desktop
desktop-file-validate "$root"/usr/share/wayland-sessions/olvane-kiosk.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml > /dev/null
man --warnings -l "$root/usr/share/man/man1/olvtool.1" > /dev/null 2> "$build/man-warnings.log" || true
if [ -s "$build/man-warnings.log" ]; then
    cat "$build/man-warnings.log"
    exit 1
fi

"$root/usr/bin/olvtool" --help > /dev/null
exam=$root/exam
cp -r "$root/usr/share/olvane/sample" "$exam"
(cd "$exam" && "$root/usr/bin/olvtool" paper olvane.dat 20260001 1765000000 > paper.txt)
grep -q '^answers:' "$exam/paper.txt"

echo "package check passed: $(basename "$deb") ($(du -h "$deb" | cut -f1))"
