#!/usr/bin/env bash
# hndpos-view end to end: round trips with hndpos, refusals, the command
# line, and the picture rendered by a real browser.
#
#   view.sh CASE HNDPOS HNDPOS_VIEW [RUNNER...]
#
# RUNNER, when given, starts the programs (an emulator such as wine or qemu).
set -u
case_name=$1
hndpos=$(realpath "$2")
viewer=$(realpath "$3")
# hndpos-tables is built beside the viewer, with its suffix (.exe).
tables="$(dirname "$viewer")/hndpos-tables${viewer##*/hndpos-view}"
shift 3
who="[$case_name]"
# shellcheck source=../../harness.sh
. "$(dirname "$0")/../../harness.sh"

# Under a runner, each program is a small script that starts it there.
if [ "$#" -gt 0 ]; then
    mkdir "$work/bin"
    for name in hndpos viewer tables; do
        printf '#!/bin/sh\nexec' >"$work/bin/$name"
        for word in "$@" "${!name}"; do printf " '%s'" "${word//\'/\'\\\'\'}" >>"$work/bin/$name"; done
        printf ' "$@"\n' >>"$work/bin/$name"
        chmod +x "$work/bin/$name"
    done
    hndpos="$work/bin/hndpos"
    viewer="$work/bin/viewer"
    tables="$work/bin/tables"
fi

case "$case_name" in
round-trip)
    for parameters in "83 30 9 13 14" "0 0 0 0 0" "250 2 10 -10 300" "-173 339 -9 -13 -2147483647" "127 128 2147483647 1000003 65537" '$7F $FFFFFFFF 1 2 3'; do
        # shellcheck disable=SC2086
        "$hndpos" $parameters >/dev/null || { fail "hndpos $parameters"; continue; }
        "$viewer" -o dial.svg 2>err.txt || fail "refused what hndpos wrote for $parameters: $(cat err.txt)"
        grep -q '</svg>' dial.svg || fail "no picture for $parameters"
        "$viewer" hpostbl.c -o - >stdout.svg && cmp -s stdout.svg dial.svg || fail "-o - differs from -o FILE"
        "$viewer" - -o - <hpostbl.c | cmp -s - dial.svg || fail "reading standard input differs"
    done
    ;;
refusals)
    "$hndpos" 83 30 9 13 14 >/dev/null
    cp hpostbl.c good.c
    check() {  # DESCRIPTION LINE: hpostbl.c is refused at LINE
        "$viewer" -o dial.svg 2>err.txt
        local status=$?
        [ "$status" -eq 1 ] || fail "$1: exit status $status"
        grep -q "^hndpos-view: hpostbl.c:$2: " err.txt || fail "$1: expected line $2 in: $(cat err.txt)"
        cp good.c hpostbl.c
    }
    head -c 1000 good.c >hpostbl.c; check "truncated" 19
    sed 's/87,87,88/87,86,88/' good.c >hpostbl.c; check "a changed number" 3
    sed 's/80,82};/80,82,/' good.c >hpostbl.c; check "a missing };" 14
    sed '5s/^/\xff/' good.c >hpostbl.c; check "a non-Shift_JIS line" 5
    rm hpostbl.c
    "$viewer" 2>err.txt; [ $? -eq 1 ] && grep -q "cannot read hpostbl.c" err.txt || fail "missing file: $(cat err.txt)"
    ;;
command-line)
    "$hndpos" 83 30 9 13 14 >/dev/null
    "$viewer" --help | grep -q "^Usage: hndpos-view" || fail "--help"
    "$viewer" -h | cmp -s - <("$viewer" --help) || fail "-h differs from --help"
    version=$(sed -n 's/^project(hndpos VERSION \([0-9.]*\).*/\1/p' "$here/../../../CMakeLists.txt")
    "$viewer" --version | grep -q "^hndpos-view $version$" || fail "--version"
    for bad in "--time 25:00:00" "--time 10:8:30" "-t" "--scale 0" "--scale 65" "--bogus" "a.c b.c" "-o" \
        "--display 128" "--display 0x64" "--display=65536x1" "--emit rom" "--prefix 1a --emit const" \
        "--prefix a_" "--check --emit const" "--check --to-utf8"; do
        # shellcheck disable=SC2086
        "$viewer" $bad >out.txt 2>err.txt
        status=$?
        [ "$status" -eq 2 ] || fail "'$bad': exit status $status, expected 2"
        [ ! -s out.txt ] || fail "'$bad' wrote to standard output"
        grep -q "^hndpos-view: " err.txt || fail "'$bad': no message on standard error"
    done
    "$viewer" --time=23:59:59 --scale=2 -o dial.svg || fail "--time=23:59:59 --scale=2"
    grep -q "time 23:59:59" dial.svg || fail "the legend does not show the time"
    ;;
check)
    # The bounds of each hand; the first tip that leaves the panel or wraps.
    "$hndpos" 83 30 9 13 14 >/dev/null
    "$viewer" --check >out.txt 2>err.txt || fail "--check refused the example: $(cat err.txt)"
    printf 'hour hand: x 74 to 92, y 21 to 39\nminute hand: x 70 to 96, y 17 to 43\nsecond hand: x 69 to 97, y 16 to 44\n' |
        cmp -s - out.txt || fail "--check printed: $(cat out.txt)"
    "$viewer" --check --display 128x64 >/dev/null 2>err.txt || fail "128x64 refused: $(cat err.txt)"
    "$viewer" -c -d 96x44 >out.txt 2>err.txt
    [ $? -eq 1 ] || fail "96x44: exit status, expected 1"
    grep -qx "hndpos-view: hpostbl.c: the minute hand's x at position 13 is 96, outside the 96x44 display (0 to 95)" err.txt ||
        fail "96x44: $(cat err.txt)"
    [ "$(wc -l <out.txt)" -eq 3 ] || fail "the bounds are printed also when the check fails"
    "$hndpos" 250 100 10 5 5 >/dev/null
    "$viewer" --check >/dev/null 2>err.txt
    [ $? -eq 1 ] && grep -q "the hour hand's x at position 6 is 256, which wraps modulo 256 to 0 in the table" err.txt ||
        fail "a wrapped tip: $(cat err.txt)"
    # The picture draws the panel's outline.
    "$hndpos" 83 30 9 13 14 >/dev/null
    "$viewer" --display 128x64 -o dial.svg && grep -q '<rect id="display" x="0" y="0" width="1024" height="512"' dial.svg ||
        fail "no outline of the display in the picture"
    ;;
wide)
    # hndpos-tables' C and JSON for today's panels: checked against the
    # panel, drawn at the panel's size, and refused where an entry, the
    # header or the file's end is not what hndpos-tables wrote.
    while read -r panel file center_x center_y hour minute second positions; do
        w=${panel%x*} h=${panel#*x}
        format=c
        [ "${file##*.}" = json ] && format=json
        # shellcheck disable=SC2086
        "$tables" --center "$center_x" "$center_y" --radii "$hour" "$minute" "$second" --positions $positions \
            --format "$format" -o "$file" || { fail "hndpos-tables for $panel"; continue; }
        "$viewer" --check --display "$w" "$h" "$file" >out.txt 2>err.txt || fail "$panel: $file refused: $(cat err.txt)"
        [ "$(wc -l <out.txt)" -eq 3 ] || fail "$panel: no bounds: $(cat out.txt)"
        # The second hand's tip at 3 o'clock is pixel centre + radius.
        narrow=$((center_x + second))
        "$viewer" --check --display "${narrow}x$h" "$file" >/dev/null 2>err.txt
        [ $? -eq 1 ] && grep -q "second hand's x at position .* is $narrow, outside the ${narrow}x" err.txt ||
            fail "$panel: narrower panel: $(cat err.txt)"
        "$viewer" --display "$panel" --time 10:08:30 "$file" -o dial.svg 2>err.txt || fail "$panel: no picture: $(cat err.txt)"
        grep -q "<rect id=\"display\" x=\"0\" y=\"0\" width=\"$((w * 8))\" height=\"$((h * 8))\"" dial.svg ||
            fail "$panel: the picture lacks the panel at scale 8"
        grep -q "hour radius $hour, ${positions%% *} positions" dial.svg || fail "$panel: the legend"
    done <<'PANELS'
128x64 dial128.c 63 31 16 24 28 60 60 60
320x240 dial320.c 160 120 60 90 100 720 60 60
466x466 dial466.json 233 233 120 180 210 720 3600 60
PANELS
    "$tables" --center 160 120 --radii 60 90 100 --storage progmem --prefix tft_ --type i32 -o progmem.c &&
        "$viewer" --check progmem.c >/dev/null 2>err.txt || fail "progmem, prefix and i32 refused: $(cat err.txt)"
    # Refusals, each naming the line.
    refused() {  # DESCRIPTION FILE EXPECTED-TEXT
        "$viewer" --check "$2" >/dev/null 2>err.txt
        local status=$?
        [ "$status" -eq 1 ] && grep -q "$3" err.txt || fail "$1: status $status: $(cat err.txt)"
    }
    sed '9s/^    63,/    64,/' dial128.c >edited.c
    refused "an edited C entry" edited.c "^hndpos-view: edited.c:9: the hour hand's x at position 0 is 64, but the parameters give 63"
    head -c 900 dial128.c >cut.c
    refused "a truncated C source" cut.c "found the end of the file"
    sed 's/\[233, 233\]/[233, 232]/' dial466.json >moved.json
    refused "a JSON centre that does not fit its entries" moved.json "the hour hand's y at position 0 is 113, but the parameters give 112"
    tr -d '\n' <dial466.json | sed 's/, /,\n /g' >reflowed.json
    "$viewer" --check reflowed.json >/dev/null 2>err.txt || fail "reformatted JSON refused: $(cat err.txt)"
    cp dial128.c pair.c && "$tables" --center 1 1 --radii 1 1 1 -o other.c && cp other.h dial128.h
    refused "a header of another run" pair.c "dial128.h:.*not the header hndpos-tables writes with pair.c"
    # A byte table that wraps: the message gives the command that writes
    # the true coordinates, and that command's tables fit the panel.
    "$hndpos" 300 120 60 90 100 >/dev/null
    "$viewer" --check --display 466x466 >/dev/null 2>err.txt
    [ $? -eq 1 ] || fail "a wrapped tip was accepted"
    command=$(sed -n 's/^hndpos-view: for this dial.s true coordinates, run: //p' err.txt)
    [ "$command" = "hndpos-tables --center 300 120 --radii 60 90 100 --display 466x466 -o dial.c" ] ||
        fail "the advice: $(cat err.txt)"
    # shellcheck disable=SC2086
    "$tables" ${command#hndpos-tables } && "$viewer" --check --display 466x466 dial.c >/dev/null ||
        fail "the advised command's tables"
    ;;
figures)
    # Figures read back from every form hndpos-tables writes them in,
    # checked against a panel, drawn, and refused where edited.
    dial=(--center 233 233 --radii 120 180 200 --figure hand 60 "-24,-6 120,0 -24,6" --figure ticks 60 "210,0 228,0")
    for options in "" "--rounding nearest --bounds" "--layout xy --subpixel 3 --storage progmem --prefix f_"; do
        # shellcheck disable=SC2086
        "$tables" "${dial[@]}" $options -o dial.c && "$viewer" --check --display 466x466 dial.c >out.txt 2>err.txt ||
            fail "C with '$options' refused: $(cat err.txt)"
        grep -q "^figure ticks: x " out.txt || fail "C with '$options': no figure bounds: $(cat out.txt)"
        # shellcheck disable=SC2086
        "$tables" "${dial[@]}" ${options%--storage*} --format json -o dial.json &&
            "$viewer" --check --display 466x466 dial.json >/dev/null 2>err.txt ||
            fail "JSON with '$options' refused: $(cat err.txt)"
    done
    "$viewer" --check --display 460x466 dial.json >/dev/null 2>err.txt
    [ $? -eq 1 ] && grep -q "the figure ticks's x at position 15, point 1 is 3688, outside the 460x466 display (0 to 3679 in 1/8 pixel)" err.txt ||
        fail "a tick off a narrower panel: $(cat err.txt)"
    "$tables" --center 40 40 --figure ring 12 "30,0 36,0" --figure dot 4 "20,0" -o alone.c &&
        "$viewer" --check alone.c >out.txt 2>err.txt && [ "$(cat out.txt)" = "$(printf 'figure ring: x 4 to 76, y 4 to 76\nfigure dot: x 20 to 60, y 20 to 60')" ] ||
        fail "figures alone: $(cat out.txt err.txt)"
    "$viewer" --time 03:00:00 dial.c -o dial.svg && grep -q '<g id="figure-hand"' dial.svg && grep -q '<polygon' dial.svg ||
        fail "the picture lacks the figures"
    sed '0,/^    {40, 40},$/s//    {40, 41},/' alone.c >edited.c
    "$viewer" --check edited.c >/dev/null 2>err.txt
    [ $? -eq 1 ] && grep -q 'edited.c:9: expected "    {40, 40},", found "    {40, 41},"' err.txt ||
        fail "an edited figure entry: $(cat err.txt)"
    "$tables" --center 1 2 --figure a 4 '1,0 -3,16' --bounds --format json -o a.json
    sed 's/"bounds": \[\[1, 1, 17, 5\]/"bounds": [[1, 1, 17, 6]/' a.json >edited.json
    "$viewer" --check edited.json >/dev/null 2>err.txt
    [ $? -eq 1 ] && grep -q 'edited.json:2: the figure a.s "bounds" at position 0, item 3 is 6, but the parameters give 5' err.txt ||
        fail "an edited box: $(cat err.txt)"
    # Each figure on its own turn: at 10:08:30, three shaped hands stand at
    # their own indices (one polygon or line each), the ring at every
    # position; a picture of too many lines is refused, pointing to --check.
    "$tables" --center 233 233 --figure hourh 720 "-15,-5 65,0 -15,5" --figure minuteh 720 "-18,-4 95,0 -18,4" \
        --figure secondh 60 "-22,0 108,0" --turn hourh 12h --turn minuteh 1h --turn secondh 1m \
        --figure ticks 60 "210,0 228,0" --rounding nearest --format json -o face.json || fail "the face's tables"
    "$viewer" --time 10:08:30 face.json -o face.svg || fail "the face's picture"
    python3 - face.json face.svg <<'PY' || fail "the face's hands stand elsewhere"
import json, re, sys
table, svg = json.load(open(sys.argv[1])), open(sys.argv[2]).read()
def group(name):
    return re.search(r'<g id="figure-%s"[^>]*>(.*?)</g>' % name, svg, re.S).group(1)
figures = {f["name"]: f for f in table["figures"]}
for name, k in (("hourh", 720 * (10 * 3600 + 8 * 60 + 30) // 43200), ("minuteh", 720 * (8 * 60 + 30) // 3600)):
    polygons = re.findall(r'points="([^"]*)"', group(name))
    assert len(polygons) == 1, (name, len(polygons))
    corners = [tuple(int(v) for v in p.split(",")) for p in polygons[0].split()]
    assert corners == [(x * 8 + 4, y * 8 + 4) for x, y in zip(figures[name]["x"][k], figures[name]["y"][k])], name
second = group("secondh")
assert '<polygon' not in second and second.count("<rect") < 140, "the second hand is one line"
assert group("ticks").count("<rect") >= 60 * 10, "the ring at every position"
PY
    "$tables" --center 1100 1100 --figure hand 43200 "-20,0 1000,0" -o spokes.c
    status=0
    timeout 20 "$viewer" -o spokes.svg spokes.c 2>err.txt || status=$?
    [ "$status" -eq 1 ] && [ ! -e spokes.svg ] && grep -q "squares and polygons of figures; --check reports" err.txt ||
        fail "43200 spokes: exit $status: $(cat err.txt)"
    echo "figures from C (both layouts, progmem, sub-pixels) and JSON: checked, bounded, drawn on their turns; edits refused"
    ;;
to-utf8)
    # The program's texts in UTF-8, as iconv reads the same Shift_JIS: the
    # console of a run, of the usage text and of two failure reports, and
    # the table file.
    need iconv
    same_as_iconv() {  # FILE
        "$viewer" --to-utf8 "$1" >mine.txt || fail "--to-utf8 $1"
        iconv -f SHIFT_JIS -t UTF-8 "$1" | cmp -s - mine.txt || fail "--to-utf8 differs from iconv for $1: $(head -c 300 mine.txt)"
    }
    for parameters in "83 30 9 13 14" "" '1 2 $80000000 4 5'; do
        # shellcheck disable=SC2086
        "$hndpos" $parameters >console.bin
        same_as_iconv console.bin
    done
    same_as_iconv hpostbl.c
    mkdir denied && mkdir denied/hpostbl.c && (cd denied && "$hndpos" 1 2 3 4 5 >../console.bin)
    same_as_iconv console.bin
    "$viewer" --to-utf8 console.bin | grep -q "ﾌｧｲﾙへのｱｸｾｽが拒否されました\.$(printf "\r")$" || fail "the access-denied report"
    # The English reading knows every line the program writes.
    for file in console.bin hpostbl.c; do
        "$viewer" --to-utf8 --english "$file" >english.txt || fail "--english $file"
        ! grep -q "untranslated" english.txt || fail "--english leaves lines of $file untranslated: $(grep untranslated english.txt)"
    done
    "$hndpos" 83 30 9 13 14 >console.bin
    "$viewer" --to-utf8 --english console.bin | grep -qx "centre 83, 30; hour hand 9, minute hand 13, second hand 14" ||
        fail "--english does not name the summary's values"
    "$hndpos" 1 2 '$80000000' 4 5 >console.bin
    "$viewer" --to-utf8 --english console.bin | grep -q "^EInvalidOp (a floating-point result could not be converted" ||
        fail "--english does not explain the failure class"
    # A lead byte without its trail byte stands alone; the CR after it is kept.
    printf 'ab\x81\r\ncd\r\n' | "$viewer" --to-utf8 - | cmp -s - <(printf 'ab\xef\xbf\xbd\r\ncd\r\n') ||
        fail "a lone lead byte swallows the byte after it"
    ;;
browser)
    browser=$(command -v chromium || command -v chromium-browser)
    [ -n "$browser" ] || skip "chromium not found (Debian package chromium)"
    need python3
    "$hndpos" 83 30 9 13 14 >/dev/null
    "$viewer" --time 10:08:30 --scale 8 -o dial.svg || fail "viewer"
    read -r width height < <(sed -n 's/.*<svg [^>]*width="\([0-9]*\)" height="\([0-9]*\)".*/\1 \2/p' dial.svg)
    timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking \
        --disable-component-update --no-first-run --user-data-dir="$work/profile" --hide-scrollbars \
        --force-device-scale-factor=1 --window-size="$width,$height" --screenshot="$work/dial.png" \
        "file://$work/dial.svg" >browser.log 2>&1
    [ -s dial.png ] || { fail "no screenshot: $(tail -3 browser.log)"; exit 1; }
    # The example's picture starts at display pixel (67, 14): two pixels
    # before the leftmost and topmost entries. Display pixel (x, y) is the
    # 8x8 square at ((x - 67)·8, (y - 14)·8); its middle is checked: the
    # centre, the second hand (at 30) and the tips of the hour hand (at 50)
    # and the minute hand (at 8), a faint hour tip and second tip (35% over
    # white), and the background.
    python3 "$here/png_pixels.py" dial.png 67 14 8 \
        "83,30=#000000" \
        "83,40=#2ca02c" "83,44=#2ca02c" \
        "75,26=#d62728" \
        "93,21=#1f77b4" \
        "92,30=#f1b3b4" \
        "69,30=#b5deb5" \
        "68,15=#ffffff" || fail "pixel colours"
    ;;
emit)
    # The tables for firmware and their header beside them, as the golden
    # files hold them, compiling alone under strict C (and for AVR).
    "$hndpos" 83 30 9 13 14 >/dev/null
    for storage in data const progmem; do
        mkdir "$storage"
        "$viewer" --emit "$storage" -o "$storage/hpostbl_$storage.c" hpostbl.c || fail "--emit $storage"
        cmp -s "$storage/hpostbl.h" "$here/golden/example-$storage.h" || fail "--emit $storage: the header differs"
        if [ "$storage" = data ]; then
            cmp -s "$storage/hpostbl_data.c" hpostbl.c || fail "--emit data does not write the table file as it is"
            flags=(-include hpostbl.h -Wno-missing-braces)
        else
            cmp -s "$storage/hpostbl_$storage.c" "$here/golden/example-$storage.c" || fail "--emit $storage: the source differs"
            flags=()
        fi
        (cd "$storage" && cc -std=c99 -Wall -Wextra -pedantic -Werror "${flags[@]}" -c "hpostbl_$storage.c") ||
            fail "--emit $storage does not compile with its header"
        if [ "$storage" = progmem ] && command -v avr-gcc >/dev/null; then
            (cd "$storage" && avr-gcc -mmcu=atmega328p -std=c99 -Wall -Wextra -pedantic -Werror -c hpostbl_progmem.c) ||
                fail "--emit progmem does not compile for AVR"
        fi
    done
    ;;
unreadable)
    # Input that cannot be read, or that is no table, and command-line
    # slips: each refused with its exit status and message, nothing else.
    "$hndpos" 250 100 10 5 5 >/dev/null
    cp hpostbl.c wraps.c
    "$hndpos" 83 30 9 13 14 >/dev/null
    cp hpostbl.c ./-dash.c
    while IFS='|' read -r expected message command; do
        status=0
        timeout 20 bash -c "$command" >out.txt 2>err.txt || status=$?
        [ "$status" -eq "$expected" ] || fail "$command: exit status $status, expected $expected: $(head -c 300 err.txt)"
        grep -qF -- "$message" err.txt || fail "$command: no '$message' in: $(head -c 300 err.txt)"
    done <<CASES
1|hndpos-view: cannot read /tmp: Is a directory|"$viewer" /tmp
1|hndpos-view: cannot read /tmp: Is a directory|"$viewer" --check /tmp
1|hndpos-view: cannot read /tmp: Is a directory|"$viewer" --emit const /tmp
1|hndpos-view: cannot read /tmp: Is a directory|"$viewer" --to-utf8 /tmp
1|hndpos-view: cannot read standard input: Is a directory|"$viewer" --to-utf8 - </tmp
1|hndpos-view: cannot read standard input: Bad file descriptor|"$viewer" --to-utf8 - <&-
1|hndpos-view: cannot read /proc/self/mem: Input/output error|"$viewer" --check /proc/self/mem
1|hndpos-view: cannot read /dev/zero: larger than 256 MiB, and hndpos-tables writes no table file that large|"$viewer" --check /dev/zero
1|hndpos-view: cannot write standard output|"$viewer" --help >/dev/full
1|hndpos-view: cannot write standard output|"$viewer" --version >/dev/full
2|option --check is given more than once|"$viewer" --check -c
2|option --output is given more than once|"$viewer" -o a.svg --output=b.svg
2|option --header needs a file name that can stand in #include|"$viewer" --emit const --header=\$'a\\nb.h'
1|the hour hand's x at position 6 is 256, which wraps modulo 256 to 0 in the table|"$viewer" --check wraps.c
CASES
    # No output is the input: named, through a link, or read as standard input.
    cp wraps.c own.c
    ln -s own.c own-link.c
    for command in "-o own.c own.c" "--check -o own.c own.c" "--to-utf8 -o own.c own.c" "-o own-link.c own.c" \
        "--to-utf8 -o own.c - <own.c"; do
        status=0
        eval "\"\$viewer\" $command" >/dev/null 2>err.txt || status=$?
        [ "$status" -eq 2 ] && cmp -s own.c wraps.c && grep -q "is the input" err.txt ||
            fail "hndpos-view $command: exit $status, own.c changed or: $(cat err.txt)"
    done
    # --check's report through a name for standard output appends to it.
    echo PREVIOUS >log.txt
    "$viewer" --check -o /dev/stdout -- -dash.c >>log.txt
    [ "$(head -n 1 log.txt)" = PREVIOUS ] && [ "$(wc -l <log.txt)" -eq 4 ] || fail "--check -o /dev/stdout >> log.txt"
    # A FIFO named like the header beside a C source is no header: refused, at once.
    mkdir fifo && "$tables" --center 83 30 --radii 9 13 14 -o fifo/dial.c && rm fifo/dial.h && mkfifo fifo/dial.h
    status=0
    timeout 10 "$viewer" --check fifo/dial.c >/dev/null 2>err.txt || status=$?
    [ "$status" -eq 1 ] && grep -q "fifo/dial.h: not a file" err.txt || fail "a FIFO header: exit $status: $(cat err.txt)"
    "$viewer" --check wraps.c >out.txt 2>/dev/null
    [ ! -s out.txt ] || fail "a wrapped table's bounds were printed: $(cat out.txt)"
    "$viewer" --check -- -dash.c >out.txt 2>err.txt || fail "-- does not end the options: $(cat err.txt)"
    ;;
*)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac

[ "$failures" -eq 0 ] || exit 1
echo "PASS [$case_name]"
