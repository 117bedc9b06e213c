#!/usr/bin/env bash
# The Windows programs as files, without running them: console programs for
# the expected processor, importing only DLLs every Windows has (the one list
# of them), and hndpos.exe with its version record (Japanese, code page 932,
# the project's version).
#
#   check_programs.sh OBJDUMP HNDPOS.EXE [PROGRAM.EXE...]
set -uo pipefail
objdump=$1
shift
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
command -v "$objdump" >/dev/null || { echo "SKIPPED: $objdump not found"; exit 77; }
for program in "$@"; do
    name=$(basename "$program")
    headers=$("$objdump" -p "$program") || { fail "$name: $objdump cannot read it"; continue; }
    format=$(sed -n 's/.*file format //p' <<<"$headers" | head -1)
    [[ "$format" == pei-i386 || "$format" == pei-x86-64 ]] || fail "$name: file format $format"
    grep -qE '^Subsystem[[:space:]]+0*3[[:space:]]' <<<"$headers" || fail "$name: not a console program"
    imports=$(sed -n 's/.*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]' | sort -u)
    foreign=$(grep -vxE 'kernel32.dll|msvcrt.dll|user32.dll|advapi32.dll|api-ms-win-.*\.dll' <<<"$imports" || true)
    [ -z "$foreign" ] || fail "$name imports $(tr '\n' ' ' <<<"$foreign")"
    echo "$name: $format console program importing $(tr '\n' ' ' <<<"$imports")"
done
# The version record's strings are UTF-16.
project_version=$(sed -n 's/^project(hndpos VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt").0
pattern="041103A4|FileVersion|${project_version//./\\.}|ProductVersion"
version=$(LC_ALL=C tr -d '\000' <"$1" | grep -aoE "$pattern" | sort -u | tr '\n' ' ')
[ "$version" = "041103A4 $project_version FileVersion ProductVersion " ] || fail "$(basename "$1"): version record: $version"
echo "$(basename "$1"): version record for Japanese, code page 932, file version $project_version"
[ "$failures" -eq 0 ]
