#!/usr/bin/env bash
# Builds the program folder (release) and starts the simulator (the README's run command).
# Without a display, set QT_QPA_PLATFORM=offscreen or run it under xvfb-run.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset release
cmake --build --preset release
exec ./build/release/Vessaro/Vessaro "$@"
