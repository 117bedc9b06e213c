#!/usr/bin/env bash
# Cycles per tip read on a simulated ATmega328P, and flash and RAM of the
# firmware examples for each storage.
#
#   avr_cycles.sh HNDPOS_PREFIX   (an installed hndpos: bin/ and lib/cmake/hndpos)
set -euo pipefail
prefix=$(realpath "$1")
here=$(realpath "$(dirname "$0")")
examples="$here/../examples"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

for layout in "bytes:hndpos" "u16:hndpos-tables"; do
    if [ "${layout%%:*}" = bytes ]; then
        "$prefix/bin/hndpos" 63 31 20 28 30 >/dev/null
        "$prefix/bin/hndpos-view" --emit progmem -o tables.c hpostbl.c
    else
        "$prefix/bin/hndpos-tables" --center 63 31 --radii 20 28 30 --type u16 --storage progmem --header hpostbl.h -o tables.c
    fi
    # A hand with a tail as a figure, its corners in program memory.
    "$prefix/bin/hndpos-tables" --center 63 31 --figure hand 60 "-5,-3 20,0 -5,3" --storage progmem --prefix fig_ \
        --header figure.h -o figure.c
    # The same hand as a 1-bit mask.
    "$prefix/bin/hndpos-tables" --center 63 31 --figure hand 60 "-5,-3 20,0 -5,3" --mask hand 1 --storage progmem \
        --prefix msk_ --header mask.h -o mask.c
    avr-gcc -mmcu=atmega328p -DF_CPU=16000000UL -Os -std=c99 -DWITH_FIGURE -I. -I"$examples/common" -o cycles.elf \
        "$here/avr_cycles.c" "$examples/common/dial.c" tables.c figure.c mask.c -lm
    echo "${layout%%:*} entries:"
    timeout 60 simavr -m atmega328p -f 16000000 cycles.elf 2>&1 >/dev/null | sed 's/\x1b\[[0-9;]*m//g' |
        grep -v '^Loaded ' | sed 's/\.$//; s/^/  /'
done

echo "flash (text + data) and RAM (data + bss) of the examples, in bytes:"
for example in avr-clock:avr.cmake cortex-m-clock:cortex-m3.cmake; do
    name=${example%%:*}
    size_tool=$([ "$name" = avr-clock ] && echo avr-size || echo arm-none-eabi-size)
    for storage in DATA CONST PROGMEM; do
        cmake -S "$examples/$name" -B "$work/$name-$storage" --toolchain "$examples/$name/${example#*:}" \
            -Dhndpos_DIR="$prefix/lib/cmake/hndpos" -DCLOCK_STORAGE=$storage -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
        for program in clock clock_wide clock_shapes; do
            [ "$name" = cortex-m-clock ] || [ "$program" != clock_shapes ] || continue
            if ! cmake --build "$work/$name-$storage" --target $program >/dev/null 2>&1; then
                printf '  %-36s does not fit the device\n' "$name $program $storage"
                continue
            fi
            "$size_tool" "$work/$name-$storage/$program" | awk -v what="$name $program $storage" \
                'NR == 2 { printf "  %-36s flash %6d  RAM %6d\n", what, $1 + $2, $2 + $3 }'
        done
    done
done
