#!/usr/bin/env bash
# The documents' shell commands as they stand (commands.py), with this
# build of hndpos installed where they expect the host's tools.
#
#   commands.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
source_dir=$(realpath "$1")
build_dir=$(realpath "$2")
who="[docs]"
# shellcheck source=../harness.sh
. "$(dirname "$0")/../harness.sh"
need python3 cmake
cmake --install "$build_dir" --prefix "$work/host-tools" >/dev/null || die "cannot install the build"
python3 "$here/commands.py" "$source_dir" "$work/host-tools" "$work"
