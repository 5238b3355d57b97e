#!/usr/bin/env bash
# Installs the Debian packages the Linux build, the Windows cross build and their
# tests need, and the Japanese locale the Windows tests run under (idempotent).
set -euo pipefail

packages=(g++ clang libclang-rt-dev cmake ninja-build pkg-config
          libgtest-dev libgmock-dev googletest libbenchmark-dev
          libxml2-dev nlohmann-json3-dev libcli11-dev libgmime-3.0-dev
          g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64
          xvfb xauth imagemagick fonts-noto-cjk fonts-ipafont-gothic fonts-wine locales python3)

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
# Parallel runs wait for each other's dpkg lock instead of failing.
apt=("${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  "${apt[@]}" update -q
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -q --no-install-recommends "${missing[@]}"
fi

# Code page 932 under Wine needs a Japanese locale on the host.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "Generating the ja_JP.UTF-8 locale" >&2
  "${as_root[@]}" sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  "${as_root[@]}" locale-gen >/dev/null
fi
