#!/usr/bin/env bash
# Runs a cross-built Windows test program under Wine (CMake's emulator for the
# Windows presets): wine-run.sh WINE PREFIX PROBE PROGRAM [ARGS...]
# The prefix lives in the build folder. When PROBE, a tiny program of the same
# bitness, cannot start (this machine kind runs no 32-bit code), the test is
# skipped with exit code 77 instead of failing.
set -uo pipefail
wine=$1 prefix=$2 probe=$3
shift 3
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The debug log is written in the ANSI code page of a Japanese Windows (932).
if locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; fi
if ! "$wine" "$probe" 2>/dev/null | grep -q '^sendwarden: started'; then
  echo "SKIPPED: $(basename "$probe") cannot start under $wine on this machine" \
       "(32-bit code does not run here); $(basename "$1") not run." >&2
  exit 77
fi
# Windows open inside Wine's own desktop: without a window manager Wine waits about
# two seconds each time a window closes.
if [ ! -f "$prefix/.sendwarden-desktop" ]; then
  "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Sendwarden /f >/dev/null 2>&1 &&
    "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Sendwarden /d 1280x1024 /f >/dev/null 2>&1 &&
    touch "$prefix/.sendwarden-desktop"
fi
"$wine" "$@"
