#!/usr/bin/env bash
# hndpos-tables end to end: the real program in a temporary directory.
#
#   tables.sh CASE HNDPOS HNDPOS_TABLES [RUNNER...]
set -uo pipefail
case_name=$1
hndpos=$(realpath "$2")
tables=$(realpath "$3")
shift 3
runner=("$@")
who="[$case_name]"
# shellcheck source=../../harness.sh
. "$(dirname "$0")/../../harness.sh"
run() {
    timeout 60 "${runner[@]}" "$tables" "$@" >out.txt 2>err.txt
    status=$?
}

case "$case_name" in
sixty-positions)
    # With 60 positions and entries inside 0..255 the entries are hndpos's:
    # the golden sets that stay inside, then random dials that fit.
    command -v python3 >/dev/null || skip "python3 not found"
    sets=("83 30 9 13 14" "0 0 0 0 0" "128 128 -127 127 0")
    RANDOM=1209
    rounds=120
    [ "${#runner[@]}" -eq 0 ] || rounds=30  # each run starts an emulator
    for round in $(seq "$rounds"); do
        reach=$((RANDOM % 128))
        sets+=("$((reach + RANDOM % (256 - 2 * reach))) $((reach + RANDOM % (256 - 2 * reach))) $((RANDOM % (2 * reach + 1) - reach)) $((RANDOM % (2 * reach + 1) - reach)) $((RANDOM % (2 * reach + 1) - reach))")
    done
    # Each set in a directory of its own; then one python3 reads them all.
    for i in "${!sets[@]}"; do
        read -r x y h m s <<<"${sets[$i]}"
        mkdir "$i" && cd "$i" || die "cannot make a directory for a set"
        "${runner[@]}" "$hndpos" "$x" "$y" "$h" "$m" "$s" >/dev/null || fail "hndpos ${sets[$i]} failed"
        run --center "$x" "$y" --radii "$h" "$m" "$s" --format json -o tables.json
        [ "$status" -eq 0 ] || fail "hndpos-tables ${sets[$i]}: exit $status: $(cat err.txt)"
        cd ..
    done
    differing=$(python3 "$here/entries.py" --differ "${!sets[@]}") || die "entries.py failed"
    for i in $differing; do fail "entries differ for ${sets[$i]}"; done
    echo "${#sets[@]} parameter sets: hndpos-tables with 60 positions gives hndpos's entries"
    ;;

golden)
    # Every build, on every processor, writes these bytes.
    run --center 160 120 --radii 60 90 100 --positions 720 60 600 --display 320 240 --storage progmem --prefix face_ -o panel.c
    [ "$status" -eq 0 ] || fail "panel: exit $status: $(cat err.txt)"
    cmp -s panel.c "$here/golden/panel.c" && cmp -s panel.h "$here/golden/panel.h" || fail "panel.c or panel.h differs"
    run --center 0 -1 --radii 233 -2147483647 2147483647 --positions 1234 97 1 --format json -o -
    [ "$status" -eq 0 ] || fail "extremes: exit $status: $(cat err.txt)"
    cmp -s out.txt "$here/golden/extremes.json" || fail "the JSON on standard output differs"
    # What the page offers for download.
    run --center 160 120 --radii 60 90 100 --positions 720 60 600 --type u16 -o dial.c
    run --center 160 120 --radii 60 90 100 --positions 720 60 600 --type u16 --format json -o dial.json
    run --center 160 120 --radii 60 90 100 --positions 720 60 600 --type u16 --format rust -o dial.rs
    run --center 160 120 --radii 60 90 100 --positions 720 60 600 --type u16 --format micropython -o dial.py
    for file in dial.c dial.h dial.json dial.rs dial.py; do cmp -s "$file" "$here/golden/$file" || fail "$file differs"; done
    echo "the golden C, header, JSON, Rust and MicroPython, byte for byte"
    ;;

refusals)
    # Every refusal exits 1 or 2 with a message and leaves no file, not even
    # over an existing one.
    while IFS='|' read -r expected message arguments; do
        rm -f ./*
        echo old >dial.c
        # shellcheck disable=SC2086
        eval "run $arguments"
        [ "$status" -eq "$expected" ] || fail "$arguments: exit $status, expected $expected"
        grep -qF -- "$message" err.txt || fail "$arguments: no '$message' in: $(cat err.txt)"
        [ "$(ls)" = "$(printf 'dial.c\nerr.txt\nout.txt')" ] && [ "$(cat dial.c)" = old ] ||
            fail "$arguments: left files: $(ls | tr '\n' ' ')"
    done <<'CASES'
1|the minute hand's x at position 11 is 256, which u8 cannot hold|--center 244 30 --radii 9 13 14 --type u8 -o dial.c
1|the hour hand's x at position 4 is 324, outside the 320x240 display (0 to 319)|--center 300 120 --radii 60 90 100 --display 320 240 -o dial.c
1|the hour hand's y at position 0 is -1, outside the 320x240 display (0 to 239)|--center 100 59 --radii 60 90 100 --display 320 240 -o dial.c
1|the minute hand's x at position 540 is 2147483648 (radius -2147483648)|--center 0 0 --radii 1 '$80000000' 1 --positions 7 720 9 -o dial.c
1|the hour hand's x at position 6 is 2147483648, which i32 cannot hold|--center 2147483647 0 --radii 1 1 1 -o dial.c
1|which i16 cannot hold|--center -32768 0 --radii 1 1 1 --type i16 --format json -o dial.c
2|option --radii takes three values|--center 1 2 --radii 3 4
2|option --positions: 0 is outside 1 to 43200|--center 1 2 --radii 3 4 5 --positions 0 60 60 -o dial.c
2|option --positions: 43201 is outside 1 to 43200|--center 1 2 --radii 3 4 5 --positions 60 43201 60 -o dial.c
2|option --center: '12x' is not a whole or half pixel (an integer, or one and .5)|--center 12x 2 --radii 3 4 5 -o dial.c
2|option --center: '-2147483648' is not a whole or half pixel (an integer, or one and .5)|--center -2147483648 2 --radii 3 4 5 -o dial.c
2|option --display: 65536 is outside 1 to 65535|--center 1 2 --radii 3 4 5 --display 65536 10 -o dial.c
2|option --type takes u8, u16, i16 or i32|--center 1 2 --radii 3 4 5 --type u64 -o dial.c
2|option --storage takes data, const or progmem|--center 1 2 --radii 3 4 5 --storage flash -o dial.c
2|option --prefix: '9a' does not start a C identifier|--center 1 2 --radii 3 4 5 --prefix 9a -o dial.c
2|option --header: the name cannot stand in #include|--center 1 2 --radii 3 4 5 --header $'a\nb.h' -o dial.c
2|option --header: the name cannot stand in #include|--center 1 2 --radii 3 4 5 --header 'a*/b.h' -o dial.c
2|option --center is given more than once|--center 1 2 --center 1 2 --radii 3 4 5 -o dial.c
2|-o FILE is required|--center 1 2 --radii 3 4 5
2|--center X Y is required|--radii 3 4 5 -o dial.c
2|--radii HOUR MINUTE SECOND or a --figure is required|--center 1 2 -o dial.c
2|two things would be named HNDPOS_HOUR_POSITIONS|--center 1 2 --radii 3 4 5 --figure hour 60 1,0 -o dial.c
2|two things would be named HNDPOS_RING_POSITIONS|--center 1 2 --figure ring 60 1,0 --figure Ring 12 2,0 -o dial.c
2|option --figure: 'a-b' is not a C identifier|--center 1 2 --figure a-b 60 1,0 -o dial.c
2|option --figure: point '1' is not two numbers A,B|--center 1 2 --figure a 60 '1,0 1' -o dial.c
2|option --figure: a figure has 1 to 64 points, not 65|--center 1 2 --figure a 60 "$(printf '1,0 %.0s' $(seq 65))" -o dial.c
2|option --figure: 43201 is outside 1 to 43200|--center 1 2 --figure a 43201 1,0 -o dial.c
2|option --subpixel: 9 is outside 0 to 8|--center 1 2 --radii 3 4 5 --subpixel 9 -o dial.c
2|option --rounding takes extended or nearest|--center 1 2 --radii 3 4 5 --rounding even -o dial.c
2|option --layout takes split or xy|--center 1 2 --radii 3 4 5 --layout pairs -o dial.c
1|the figure hand's y at position 0, point 1 is -2, outside the 64x64 display (0 to 63)|--center 32 32 --figure hand 60 '-8,0 34,0' --display 64 64 -o dial.c
1|the figure hand's x at position 0, point 0 is 256, outside the 64x64 display (0 to 255 in 1/4 pixel)|--center 64 32 --figure hand 60 '0,0' --subpixel 2 --display 64 64 -o dial.c
1|the figure big's x at position 1, point 0 is 2371956813, which i32 cannot hold|--center 2147483647 0 --figure big 60 '$7FFFFFFF,0' -o dial.c
2|unknown option --colour|--center 1 2 --radii 3 4 5 --colour -o dial.c
2|option --turn: no figure is named hand|--center 1 2 --radii 3 4 5 --turn hand 1h -o dial.c
2|option --turn: the figure a has a turn already|--center 1 2 --figure a 60 1,0 --turn a 1h --turn a 1m -o dial.c
2|option --turn takes 12h, 1h, 1m or 24h|--center 1 2 --figure a 60 1,0 --turn a 2h -o dial.c
1|the array hour_x would be 86400 bytes, and AVR's program memory takes at most 32767 in one array|--center 233 233 --radii 100 150 200 --positions 43200 60 60 --storage progmem -o dial.c
1|the array face_hand_xy would be 51840 bytes|--center 300 300 --figure hand 720 "$(printf '1,0 %.0s' $(seq 18))" --layout xy --storage progmem --prefix face_ -o dial.c
2|option --center: '1.25' is not a whole or half pixel|--center 1.25 2 --figure a 60 1,0 --subpixel 2 -o dial.c
2|option --center: a centre between pixels needs --subpixel 1 or more|--center 1.5 2 --figure a 60 1,0 -o dial.c
2|option --arc: the figure a needs --rounding nearest|--center 9 9 --figure a 60 1,0 --arc a 0 90 -o dial.c
2|option --arc: the figure a has 1 position|--center 9 9 --figure a 1 1,0 --arc a 0 90 --rounding nearest -o dial.c
2|option --arc: the figure a sweeps 0 degrees|--center 9 9 --figure a 60 1,0 --arc a 10 0.00 --rounding nearest -o dial.c
2|option --arc: 360.01 is outside -360 to 360|--center 9 9 --figure a 60 1,0 --arc a 0 360.01 --rounding nearest -o dial.c
2|option --arc: '1.234' is not a decimal number of at most two decimal places|--center 9 9 --figure a 60 1,0 --arc a 1.234 90 -o dial.c
2|option --arc: no figure is named b|--center 9 9 --figure a 60 1,0 --arc b 0 90 --rounding nearest -o dial.c
2|follows a turn already|--center 9 9 --figure a 60 1,0 --turn a 1m --arc a 0 90 --rounding nearest -o dial.c
2|option --format takes c, json, rust or micropython|--center 1 2 --radii 3 4 5 --format go -o dial.c
2|--storage goes with --format c, not rust|--center 1 2 --radii 3 4 5 --format rust --storage const -o dial.c
2|--prefix goes with --format c, not micropython|--center 1 2 --radii 3 4 5 --format micropython --prefix a_ -o dial.c
2|its header's name cannot stand in #include|--center 1 2 --radii 3 4 5 -o 'q"x.c'
2|its header's name cannot stand in #include|--center 1 2 --radii 3 4 5 -o $'a\nb.c'
2|option --header: the name cannot stand in #include|--center 1 2 --radii 3 4 5 --header 'h??-.h' -o dial.c
CASES
    # Accepted forms: the program's integer syntax, negative values.
    run --center '  +83' '$1E' --radii 009 '$d' -14 --positions 60 ' 60' '$3C' --format json -o -
    [ "$status" -eq 0 ] && grep -q '"center": \[83, 30\], "radii": \[9, 13, -14\]' out.txt ||
        fail "the program's integer syntax: $status $(head -c 200 out.txt)"
    run --center 83 30 --radii 9 13 14 --display 128x64 -o dial.c
    [ "$status" -eq 0 ] || fail "--display WIDTHxHEIGHT: $(cat err.txt)"
    # A source and a header of two runs onto one name do not compile together.
    run --center 83 30 --radii 9 13 15 --header dial.h -o other.c
    if command -v cc >/dev/null && cc -c dial.c -o dial.o 2>/dev/null; then
        fail "a source compiled with another run's header"
    fi
    run --help
    [ "$status" -eq 0 ] && grep -q '^Usage: hndpos-tables' out.txt || fail "--help"
    if [ -w /dev/full ]; then
        "${runner[@]}" "$tables" --help >/dev/full 2>/dev/null && fail "--help into a full device exits 0"
    fi
    echo "refusals exit 1 or 2, name the hand, position, axis and value, and leave no file"
    ;;

outputs)
    # What -o names is written as the user means it: through a symbolic
    # link, into a FIFO or a device in place (never replaced by a file),
    # and over a file that keeps its permissions.
    [[ " ${runner[*]:-} " != *wine* ]] || skip "links, FIFOs and devices are the POSIX build's"
    echo old >real.c
    ln -s real.c link.c
    (umask 077 && echo old >private.c)
    mkfifo fifo.json
    { timeout 10 cat fifo.json >from-fifo.json & } 2>/dev/null  # no writer: gives up
    run --center 83 30 --radii 9 13 14 --header dial.h -o link.c
    run --center 83 30 --radii 9 13 14 --header dial.h -o private.c
    run --center 83 30 --radii 9 13 14 --format json -o fifo.json
    wait
    run --center 83 30 --radii 9 13 14 --format json -o plain.json
    [ -L link.c ] && cmp -s real.c private.c || fail "the link was replaced, or real.c not written through it"
    [ "$(stat -c %a private.c)" = 600 ] || fail "private.c's mode became $(stat -c %a private.c)"
    [ -p fifo.json ] && cmp -s from-fifo.json plain.json || fail "the FIFO was replaced, or its reader got other bytes"
    # A dangling link is written through to what it names.
    ln -s made.json dangling.json
    run --center 83 30 --radii 9 13 14 --format json -o dangling.json
    [ -L dangling.json ] && cmp -s made.json plain.json || fail "the dangling link was replaced, or made.json not written"
    # Runs that write into one directory take turns at its lock: while
    # another holds it, the pair is not written.
    if command -v flock >/dev/null; then
        flock . sleep 1.5 &
        sleep 0.3
        "${runner[@]}" "$tables" --center 83 30 --radii 9 13 14 -o pair.c &
        sleep 0.5
        [ ! -e pair.c ] || fail "the pair was written while another run held the directory"
        wait
        [ -f pair.c ] && [ -f pair.h ] || fail "the pair was not written once the lock was free"
    fi
    if [ "$(id -u)" -eq 0 ] && mknod null c 1 3 2>/dev/null; then
        run --center 83 30 --radii 9 13 14 -o null
        [ "$status" -eq 0 ] && [ -c null ] || fail "the device was replaced by a file (exit $status)"
    fi
    echo "-o writes through a link, into a FIFO and a device in place, and keeps a file's mode"
    ;;

standard-output)
    # A name that is standard output, or a descriptor, is written through
    # the descriptor the shell opened, at its offset: what the shell put
    # before and after stays. A header that is standard output beside a
    # source written there is refused.
    [ "${#runner[@]}" -eq 0 ] || skip "descriptors by name are the POSIX build's"
    dial=(--center 83 30 --radii 9 13 14 --format json)
    "$tables" "${dial[@]}" -o plain.json || die "the plain run failed"
    echo PREVIOUS >log.json
    "$tables" "${dial[@]}" -o /dev/stdout >>log.json
    { echo PREVIOUS; cat plain.json; } | cmp -s - log.json || fail "-o /dev/stdout >> log.json lost what was there"
    { echo BEFORE; "$tables" "${dial[@]}" -o /dev/stdout; echo AFTER; } >out.json
    { echo BEFORE; cat plain.json; echo AFTER; } | cmp -s - out.json || fail "{ echo; -o /dev/stdout; echo; } > out lost lines"
    echo PREVIOUS >same.json
    "$tables" "${dial[@]}" -o same.json >>same.json
    { echo PREVIOUS; cat plain.json; } | cmp -s - same.json || fail "-o same.json >> same.json replaced the file"
    echo PREVIOUS >three.json
    "$tables" "${dial[@]}" -o /dev/fd/3 3>>three.json
    { echo PREVIOUS; cat plain.json; } | cmp -s - three.json || fail "-o /dev/fd/3 3>>three.json lost what was there"
    ln -s /dev/stdout to-stdout.json
    "$tables" "${dial[@]}" -o to-stdout.json | cmp -s - plain.json || fail "a link to /dev/stdout into a pipe"
    [ -L to-stdout.json ] || fail "the link to /dev/stdout was replaced"
    for output in - /dev/stdout; do
        "$tables" --center 83 30 --radii 9 13 14 --header dial.h -o "$output" >dial.h 2>err.txt
        status=$?
        [ "$status" -eq 2 ] && [ ! -s dial.h ] && grep -q "are the same file" err.txt ||
            fail "--header dial.h -o $output > dial.h: exit $status, $(wc -c <dial.h) bytes: $(cat err.txt)"
    done
    echo "-o /dev/stdout, /dev/fd/3 and standard output's own file append where the shell opened them"
    ;;

all-or-nothing)
    # A run that fails, or is refused, leaves every file as it was, whatever
    # fails: the file, a device, a FIFO's reader, standard output, a size
    # limit, one name for two outputs. Each line: the exit status, what to
    # set up, the run, and the directory listing afterwards.
    [ "${#runner[@]}" -eq 0 ] || skip "devices, FIFOs, signals and size limits are checked on the native build"
    need prlimit
    viewer=$(dirname "$tables")/hndpos-view
    dial=(--center 83 30 --radii 9 13 14)
    while IFS='|' read -r expected setup command listing; do
        mkdir case && cd case || die "cannot make a directory"
        eval "$setup" >/dev/null
        eval "$command" >/dev/null 2>err.txt
        status=$?
        wait  # a FIFO's reader
        rm -f err.txt
        [ "$status" -eq "$expected" ] || fail "$command: exit $status, expected $expected"
        left=$(find . -mindepth 1 -printf '%P\n' | sort | tr '\n' ' ')
        [ "$left" = "$listing" ] || fail "$command: left $left"
        [ ! -f DIR.h ] || [ "$(cat DIR.h)" = old ] || fail "$command: DIR.h replaced"
        cd .. && rm -rf case
    done <<'CASES'
1|mkdir DIR; echo old >DIR.h|"$tables" "${dial[@]}" -o DIR|DIR DIR.h 
1|mkdir d|"$tables" "${dial[@]}" -o d/|d 
1|ln -s /dev/full full.c|"$tables" "${dial[@]}" -o full.c|full.c 
1|mkfifo f.c; { timeout 10 head -c 1 f.c >/dev/null & }|"$tables" "${dial[@]}" --positions 43200 60 60 -o f.c|f.c 
1||"$tables" "${dial[@]}" --header H -o - >&-|
1||prlimit --fsize=1000 "$tables" "${dial[@]}" --positions 720 60 60 -o x.c|
1||prlimit --fsize=100 "$viewer" -o pic.svg "$here/../hndpos/golden/example.c"|
1|echo old >DIR.h; chmod 444 DIR.h|"$tables" "${dial[@]}" --header DIR.h -o x.c|DIR.h 
2||"$tables" "${dial[@]}" --header x.c -o x.c|
2||"$tables" "${dial[@]}" -o -|
2|mkdir sub; ln -s sub link|"$tables" "${dial[@]}" --header ../link/x.c -o sub/x.c|link sub 
1|"$hndpos" 83 30 9 13 14; mkdir hpostbl.h|"$viewer" --emit const -o tables.c|hpostbl.c hpostbl.h 
2|"$hndpos" 83 30 9 13 14|"$viewer" --emit const -o hpostbl.h|hpostbl.c 
2|"$hndpos" 83 30 9 13 14|"$viewer" --emit data -o tables.c --header hpostbl.c|hpostbl.c 
CASES
    echo "failed and refused runs of both programs leave no file and replace none"
    ;;

terminated)
    # A run ended by SIGTERM between the header's rename and the source's
    # (the second rename held back by strace) puts the old pair back and
    # leaves no temporary.
    [ "${#runner[@]}" -eq 0 ] || skip "signals are the POSIX build's"
    need strace
    "$tables" --center 83 30 --radii 9 13 14 -o dial.c || die "the first pair"
    cp dial.c old.c && cp dial.h old.h
    strace -qq -f -o /dev/null -e trace=rename,renameat,renameat2 -e inject=rename,renameat,renameat2:delay_enter=2000000:when=2 \
        "$tables" --center 83 30 --radii 9 13 15 -o dial.c &
    sleep 1
    pkill -TERM -f -- "--radii 9 13 15" || die "no run to end"
    wait
    cmp -s dial.h old.h && cmp -s dial.c old.c || fail "the pair was not put back"
    left=$(find . -name '*.tmp*' -o -name '*.old*' | tr '\n' ' ')
    [ -z "$left" ] || fail "left behind: $left"
    echo "a run ended between the renames puts the old pair back and leaves no temporary"
    ;;

index-macros)
    # The header's index macros at every minute of 24 hours (and every
    # second of the last) for several step counts, against the floor of the
    # exact fraction; on the host and, with 16-bit int, for AVR.
    command -v cc >/dev/null || skip "cc not found"
    for positions in "60 60 60" "720 60 600" "7 3600 43200" "43200 97 1"; do
        read -r ph pm ps <<<"$positions"
        # shellcheck disable=SC2086
        run --center 160 120 --radii 60 90 100 --positions $positions --storage const -o dial.c
        [ "$status" -eq 0 ] || { fail "$positions: $(cat err.txt)"; continue; }
        {
            echo '#include "dial.h"'
            echo '#define CHECK(c) typedef char check_##c[1]'
            i=0
            for h in $(seq 0 23); do
                for m in $(seq 0 59); do
                    s=$(((h * 60 + m) % 60))
                    ms=$(((h * 7 + m * 13) % 1000))
                    hour=$((ph * ((h % 12) * 3600 + m * 60 + s) / 43200))
                    minute=$((pm * (m * 60 + s) / 3600))
                    second=$((ps * (s * 1000 + ms) / 60000))
                    echo "CHECK($i)[HNDPOS_HOUR_INDEX($h, $m, $s) == $hour && HNDPOS_MINUTE_INDEX($m, $s) == $minute && HNDPOS_SECOND_INDEX($s, $ms) == $second ? 1 : -1];"
                    i=$((i + 1))
                done
            done
            echo 'int main(void) { return HNDPOS_TIP_X(0, HNDPOS_HOUR_INDEX(23, 59, 59)) > 0 ? 0 : 1; }'
        } >checks.c
        cc -std=c99 -Wall -Wextra -pedantic -Werror -Wno-unused-local-typedefs -c checks.c -o host.o ||
            fail "host: the index macros for $positions"
        if command -v avr-gcc >/dev/null; then
            # The macros alone: an AVR object holds at most 32767 bytes, less
            # than the longest tables here.
            { grep '_INDEX(' dial.h; sed -n '2,$p' checks.c | grep -v '^int main'; } >avr.c
            avr-gcc -mmcu=atmega328p -std=c99 -Wall -Wextra -pedantic -Werror -Wno-unused-local-typedefs \
                -c avr.c -o avr.o || fail "AVR: the index macros for $positions"
        else
            echo "note: avr-gcc not found; the macros were checked on the host only"
        fi
    done
    # And at every second of 12 hours (the second hand at every seventh
    # millisecond), run on the host, for the counts the page previews.
    for positions in "720 600 360" "43200 43200 43200"; do
        read -r ph pm ps <<<"$positions"
        # shellcheck disable=SC2086
        run --center 160 120 --radii 60 90 100 --positions $positions -o every.c
        cat >every_second.c <<EOF
#include <stdio.h>
#include "every.h"
int main(void) {
    long t, wrong = 0;
    for (t = 0; t < 43200; ++t) {
        const long h = t / 3600, m = t / 60 % 60, s = t % 60, ms = t * 7 % 1000;
        wrong += HNDPOS_HOUR_INDEX(h, m, s) != (unsigned)(${ph}LL * t / 43200) ||
                 HNDPOS_MINUTE_INDEX(m, s) != (unsigned)(${pm}LL * (t % 3600) / 3600) ||
                 HNDPOS_SECOND_INDEX(s, ms) != (unsigned)(${ps}LL * (s * 1000 + ms) / 60000);
    }
    printf("%ld\n", wrong);
    return wrong != 0;
}
EOF
        cc -std=c99 -Wall -Wextra -pedantic -Werror every_second.c -o every_second && ./every_second >/dev/null ||
            fail "the index macros for $positions differ at some second of 12 hours"
    done
    echo "index macros: 1440 times of day for 4 step counts, on the host and with AVR's 16-bit int; every second of 12 hours for the page's counts"
    ;;

figures)
    # The 466x466 dial of the README: three tips, a polygon hand with a
    # tail and a ring of 60 ticks from one run, byte for byte in both
    # roundings; the nearest rounding's dial mirror-symmetric entry for
    # entry; the files compile under C99 and C++17 with every warning.
    dial=(--center 233 233 --radii 120 180 200 --figure hand 60 "-24,-6 120,0 -24,6" --figure ticks 60 "210,0 228,0")
    run "${dial[@]}" --rounding nearest --bounds -o dial.c
    [ "$status" -eq 0 ] || fail "nearest: exit $status: $(cat err.txt)"
    cmp -s dial.c "$here/golden/figures.c" && cmp -s dial.h "$here/golden/figures.h" || fail "figures.c or figures.h differs"
    run "${dial[@]}" --layout xy --format json -o -
    [ "$status" -eq 0 ] || fail "extended: exit $status: $(cat err.txt)"
    cmp -s out.txt "$here/golden/figures-extended.json" || fail "the extended rounding's JSON differs"
    run "${dial[@]}" --rounding nearest --subpixel 3 --format json -o nearest.json
    if command -v python3 >/dev/null; then
        python3 - nearest.json <<'EOF' || fail "the nearest rounding's dial is not mirror-symmetric"
import json, sys
table = json.load(open(sys.argv[1]))
cx, cy = (c * 8 for c in table["center"])
for figure in table["figures"] + [dict(h, x=[[v] for v in h["x"]], y=[[v] for v in h["y"]]) for h in table["hands"]]:
    n, xs, ys = figure["positions"], figure["x"], figure["y"]
    mirror = list(range(len(xs[0])))[::-1] if figure["name"] == "hand" else list(range(len(xs[0])))
    for k in range(n):
        for p, q in enumerate(mirror):
            assert xs[k][p] + xs[-k % n][q] == 2 * cx and ys[k][p] == ys[-k % n][q], (figure["name"], k, p)
EOF
    fi
    # A figure on a turn has its index macro, whichever comes first, --turn or --figure.
    run "${dial[@]:0:7}" --turn hand 1h "${dial[@]:7}" --rounding nearest -o turned.c
    [ "$status" -eq 0 ] && grep -q '^#define HNDPOS_HAND_INDEX(m, s) ' turned.h || fail "--turn before --figure: $(cat err.txt)"
    grep -q -- '--figure ticks 60 "210,0 228,0" --turn hand 1h --rounding nearest. \*/' turned.c ||
        fail "the source's comment names --turn in the table's order"
    if command -v cc >/dev/null; then
        echo 'int main(void) { return HNDPOS_HAND_INDEX(30, 59) == 30 && HNDPOS_HAND_INDEX(59, 59) == 59 ? 0 : 1; }' >turn.c
        cc -std=c99 -Wall -Wextra -pedantic -Werror -include turned.h turn.c turned.c -o turn && ./turn ||
            fail "a figure's index macro"
        for standard in c99 c++17; do
            language=c
            [ "$standard" = c++17 ] && language=c++
            echo 'int main(void) { return HNDPOS_HAND_X(15, 1) == 353 && HNDPOS_TICKS_BOUND(0, 3) == 23 ? 0 : 1; }' >main.c
            cc -std="$standard" -Wall -Wextra -pedantic -Werror -x "$language" -include dial.h main.c dial.c -o read &&
                ./read || fail "cc $standard: the figures do not compile or read back"
        done
    fi
    echo "a 466x466 dial of tips, a tailed hand and ticks: golden in both roundings, mirror-symmetric, strict C and C++"
    ;;

masks)
    # What --mask refuses, with exit 2 and no file; the C of a mask under
    # strict C99 and C++17, in each storage (and for AVR where avr-gcc is
    # found); the viewer naming a level edited in the JSON.
    hand=(--center 32 32 --figure hand 60 "-4,-2 20,-1 24,0 20,1 -4,2" --rounding nearest --subpixel 2)
    refusals=(
        "--mask ghost 4|option --mask: no figure is named ghost"
        "--mask hand 3|option --mask takes 1, 2, 4 or 8"
        "--mask hand 4 --mask hand 2|option --mask: the figure hand has a mask already"
        "--figure dot 4 5,0 --mask dot 1|option --mask: the figure dot has 1 point; a mask needs an outline of at least 3"
        "--figure bow 4 '0,0 10,10 10,0 0,10' --mask bow 2|the figure bow's outline crosses itself at position 0"
        "--figure far 4 '0,0 40,0 40,2' --mask far 1|the figure far's y at position 0 is -32, outside the 65536 pixels a mask covers (0 to 262143 in 1/4 pixel)"
    )
    for refusal in "${refusals[@]}"; do
        eval "extra=(${refusal%%|*})"
        run "${hand[@]}" "${extra[@]}" -o refused.c
        [ "$status" -eq 2 ] && grep -qF "${refusal#*|}" err.txt && [ ! -e refused.c ] && [ ! -e refused.h ] ||
            fail "${refusal%%|*}: exit $status: $(cat err.txt)"
    done
    if command -v cc >/dev/null; then
        echo 'int main(void) { static uint16_t f[64 * 64]; static uint8_t p[64 * 8];
            hand_mask_blend_rgb565(7, f, 64, 64, 0xF800u); hand_mask_page_1bit(7, p, 64, 64, 1);
            return HNDPOS_HAND_LEVEL(0, 32, 30) == 15 && HNDPOS_HAND_UNCHANGED(1) == 0 && f[30 * 64 + 34] ? 0 : 1; }' >main.c
        for storage in data const progmem; do
            run "${hand[@]}" --mask hand 4 --storage "$storage" -o dial.c
            for standard in c99 c++17; do
                language=c
                [ "$standard" = c++17 ] && language=c++
                cc -std="$standard" -Wall -Wextra -pedantic -Werror -x "$language" -include dial.h main.c dial.c -o read &&
                    ./read || fail "cc $standard $storage: the masks do not compile or read back"
            done
            if [ "$storage" = data ]; then
                # Far from the origin the drawing works in long, not int.
                run --center 40000 40000 --figure hand 60 "-4,-2 20,-1 24,0 20,1 -4,2" --rounding nearest \
                    --subpixel 2 --mask hand 4 -o far.c
                echo 'int main(void) { static uint16_t f[4]; hand_mask_blend_rgb565(7, f, 2, 2, 1);
                    return HNDPOS_HAND_LEVEL(0, 40000, 39998) == 15 && f[0] == 0 ? 0 : 1; }' >far_main.c
                cc -std=c99 -Wall -Wextra -pedantic -Werror -include far.h far_main.c far.c -o far && ./far ||
                    fail "a dial beyond 16-bit coordinates: the masks do not compile or read back"
            fi
            if [ "$storage" = progmem ] && command -v avr-gcc >/dev/null; then
                avr-gcc -mmcu=atmega328p -Os -std=c99 -Wall -Wextra -pedantic -Werror -include avr/pgmspace.h \
                    -include dial.h -c dial.c main.c || fail "avr-gcc: the masks in program memory do not compile"
            fi
        done
    fi
    viewer=$(dirname "$tables")/hndpos-view
    if [ -x "$viewer" ] && [ "${#runner[@]}" -eq 0 ] && command -v python3 >/dev/null; then
        run "${hand[@]}" --mask hand 4 -o dial.c
        "$viewer" --check dial.c >check.txt || fail "the viewer refuses the masks' C: $(cat check.txt)"
        grep -q "^figure hand, masks: 4 bits, 8 kept for 60 positions" check.txt || fail "the check's line: $(cat check.txt)"
        run "${hand[@]}" --mask hand 4 --format json -o dial.json
        python3 -c 'import json; d = json.load(open("dial.json")); d["masks"][0]["positions"][15]["levels"][3] ^= 1
json.dump(d, open("edited.json", "w"))'
        "$viewer" --check edited.json 2>err.txt && fail "an edited level passes"
        grep -q "the figure hand's mask at position 15, pixel (.*)'s level is" err.txt || fail "the JSON's edit: $(cat err.txt)"
    fi
    echo "the refusals of --mask; its C in three storages under strict C99 and C++17; an edited level named"
    ;;

gauge)
    # A needle over 270 degrees about a half-pixel centre: the header's
    # centre and POSITION_OF (against the nearest position in fractions, for
    # every value round the scale), and the viewer drawing it at a reading.
    need cc python3
    needle=(--center 119.5 119.5 --figure needle 61 "-12,-3 100,-1 104,0 100,1 -12,3" --arc needle -135 270
        --rounding nearest --subpixel 4 --mask needle 4)
    run "${needle[@]}" -o gauge.c
    [ "$status" -eq 0 ] || fail "the gauge: $(cat err.txt)"
    grep -q '^#define HNDPOS_CENTER_X2 239$' gauge.h && ! grep -q 'HNDPOS_CENTER_X ' gauge.h ||
        fail "the header's centre: $(grep CENTER gauge.h)"
    echo '#include <stdio.h>
        int main(void) { long v; for (v = -30; v <= 130; ++v) {
            printf("%u %u\n", HNDPOS_NEEDLE_POSITION_OF(v, 0, 100), HNDPOS_NEEDLE_POSITION_OF(v, -7, 3)); }
            return 0; }' >main.c
    cc -std=c99 -Wall -Wextra -pedantic -Werror -include gauge.h main.c gauge.c -o positions && ./positions >found.txt ||
        fail "POSITION_OF does not compile"
    python3 -c 'from fractions import Fraction as F
import math
def nearest(v, low, high):  # the nearest of 0..60, halfway going up, clamped
    place = min(max(F(v - low, high - low) * 60, 0), 60)
    return math.floor(place + F(1, 2))
for v in range(-30, 131): print(nearest(v, 0, 100), nearest(v, -7, 3))' >want.txt
    cmp -s found.txt want.txt || fail "POSITION_OF: $(diff found.txt want.txt | head -4)"
    viewer=$(dirname "$tables")/hndpos-view
    if [ -x "$viewer" ] && [ "${#runner[@]}" -eq 0 ]; then
        for value in 0 -5 75 100 250; do
            "$viewer" --reading needle "$value" 0 100 gauge.c -o "at$value.svg" || fail "the viewer at $value"
        done
        cmp -s at0.svg at-5.svg && cmp -s at100.svg at250.svg && ! cmp -s at0.svg at75.svg ||
            fail "the viewer's readings do not clamp or do not move the needle"
        grep -q 'centre 119.5:119.5' at75.svg || fail "the legend's centre"
        "$viewer" --reading hand 1 0 100 gauge.c -o no.svg 2>err.txt
        [ $? -eq 1 ] && grep -q -- '--reading: no figure is named hand' err.txt || fail "an unknown reading: $(cat err.txt)"
    fi
    echo "a gauge about a half-pixel centre: its header's centre, POSITION_OF for every value, readings drawn"
    ;;

strict-gcc | strict-clang)
    # The C and its header for every type and storage, C99 and C++17, with
    # every warning a strict firmware build turns on, by gcc or by clang; a
    # program reads every entry back through the header's macros and prints
    # it, and the printout equals the JSON.
    compiler=${case_name#strict-}
    need python3 "$compiler"
    checks=0
    for type in u16 i16 i32 u8; do
        center="160 120"
        [ "$type" = i16 ] && center="-100 120"
        [ "$type" = u8 ] && center="100 110"
        # shellcheck disable=SC2086
        run --center $center --radii 60 90 100 --positions 720 7 60 --type $type --format json -o tables.json
        table_entries tables.json >expected.txt
        for storage in data const progmem; do
            # shellcheck disable=SC2086
            run --center $center --radii 60 90 100 --positions 720 7 60 --type $type --storage $storage \
                --prefix face_ -o dial.c
            [ "$status" -eq 0 ] || { fail "$type $storage: $(cat err.txt)"; continue; }
            extra=()
            [ "$compiler" = clang ] && extra=(-Wmissing-variable-declarations)
            for standard in c99 c++17; do
                language=(-x c)
                [ "$standard" = c++17 ] && language=(-x c++)
                checks=$((checks + 1))
                if ! "$compiler" -std="$standard" -Wall -Wextra -pedantic -Werror "${extra[@]}" "${language[@]}" \
                    -I. -DTABLES_HEADER='"dial.h"' -DTABLES_PREFIX=FACE_ dial.c "$here/print_entries.c" -o read \
                    2>compile.log; then
                    fail "$compiler $standard $type $storage: $(cat compile.log)"
                elif ! ./read | cmp -s - expected.txt; then
                    fail "$compiler $standard $type $storage: the entries read back differ from the JSON"
                fi
            done
        done
    done
    echo "$checks strict $compiler compilations of the C and its header, every entry read back through the macros"
    ;;

*)
    fail "unknown case"
    ;;
esac
[ "$failures" -eq 0 ]
