#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest:
#   1. the native build and its tests;
#   2. the same tests under AddressSanitizer and UndefinedBehaviorSanitizer (skip with --fast);
#   3. the Windows build with mingw-w64: zarnRel.dll, zarnrel.exe and the Windows tests, run
#      under Wine; the 32-bit build, which cannot run here, compiled and linked; both checked to
#      import nothing but system DLLs;
#   4. every libFuzzer target for 15 seconds on its seed corpus (skip with --fast too);
#      scripts/fuzz.sh runs them at length.
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

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
ctest --preset windows -j "$jobs"

cmake --preset windows-i686 >/dev/null
cmake --build --preset windows-i686 -j "$jobs"

mapfile -t windows_binaries < <(find build/windows/module build/windows-i686/module \
    build/windows/tools build/windows-i686/tools -maxdepth 1 \( -name '*.dll' -o -name '*.exe' \) \
    2>/dev/null)
./scripts/check-imports.sh "${windows_binaries[@]}"
echo "Windows build tested under Wine; x86_64 and i686 binaries import only system DLLs."

if [ "$fast" -eq 0 ]; then
    ZARN_FUZZ_SEED=1 ./scripts/fuzz.sh 15
fi
