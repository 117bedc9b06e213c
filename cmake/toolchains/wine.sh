#!/usr/bin/env bash
# Runs a Windows program for the tests: under wine, and where this machine
# cannot execute 32-bit x86 programs (its kernel answers "Exec format
# error"), a 64-bit program through wine's 64-bit loader directly, since
# Debian's wine wrapper starts the 32-bit loader first and fails there.
#
#   wine.sh PROGRAM [ARGUMENT...]
#   wine.sh --can-run-i386    exit 0 where 32-bit x86 programs run
#
# A 32-bit program on such a machine is not run: the script says so and
# exits 77, the tests' code for a skip. HNDPOS_NO_I386=1 pretends that the
# machine is one of those.
set -u

# A static i386 Linux program of 96 bytes that exits with 42.
can_run_i386() {
    [ "${HNDPOS_NO_I386:-0}" = 1 ] && return 1
    local probe status
    probe=$(mktemp "${TMPDIR:-/tmp}/i386-probe.XXXXXX") || return 1
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null
    status=$?
    rm -f "$probe"
    [ "$status" -eq 42 ]
}

# The PE machine field: 14c for i386, 8664 for x86-64.
pe_machine() {
    local offset
    offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$offset" ] && od -An -tx2 -j$((offset + 4)) -N2 "$1" | tr -d ' '
}

# wine's 64-bit loader: on the PATH, beside the wrapper's loaders, or in the
# library folders distributions use.
wine64_loader() {
    local candidate wrapper
    wrapper=$(command -v wine 2>/dev/null)
    for candidate in "$(command -v wine64 2>/dev/null)" \
        "$( [ -n "$wrapper" ] && sed -n 's/^wine64=//p' "$wrapper" 2>/dev/null | head -1)" \
        /usr/lib/wine/wine64 /usr/lib64/wine/wine64 /usr/lib/x86_64-linux-gnu/wine/wine64 \
        /usr/lib/wine/wine64-preloader; do
        [ -n "$candidate" ] && [ -x "$candidate" ] && { echo "$candidate"; return 0; }
    done
    return 1
}

if [ "${1:-}" = --can-run-i386 ]; then
    can_run_i386
    exit
fi

program=$1
if can_run_i386; then
    exec wine "$@"
fi
case "$(pe_machine "$program")" in
8664)
    loader=$(wine64_loader) || { echo "wine.sh: no 64-bit wine loader found" >&2; exit 1; }
    export WINELOADER="$loader"
    exec "$loader" "$@"
    ;;
*)
    echo "SKIPPED: this machine cannot execute 32-bit programs: $(basename "$program") not run"
    exit 77
    ;;
esac
