#!/usr/bin/env bash
# Static checks of a built add-in DLL, for a bitness this machine cannot run:
# check-dll.sh DLL i686|x86_64
# PE machine, exactly the four COM server exports, imports from Windows' own DLLs
# only (no MinGW runtime), and the version resource with its description.
set -euo pipefail
dll=$1 triple=$2-w64-mingw32
objdump=$triple-objdump
fail() { echo "check-dll: $dll: $*" >&2; exit 1; }

case $2 in
  i686) format=pei-i386 ;;
  x86_64) format=pei-x86-64 ;;
  *) fail "unknown machine $2" ;;
esac
"$objdump" -f "$dll" | grep -q "file format $format" || fail "not a $format image"

exports=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '/^\t\[/ {print $3}' | sort | tr '\n' ' ')
[ "$exports" = "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ] ||
  fail "exports are '$exports'"

system_dlls=" advapi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll shell32.dll user32.dll comctl32.dll gdi32.dll imm32.dll "
imports=$("$objdump" -p "$dll" | awk '/DLL Name:/ {print tolower($3)}')
for i in $imports; do
  [[ $system_dlls == *" $i "* ]] || fail "imports $i, which Windows does not ship"
done

python3 - "$dll" <<'PY' || fail "version resource or its description missing"
import sys
data = open(sys.argv[1], 'rb').read()
for text in ("VS_VERSION_INFO", "FileDescription", "Outlookでメールの送信前に宛先を確認するダイアログを表示するアドイン"):
    if text.encode('utf-16-le') not in data:
        sys.exit(1)
PY
echo "check-dll: $dll: $format, 4 exports, imports" $imports", version resource present"
