#!/usr/bin/env bash
# Usage: scripts/check-imports.sh FILE...
#
# Checks that every Windows DLL or EXE given imports only DLLs that every Windows machine has.
# The connector is loaded into the capture host's process on machines that have no mingw-w64
# runtime (libgcc, libstdc++, winpthread) and no redistributables: a single import of any
# other DLL makes loading fail there. MSXML is reached through COM, so it is never imported.
# Exits 1 naming each offending import, 2 on bad usage or without objdump.
set -euo pipefail

if [ $# -eq 0 ]; then
    echo "usage: $0 FILE..." >&2
    exit 2
fi

# The DLLs that Windows itself ships (lower case; the universal CRT's api sets by pattern).
allowed=(
    kernel32.dll user32.dll gdi32.dll ole32.dll oleaut32.dll advapi32.dll
    comctl32.dll comdlg32.dll shell32.dll shlwapi.dll ws2_32.dll version.dll
    msvcrt.dll ucrtbase.dll 'api-ms-win-crt-*.dll' uxtheme.dll wininet.dll winhttp.dll
)

is_allowed() {
    local name=$1 pattern
    for pattern in "${allowed[@]}"; do
        # shellcheck disable=SC2053 # the allow-list entries are glob patterns
        [[ $name == $pattern ]] && return 0
    done
    return 1
}

if ! command -v x86_64-w64-mingw32-objdump >/dev/null; then
    echo "$0: x86_64-w64-mingw32-objdump is missing (Debian package binutils-mingw-w64-x86-64)" >&2
    exit 2
fi

status=0
for file in "$@"; do
    # objdump fails on a file that is not a PE image; set -e ends the script then.
    dump=$(x86_64-w64-mingw32-objdump -p "$file")
    mapfile -t imports < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr '[:upper:]' '[:lower:]' | sort -u)
    bad=0
    for name in "${imports[@]}"; do
        if ! is_allowed "$name"; then
            echo "$file: imports $name, which is not a system DLL" >&2
            bad=1
        fi
    done
    if [ "$bad" -eq 0 ]; then
        echo "$file: imports only system DLLs: ${imports[*]:-none}"
    else
        status=1
    fi
done
exit "$status"
