#!/usr/bin/env bash
# Pictures of the confirmation window as a Japanese user sees it: the 64-bit add-in
# under Wine's own desktop, Japanese locale, a CJK font standing in for the Windows
# fonts the window asks for. IPA P Gothic has the line height of "ＭＳ Ｐゴシック";
# Noto Sans CJK's taller lines would clip labels laid out for it.
# Writes docs/screenshots/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 -j 2 --target dialog_pictures win32_tests
build=$PWD/build/windows-x64
wine=/usr/lib/wine/wine64
export WINEPREFIX=$build/wineprefix-pictures WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

display=90
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
finish() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT
export DISPLAY=:$display
sleep 1

fonts='HKCU\Software\Wine\Fonts\Replacements'
"$wine" reg add "$fonts" /v 'ＭＳ Ｐゴシック' /t REG_SZ /d 'IPAPGothic' /f >/dev/null
"$wine" reg add "$fonts" /v 'Tahoma' /t REG_SZ /d 'IPAPGothic' /f >/dev/null
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Pictures /f >/dev/null
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Pictures /d 800x600 /f >/dev/null

(cd "$work" && "$wine" "$build/tests/win32/dialog_pictures.exe")
mkdir -p docs/screenshots
for picture in "$work"/*.bmp; do
  name=$(basename "$picture" .bmp)
  convert "$picture" -strip "docs/screenshots/$name.png"
  echo "docs/screenshots/$name.png"
done
