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
golden=$(realpath "$(dirname "$0")/golden")
module_name=$(basename "$program")

work=$(mktemp -d)
chmod 755 "$work"
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work" || exit 1

failures=0
fail() {
    echo "FAIL [$case_name]: $*" >&2
    failures=$((failures + 1))
}

# run ARG...: the program's stdout to out.bin, stderr to err.bin, status to $status.
run() {
    timeout 10 "${runner[@]}" "$program" "$@" >out.bin 2>err.bin
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

# Shift_JIS pieces of the failure report and messages.
report_head() {  # CLASS: "<class>がﾓｼﾞｭｰﾙ <module> の XXXXXXXX で発生しました。" LF
    printf '%s\x82\xaa\xd3\xbc\xde\xad\xb0\xd9 %s \x82\xcc XXXXXXXX \x82\xc5\x94\xad\x90\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81B\n' "$1" "$module_name"
}
access_denied='\xcc\xa7\xb2\xd9\x82\xd6\x82\xcc\xb1\xb8\xbe\xbd\x82\xaa\x8b\x91\x94\xdb\x82\xb3\x82\xea\x82\xdc\x82\xb5\x82\xbd'
invalid_op='\x95s\x90\xb3\x82\xc8\x95\x82\x93\xae\x8f\xac\x90\x94\x93_\x90\x94\x89\x89\x8eZ\x96\xbd\x97\xdf'
io_error() { printf 'I/O \xb4\xd7\xb0 (%s)' "$1"; }

# The report's code offset depends on the build; mask it before comparing.
masked_stdout() {
    sed -E 's/ \x82\xcc [0-9A-F]{8} \x82\xc5/ \x82\xcc XXXXXXXX \x82\xc5/' out.bin
}

# expect_report_after GOLDEN_STDOUT CLASS MESSAGE: what the golden file
# holds, then the report of CLASS with MESSAGE.
expect_report_after() {
    { cat "$1"; report_head "$2"; printf "$3"; printf '.\r\n'; } >expected.bin
    masked_stdout >actual.bin
    cmp -s actual.bin expected.bin || fail "report differs: $(cmp actual.bin expected.bin 2>&1); got: $(tail -c 200 out.bin | od -c | head -5)"
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
    expect_status 0
    expect_stdout_file "$golden/usage.stdout"
    expect_no_table_file
    expect_no_stderr
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

case "$case_name" in
example) case_golden example 83 30 9 13 14 ;;
zeros) case_golden zeros 0 0 0 0 0 ;;
wrap) case_golden wrap 250 2 10 -10 300 ;;
negative-radii) case_golden negative-radii -173 339 -9 -13 -2147483647 ;;
large-radii) case_golden large-radii 127 128 2147483647 1000003 65537 ;;
ties) case_golden ties 0 0 5 3001 2999 ;;
syntax-forms) case_golden example '  +83' '$1E' 009 '$d' ' 14' ;;
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
invalid-op-hour) case_invalid_op invalid-op-hour 83 30 '$80000000' 13 14 ;;
invalid-op-minute) case_invalid_op invalid-op-minute 83 30 9 '$80000000' 14 ;;
invalid-op-second) case_invalid_op invalid-op-second 83 30 9 13 '$80000000' ;;
*)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac

[ "$failures" -eq 0 ] || exit 1
echo "PASS [$case_name]"
