#!/usr/bin/env bash
# Firmware projects that use hndpos from a build, configured and built in a
# temporary directory. Each scenario prints what it verified.
#
#   run.sh SCENARIO SOURCE_DIR [HNDPOS_BUILD_DIR]
#
# Scenarios that use an installed hndpos install HNDPOS_BUILD_DIR first.
set -euo pipefail
scenario=$1
source_dir=$(realpath "$2")
hndpos_build=${3:+$(realpath "$3")}

who="consumer ($scenario)"
# Every build in a scenario uses both cores; CTest gives the scenarios that
# build hndpos itself the whole machine.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
# shellcheck source=../harness.sh
. "$source_dir/tests/harness.sh"

# ide_build SKETCH BUILD_DIR: the sketch built for an Uno as the Arduino
# IDE builds it, by its own engine, with $work/libraries as the user's
# libraries; the log shown when it fails. Debian's avr-gcc lacks
# DECIMAL_DIG, which the core's WString.cpp uses.
ide_build() {
    mkdir -p "$2" "$work/libraries"
    arduino-builder -compile -hardware /usr/share/arduino/hardware -tools /usr/share/arduino-builder \
        -tools /usr/share/arduino/hardware/tools -libraries "$work/libraries" -fqbn arduino:avr:uno \
        -build-path "$2" -prefs=compiler.cpp.extra_flags=-DDECIMAL_DIG=17 \
        -prefs=compiler.c.extra_flags=-DDECIMAL_DIG=17 "$1" >"$2.log" 2>&1 || { cat "$2.log"; return 1; }
}

install_hndpos() {  # into $work/prefix
    [ -n "$hndpos_build" ] || die "this scenario needs hndpos's build directory"
    [ -d "$work/prefix" ] || cmake --install "$hndpos_build" --prefix "$work/prefix" >/dev/null
}

# project NAME LANGUAGES: a project directory whose CMakeLists.txt starts with
# the usual lines and finds the installed hndpos; the caller appends to it.
project() {
    local dir="$work/$1"
    mkdir -p "$dir"
    cat >"$dir/CMakeLists.txt" <<EOF
cmake_minimum_required(VERSION 3.25)
project($1 LANGUAGES $2)
find_package(hndpos 1.0 REQUIRED)
EOF
    echo "$dir"
}
# clock_project NAME LINE...: a C project whose target clock, an empty
# program, takes the CMake lines given (printf %b escapes allowed).
clock_project() {
    local dir
    dir=$(project "$1" C)
    shift
    echo 'int main(void) { return 0; }' >"$dir/main.c"
    printf 'add_executable(clock main.c)\n' >>"$dir/CMakeLists.txt"
    printf '%b\n' "$@" >>"$dir/CMakeLists.txt"
    echo "$dir"
}

# configure DIR [ARG...]: against the installed hndpos; the log in DIR.log.
configure() {
    local dir=$1
    shift
    cmake -S "$dir" -B "$dir/build" -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_BUILD_TYPE=Release "$@" \
        >"$dir.log" 2>&1
}
build() { cmake --build "$1/build" >"$1.build.log" 2>&1; }
# cmake_built SOURCE BUILD [ARG...]: configured (log BUILD.log) and built
# (log BUILD.build.log), or the log shown and the scenario failed.
cmake_built() {
    local source=$1 tree=$2
    shift 2
    cmake -S "$source" -B "$tree" "$@" >"$tree.log" 2>&1 || { cat "$tree.log"; die "$source does not configure"; }
    cmake --build "$tree" >"$tree.build.log" 2>&1 || { cat "$tree.build.log"; die "$source does not build"; }
}
built_or_die() {  # DIR [ARG...]: configured against the installed hndpos and built
    cmake_built "$1" "$1/build" -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_BUILD_TYPE=Release "${@:2}"
}
# says LOG TEXT: whether LOG holds TEXT, also where CMake wrapped its lines.
says() { tr -s ' \n' '  ' <"$1" | grep -qF -- "$2"; }
# expect_build_error DIR TARGET TEXT: building TARGET fails, and says TEXT.
expect_build_error() {
    ! cmake --build "$1/build" --target "$2" >"$1.$2.log" 2>&1 || die "$2 built, expected: $3"
    says "$1.$2.log" "$3" || { cat "$1.$2.log"; die "the build of $2 failed without saying: $3"; }
}
# expect_configure_error DIR TEXT: configure fails, and says TEXT.
expect_configure_error() {
    ! configure "$1" || die "configure passed, expected: $2"
    says "$1.log" "$2" || { cat "$1.log"; die "configure failed without saying: $2"; }
}

case "$scenario" in
installed | subdirectory | cross)
    configure_args=(-DCMAKE_BUILD_TYPE=Release)
    run=()
    if [ "$scenario" = cross ]; then
        need aarch64-linux-gnu-gcc qemu-aarch64
        install_hndpos
        configure_args+=(--toolchain "$source_dir/cmake/toolchains/linux-aarch64.cmake"
            -Dhndpos_DIR="$work/prefix/lib/cmake/hndpos")
        run=(qemu-aarch64 -L /usr/aarch64-linux-gnu)
    elif [ "$scenario" = installed ]; then
        install_hndpos
        for file in bin/hndpos bin/hndpos-view share/man/man1/hndpos.1.gz lib/cmake/hndpos/HndposRun.cmake \
            lib/cmake/hndpos/hndpos-options.cmake; do
            [ -e "$work/prefix/$file" ] || die "$file was not installed"
        done
        configure_args+=(-DCMAKE_PREFIX_PATH="$work/prefix")
    else
        # A parent in Debug builds hndpos in Debug too: the same entries
        # from unoptimised programs, and a shorter build than Release.
        configure_args=(-DCMAKE_BUILD_TYPE=Debug -DHNDPOS_SOURCE_DIR="$source_dir")
    fi
    dir="$work/firmware"
    cmake_built "$here" "$dir" "${configure_args[@]}"
    "${run[@]}" "$dir/clock_example" && "${run[@]}" "$dir/clock_wrapping" || die "the tables hold other entries"
    say "built with -Wall -Wextra -pedantic -Werror and missing-declaration warnings; entries and macros checked"

    # A quiet build: one line per table, nothing of the program's Shift_JIS text.
    [ "$(grep -c 'Generating clock-hand tables 83 30 9 13 14$' "$dir.build.log")" = 1 ] ||
        die "no single line for the example's tables: $(grep Generating "$dir.build.log")"
    grep -q 'Generating clock-hand tables 250 2 10 -10 \$80000001$' "$dir.build.log" || die "the second table's line"
    ! LC_ALL=C grep -q $'[\x80-\xff]' "$dir.build.log" || die "the build log holds non-ASCII bytes"
    log=$(find "$dir/hndpos-tables" -name hndpos.log | head -1)
    grep -q "Programmed by" "$log" || die "the program's console output is not in $log"
    say "one line per table in the build log; the console output in hndpos.log"

    # A second build does nothing; a changed tool regenerates the tables.
    cmake --build "$dir" >"$dir.again.log" 2>&1
    ! grep -q "Generating clock-hand tables" "$dir.again.log" || die "tables regenerated without a change"
    if [ "$scenario" = installed ]; then
        touch "$work/prefix/bin/hndpos"
        cmake --build "$dir" >"$dir.touched.log" 2>&1 || { cat "$dir.touched.log"; die "rebuild failed"; }
        grep -q "Generating clock-hand tables" "$dir.touched.log" || die "tables not regenerated after the tool changed"
        # A tool that fails fails the build, and no table reaches the compiler.
        printf '#!/bin/sh\necho partial >hpostbl.c\nexit 1\n' >"$work/prefix/bin/hndpos"
        ! cmake --build "$dir" >"$dir.failed.log" 2>&1 || die "the build passed although the tool failed"
        ! grep -rq partial "$dir/hndpos-tables"/*/*/hpostbl.c 2>/dev/null || die "a failed run's output was used"
        say "regenerated after the tool changed; a failing tool fails the build and its output is not used"
    fi
    ;;

languages)
    # A C project, a C++-only project and a C project built with clang's
    # -Wmissing-variable-declarations: the header declares the arrays with
    # C linkage, and the generated file compiles cleanly with it.
    install_hndpos
    for language in C C-clang CXX; do
        [ "$language" != C-clang ] || command -v clang >/dev/null || continue
        source=main.c
        [ "$language" = CXX ] && source=main.cpp
        dir=$(project "only_${language/-/_}" "${language%-clang}")
        cp "$here/main.c" "$dir/$source"
        cat >>"$dir/CMakeLists.txt" <<EOF
add_compile_options(-Wall -Wextra -pedantic -Werror -Wmissing-declarations)
add_executable(clock $source)
target_compile_definitions(clock PRIVATE EXAMPLE_TABLES)
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14)
EOF
        compiler=()
        [ "$language" = C-clang ] && compiler=(-DCMAKE_C_COMPILER=clang -DCMAKE_C_FLAGS=-Wmissing-variable-declarations)
        built_or_die "$dir" "${compiler[@]}"
        "$dir/build/clock" || die "$language: the tables hold other entries"
    done
    nm "$dir/build/clock" | grep -qE ' [DdBbRr] xtbl$' || die "C++: xtbl lost its C linkage: $(nm "$dir/build/clock" | grep xtbl)"
    say "C, C with clang -Wmissing-variable-declarations, and C++ only: built, entries checked, C linkage kept"
    ;;

two-dials)
    # Two dials in one target through prefixes; the generated files are
    # byte for byte what hndpos writes.
    install_hndpos
    dir=$(project dials C)
    cat >>"$dir/CMakeLists.txt" <<'EOF'
add_compile_options(-Wall -Wextra -pedantic -Werror)
add_executable(dials dials.c)
hndpos_add_tables(dials CENTER 83 30 RADII 9 13 14 PREFIX face_)
hndpos_add_tables(dials CENTER 250 2 RADII 10 -10 300 PREFIX small_ STORAGE CONST)
EOF
    cat >"$dir/dials.c" <<'EOF'
#include "face_hpostbl.h"
#include "small_hpostbl.h"

int main(void) {
    return !(face_xtbl[0][5] == 87 && FACE_HNDPOS_TIP_Y(1, 10) == 24 && FACE_HNDPOS_CENTER_X == 83 &&
             small_xtbl[0][15] == 4 && SMALL_HNDPOS_TIP_X(0, 45) == 240 && SMALL_HNDPOS_SECOND_RADIUS == 300);
}
EOF
    built_or_die "$dir"
    "$dir/build/dials" || die "the two dials hold other entries"
    generated=$(dirname "$(find "$dir/build/hndpos-tables" -path '*/include/face_hpostbl.h')")/../hpostbl.c
    (cd "$work" && "$work/prefix/bin/hndpos" 83 30 9 13 14 >/dev/null) && cmp -s "$generated" "$work/hpostbl.c" ||
        die "the prefixed table is not byte for byte what hndpos writes"
    say "face_ and small_ (CONST) in one target, both read; the generated file unchanged"
    ;;

display)
    install_hndpos
    dir=$(clock_project display "hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14 DISPLAY 128 64)")
    built_or_die "$dir"
    cat >>"$dir/CMakeLists.txt" <<'EOF'
add_executable(too_small main.c)
hndpos_add_tables(too_small CENTER 83 30 RADII 9 13 14 DISPLAY 96 44)
add_executable(wraps main.c)
hndpos_add_tables(wraps CENTER 250 100 RADII 10 5 5 DISPLAY 256 256)
EOF
    configure "$dir" || die "configure failed"
    expect_build_error "$dir" too_small "hndpos_add_tables(too_small): the tables of hndpos 83 30 9 13 14 do not fit the 96x44 display: the minute hand's x at position 13 is 96, outside the 96x44 display (0 to 95)"
    expect_build_error "$dir" wraps "the hour hand's x at position 6 is 256, which wraps modulo 256 to 0 in the table"
    say "DISPLAY 128 64 builds; 96 44 and a wrapping dial fail the build naming hand, position and coordinate"
    ;;

configure-errors)
    install_hndpos
    while IFS='|' read -r call expected; do
        dir=$(clock_project errors "$call")
        expect_configure_error "$dir" "$expected"
        rm -rf "$dir" "$dir.log"
    done <<'CALLS'
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14x)|RADII second value '14x' is not an integer as hndpos reads it
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 -2147483648)|RADII second value '-2147483648' is not an integer as hndpos reads it: a decimal number must lie from -2147483647 to 2147483647
hndpos_add_tables(clock CENTER $100000000 30 RADII 9 13 14)|CENTER x value '$100000000' is not a whole or half pixel (an integer as hndpos reads it, or digits and .5): a hexadecimal number has at most eight significant digits
hndpos_add_tables(clock CENTER 83 "12 " RADII 9 13 14)|CENTER y value '12 ' is not a whole or half pixel (an integer as hndpos reads it, or digits and .5)
hndpos_add_tables(clock CENTER 83 30 RADII 9 $80000000 14)|RADII minute value '$80000000' is -2147483648: hndpos fails
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14)\nhndpos_add_tables(clock CENTER 1 2 RADII 3 4 5)|the target already has tables named xtbl and ytbl; give each set of tables in one target its own PREFIX
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14 STORAGE FLASH)|STORAGE is data, const or progmem (in any case), not 'FLASH'
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14 DISPLAY 300 64)|DISPLAY takes a width and a height from 1 to 256 pixels
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14 PREFIX 9face)|PREFIX name '9face' is not a C identifier
hndpos_add_tables(clock CENTER "8;3" 30 RADII 9 13 14)|CENTER value '8;3' holds a ';'
hndpos_add_tables(clock CENTER "" 31 RADII 9 13 14)|CENTER has an empty value
hndpos_add_tables(clock CENTER 83 RADII 9 13 14)|CENTER takes 2 value(s), given 1: '83'
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14 15)|'15' follows the values of RADII and is not a keyword
hndpos_add_tables(clock CENTER 83 30 RADI 9 13 14)|'RADI' follows the values of CENTER and is not a keyword
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14 DISPLAY 128x64)|DISPLAY takes two values, WIDTH HEIGHT, not '128x64'
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14 PREFIX face_)\nhndpos_add_tables(clock CENTER 1 2 RADII 3 4 5 PREFIX FACE_)|macros are named FACE_HNDPOS_...; give each set of tables in one target its own PREFIX, differing in more than case
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14 PREFIX p23456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789_)|is longer than 128 characters
hndpos_add_tables(clock CENTER 300 31 RADII 9 13 14)|CENTER '300 31' lies outside 0..255, and hndpos's tables hold bytes; for a wider panel give TYPE
hndpos_add_tables(clock CENTER $80000000 31 RADII 9 13 14)|CENTER '$80000000 31' lies outside 0..255
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14 POSITIONS 720 0 60)|POSITIONS minute value '0' is outside 1 to 43200
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14 TYPE u64)|TYPE is u8, u16, i16 or i32 (in any case), not 'u64'
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14 TYPE u16 DISPLAY 70000 64)|DISPLAY width value '70000' is outside 1 to 65535
hndpos_add_tables(clock CENTER 83 30)|CENTER and RADII (or a FIGURE) are required
hndpos_add_tables(clock CENTER 83 30 FIGURE 9hand 60 "1,0")|FIGURE name '9hand' is not a C identifier
hndpos_add_tables(clock CENTER 83 30 FIGURE hand 0 "1,0")|FIGURE positions value '0' is outside 1 to 43200
hndpos_add_tables(clock CENTER 83 30 FIGURE hand 60 "1,0 2")|FIGURE point '2' is not two numbers A,B
hndpos_add_tables(clock CENTER 83 30 FIGURE hand 60 "1,x")|FIGURE point '1,x': 'x' is not an integer as hndpos reads it
hndpos_add_tables(clock CENTER 83 30 FIGURE hand 60 "1,0" ROUNDING EVEN)|ROUNDING is extended or nearest (in any case), not 'EVEN'
hndpos_add_tables(clock CENTER 83 30 FIGURE hand 60 "1,0" SUBPIXEL 9)|SUBPIXEL bits value '9' is outside 0 to 8
hndpos_add_tables(clock CENTER 83 30 FIGURE hand 60 "1,0" LAYOUT PAIRS)|LAYOUT is split or xy (in any case), not 'PAIRS'
hndpos_add_tables(clock CENTER 83 30 FIGURE hand 60)|FIGURE takes 3 value(s), given 2
CALLS
    # Accepted as the program accepts them: leading spaces, +, $ hexadecimal.
    dir=$(clock_project accepted 'hndpos_add_tables(clock CENTER "  +83" $1E RADII 009 $d " 14" DISPLAY $80 " 64")')
    built_or_die "$dir"
    # A prefix of 100 characters, which both programs take too.
    dir=$(clock_project long-prefix "hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14 TYPE u8 PREFIX $(printf 'p%.0s' $(seq 99))_)")
    built_or_die "$dir"
    say "bad parameters, the radius -2147483648, a second unprefixed table, bad options: refused at configure, each named"
    ;;

storage)
    # DATA: int arrays in writable data. CONST: the same entries as bytes in
    # read-only data, 1,440 bytes less of writable data.
    install_hndpos
    need nm size
    declare -A data_size
    for storage in DATA CONST; do
        dir="$work/storage-$storage"
        cmake_built "$here" "$dir" -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_BUILD_TYPE=Release -DCONSUMER_STORAGE=$storage
        "$dir/clock_example" && "$dir/clock_wrapping" || die "$storage: the tables hold other entries"
        symbols=$(nm -S "$dir/clock_example" | grep -E ' [xy]tbl$')
        case $storage in
        DATA) expected='^[0-9a-f]+ 0+2d0 D [xy]tbl$' ;;
        CONST) expected='^[0-9a-f]+ 0+b4 R [xy]tbl$' ;;
        esac
        [ "$(grep -cE "$expected" <<<"$symbols")" = 2 ] || die "$storage: the tables are not where expected: $symbols"
        data_size[$storage]=$(size "$dir/clock_example" | awk 'NR == 2 { print $2 }')
    done
    # The arrays' 1440 bytes, and the padding that aligned them.
    saved=$((data_size[DATA] - data_size[CONST]))
    [ "$saved" -ge 1440 ] && [ "$saved" -le 1504 ] ||
        die "writable data: DATA ${data_size[DATA]} bytes, CONST ${data_size[CONST]}, expected 1440 less (and alignment)"
    say "DATA: xtbl and ytbl 720 bytes each in .data; CONST: 180 bytes each in read-only data; writable data $saved bytes smaller"
    ;;

parent-ctest)
    # A parent with its own tests takes hndpos as a subdirectory: it sees
    # none of hndpos's tests and needs no GoogleTest.
    dir="$work/parent"
    mkdir -p "$dir"
    cat >"$dir/CMakeLists.txt" <<EOF
cmake_minimum_required(VERSION 3.25)
project(parent LANGUAGES C)
include(CTest)
add_subdirectory("$source_dir" hndpos EXCLUDE_FROM_ALL)
add_executable(clock main.c)
hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14)
add_test(NAME parent.own COMMAND clock)
EOF
    echo 'int main(void) { return 0; }' >"$dir/main.c"
    cmake_built "$dir" "$dir/build" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
    (cd "$dir/build" && ctest -N) >"$dir.tests" || die "ctest -N failed"
    [ "$(grep -c 'Test *#' "$dir.tests")" = 1 ] && grep -q 'parent.own' "$dir.tests" ||
        { cat "$dir.tests"; die "the parent's ctest lists other tests"; }
    (cd "$dir/build" && ctest --output-on-failure) >"$dir.run" 2>&1 || { cat "$dir.run"; die "the parent's ctest failed"; }
    say "include(CTest) and CMAKE_DISABLE_FIND_PACKAGE_GTest=ON: configured, built, ctest lists only the parent's test"
    ;;

failure-message)
    # A run that fails at build time (a directory stands where the file
    # goes): the build stops with the program's report in UTF-8, naming the
    # target, the parameters and the exit status.
    install_hndpos
    dir=$(clock_project failing 'hndpos_add_tables(clock CENTER 83 30 RADII 9 13 $D)')
    configure "$dir" || die "configure failed"
    table_dir=$(find "$dir/build/hndpos-tables" -mindepth 2 -maxdepth 2 -type d)
    mkdir -p "$table_dir/run/hpostbl.c"
    ! build "$dir" || die "the build passed although the program failed"
    log="$dir.build.log"
    python3 -c 'import sys; open(sys.argv[1], "rb").read().decode("utf-8")' "$log" || die "the build log is not UTF-8"
    for text in "hndpos_add_tables(clock): hndpos 83 30 9 13 \$D failed with exit status 1:" \
        "EInOutErrorがﾓｼﾞｭｰﾙ hndpos の " " で発生しました。" "ﾌｧｲﾙへのｱｸｾｽが拒否されました." "hndpos.log (Shift_JIS)"; do
        says "$log" "$text" || { cat "$log"; die "the build log does not say: $text"; }
    done
    rmdir "$table_dir/run/hpostbl.c"
    build "$dir" || { cat "$dir.build.log"; die "the build did not recover"; }
    say "the failure stops the build with the report in UTF-8, the target, parameters, status and log; the next build recovers"
    ;;

readme)
    # The README's firmware example and its Makefile recipe, as printed.
    install_hndpos
    need python3 make cc
    python3 "$here/extract.py" "$work/readme" "$source_dir/README.md" "$source_dir"/doc/*.md
    examples=0
    for dir in "$work"/readme/*/; do
        [ -f "$dir/CMakeLists.txt" ] || continue
        cmake_built "$dir" "$dir/build" -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_C_FLAGS="-Wall -Wextra -pedantic -Werror"
        examples=$((examples + 1))
    done
    [ "$examples" -ge 4 ] || die "only $examples CMake examples in the README"
    "$work/readme/cmake/build/clock" | grep -q "^line from 63,31 to " || die "the README's firmware example draws nothing"
    dir="$work/readme/make"
    (cd "$dir" && PATH="$work/prefix/bin:$PATH" make CFLAGS="-Wall -Wextra -pedantic -Werror" >make.log 2>&1) ||
        { cat "$dir/make.log"; die "the README's Makefile recipe fails"; }
    [ -x "$dir/clock" ] || die "the Makefile recipe built no program"
    (cd "$dir" && PATH="$work/prefix/bin:$PATH" make >make2.log 2>&1)
    # The compact tables without CMake: on the host, and in AVR program memory.
    dir="$work/readme/make-compact"
    (cd "$dir" && PATH="$work/prefix/bin:$PATH" make CFLAGS="-std=c99 -Wall -Wextra -pedantic -Werror" >make.log 2>&1) ||
        { cat "$dir/make.log"; die "the README's compact Makefile fails"; }
    "$dir/clock" | grep -qx "line from 63,31 to 91,31" || die "the compact tables read back other entries"
    if command -v avr-gcc >/dev/null; then
        (cd "$dir" && make clean >/dev/null 2>&1; rm -f ./*.o clock tables.c hpostbl.h &&
            PATH="$work/prefix/bin:$PATH" make CC=avr-gcc CFLAGS="-mmcu=atmega328p -Os -std=c99 -Wall -Wextra -pedantic -Werror" \
                STORAGE=progmem >avr.log 2>&1) || { cat "$dir/avr.log"; die "the compact Makefile fails for AVR"; }
        grep -q "PROGMEM" "$dir/tables.c" || die "the AVR tables are not in program memory"
    fi
    # hndpos-tables from a Makefile: read back at 10:30, and in AVR program memory.
    dir="$work/readme/make-tables"
    (cd "$dir" && PATH="$work/prefix/bin:$PATH" make CFLAGS="-std=c99 -Wall -Wextra -pedantic -Werror" >make.log 2>&1) ||
        { cat "$dir/make.log"; die "the README's hndpos-tables Makefile fails"; }
    "$work/prefix/bin/hndpos-tables" --center 160 120 --radii 60 90 100 --positions 720 60 60 --format json -o "$dir/dial.json"
    entries=$(table_entries "$dir/dial.json")
    [ "$("$dir/clock")" = "hour hand at 10:30: $(sed -n 631p <<<"$entries"),$(sed -n 1351p <<<"$entries")" ] ||
        die "the hndpos-tables Makefile's program reads other entries: $("$dir/clock")"
    if command -v avr-gcc >/dev/null; then
        (cd "$dir" && rm -f ./*.o clock dial.c dial.h &&
            PATH="$work/prefix/bin:$PATH" make CC=avr-gcc CFLAGS="-mmcu=atmega328p -Os -std=c99 -Wall -Wextra -pedantic -Werror" \
                STORAGE=progmem >avr.log 2>&1) || { cat "$dir/avr.log"; die "the hndpos-tables Makefile fails for AVR"; }
        grep -q "PROGMEM" "$dir/dial.c" || die "the AVR tables are not in program memory"
    fi
    say "the README's $examples CMake examples and its Makefile recipes (int tables, compact, hndpos-tables, AVR program memory) build under -Wall -Wextra -pedantic -Werror"
    ;;

figures)
    # Figures alone and beside the hands, in both layouts, both roundings,
    # sub-pixels and boxes: every entry read back through the header's
    # macros equals hndpos-tables' JSON.
    install_hndpos
    need python3
    dir=$(project figures C)
    cat >>"$dir/CMakeLists.txt" <<'EOF'
add_compile_options(-Wall -Wextra -pedantic -Werror)
add_executable(figures figures.c)
hndpos_add_tables(figures CENTER 233 233 FIGURE hand 60 "-24,-6 120,0 -24,6" FIGURE ticks 60 "210,0 228,0"
  ROUNDING NEAREST SUBPIXEL 2 LAYOUT XY BOUNDS PREFIX alone_)
hndpos_add_tables(figures CENTER 233 233 RADII 120 180 200 POSITIONS 720 60 60 FIGURE hand 720 "-24,-6 120,0 -24,6")
# The same dial as a MicroPython module: written when the target is built.
hndpos_add_tables(figures CENTER 233.5 233.5 RADII 120 180 200 SUBPIXEL 1 FORMAT MICROPYTHON PREFIX py_)
get_target_property(modules figures HNDPOS_MODULES)
file(GENERATE OUTPUT modules.txt CONTENT "${modules}")
EOF
    cat >"$dir/figures.c" <<'EOF'
#include <stdio.h>
#include "alone_hpostbl.h"
#include "hpostbl.h"

int main(void) {
    int k, p, i;
    for (k = 0; k < ALONE_HNDPOS_HAND_POSITIONS; ++k)
        for (p = 0; p < ALONE_HNDPOS_HAND_POINTS; ++p) printf("hand %d %d\n", ALONE_HNDPOS_HAND_X(k, p), ALONE_HNDPOS_HAND_Y(k, p));
    for (k = 0; k < ALONE_HNDPOS_TICKS_POSITIONS; ++k)
        for (p = 0; p < ALONE_HNDPOS_TICKS_POINTS; ++p) printf("ticks %d %d\n", ALONE_HNDPOS_TICKS_X(k, p), ALONE_HNDPOS_TICKS_Y(k, p));
    for (k = 0; k < ALONE_HNDPOS_HAND_POSITIONS; ++k)
        for (i = 0; i < 4; ++i) printf("box %d\n", ALONE_HNDPOS_HAND_BOUND(k, i));
    for (k = 0; k < HNDPOS_HAND_POSITIONS; ++k)
        for (p = 0; p < HNDPOS_HAND_POINTS; ++p) printf("wide %d %d\n", HNDPOS_HAND_X(k, p), HNDPOS_HAND_Y(k, p));
    /* 22:30 on the 720-step hand: the figure follows the hour hand. */
    printf("index %u %u\n", HNDPOS_INDEX_12H(HNDPOS_HAND_POSITIONS, 22, 30, 0), HNDPOS_INDEX_24H(1440, 22, 30, 0));
    return 0;
}
EOF
    built_or_die "$dir"
    tables="$work/prefix/bin/hndpos-tables"
    "$tables" --center 233 233 --figure hand 60 "-24,-6 120,0 -24,6" --figure ticks 60 "210,0 228,0" \
        --rounding nearest --subpixel 2 --bounds --format json -o "$work/alone.json" &&
        "$tables" --center 233 233 --radii 120 180 200 --positions 720 60 60 --figure hand 720 "-24,-6 120,0 -24,6" \
            --format json -o "$work/wide.json" || die "hndpos-tables failed"
    python3 - "$work/alone.json" "$work/wide.json" >"$work/expected.txt" <<'EOF'
import json, sys
alone, wide = (json.load(open(name))["figures"] for name in sys.argv[1:])
for figure in alone:
    for xs, ys in zip(figure["x"], figure["y"]):
        for x, y in zip(xs, ys):
            print(figure["name"], x, y)
for box in alone[0]["bounds"]:
    for value in box:
        print("box", value)
for xs, ys in zip(wide[0]["x"], wide[0]["y"]):
    for x, y in zip(xs, ys):
        print("wide", x, y)
print("index 630 1350")
EOF
    "$dir/build/figures" >"$work/read.txt" || die "figures failed"
    cmp -s "$work/read.txt" "$work/expected.txt" ||
        die "the figures read back differ from hndpos-tables': $(diff "$work/read.txt" "$work/expected.txt" | head -5)"
    module=$(cat "$dir/build/modules.txt")
    [ "${module##*/}" = py_hpostbl.py ] && "$tables" --center 233.5 233.5 --radii 120 180 200 --subpixel 1 \
        --format micropython -o "$work/module.py" && cmp -s "$module" "$work/module.py" ||
        die "FORMAT MICROPYTHON: $module is not hndpos-tables' module"
    grep -q 'alone_hand_xy\[60\]\[3\]\[2\]' "$(find "$dir/build/hndpos-tables" -name alone_hndpos_tables.c -not -path "*/run/*")" ||
        die "LAYOUT XY did not write {x, y} pairs"
    say "figures alone (nearest, quarter pixels, pairs, boxes) and beside 720-step hands: every entry read back as hndpos-tables writes it; FORMAT MICROPYTHON's module"
    ;;

wide)
    # Tables of true coordinates for a 320x240 panel with a 720-step hour
    # hand, beside hndpos's own tables in one target: every entry read back
    # through the header's macros equals hndpos-tables' JSON.
    install_hndpos
    need python3
    dir=$(project wide C)
    cat >>"$dir/CMakeLists.txt" <<EOF
add_compile_options(-Wall -Wextra -pedantic -Werror)
add_executable(wide $here/../programs/hndpos-tables/print_entries.c)
target_compile_definitions(wide PRIVATE TABLES_HEADER="wide.h")
target_include_directories(wide PRIVATE \${CMAKE_CURRENT_SOURCE_DIR})
hndpos_add_tables(wide CENTER 160 120 RADII 60 90 100 POSITIONS 720 60 60 TYPE u16 DISPLAY 320 240 STORAGE CONST)
hndpos_add_tables(wide CENTER 83 30 RADII 9 13 14 PREFIX small_)
add_executable(narrowest $here/../programs/hndpos-tables/print_entries.c)
target_compile_definitions(narrowest PRIVATE TABLES_HEADER="hpostbl.h")
hndpos_add_tables(narrowest CENTER -5 40 RADII 9 13 14 POSITIONS 60 60 600)
EOF
    # Beside the wide tables, hndpos's own, with the index macros of each.
    cat >"$dir/wide.h" <<'EOF'
#include "hpostbl.h"
#include "small_hpostbl.h"
#define TABLES_CHECK (SMALL_HNDPOS_TIP_X(0, SMALL_HNDPOS_HOUR_INDEX(22, 30, 0)) == 76 && HNDPOS_HOUR_INDEX(22, 30, 0) == 630)
EOF
    built_or_die "$dir"
    for program in "wide:160 120 --radii 60 90 100 --positions 720 60 60" "narrowest:-5 40 --radii 9 13 14 --positions 60 60 600"; do
        # shellcheck disable=SC2086
        "$work/prefix/bin/hndpos-tables" --center ${program#*:} --format json -o "$work/tables.json"
        table_entries "$work/tables.json" >"$work/expected.txt"
        "$dir/build/${program%%:*}" >"$work/read.txt" || die "${program%%:*} failed"
        cmp -s "$work/read.txt" "$work/expected.txt" || die "${program%%:*}: the entries read back differ from hndpos-tables'"
    done
    grep -q 'const uint16_t hour_x\[720\]' "$(find "$dir/build/hndpos-tables/wide" -name hndpos_tables.c -not -path "*/run/*")" || die "not u16 in read-only data"
    grep -q 'int16_t second_y\[600\]' "$(find "$dir/build/hndpos-tables/narrowest" -name hndpos_tables.c -not -path "*/run/*")" || die "the narrowest type is not i16"
    cat >>"$dir/CMakeLists.txt" <<EOF
add_executable(off_panel $here/../programs/hndpos-tables/print_entries.c)
target_compile_definitions(off_panel PRIVATE TABLES_HEADER="hpostbl.h")
hndpos_add_tables(off_panel CENTER 160 120 RADII 60 90 130 TYPE u16 DISPLAY 320 240)
EOF
    configure "$dir" || die "configure failed"
    expect_build_error "$dir" off_panel "hndpos_add_tables(off_panel): hndpos-tables failed with exit status 1: the second hand's y at position 0 is -10, outside the 320x240 display (0 to 239)"
    say "POSITIONS and TYPE: u16 const tables for 320x240 beside a byte table, the narrowest type i16; entries equal hndpos-tables' JSON; off-panel refused"
    ;;

from-subdirectory)
    # The target made at the top, the tables added in a subdirectory, with
    # both generators.
    install_hndpos
    dir=$(project subdir C)
    mkdir -p "$dir/sub"
    printf 'add_executable(clock main.c)\nadd_subdirectory(sub)\n' >>"$dir/CMakeLists.txt"
    printf 'hndpos_add_tables(clock CENTER 83 30 RADII 9 13 14 STORAGE CONST)\nhndpos_add_tables(clock CENTER 160 120 RADII 60 90 100 TYPE u16 PREFIX wide_)\n' >"$dir/sub/CMakeLists.txt"
    printf '#include "hpostbl.h"\n#include "wide_hpostbl.h"\nint main(void) { return !(HNDPOS_TIP_X(0, 5) == 87 && WIDE_HNDPOS_TIP_X(0, 15) == 220); }\n' >"$dir/main.c"
    for generator in "Unix Makefiles" Ninja; do
        if [ "$generator" = Ninja ] && ! command -v ninja >/dev/null; then
            say "ninja not found; Makefiles only"
            continue
        fi
        rm -rf "$dir/build"
        built_or_die "$dir" -G "$generator"
        "$dir/build/clock" || die "$generator: the tables hold other entries"
    done
    say "hndpos_add_tables from a subdirectory of the target's: builds and reads"
    ;;

firmware-avr | firmware-cortex-m)
    # The examples run in a simulator, built against the installed package
    # with their self-test: every entry read back through the header's
    # macros and each hand's index at every minute of 12 hours, checked
    # against the generated tables and the formulas, and the whole output,
    # frames included, equal to the same code built for the host.
    if [ "$scenario" = firmware-avr ]; then
        need avr-gcc simavr python3
        example=avr-clock
        toolchain="$source_dir/examples/avr-clock/avr.cmake"
        simulate() { timeout 60 simavr -m atmega328p -f 16000000 "$1" 2>&1 >/dev/null | sed 's/\x1b\[[0-9;]*m//g' | grep -v '^Loaded ' | sed 's/\.$//'; }
    else
        need arm-none-eabi-gcc qemu-system-arm python3
        example=cortex-m-clock
        toolchain="$source_dir/examples/cortex-m-clock/cortex-m3.cmake"
        simulate() { timeout 60 qemu-system-arm -M lm3s6965evb -nographic -semihosting -kernel "$1" 2>/dev/null; }
    fi
    install_hndpos
    for build in device host; do
        arguments=(-DCLOCK_SELF_TEST=ON -DCMAKE_BUILD_TYPE=MinSizeRel)
        if [ "$build" = device ]; then
            arguments+=(--toolchain "$toolchain" -Dhndpos_DIR="$work/prefix/lib/cmake/hndpos")
        else
            arguments+=(-DCMAKE_PREFIX_PATH="$work/prefix")
        fi
        CFLAGS=-Werror cmake_built "$source_dir/examples/$example" "$work/$build" "${arguments[@]}"
    done
    "$work/prefix/bin/hndpos-tables" --center 160 120 --radii 60 90 100 --positions 720 60 60 --format json -o "$work/wide.json"
    for program in clock clock_wide; do
        simulate "$work/device/$program" >"$work/$program.device.txt" ||
            die "$program: the simulator failed, or hung and was stopped after 60 s"
        if [ "$program" = clock ]; then
            python3 "$here/check_firmware_output.py" "$work/$program.device.txt" \
                "$(find "$work/device/hndpos-tables/clock" -name hpostbl.c -not -path '*/run/*')" 60 60 || die "$program: the firmware's reading"
        else
            python3 "$here/check_firmware_output.py" "$work/$program.device.txt" "$work/wide.json" 720 60 || die "$program: the firmware's reading"
        fi
        "$work/host/$program" >"$work/$program.host.txt" || die "$program on the host"
        cmp -s "$work/$program.device.txt" "$work/$program.host.txt" || die "$program: the simulated firmware printed other text than the host"
    done
    if [ "$scenario" = firmware-cortex-m ]; then
        # The hands as filled shapes with tails over a ring of ticks: every
        # corner the firmware reads is hndpos-tables', and every frame is
        # the host's.
        simulate "$work/device/clock_shapes" >"$work/shapes.device.txt" ||
            die "clock_shapes: the simulator failed, or hung and was stopped after 60 s"
        "$work/host/clock_shapes" >"$work/shapes.host.txt" || die "clock_shapes on the host"
        cmp -s "$work/shapes.device.txt" "$work/shapes.host.txt" || die "clock_shapes: the simulated firmware drew other frames than the host"
        "$work/prefix/bin/hndpos-tables" --center 160 120 --figure hour 720 "-14,-5 -6,-7 60,0 -6,7 -14,5" \
            --figure minute 60 "-18,-4 92,0 -18,4" --figure second 60 "-24,-1 104,-1 104,1 -24,1" \
            --figure ticks 60 "106,0 114,0" --rounding nearest --format json -o "$work/shapes.json" || die "hndpos-tables for the shapes"
        python3 - "$work/shapes.device.txt" "$work/shapes.json" <<'PY' || die "clock_shapes: the firmware's figures"
import json, sys
lines = open(sys.argv[1]).read().split("\n")
read = [line for line in lines[lines.index("figures") + 1 :] if line]
wanted = [f"{f['name']} {k}: " + " ".join(f"{x},{y}" for x, y in zip(xs, ys))
          for f in json.load(open(sys.argv[2]))["figures"] for k, (xs, ys) in enumerate(zip(f["x"], f["y"]))]
if read != wanted:
    at = next(i for i, (a, b) in enumerate(zip(read + [""] * len(wanted), wanted)) if a != b)
    sys.exit(f"the firmware read {read[at] if at < len(read) else 'nothing'!r}, the tables hold {wanted[at]!r}")
PY
        [ "$(grep -c '#' "$work/shapes.device.txt")" -gt 200 ] || die "clock_shapes drew next to nothing"
    fi
    if [ "$scenario" = firmware-avr ]; then
        gauge=(--center 31.5 31.5 --figure needle 61 "-4,-2 26,-1 28,0 26,1 -4,2" --mask needle 2)
        whole=3
    else
        gauge=(--center 119.5 119.5 --figure needle 61 "-12,-3 100,-1 104,0 100,1 -12,3" --mask needle 4)
        whole=15
    fi
    # The gauge from its masks: each position's levels and 1-bit pixels
    # as the JSON's exact levels give them, its RGB565 band the host's.
    simulate "$work/device/gauge" >"$work/gauge.device.txt" ||
        die "gauge: the simulator failed, or hung and was stopped after 60 s"
    "$work/host/gauge" >"$work/gauge.host.txt" || die "gauge on the host"
    cmp -s "$work/gauge.device.txt" "$work/gauge.host.txt" || die "gauge: the simulated firmware drew other pixels than the host"
    "$work/prefix/bin/hndpos-tables" "${gauge[@]}" --arc needle -135 270 --rounding nearest --subpixel 4 \
        --format json -o "$work/gauge.json" ||
        die "hndpos-tables for the gauge"
    python3 - "$work/gauge.device.txt" "$work/gauge.json" "$whole" <<'PY' || die "gauge: the firmware's masks"
import json, sys
lines = open(sys.argv[1]).read().split("\n")
read = [line.split(", band")[0] for line in lines[lines.index("positions") + 1 :] if line]
masks = json.load(open(sys.argv[2]))["masks"][0]["positions"]
wanted = [f"{k}: levels {sum(m['levels'])}, set {sum(2 * v > int(sys.argv[3]) for v in m['levels'])}" for k, m in enumerate(masks)]
if read != wanted:
    sys.exit(f"the firmware read {read[:2]}..., the masks give {wanted[:2]}...")
PY
    say "$example in the simulator: every entry and index right, frames equal to the host's drawing, the gauge's masks exact"
    ;;

firmware-arduino)
    # The sketch with tables from hndpos-view --emit progmem, built with
    # arduino-mk, run under simavr; the tips it prints against hpostbl.c.
    need simavr python3 make
    [ -f /usr/share/arduino/Arduino.mk ] || skip "arduino-mk not found (Debian packages arduino-core-avr and arduino-mk)"
    install_hndpos
    sketch="$work/arduino-clock"
    cp -r "$source_dir/examples/arduino-clock" "$sketch"
    mkdir "$work/clock-tables"
    (cd "$work/clock-tables" && "$work/prefix/bin/hndpos" 63 31 20 28 30 >/dev/null) || die "hndpos failed"
    (cd "$sketch" && "$work/prefix/bin/hndpos-view" --emit progmem -o tables.c ../clock-tables/hpostbl.c &&
        make >make.log 2>&1) || { cat "$sketch/make.log"; die "the sketch does not build"; }
    # As the IDE sees the folder: no second definition of the tables beside tables.c.
    [ ! -e "$sketch/hpostbl.c" ] || die "hpostbl.c stands in the sketch's folder"
    elves=("$sketch"/build-uno/*.elf)
    if command -v arduino-builder >/dev/null; then
        # The IDE's own build engine compiles every .c in the sketch's folder.
        ide_build "$sketch/arduino-clock.ino" "$work/ide" || die "arduino-builder, as the IDE, does not build the sketch"
        elves+=("$work/ide/arduino-clock.ino.elf")
    fi
    simulate_sketch() {
        timeout 60 simavr -m atmega328p -f 16000000 "$1" 2>&1 >/dev/null |
            sed 's/\x1b\[[0-9;]*m//g' | grep -v '^Loaded ' | sed 's/\.\.$//'
    }
    PYTHONPATH="$here/../programs/hndpos-tables" python3 - "$work/clock-tables/hpostbl.c" >"$work/expected.txt" <<'PY'
import sys
from entries import entries
t = entries(sys.argv[1])
tip = lambda hand, i: f"{t['x'][hand][i]},{t['y'][hand][i]}"
print("centre 63,31")
for h, m, s in [(10, 8, 30), (3, 0, 0), (7, 41, 53)]:
    hour, minute, second = 60 * (h * 3600 + m * 60 + s) // 43200, 60 * (m * 60 + s) // 3600, s
    print(f"{h:02}:{m:02}:{s:02} hour {tip(0, hour)} minute {tip(1, minute)} second {tip(2, second)}")
PY
    for elf in "${elves[@]}"; do
        simulate_sketch "$elf" >"$work/sketch.txt" || die "the sketch's simulation failed, or hung and was stopped after 60 s"
        cmp -s "$work/sketch.txt" "$work/expected.txt" || die "$(basename "$elf") printed: $(cat "$work/sketch.txt")"
    done
    say "the Arduino sketch, PROGMEM tables from hndpos-view, built with arduino-mk and as the IDE builds it, run under simavr: its tips are hpostbl.c's"
    ;;

arduino-library)
    # The release's Arduino library as the IDE takes it: unpacked into a
    # libraries folder, each example built by arduino-builder (the IDE's own
    # build engine) from its folder as shipped, run under simavr; its frame
    # equal to the same sketch built for the host, the dial in it where the
    # tables put it.
    need simavr unzip c++ cc
    command -v arduino-builder >/dev/null || skip "arduino-builder not found (Debian package arduino-builder)"
    version=$(sed -n 's/^project(hndpos VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
    zip="$hndpos_build/packages/hndpos-arduino-$version.zip"
    [ -f "$zip" ] || die "no $zip: build the target hndpos_arduino"
    mkdir -p "$work/libraries"
    unzip -q -d "$work/libraries" "$zip" || die "unzip $zip"
    library="$work/libraries/hndpos"
    grep -qx "version=$version" "$library/library.properties" && grep -qx "name=hndpos" "$library/library.properties" ||
        die "library.properties: $(cat "$library/library.properties")"
    [ -f "$library/src/hndpos.h" ] && [ -f "$library/src/HndposTextDisplay.h" ] || die "the library's headers are missing"
    # simavr prints what the UART sends in pieces of at most 256 characters,
    # a control character as "."; a row ends in CR LF, "..".
    simulated_text() {
        timeout 60 simavr -m atmega328p -f 16000000 "$1" 2>&1 >/dev/null | sed 's/\x1b\[[0-9;]*m//g' |
            grep -v '^Loaded ' | awk 'length($0) == 256 { piece = piece $0; next } { print piece $0; piece = "" }' |
            sed 's/\.\.$//'
    }
    examples=0
    for folder in "$library"/examples/*/; do
        name=$(basename "$folder")
        [ -f "$folder/$name.ino" ] || die "$name: no $name.ino in its folder"
        mkdir -p "$work/host-$name"
        ide_build "$folder/$name.ino" "$work/ide-$name" || die "$name: arduino-builder, as the IDE, does not build it"
        simulated_text "$work/ide-$name/$name.ino.elf" >"$work/$name.device.txt" ||
            die "$name: the simulator failed, or hung and was stopped after 60 s"
        (cd "$work/host-$name" && cc -std=c99 -Wall -Wextra -pedantic -Werror -c "$folder"/*.c &&
            c++ -std=c++17 -Wall -Wextra -Werror -I "$here/arduino_host" -I "$library/src" -include Arduino.h \
                -x c++ "$folder/$name.ino" -x none ./*.o -o sketch) >"$work/$name.host.log" 2>&1 ||
            { cat "$work/$name.host.log"; die "$name: the host build failed"; }
        "$work/host-$name/sketch" | tr -d '\r' >"$work/$name.host.txt" || die "$name: the host build failed to run"
        cmp -s "$work/$name.device.txt" "$work/$name.host.txt" ||
            die "$name: the simulated sketch printed another frame than the host build: $(diff "$work/$name.device.txt" "$work/$name.host.txt" | head -5)"
        examples=$((examples + 1))
        if [ ! -f "$folder/hands.h" ]; then
            # The gauge: its needle's masks drawn at each reading, in shades.
            [ "$(grep -c '#' "$work/$name.host.txt")" -gt 100 ] && grep -q "^reading 37 of 100: position 22" "$work/$name.host.txt" ||
                die "$name: no needle drawn from its masks"
            continue
        fi
        # At 10:08:30 the second hand points straight down: its tip, the
        # centre plus the radius in y, is lit, and so is the centre.
        macro() { sed -n "s/^#define HNDPOS_$1 //p" "$folder/hands.h"; }
        tip_row=$(($(macro CENTER_Y) + $(macro SECOND_RADIUS) + 2))  # the heading is line 1
        [ "$(sed -n "${tip_row}p" "$work/$name.host.txt" | cut -c "$(($(macro CENTER_X) + 1))")" = "#" ] ||
            die "$name: no second hand's tip at the pixel its tables give"
        # hndpos.h's index macros of any positions agree with the tables'
        # own at every second of the day.
        cat >"$work/host-$name/index.c" <<'C'
#include <hndpos.h>
#include "hands.h"
int main(void) {
    unsigned long t;
    for (t = 0; t < 86400UL; ++t) {
        const int h = (int)(t / 3600), m = (int)(t / 60 % 60), s = (int)(t % 60), ms = (int)(t * 7 % 1000);
        if (HNDPOS_HOUR_INDEX_OF(HNDPOS_HOUR_POSITIONS, h, m, s) != HNDPOS_HOUR_INDEX(h, m, s) ||
            HNDPOS_MINUTE_INDEX_OF(HNDPOS_MINUTE_POSITIONS, m, s) != HNDPOS_MINUTE_INDEX(m, s) ||
            HNDPOS_SECOND_INDEX_OF(HNDPOS_SECOND_POSITIONS, s, ms) != HNDPOS_SECOND_INDEX(s, ms))
            return 1;
    }
    return 0;
}
C
        cc -std=c99 -Wall -Wextra -pedantic -Werror -I "$library/src" -I "$folder" "$work/host-$name/index.c" \
            -o "$work/host-$name/index" && "$work/host-$name/index" || die "$name: hndpos.h's index macros differ from hands.h's"
    done
    [ "$examples" -eq 4 ] || die "expected four examples, found $examples"
    say "the Arduino library's $examples examples (the gauge's needle from its masks), built from the unpacked zip by arduino-builder and run under simavr, draw the frames the host draws; hndpos.h's index macros agree with the tables'"
    ;;

arduino-manual)
    # doc/firmware.md's arduino-builder command, as written, beside the
    # release's zip, with a HOME of its own; the sketch it builds runs.
    need simavr python3
    command -v arduino-builder >/dev/null || skip "arduino-builder not found (Debian package arduino-builder)"
    version=$(sed -n 's/^project(hndpos VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
    zip="$hndpos_build/packages/hndpos-arduino-$version.zip"
    [ -f "$zip" ] || die "no $zip: build the target hndpos_arduino"
    # The manual's arduino-builder command, as written, beside the zip.
    mkdir -p "$work/manual/home"
    cp "$zip" "$work/manual/"
    python3 - "$source_dir/doc/firmware.md" >"$work/manual/build.sh" <<'PY' || die "no arduino-builder block in doc/firmware.md"
import re, sys
blocks = [b for b in re.findall(r"```sh\n(.*?)```", open(sys.argv[1]).read(), re.S) if "arduino-builder" in b]
sys.exit(1) if len(blocks) != 1 else print(blocks[0], end="")
PY
    (cd "$work/manual" && HOME="$work/manual/home" bash -e build.sh >build.log 2>&1) ||
        { cat "$work/manual/build.log"; die "the manual's arduino-builder command fails as written"; }
    timeout 60 simavr -m atmega328p -f 16000000 "$work/manual/build-uno/Oled128x64.ino.elf" 2>"$work/manual/run.txt" >/dev/null
    grep -q "Oled128x64 at 10:08:30" "$work/manual/run.txt" || die "the manual's build of Oled128x64 does not run"
    say "the manual's arduino-builder command builds Oled128x64 from the zip as written, and it runs"
    ;;

mcu-arm | mcu-avr)
    # A firmware build for a microcontroller, 32-bit ARM or 8-bit AVR, with
    # the host's hndpos through hndpos_DIR.
    if [ "$scenario" = mcu-arm ]; then
        need arm-none-eabi-gcc arm-none-eabi-nm
        toolchain="$here/toolchains/arm-none-eabi.cmake"
        storage=CONST
        nm_tool=arm-none-eabi-nm
        placed='^[0-9a-f]+ 0+b4 [Rr] [xy]tbl$'
    else
        need avr-gcc avr-nm
        toolchain="$source_dir/examples/avr-clock/avr.cmake"
        storage=PROGMEM
        nm_tool=avr-nm
        placed='^[0-9a-f]+ 0+b4 [Tt] [xy]tbl$'
    fi
    install_hndpos
    dir=$(project mcu C)
    cp "$here/mcu.c" "$dir/"
    cat >>"$dir/CMakeLists.txt" <<EOF
add_compile_options(-Wall -Wextra -pedantic -Werror)
add_executable(clock mcu.c)
hndpos_add_tables(clock CENTER 63 31 RADII 20 28 30 STORAGE $storage DISPLAY 128 64)
EOF
    cmake_built "$dir" "$dir/build" --toolchain "$toolchain" -Dhndpos_DIR="$work/prefix/lib/cmake/hndpos" \
        -DCMAKE_BUILD_TYPE=MinSizeRel
    symbols=$("$nm_tool" -S "$dir/build/clock" | grep -E ' [xy]tbl$')
    [ "$(grep -cE "$placed" <<<"$symbols")" = 2 ] || die "the tables are not in read-only memory: $symbols"
    say "$(basename "$toolchain" .cmake): the firmware links the $storage tables ($(tr '\n' ';' <<<"$symbols"))"
    ;;

windows-dlls)
    # hndpos built for Windows by a plain MinGW configuration, without the
    # project's toolchain file or a build type: the programs import system
    # DLLs only.
    need i686-w64-mingw32-g++-posix i686-w64-mingw32-gcc-posix i686-w64-mingw32-windres i686-w64-mingw32-objdump
    dir="$work/windows"
    cmake -S "$source_dir" -B "$dir" -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_CXX_COMPILER=i686-w64-mingw32-g++-posix \
        -DCMAKE_C_COMPILER=i686-w64-mingw32-gcc-posix -DCMAKE_RC_COMPILER=i686-w64-mingw32-windres \
        -DHNDPOS_BUILD_TESTING=OFF >"$dir.log" 2>&1 || { cat "$dir.log"; die "configure failed"; }
    cmake --build "$dir" --target hndpos hndpos-view hndpos-tables >"$dir.build.log" 2>&1 || { cat "$dir.build.log"; die "build failed"; }
    bash "$source_dir/tests/windows/check_programs.sh" i686-w64-mingw32-objdump "$dir/hndpos.exe" "$dir/hndpos-view.exe" \
        "$dir/hndpos-tables.exe" | sed "s/^/consumer ($scenario): /" || die "the programs need more than the system's DLLs"
    ;;

*)
    die "unknown scenario"
    ;;
esac
