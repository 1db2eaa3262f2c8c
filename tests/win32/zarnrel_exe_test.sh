#!/bin/sh
# zarnrel.exe under Wine against the native reference server on loopback: the catalogue and a
# release go through MSXML's request object exactly as the DLL sends them.
# Usage: zarnrel_exe_test.sh WINE-RUN ZARNREL.EXE NATIVE-ZARNREL EXAMPLES WORK-FOLDER
set -eu
wine_run=$1 exe=$2 native=$3 examples=$4 work=$5

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work/store"
"$native" serve --port 0 --store-dir "$work/store" >"$work/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    grep -q 'Listening on' "$work/server.log" && break
    sleep 0.1
done
url=$(grep -o 'http://127\.0\.0\.1:[0-9]*' "$work/server.log" | head -n 1)
[ -n "$url" ] || fail "the reference server did not start: $(cat "$work/server.log")"

"$wine_run" "$exe" catalogue --server "$url" >"$work/catalogue.txt" || fail "catalogue"
grep -q "^Catalogue of $url: 2 stores" "$work/catalogue.txt" || fail "catalogue: $(cat "$work/catalogue.txt")"
grep -q '\[00\] InvoiceNo' "$work/catalogue.txt" || fail "catalogue keys"

"$wine_run" "$exe" release "$examples/batch.json" --server "$url" >"$work/release.txt" ||
    fail "release: $(cat "$work/release.txt")"
grep -q 'All 3 documents were released\.' "$work/release.txt" || fail "release summary"
for document in 000001 000002 000003; do
    [ -f "$work/store/Finance/$document/document.json" ] || fail "document $document not stored"
done
cmp -s "$examples/documents/invoice-1001.pdf" "$(find "$work/store/Finance/000001" -name '*.pdf')" ||
    fail "the stored file differs from the released one"

# The same documents again: the server refuses them, and the exit code says so.
status=0
"$wine_run" "$exe" release "$examples/batch.json" --server "$url" >"$work/again.txt" || status=$?
[ "$status" -eq 1 ] || fail "a refused release exits $status"
grep -q '409 (Conflict)' "$work/again.txt" || fail "the refusal's text: $(cat "$work/again.txt")"
echo "zarnrel.exe: catalogue, release and refusal through MSXML as expected"
