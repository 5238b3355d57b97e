#!/usr/bin/env bash
# The main job on the shipped configuration: build, then run the command-line host.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target sendwarden-sim
build/linux/sendwarden-sim config show
