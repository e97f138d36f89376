#!/usr/bin/env bash
# Builds everything and runs every test (the README's test command; .ci/run calls it).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev
ctest --preset dev
