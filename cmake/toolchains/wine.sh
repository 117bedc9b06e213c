#!/usr/bin/env bash
# Runs a Windows program for the tests: under wine, and where this machine
# cannot run 32-bit Windows programs, a 64-bit program through wine's 64-bit
# loader directly, since Debian's wine wrapper starts the 32-bit loader
# first and fails there.
#
#   wine.sh PROGRAM [ARGUMENT...]
#   wine.sh --can-run-i386    exit 0 where 32-bit Windows programs run;
#                             otherwise print why not and exit 1
#   wine.sh --executes-i386   exit 0 where the kernel executes 32-bit x86
#                             programs, so that wine32 would serve
#   wine.sh --prepare         create $WINEPREFIX and start its wineserver
#                             to stay until 'wine.sh --stop'
#   wine.sh --stop            end that wineserver
#
# A new prefix costs its first program 10 to 30 s, and every start that
# finds no wineserver about a second more; a prepared prefix spares the
# tests both, so that no test's time depends on whether it ran first.
#
# 32-bit Windows programs need both a kernel that executes 32-bit x86
# programs (some answer "Exec format error") and wine's 32-bit loader (the
# optional wine32:i386 package, which not every machine can install). A
# 32-bit program where either is missing is not run: the script says why
# and exits 77, the tests' code for a skip. HNDPOS_NO_I386=1 pretends that
# the machine cannot execute 32-bit programs.
set -u

# A static i386 Linux program of 96 bytes that exits with 42.
kernel_runs_i386() {
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

# wine's 32-bit loader: the one Debian's wrapper names, or the wrapper
# itself where wine is no such script.
wine32_present() {
    local wrapper loader
    wrapper=$(command -v wine 2>/dev/null) || return 1
    loader=$(sed -n 's/^wine32=//p' "$wrapper" 2>/dev/null | head -1)
    [ -z "$loader" ] || [ -x "$loader" ]
}

# Why 32-bit Windows programs do not run here; nothing where they do.
why_not_i386() {
    if ! kernel_runs_i386; then
        echo "this machine cannot execute 32-bit programs"
    elif ! wine32_present; then
        echo "wine's 32-bit loader (wine32:i386) is not installed"
    fi
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

# The loader for this machine's programs (the wrapper where 32-bit ones
# run, else the 64-bit loader) and the wineserver beside it.
loader_here() {
    if [ -z "$(why_not_i386)" ]; then command -v wine; else wine64_loader; fi
}
server_beside() {  # LOADER
    local candidate
    for candidate in "$(dirname "$1")/wineserver64" "$(dirname "$1")/wineserver" "$(command -v wineserver 2>/dev/null)"; do
        [ -n "$candidate" ] && [ -x "$candidate" ] && { echo "$candidate"; return 0; }
    done
    return 1
}

case "${1:-}" in
--prepare | --stop)
    [ -n "${WINEPREFIX:-}" ] || { echo "wine.sh: $1 needs WINEPREFIX" >&2; exit 1; }
    if ! loader=$(loader_here) || ! server=$(server_beside "$loader"); then
        echo "wine.sh: no wine loader and wineserver found" >&2
        exit 1
    fi
    if [ "$1" = --stop ]; then
        "$server" -k 2>/dev/null
        exit 0
    fi
    mkdir -p "$WINEPREFIX"
    # Persistent (-p): it outlives every client until --stop; its output
    # goes nowhere, so that no caller waits on a pipe it holds.
    "$server" -p </dev/null >/dev/null 2>&1
    WINELOADER="$loader" "$loader" wineboot --init </dev/null >/dev/null 2>&1
    exit
    ;;
esac

if [ "${1:-}" = --executes-i386 ]; then
    kernel_runs_i386
    exit
fi
why_not=$(why_not_i386)
if [ "${1:-}" = --can-run-i386 ]; then
    [ -z "$why_not" ] && exit 0
    echo "$why_not"
    exit 1
fi

program=$1
if [ -z "$why_not" ]; then
    exec wine "$@"
fi
case "$(pe_machine "$program")" in
8664)
    loader=$(wine64_loader) || { echo "wine.sh: no 64-bit wine loader found" >&2; exit 1; }
    export WINELOADER="$loader"
    exec "$loader" "$@"
    ;;
*)
    echo "SKIPPED: $why_not: $(basename "$program") not run"
    exit 77
    ;;
esac
