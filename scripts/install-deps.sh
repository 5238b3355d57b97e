#!/usr/bin/env bash
# Installs the Debian packages the Linux build and its tests need (idempotent).
set -euo pipefail

packages=(g++ clang libclang-rt-dev cmake ninja-build pkg-config
          libgtest-dev libgmock-dev libbenchmark-dev
          libxml2-dev nlohmann-json3-dev libcli11-dev libgmime-3.0-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}" >&2
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
