#!/bin/sh
# Runs the Windows release benchmark under Wine against the native reference server, then the
# native release benchmark for comparison. Builds what is missing first.
set -eu
cd "$(dirname "$0")/../.."
./scripts/install-deps.sh
cmake --preset native >/dev/null && cmake --build --preset native -j "$(nproc)" >/dev/null
cmake --preset windows >/dev/null && cmake --build --preset windows -j "$(nproc)" >/dev/null

work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null || true; rm -rf "$work"' EXIT
build/native/tools/zarnrel serve --port 0 --store-dir "$work/store" >"$work/server.log" 2>&1 &
server=$!
for _ in $(seq 100); do
    grep -q 'Listening on' "$work/server.log" && break
    sleep 0.1
done
url=$(grep -o 'http://127\.0\.0\.1:[0-9]*' "$work/server.log" | head -n 1)

bench=build/windows/bench/win32/zarn_release_bench_win32.exe
echo "zarnRel.dll under Wine, 64 MB to the reference server:"
build/windows/wine-run.sh "$bench" "$url"
echo
echo "MSXML's request object alone, the same 64 MB from one SAFEARRAY:"
build/windows/wine-run.sh "$bench" --msxml "$url"
echo "Target: the release's peak below MSXML's alone plus the file plus 48 MB."
echo
echo "Native, 256 MB to a discarding server (zarn_release_bench):"
build/native/bench/zarn_release_bench
