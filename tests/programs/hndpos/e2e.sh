#!/usr/bin/env bash
# End-to-end cases: runs the real program in a fresh temporary directory and
# compares its standard output, its hpostbl.c and its exit status byte for
# byte with the golden files.
#
#   e2e.sh CASE PROGRAM [RUNNER...]
#
# RUNNER, when given, starts the program (an emulator such as wine or qemu).
set -u
export LC_ALL=C

case_name=$1
program=$(realpath "$2")
shift 2
runner=("$@")
who="[$case_name]"
# shellcheck source=../../harness.sh
. "$(dirname "$0")/../../harness.sh"
golden="$here/golden"
module_name=$(basename "$program")

# run ARG...: the program's stdout to out.bin, stderr to err.bin, status to $status.
run() {
    timeout 10 "${runner[@]}" "$program" "$@" >out.bin 2>err.bin
    status=$?
}
# run_example_under COMMAND...: the example's run, started by COMMAND.
run_example_under() {
    timeout 20 "$@" "${runner[@]}" "$program" 83 30 9 13 14 >out.bin 2>err.bin
    status=$?
}

expect_status() {
    [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
}

expect_no_stderr() {
    [ ! -s err.bin ] || fail "unexpected standard error: $(head -c 300 err.bin)"
}

expect_stdout_file() {
    cmp -s out.bin "$1" || fail "standard output differs from $(basename "$1"): $(cmp out.bin "$1" 2>&1)"
}

expect_table_file() {
    [ -f hpostbl.c ] || { fail "no hpostbl.c"; return; }
    cmp -s hpostbl.c "$1" || fail "hpostbl.c differs from $(basename "$1"): $(cmp hpostbl.c "$1" 2>&1)"
}

expect_no_table_file() {
    [ ! -e hpostbl.c ] || fail "hpostbl.c was written"
}

expect_example() {  # the example's whole run: status 0, its console text and table
    expect_status 0
    expect_stdout_file "$golden/example.stdout"
    expect_table_file "$golden/example.c"
}

# Shift_JIS pieces of the failure report and messages.
# text NAME: a text's printf escapes, from their one definition.
text() { sed -n "s/^$1\t//p" "$here/../../data/program-texts.txt"; }
report_head() {  # CLASS: "<class>がﾓｼﾞｭｰﾙ <module> の XXXXXXXX で発生しました。" LF
    printf "%s$(text occurred_in_module)%s$(text at_offset)XXXXXXXX$(text occurred)\n" "$1" "$module_name"
}
access_denied=$(text access_denied)
invalid_op=$(text invalid_op)
io_error() { printf "$(text io_error)%s)" "$1"; }

# The report's code offset depends on the build; mask it before comparing.
masked_stdout() {
    sed -E 's/ \x82\xcc [0-9A-F]{8} \x82\xc5/ \x82\xcc XXXXXXXX \x82\xc5/' out.bin
}

# expect_report_after GOLDEN_STDOUT CLASS MESSAGE: what the golden file
# holds, then the report of CLASS with MESSAGE.
expect_report_after() {
    { cat "$1"; report_head "$2"; printf "$3"; printf '.\r\n'; } >expected.bin
    masked_stdout >actual.bin
    cmp -s actual.bin expected.bin ||
        fail "${4:-}report differs: $(cmp actual.bin expected.bin 2>&1); got: $(tail -c 200 out.bin | od -c | head -5)"
}

case_golden() {  # NAME ARG...: a complete run against its golden files
    local name=$1
    shift
    run "$@"
    expect_status 0
    expect_stdout_file "$golden/$name.stdout"
    expect_table_file "$golden/$name.c"
    expect_no_stderr
}

case_usage() {  # ARG...: the usage text, no file, status 0
    run "$@"
    case_usage_checks
    expect_no_stderr
}
case_usage_checks() {
    expect_status 0
    expect_stdout_file "$golden/usage.stdout"
    expect_no_table_file
}

case_invalid_op() {  # NAME ARG...: the file keeps the rows before the failing entry
    local name=$1
    shift
    run "$@"
    expect_status 1
    expect_table_file "$golden/$name.c"
    expect_report_after "$golden/$name.stdout" EInvalidOp "$invalid_op"
    expect_no_stderr
}

# A failure of the table file: the summary was printed, then the report.
case_file_failure() {  # MESSAGE: after the example's console text
    expect_status 1
    expect_report_after "$golden/example.stdout" EInOutError "$1"
    expect_no_stderr
}

# LeakSanitizer cannot run under ptrace: a sanitizer build traced by strace
# checks everything else.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

under_wine() { [[ " ${runner[*]:-} " == *wine* ]]; }

# Wine keeps its settings in a prefix owned by the user who runs it; another
# user needs one of its own, made once.
unprivileged_wine_prefix() {
    local prefix=${TMPDIR:-/tmp}/hndpos-wine-65534
    if [ ! -f "$prefix/.made" ]; then
        rm -rf "$prefix"
        mkdir -p "$prefix"
        chown 65534:65534 "$prefix"
        timeout 180 setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$prefix" WINEPREFIX="$prefix" \
            wineboot -i >/dev/null 2>&1 || skip "could not make a wine prefix for an unprivileged user"
        touch "$prefix/.made"
    fi
    echo "$prefix"
}

# The golden runs, by name, from the manifest that tools/reference.py writes.
golden_run=()
while IFS=$'\t' read -r -a fields; do
    [ "${fields[0]}" = "$case_name" ] && golden_run=("${fields[@]:1}")
done < <(grep -v '^#' "$golden/cases.tsv")

case "$case_name" in
invalid-op-*) case_invalid_op "${golden_run[@]}" ;;
usage-no-arguments) case_usage ;;
usage-four-arguments) case_usage 83 30 9 13 ;;
usage-six-arguments) case_usage 83 30 9 13 14 15 ;;
usage-not-an-integer) case_usage 83 30 9 13 x ;;
usage-empty-argument) case_usage 83 30 9 13 '' ;;
usage-out-of-range) case_usage 83 30 9 13 -2147483648 ;;
replaces-longer-file)
    head -c 5000 /dev/zero | tr '\0' 'z' >hpostbl.c
    case_golden example 83 30 9 13 14
    case_golden example 83 30 9 13 14
    ;;
read-only-file)
    need setpriv
    [ "$(id -u)" -eq 0 ] || skip "needs root to change to another user"
    printf 'old' >hpostbl.c
    chmod 444 hpostbl.c
    setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null || skip "setpriv cannot change user here"
    setpriv --reuid=65534 --regid=65534 --clear-groups test -x "$program" || skip "the program is not executable by an unprivileged user here"
    environment=()
    if under_wine; then
        prefix=$(unprivileged_wine_prefix)
        environment=(env HOME="$prefix" WINEPREFIX="$prefix")
    fi
    status=0
    timeout 20 setpriv --reuid=65534 --regid=65534 --clear-groups "${environment[@]}" "${runner[@]}" "$program" 83 30 9 13 14 \
        >out.bin 2>err.bin || status=$?
    case_file_failure "$access_denied"
    [ "$(cat hpostbl.c)" = old ] || fail "the read-only file changed"
    ;;
directory-in-the-way)
    mkdir hpostbl.c
    run 83 30 9 13 14
    case_file_failure "$access_denied"
    [ -d hpostbl.c ] || fail "the directory is gone"
    ;;
disk-full)
    need unshare
    unshare -rm true 2>/dev/null || skip "cannot make a mount namespace here"
    mkdir small
    timeout 10 unshare -rm sh -c 'mount -t tmpfs -o size=4k tmpfs small && cd small &&
        head -c 8192 /dev/zero >filler 2>/dev/null; "$@" >../out.bin 2>../err.bin; echo $? >../status; wc -c <hpostbl.c >../size' \
        sh "${runner[@]}" "$program" 83 30 9 13 14
    status=$(cat status)
    case_file_failure "$(io_error 112)"
    [ "$(tr -d ' ' <size)" = 0 ] || fail "hpostbl.c holds $(cat size) bytes on a full disk, expected none"
    ;;
write-then-close-fail)
    # The first block fails; the cleanup writes the CR LF that waits, then
    # the close itself fails: only the close is reported.
    need strace
    run_example_under strace -f -qq -o /dev/null -P "$PWD/hpostbl.c" -e trace=write,close \
        -e inject=write:error=ENOSPC:when=1 -e inject=close:error=EIO
    case_file_failure "$(io_error 1117)"
    [ "$(od -An -c hpostbl.c | tr -d ' ')" = '\r\n' ] || fail "hpostbl.c should hold the CR LF written at close"
    ;;
short-and-interrupted-writes)
    need strace
    run_example_under strace -f -qq -o /dev/null -e trace=write -e inject=write:retval=1:when=2+4 \
        -e inject=write:error=EINTR:when=3+5
    expect_example
    ;;
standard-descriptors-closed)
    # With standard input and error closed the file must not take their
    # numbers: text meant for them would land in it.
    need strace
    timeout 10 strace -f -qq -o trace.txt -P "$PWD/hpostbl.c" -e trace=write "${runner[@]}" "$program" 83 30 9 13 14 >out.bin <&- 2>&-
    status=$?
    expect_example
    ! grep -qE 'write\([012],' trace.txt || fail "the file took a standard descriptor: $(head -2 trace.txt)"
    grep -q 'write(' trace.txt || fail "no write to the file was traced"
    ;;
descriptor-limit)
    # No descriptor to spare: too many open files, and no file left behind,
    # with standard input open or closed (then the file would take its number).
    need prlimit
    ! grep -q __asan_init "$program" 2>/dev/null || skip "the sanitizers' runtime needs descriptors of its own"
    too_many=$(text too_many_open_files)
    for input in open closed; do
        rm -f hpostbl.c
        if [ "$input" = closed ]; then
            run_example_under prlimit --nofile=3 <&-
        else
            run_example_under prlimit --nofile=3 </dev/null
        fi
        if grep -q "error while loading shared libraries" err.bin; then
            # A dynamically linked build needs a descriptor before main();
            # the released programs are static.
            echo "note [$case_name]: standard input $input: the dynamic loader itself has no descriptor to spare"
            continue
        fi
        case_file_failure "$too_many"
        expect_no_table_file
        checked=$((${checked:-0} + 1))
    done
    [ "${checked:-0}" -gt 0 ] || skip "a dynamically linked build cannot start with three descriptors"
    ;;
stdout-closed)
    timeout 10 "${runner[@]}" "$program" 83 30 9 13 14 >&- 2>err.bin
    status=$?
    expect_status 1
    expect_no_table_file
    expect_no_stderr
    ;;
stdout-full)
    [ -w /dev/full ] || skip "no /dev/full"
    timeout 10 "${runner[@]}" "$program" 83 30 9 13 14 >/dev/full 2>err.bin
    status=$?
    expect_status 1
    expect_no_stderr
    timeout 10 "${runner[@]}" "$program" >/dev/full 2>err.bin
    status=$?
    expect_status 1
    ;;
stdout-broken-pipe)
    { sleep 0.3; timeout 10 "${runner[@]}" "$program" 83 30 9 13 14 2>err.bin; echo $? >status; } | true
    status=$(cat status)
    expect_status 1
    expect_no_stderr
    expect_no_table_file  # the summary line already fills the first block
    ;;
stdout-file-pipe-terminal)
    run 83 30 9 13 14
    expect_stdout_file "$golden/example.stdout"
    timeout 10 "${runner[@]}" "$program" 83 30 9 13 14 2>err.bin | cat >out.bin
    expect_stdout_file "$golden/example.stdout"
    expect_table_file "$golden/example.c"
    # Wine draws its console on the terminal itself (escape sequences, its
    # own code page), so the terminal comparison needs a native program.
    under_wine && exit 0
    need script stty
    # A terminal: stty -onlcr keeps the pseudo-terminal from adding CRs.
    timeout 10 script -qec "stty -onlcr; $(printf '%q ' "${runner[@]}" "$program") 83 30 9 13 14" /dev/null </dev/null >out.bin 2>err.bin
    expect_stdout_file "$golden/example.stdout"
    expect_table_file "$golden/example.c"
    ;;
file-size-limit)
    # Past the limit the kernel takes what fits, then refuses the rest
    # (EFBIG) instead of killing the process (SIGXFSZ).
    need prlimit
    run_example_under prlimit --fsize=1000
    case_file_failure "$(io_error 223)"
    [ "$(wc -c <hpostbl.c)" -eq 1000 ] || fail "hpostbl.c holds $(wc -c <hpostbl.c) bytes, expected the 1000 the limit allows"
    cmp -s -n 1000 hpostbl.c "$golden/example.c" || fail "the first 1000 bytes of hpostbl.c differ"
    ;;
stdout-file-size-limit)
    # Standard output, a file, meets the limit inside its first block:
    # the failure cannot be reported there, but the run still ends with 1.
    need prlimit
    run_example_under prlimit --fsize=100
    expect_status 1
    expect_no_stderr
    head -c 100 "$golden/example.stdout" >expected.bin
    cmp -s out.bin expected.bin || fail "standard output should hold the first 100 bytes: $(cmp out.bin expected.bin 2>&1)"
    expect_no_table_file
    ;;
stdout-on-the-table-file)
    # Standard output open for writing on the table file itself, under its
    # own name, a hard link or a symbolic link: the file is refused with
    # the sharing violation, and the report lands in the file the shell
    # opened. Nothing of the table is written into it.
    for target in hpostbl.c hard-link symbolic-link; do
        rm -f hpostbl.c hard-link symbolic-link
        : >hpostbl.c
        ln hpostbl.c hard-link
        ln -s hpostbl.c symbolic-link
        timeout 10 "${runner[@]}" "$program" 83 30 9 13 14 >"$target" 2>err.bin
        status=$?
        expect_status 1
        expect_no_stderr
        cp hpostbl.c out.bin
        expect_report_after "$golden/example.stdout" EInOutError "$(io_error 32)" "stdout to $target: "
    done
    # Reading it is no writing: standard input on the file does not refuse it.
    printf 'old' >hpostbl.c
    timeout 10 "${runner[@]}" "$program" 83 30 9 13 14 <hpostbl.c >out.bin 2>err.bin
    status=$?
    expect_status 0
    expect_table_file "$golden/example.c"
    ;;
stdout-non-blocking-pipe)
    # A parent hands over a non-blocking pipe that is already full and
    # drains it only after half a second: the run waits, loses nothing.
    need python3
    run_example_under python3 "$here/slow_reader.py" stdout
    expect_no_stderr
    expect_example
    ;;
read-only-file-as-root)
    # Root may write any file, but a file that nobody may write is left
    # alone, as Windows leaves a read-only file alone for every user.
    [ "$(id -u)" -eq 0 ] || skip "needs root: as any other user the system itself refuses the file"
    for mode in 444 400 555; do
        printf 'old' >hpostbl.c
        chmod "$mode" hpostbl.c
        run 83 30 9 13 14
        case_file_failure "$access_denied"
        [ "$(cat hpostbl.c)" = old ] || fail "the read-only file (mode $mode) changed"
        rm -f hpostbl.c
    done
    # One write bit is enough for root, as for its owner.
    for mode in 644 200 002; do
        printf 'old' >hpostbl.c
        chmod "$mode" hpostbl.c
        run 83 30 9 13 14
        expect_status 0
        expect_table_file "$golden/example.c"
        rm -f hpostbl.c
    done
    # A file the program creates itself is written whatever the umask.
    (umask 777 && timeout 10 "${runner[@]}" "$program" 83 30 9 13 14 >out.bin 2>err.bin)
    status=$?
    expect_status 0
    chmod 644 hpostbl.c
    expect_table_file "$golden/example.c"
    ;;
fifo-read-slowly)
    # A FIFO named hpostbl.c whose pipe is already full and whose reader
    # drains it only after half a second: the run waits for it and every
    # byte of the table arrives.
    need python3 mkfifo
    mkfifo hpostbl.c
    timeout 20 python3 "$here/slow_reader.py" fifo "${runner[@]}" "$program" 83 30 9 13 14 >fifo.bin 2>err.bin
    status=$?
    expect_status 0
    expect_no_stderr
    expect_stdout_file "$golden/example.stdout"
    cmp -s fifo.bin "$golden/example.c" || fail "the FIFO's reader got something else: $(cmp fifo.bin "$golden/example.c" 2>&1)"
    ;;
report-offset)
    # The code offset is relative to the program's own image: the same
    # failure gives the same eight digits in every run, whatever address
    # the image was loaded at, and they lie inside the program file.
    offset() { sed -nE 's/.* \x82\xcc ([0-9A-F]{8}) \x82\xc5.*/\1/p' out.bin; }
    size=$(wc -c <"$program")
    offsets=()
    for failure in invalid_op file; do
        seen=""
        [ "$failure" = file ] && mkdir hpostbl.c
        for _ in 1 2 3; do
            if [ "$failure" = invalid_op ]; then run 83 30 '$80000000' 13 14; else run 83 30 9 13 14; fi
            expect_status 1
            [ -n "$(offset)" ] || { fail "$failure: no offset in the report"; break; }
            [ -z "$seen" ] || [ "$(offset)" = "$seen" ] || fail "$failure: offset $(offset), before $seen"
            seen=$(offset)
            [ $((16#$seen)) -gt 0 ] && [ $((16#$seen)) -lt "$size" ] ||
                fail "$failure: offset $seen outside the program's $size bytes"
        done
        offsets+=("$seen")
        rm -rf hpostbl.c
    done
    [ "${offsets[0]}" != "${offsets[1]}" ] || fail "two different failure positions gave one offset"
    ;;
first-failed-console-line)
    # On a console each line is written at once. When one write fails (and
    # later ones would succeed), the run stops at that line: the lines
    # before it, then the report, and nothing of the lines after it.
    need strace script stty
    # WRITE|ARGUMENTS|LINES KEPT: writes 1-3 are the banner, then the usage
    # text (4-8) or the summary line (4).
    while IFS='|' read -r write arguments kept; do
        rm -f hpostbl.c
        timeout 20 script -qec "stty -onlcr; strace -qq -o /dev/null -P \"\$(tty)\" -e trace=write -e inject=write:error=EIO:when=$write $(printf '%q ' "${runner[@]}" "$program") $arguments" \
            /dev/null </dev/null >out.bin 2>err.bin
        if [ -n "$arguments" ]; then shown="$golden/example.stdout"; else shown="$golden/usage.stdout"; fi
        expect_report_after <(head -n "$kept" "$shown") EInOutError "$(io_error 1117)" "write $write failed: "
        expect_no_table_file
    done <<'WRITES'
1|83 30 9 13 14|0
5||4
4|83 30 9 13 14|3
WRITES
    ;;
second-writer-refused)
    # While one run holds the file (its close is held up for a second), a
    # second run is refused with the sharing violation and leaves it alone.
    need strace
    timeout 10 strace -f -qq -o /dev/null -P "$PWD/hpostbl.c" -e trace=close -e inject=close:delay_enter=1500000 \
        "${runner[@]}" "$program" 83 30 9 13 14 >first.out 2>&1 &
    first=$!
    for _ in $(seq 50); do [ -s hpostbl.c ] && break; sleep 0.05; done
    run 250 2 10 -10 300
    wait "$first" || fail "the first run failed"
    expect_report_after "$golden/wrap.stdout" EInOutError "$(io_error 32)" "the refused run: "
    expect_table_file "$golden/example.c"
    ;;
two-runs-at-once)
    # Whatever the timing, each run writes its whole file or is refused
    # without touching it; the bytes of two runs never mix.
    for round in $(seq 20); do
        timeout 10 "${runner[@]}" "$program" 83 30 9 13 14 >a.out 2>&1 &
        first=$!
        timeout 10 "${runner[@]}" "$program" 250 2 10 -10 300 >b.out 2>&1
        second_status=$?
        wait "$first"
        first_status=$?
        cmp -s hpostbl.c "$golden/example.c" || cmp -s hpostbl.c "$golden/wrap.c" ||
            fail "round $round: hpostbl.c matches neither run"
        [ "$first_status" -le 1 ] && [ "$second_status" -le 1 ] ||
            fail "round $round: exit statuses $first_status and $second_status"
    done
    ;;
raw-command-lines)
    # The program splits the raw command line itself; the launcher hands
    # it over exactly as given.
    launcher="$(dirname "$program")/hndpos-launch.exe"
    while IFS='|' read -r expected line; do
        [ -n "$expected" ] || continue
        rm -f hpostbl.c
        HNDPOS_COMMAND_LINE=$(printf "$line") timeout 20 "${runner[@]}" "$launcher" "$program" >out.bin 2>err.bin
        status=$?
        if [ "$expected" = example ]; then
            expect_example
        else
            case_usage_checks
        fi
        [ "$failures" -eq 0 ] || { echo "with the command line [$line]" >&2; break; }
    done <<'LINES'
example|HNDPOS 83 30 9 13 14
example|HNDPOS "" 83 30 9 13 14
example|HNDPOS 83 30 9 13 14 ""
example|HNDPOS 83 30 9 13 "14
example|HNDPOS 83 30 9 1"3" 14
usage|HNDPOS "83 30" 9 13 14
example|HNDPOS " 83" 30 9 13 14
usage|HNDPOS 83,30,9,13,14
example|HNDPOS\t83\t30\t9\t13\t14
example|"C:\\My Tools\\HNDPOS" 83 30 9 13 14
usage|HNDPOS
usage|HNDPOS   
usage|HNDPOS a""b 30 9 13 14
usage|HNDPOS 83 30 9 13 14 a""b
example|HNDPOS 83 """30" 9 13 14
usage|
LINES
    ;;
*)
    [ "${#golden_run[@]}" -gt 0 ] || { echo "unknown case $case_name" >&2; exit 2; }
    case_golden "${golden_run[@]}"
    ;;
esac

[ "$failures" -eq 0 ] || exit 1
echo "PASS [$case_name]"
