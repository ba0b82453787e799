#!/usr/bin/env bash
# Installs what is missing, builds the program and the command-line tools
# the README names, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target orvo orvoc orvo-sim orvo-send orvo-gen -- -j"$(nproc)"
exec ./build/orvo "$@"
