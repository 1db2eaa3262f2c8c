#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest:
#   1. the native build and its tests;
#   2. the same tests under AddressSanitizer and UndefinedBehaviorSanitizer (skip with --fast);
#   3. the portable core cross-compiled with mingw-w64, for 64-bit and 32-bit Windows hosts.
set -euo pipefail
cd "$(dirname "$0")/.."

"./scripts/install-deps.sh"

jobs=$(nproc)
fast=0
[ "${1:-}" = "--fast" ] && fast=1

cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

if [ "$fast" -eq 0 ]; then
    cmake --preset sanitize >/dev/null
    cmake --build --preset sanitize -j "$jobs"
    ctest --preset sanitize -j "$jobs"
fi

for preset in mingw-core mingw-core-i686; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done
echo "Portable core cross-compiled with mingw-w64 (x86_64 and i686)."
