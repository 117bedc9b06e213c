# Sourced by the test scripts: the script's own folder in $here, a fresh
# directory in $work to run in, removed at exit (KEEP=1 keeps it to look at),
# messages that name the case ($who), failures counted or fatal, and skips
# with CTest's code for them, 77.
here=$(realpath "$(dirname "$0")")
work=$(mktemp -d)
chmod 755 "$work"  # other users' runs reach into it
trap '[ -n "${KEEP:-}" ] || { chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"; }' EXIT
cd "$work" || exit 1
failures=0
say() { echo "$who: $*"; }
fail() {
    echo "FAIL $who: $*" >&2
    failures=$((failures + 1))
}
die() {
    echo "FAIL $who: $*" >&2
    exit 1
}
skip() {
    echo "SKIPPED $who: $*"
    exit 77
}
need() {  # COMMAND...: skip when a tool the case needs is missing
    local tool
    for tool in "$@"; do command -v "$tool" >/dev/null 2>&1 || skip "$tool not found"; done
}
# table_entries FILE: every entry of hpostbl.c or of hndpos-tables' JSON, a
# line each, hand by hand, x then y, as print_entries.c prints them.
table_entries() { python3 "$(dirname "${BASH_SOURCE[0]}")/programs/hndpos-tables/entries.py" "$1"; }
