#!/usr/bin/env python3
"""Lists every identifier of the portable core that a macro of the Win32 headers would rename.

Usage: macro_collisions.py FILE... -- COMPILER ARGUMENT...

The compiler, called with the build's definitions, names the macros that the Win32 headers
define. Those that the compiler predefines or that the C++ standard library defines as well are
there with or without <windows.h> and do not count. min and max are not macros here: the build
defines NOMINMAX, and mingw-w64 defines them for C only. Comments, string and character
literals, numbers and header names are skipped. Exits with 1 when it finds any.
"""
import re
import subprocess
import sys

WIN32_HEADERS = ("windows.h", "commctrl.h", "msxml2.h", "ole2.h")
# Microsoft's <rpcndr.h> defines this one for C++ too; mingw-w64's only for resource scripts.
MICROSOFT_SDK_MACROS = {"small"}

# One token at a time; only the last alternative is an identifier.
TOKEN = re.compile(
    r"""
      //[^\n]* | /\*.*?\*/
    | (?:u8|[uUL])?R"([^(\s]*)\(.*?\)\1"
    | (?:u8|[uUL])?"(?:\\.|[^"\\\n])*"
    | (?:u8|[uUL])?'(?:\\.|[^'\\\n])*'
    | \#\s*include\s*<[^>\n]*>
    | \.?\d(?:[eEpP][+-]|['\w.])*
    | (?P<name>[A-Za-z_]\w*)
    """,
    re.VERBOSE | re.DOTALL,
)


def macro_names(compiler, includes):
    source = "".join(f"#include <{header}>\n" for header in includes)
    listing = subprocess.run(
        [*compiler, "-dM", "-E", "-x", "c++", "-"],
        input=source, stdout=subprocess.PIPE, text=True, check=True,
    ).stdout
    return set(re.findall(r"^#define (\w+)", listing, re.MULTILINE))


def collisions(path, macros):
    text = open(path, encoding="utf-8").read()
    for token in TOKEN.finditer(text):
        if token["name"] in macros:
            line = text.count("\n", 0, token.start()) + 1
            yield f"{path}:{line}: '{token['name']}' is a macro of the Win32 headers"


def main(arguments):
    split = arguments.index("--")
    files, compiler = arguments[:split], arguments[split + 1 :]
    # GCC's <bits/stdc++.h> includes the whole standard library.
    macros = macro_names(compiler, WIN32_HEADERS) - macro_names(compiler, ["bits/stdc++.h"])
    macros |= MICROSOFT_SDK_MACROS
    found = [report for path in files for report in collisions(path, macros)]
    for report in found:
        print(report, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
