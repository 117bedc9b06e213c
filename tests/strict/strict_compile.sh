#!/usr/bin/env bash
# Compiles hpostbl.c as C89, C99, C11 and C++17 with every warning that a
# strict firmware build turns on, with gcc and clang, links it with a small
# program and checks that the compiled tables hold the numbers the file shows.
#
#   strict_compile.sh HNDPOS
set -uo pipefail
program=$(realpath "$1")
checker=$(realpath "$(dirname "$0")/check_tables.c")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

compilers=()
for compiler in gcc clang; do command -v "$compiler" >/dev/null && compilers+=("$compiler"); done
[ "${#compilers[@]}" -gt 0 ] || { echo "SKIPPED: no C compiler"; exit 77; }
[ "${#compilers[@]}" -eq 2 ] || echo "note: only ${compilers[*]} found"

failures=0
checks=0
for parameters in "83 30 9 13 14" "0 0 0 0 0" "-173 339 -9 -13 -2147483647" "127 128 2147483647 1000003 65537" "250 2 10 -10 300"; do
    # shellcheck disable=SC2086
    "$program" $parameters >/dev/null || { echo "hndpos failed for $parameters"; exit 1; }
    # The numbers as the file writes them, in order.
    sed -n '3,26p' hpostbl.c | tr -d '\r' | sed 's/.*{//; s/};//' | tr ',\t' '\n\n' | grep -v '^$' >expected.txt
    [ "$(wc -l <expected.txt)" -eq 360 ] || { echo "hpostbl.c does not hold 360 numbers"; exit 1; }
    for compiler in "${compilers[@]}"; do
        for standard in c89 c99 c11 c++17; do
            language=(-x c)
            [ "$standard" = c++17 ] && language=(-x c++)
            flags=(-std="$standard" -Wall -Wextra -pedantic -Werror -Wno-missing-braces)
            checks=$((checks + 1))
            if ! "$compiler" "${flags[@]}" "${language[@]}" hpostbl.c "${language[@]}" "$checker" -o check 2>compile.log; then
                echo "FAIL: $compiler -std=$standard, parameters $parameters:"
                cat compile.log
                failures=$((failures + 1))
                continue
            fi
            if ! ./check | cmp -s - expected.txt; then
                echo "FAIL: $compiler -std=$standard, parameters $parameters: the compiled tables differ from the text"
                failures=$((failures + 1))
            fi
        done
    done
done
echo "$checks compilations, $failures failed"
[ "$failures" -eq 0 ]
