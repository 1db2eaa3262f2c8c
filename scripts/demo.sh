#!/usr/bin/env bash
# Installs what is missing, builds zarnrel (native preset) and runs `zarnrel demo`: the
# reference document-store server with the sample catalogue, and the sample batch released to
# it. Arguments are passed to the demo (for example --dir DIR to keep its files).
set -euo pipefail
cd "$(dirname "$0")/.."

"./scripts/install-deps.sh"

cmake --preset native >/dev/null
cmake --build --preset native --target zarnrel -j "$(nproc)"
exec ./build/native/tools/zarnrel demo "$@"
