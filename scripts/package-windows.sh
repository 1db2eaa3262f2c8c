#!/usr/bin/env bash
# Builds the connector for 64-bit and 32-bit capture hosts and writes the package for
# administrators, build/package/zarnRel-<version>-windows.zip:
#
#   x64/zarnRel.dll, x64/zarnRel.inf   for 64-bit host processes
#   x86/zarnRel.dll, x86/zarnRel.inf   for 32-bit host processes
#   zarnrel.exe                        the command-line tool (64-bit)
#   x86/zarnrel.exe                    the same for 32-bit Windows, when the build has it
#   install.md, README.md, examples/   the instructions and the sample batch
#
# Each DLL folder carries its own copy of the registration file, which names the module without a
# folder: an administrator copies one folder and has all the host needs.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

version=$(sed -nE 's/^project\([[:alnum:]_]+ +VERSION +([0-9][0-9.]*).*/\1/p' CMakeLists.txt)
if [ -z "$version" ]; then
    echo "No version found in project() of CMakeLists.txt" >&2
    exit 1
fi

# A package is always a Release build, whatever the presets say on another day.
for preset in windows windows-i686; do
    cmake --preset "$preset" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
done

package_dir=build/package
stage=$package_dir/zarnRel-$version-windows
zip_file=$package_dir/zarnRel-$version-windows.zip
rm -rf "$stage" "$zip_file"
mkdir -p "$stage/x64" "$stage/x86"

# The file must be a PE image for the processor its folder promises: a DLL of the wrong bitness
# registers without complaint and then never loads in the host.
copy_binary() {
    local source=$1 target=$2 format=$3
    if ! x86_64-w64-mingw32-objdump -f "$source" | grep -q "file format $format\$"; then
        echo "$source is not a $format image" >&2
        exit 1
    fi
    cp "$source" "$stage/$target"
}

copy_binary build/windows/module/zarnRel.dll x64/zarnRel.dll pei-x86-64
copy_binary build/windows-i686/module/zarnRel.dll x86/zarnRel.dll pei-i386

# zarnrel.exe joins the Windows build later than the DLL; until then the package goes without it.
if [ -f build/windows/tools/zarnrel.exe ]; then
    copy_binary build/windows/tools/zarnrel.exe zarnrel.exe pei-x86-64
else
    echo "Note: build/windows/tools/zarnrel.exe does not exist (the Windows build does not make it" \
        "yet); the package has no zarnrel.exe." >&2
fi
if [ -f build/windows-i686/tools/zarnrel.exe ]; then
    copy_binary build/windows-i686/tools/zarnrel.exe x86/zarnrel.exe pei-i386
fi

# The registration file goes out with CRLF line endings however the work tree was checked out.
for folder in x64 x86; do
    sed 's/\r*$/\r/' resources/zarnRel.inf >"$stage/$folder/zarnRel.inf"
done
cp docs/install.md README.md "$stage/"
cp -R examples "$stage/examples"

mapfile -t binaries < <(find "$stage" -type f \( -name '*.dll' -o -name '*.exe' \) | sort)
./scripts/check-imports.sh "${binaries[@]}"

# Paths in the zip are relative to the staging folder; -X leaves out Unix owners and times.
zip_path=$(realpath "$zip_file")
if command -v zip >/dev/null; then
    (cd "$stage" && zip -q -r -X "$zip_path" .)
else
    (cd "$stage" && python3 -m zipfile -c "$zip_path" ./*)
fi

echo "Wrote $zip_file:"
python3 -m zipfile -l "$zip_file"
