#!/usr/bin/env bash
# Builds the consumer project against hndpos and runs its checks.
#
#   run.sh installed SOURCE_DIR HNDPOS_BUILD_DIR   find_package on an installed tree
#   run.sh subdirectory SOURCE_DIR                 add_subdirectory of the source tree
#   run.sh cross SOURCE_DIR HNDPOS_BUILD_DIR       the host's installed tool in an aarch64 build
set -euo pipefail
mode=$1
source_dir=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

configure=(cmake -S "$source_dir/tests/consumer" -B "$work/build" -DCMAKE_BUILD_TYPE=Release)
run=()
if [ "$mode" = cross ]; then
    for tool in aarch64-linux-gnu-gcc qemu-aarch64; do
        command -v "$tool" >/dev/null || { echo "SKIPPED: $tool not found"; exit 77; }
    done
    cmake --install "$3" --prefix "$work/host" >/dev/null
    configure+=(--toolchain "$source_dir/cmake/toolchains/linux-aarch64.cmake" -Dhndpos_DIR="$work/host/lib/cmake/hndpos")
    run=(qemu-aarch64 -L /usr/aarch64-linux-gnu)
elif [ "$mode" = installed ]; then
    cmake --install "$3" --prefix "$work/prefix" >/dev/null
    [ -x "$work/prefix/bin/hndpos" ] || { echo "hndpos was not installed"; exit 1; }
    [ -f "$work/prefix/share/man/man1/hndpos.1" ] || { echo "the manual page was not installed"; exit 1; }
    configure+=(-DCMAKE_PREFIX_PATH="$work/prefix")
else
    configure+=(-DHNDPOS_SOURCE_DIR="$source_dir")
fi
"${configure[@]}" >"$work/configure.log" || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/build" >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
"${run[@]}" "$work/build/clock_example"
"${run[@]}" "$work/build/clock_wrapping"

# A second build does nothing; a changed tool regenerates the tables.
cmake --build "$work/build" >"$work/again.log" 2>&1
grep -q "Generating clock-hand tables" "$work/again.log" && { echo "tables regenerated without a change"; exit 1; }
if [ "$mode" = installed ]; then
    touch "$work/prefix/bin/hndpos"
    cmake --build "$work/build" >"$work/touched.log" 2>&1 || { cat "$work/touched.log"; exit 1; }
    grep -q "Generating clock-hand tables" "$work/touched.log" || { echo "tables not regenerated after the tool changed"; exit 1; }

    # A tool that fails fails the build, and no table reaches the compiler.
    printf '#!/bin/sh\necho partial >hpostbl.c\nexit 1\n' >"$work/prefix/bin/hndpos"
    if cmake --build "$work/build" >"$work/failed.log" 2>&1; then
        echo "the build passed although the tool failed"
        exit 1
    fi
    ! grep -rq partial "$work/build/hndpos-tables"/*/hpostbl.c || { echo "a failed run's output was used"; exit 1; }
fi

echo "consumer project ($mode): built and checked"
