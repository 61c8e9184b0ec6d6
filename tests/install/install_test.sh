#!/usr/bin/env bash
# Installs the build tree under a fresh prefix, then builds the README's C example against the installed
# copy twice, through find_package(Lamivex) and through pkg-config, and runs both builds on a document.
# Arguments: build dir, example source, document, C compiler, cmake, extra compiler and linker flags.
set -euo pipefail
build=$1 example=$2 document=$3 cc=$4 cmake=$5 flags=${6:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

# The library is installed with its versioned soname and a development link.
lib=$(find "$prefix" -name 'liblamivex.so.1.*' -type f)
[ -n "$lib" ] || { echo "no liblamivex.so.1.* installed" >&2; exit 1; }
objdump -p "$lib" | grep -q 'SONAME *liblamivex.so.1$' || { echo "wrong soname in $lib" >&2; exit 1; }
libdir=$(dirname "$lib")
[ -L "$libdir/liblamivex.so.1" ] && [ -L "$libdir/liblamivex.so" ] || { echo "soname links missing" >&2; exit 1; }
[ -f "$prefix/include/lamivex.h" ] || { echo "header not installed" >&2; exit 1; }

# The programs must load the installed copy, never the build tree's.
unset LD_LIBRARY_PATH
uses_installed_copy() {  # program
    loaded=$(ldd "$1" | awk '$1 == "liblamivex.so.1" { print $3 }')
    if [ -z "$loaded" ] || [ "$(realpath "$loaded")" != "$(realpath "$libdir/liblamivex.so.1")" ]; then
        echo "$1 does not load $libdir/liblamivex.so.1:" >&2
        ldd "$1" >&2
        exit 1
    fi
}

# Through the CMake package.
"$cmake" -S "$here/consumer" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_C_COMPILER="$cc" \
    -DCMAKE_C_FLAGS="$flags" -DEXAMPLE_SOURCE="$example" >/dev/null
"$cmake" --build "$work/cmake-build" >/dev/null
consumer=$work/cmake-build/consumer
uses_installed_copy "$consumer"
expected=$work/expected.txt
"$consumer" "$document" >"$expected"
grep -q ' layers$' "$expected" || { echo "unexpected output:" >&2; cat "$expected" >&2; exit 1; }
echo "cmake: ok"

# Through pkg-config; an installation outside the loader's paths needs the consumer's own run-time path.
export PKG_CONFIG_PATH=$libdir/pkgconfig
[ "$(pkg-config --modversion lamivex)" = "$(cd "$libdir" && ls liblamivex.so.1.* | sed 's/liblamivex.so.//')" ] \
    || { echo "pkg-config version differs from the library's" >&2; exit 1; }
# Word splitting of the flags and of pkg-config's output is wanted here.
# shellcheck disable=SC2046,SC2086
"$cc" $flags -std=c11 -Wall -Wextra -Werror -o "$work/pc-consumer" "$example" $(pkg-config --cflags --libs lamivex) \
    -Wl,-rpath,"$(pkg-config --variable=libdir lamivex)"
uses_installed_copy "$work/pc-consumer"
"$work/pc-consumer" "$document" >"$work/pc.txt"
diff -u "$expected" "$work/pc.txt"
echo "pkg-config: ok"

# The installed command-line host starts from the prefix and reads the document: it needs the
# library and the platform services it loads, all installed beside it.
"$prefix/bin/lamivex" info "$document" >"$work/info.txt" || { echo "the installed lamivex does not run" >&2; exit 1; }
grep -q 'Index' "$work/info.txt" || { echo "the installed lamivex printed no layer table" >&2; exit 1; }
echo "installed lamivex: ok"
