# Sourced by the test scripts: messages that name the case ($who), failures
# counted or fatal, and skips with CTest's code for them, 77.
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
