#!/usr/bin/env bash
# The release as its users meet it. Builds the release twice, here and in a
# fresh clone elsewhere, and compares them byte for byte; then installs,
# unpacks and runs every package, printing what each step verified.
#
#   check.sh SOURCE_DIR      (as root: it installs and removes the .deb)
set -euo pipefail
source_dir=$(realpath "$1")
golden="$source_dir/tests/programs/hndpos/golden"
version=$(sed -n 's/^project(hndpos VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
expected_files="SHA256SUMS hndpos-$version-linux-aarch64.tar.gz hndpos-$version-linux-x86_64.tar.gz hndpos-$version-windows-x64.zip hndpos-$version-windows-x86.zip hndpos-$version.tgz hndpos-arduino-$version.zip hndpos_${version}_amd64.deb"

who=release
# shellcheck source=../harness.sh
. "$source_dir/tests/harness.sh"

# run_example RUNNER... PROGRAM: the example in an empty directory, against
# the golden console output and table.
run_example() {
    local dir
    dir=$(mktemp -d -p "$work")
    (cd "$dir" && "$@" 83 30 9 13 14 >out.bin) || die "$* failed"
    cmp -s "$dir/out.bin" "$golden/example.stdout" || die "$*: the console differs from the golden file"
    cmp -s "$dir/hpostbl.c" "$golden/example.c" || die "$*: hpostbl.c differs from the golden file"
}

# tables_agree RUNNER... PROGRAM: hndpos-tables writes the golden JSON on
# standard output.
tables_agree() {
    "$@" --center 0 -1 --radii 233 -2147483647 2147483647 --positions 1234 97 1 --format json -o - |
        cmp -s - "$source_dir/tests/programs/hndpos-tables/golden/extremes.json" || die "$*: the JSON differs from the golden file"
}

# consumer PREFIX: the firmware test project against the CMake package there.
consumer() {
    local dir
    dir=$(mktemp -d -p "$work")
    cmake -S "$source_dir/tests/consumer" -B "$dir" -DCMAKE_PREFIX_PATH="$1" >"$dir.log" 2>&1 &&
        cmake --build "$dir" >>"$dir.log" 2>&1 && "$dir/clock_example" && "$dir/clock_wrapping" ||
        { cat "$dir.log"; die "the consumer project does not build against $1"; }
    grep -q "hndpos_DIR:PATH=$1" "$dir/CMakeCache.txt" || die "the consumer found another hndpos: $(grep hndpos_DIR "$dir/CMakeCache.txt")"
}

# 1. One command makes the release; a second, elsewhere and later, agrees.
(cd "$source_dir" && cmake --workflow --preset package >"$work/first.log" 2>&1) ||
    { tail -40 "$work/first.log"; die "cmake --workflow --preset package failed"; }
packages="$source_dir/build/package"
[ "$(cd "$packages" && LC_ALL=C ls | tr '\n' ' ')" = "$expected_files " ] || die "build/package holds: $(ls "$packages")"
(cd "$packages" && sha256sum --quiet -c SHA256SUMS) || die "sha256sum -c SHA256SUMS"
say "cmake --workflow --preset package made the eight files; sha256sum -c SHA256SUMS passes"
sleep 1
# The second build differs in all that a builder's machine may: a later
# time, a private umask, another time zone and locale, a longer path.
second="$work/second/a-longer-path-for-the-second-build-than-the-first-one-had/hndpos"
git clone -q "$source_dir" "$second"
(cd "$second" && umask 077 && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 LANG=C.UTF-8 \
    cmake --workflow --preset package >"$work/second.log" 2>&1) ||
    { tail -40 "$work/second.log"; die "the second release build failed"; }
differing=""
for file in $expected_files; do
    cmp -s "$packages/$file" "$second/build/package/$file" || differing="$differing $file"
done
[ -z "$differing" ] || die "these differ between the two builds:$differing"
say "a second build, later, under umask 077, TZ=Pacific/Kiritimati, LC_ALL=C.UTF-8 and a longer path, gives byte-identical packages"
# Directories 0755, programs 0755, other files 0644, in every package.
modes=$(tar -tvzf "$packages/hndpos-$version-linux-x86_64.tar.gz"; dpkg-deb -c "$packages/hndpos_${version}_amd64.deb")
odd=$(awk '$1 !~ /^(drwxr-xr-x|-rwxr-xr-x|-rw-r--r--|lrwxrwxrwx)$/' <<<"$modes")
[ -z "$odd" ] || die "files with other modes: $odd"
# Debian's own files go in the .deb alone; its description names every program.
! tar -tzf "$packages/hndpos-$version-linux-x86_64.tar.gz" | grep -E 'doc-base|lintian' || die "the tarball holds Debian's files"
# (Read whole first: grep -q leaves at the match, and under pipefail the
# writer's broken pipe would fail the check.)
deb_info=$(dpkg-deb -I "$packages/hndpos_${version}_amd64.deb")
grep -q 'hndpos-tables writes' <<<"$deb_info" || die "the .deb's description lacks hndpos-tables"
for zip in "hndpos-$version-windows-x86.zip" "hndpos-$version-windows-x64.zip" "hndpos-arduino-$version.zip"; do
    odd=$(unzip -Z "$packages/$zip" | awk 'NR > 2 && $1 ~ /^[d-]/ && $1 !~ /^(drwxr-xr-x|-rwxr-xr-x|-rw-r--r--)$/')
    [ -z "$odd" ] || die "$zip: entries with other modes: $odd"
done
# The Arduino library: the layout the IDE's "Add .ZIP Library" takes (its
# examples are built and run by the test consumer.arduino-library).
arduino_entries=$(unzip -Z1 "$packages/hndpos-arduino-$version.zip")
for entry in hndpos/library.properties hndpos/src/hndpos.h hndpos/src/HndposTextDisplay.h \
    hndpos/examples/Oled128x64/Oled128x64.ino hndpos/examples/Round240x240/hands.c hndpos/examples/Tft320x240/ticks.h; do
    grep -qx "$entry" <<<"$arduino_entries" || die "hndpos-arduino-$version.zip lacks $entry"
done
! grep -v '^hndpos/' <<<"$arduino_entries" || die "hndpos-arduino-$version.zip has entries outside hndpos/"
# The npm package, installed offline into an empty project: the example's bytes.
if command -v npm >/dev/null; then
    project="$work/npm-project"
    mkdir "$project" && echo '{"name": "clock-face", "private": true}' >"$project/package.json"
    (cd "$project" && npm install --offline --no-audit --no-fund "$packages/hndpos-$version.tgz" >npm.log 2>&1) ||
        die "npm install --offline hndpos-$version.tgz: $(cat "$project/npm.log")"
    run_example "$project/node_modules/.bin/hndpos"
    say "hndpos-$version.tgz installs offline with npm and its hndpos writes the golden bytes"
fi
say "every directory and program 0755, every other file 0644"
(cd "$packages" && for file in $expected_files; do printf '  %-40s %9d bytes\n' "$file" "$(wc -c <"$file")"; done)

# 2. The .deb: lintian, install, run, a consumer, remove.
deb="$packages/hndpos_${version}_amd64.deb"
if command -v lintian >/dev/null; then
    lintian_report=$(lintian -I "$deb" 2>&1 | grep -v "running with root privileges" || true)
    ! grep -q '^E: ' <<<"$lintian_report" || die "lintian reports errors: $lintian_report"
    ! grep -q 'possible-documentation-but-no-doc-base-registration' <<<"$lintian_report" ||
        die "the page is not registered with doc-base: $lintian_report"
    say "lintian: no error, $(grep -c '^[WIP]: ' <<<"$lintian_report" || true) warnings or notes"
else
    say "lintian not found: the .deb was not checked by it"
fi
if [ "$(id -u)" -eq 0 ] && command -v dpkg >/dev/null; then
    ! dpkg -s hndpos >/dev/null 2>&1 || die "hndpos is installed already: remove it first"
    dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; die "dpkg -i"; }
    run_example /usr/bin/hndpos
    /usr/bin/hndpos-view --version | grep -qx "hndpos-view $version" || die "hndpos-view --version"
    tables_agree /usr/bin/hndpos-tables
    [ -f /usr/share/doc/hndpos/hndpos.html ] && [ -f /usr/share/doc/hndpos/copyright ] && [ -f /usr/share/man/man1/hndpos.1.gz ] &&
        [ -f /usr/share/man/man1/hndpos-tables.1.gz ] ||
        die "the .deb lacks the page, the copyright file or a manual page"
    consumer /usr/lib/cmake/hndpos
    dpkg -r hndpos >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; die "dpkg -r"; }
    [ ! -e /usr/bin/hndpos ] && [ ! -e /usr/lib/cmake/hndpos ] || die "dpkg -r left files behind"
    say "the .deb installs, runs the example like the golden files, serves find_package(hndpos), and removes cleanly"
else
    say "not root: the .deb was not installed"
fi

# 3. The Windows zips, each unpacked into an empty directory and run there.
if command -v wine >/dev/null && command -v unzip >/dev/null; then
    export WINEDEBUG=-all
    [ -n "${WINEPREFIX:-}" ] || export WINEPREFIX="$work/wine"
    wine="$source_dir/cmake/toolchains/wine.sh"
    elsewhere_page="$source_dir/build/release-kit/kit-web/hndpos.html"
    for system in windows-x86 windows-x64; do
        dir="$work/$system"
        mkdir "$dir"
        unzip -q "$packages/hndpos-$version-$system.zip" -d "$dir"
        top="$dir/hndpos-$version-$system"
        [ "$(cd "$top" && ls | tr '\n' ' ')" = "LICENSE.txt README.txt hndpos-tables.exe hndpos-view.exe hndpos.exe hndpos.html lib " ] ||
            die "$system.zip holds: $(cd "$top" && ls)"
        # The CMake package finds the programs beside it, naming no path of the build machine.
        package="$top/lib/cmake/hndpos"
        for file in hndpos-config.cmake hndpos-targets.cmake HndposTables.cmake HndposRun.cmake hndpos-options.cmake; do
            [ -f "$package/$file" ] || die "$system.zip lacks lib/cmake/hndpos/$file"
        done
        grep -qE '"\$\{_IMPORT_PREFIX\}/(\./)?hndpos-tables\.exe"' "$package"/hndpos-targets-*.cmake ||
            die "$system: the CMake package does not find hndpos-tables.exe relative to itself"
        ! grep -rqF -e "$source_dir" -e "/build/" "$package" || die "$system: the CMake package names a build path"
        cmp -s "$top/hndpos.html" "$elsewhere_page" || die "$system: hndpos.html differs from the Linux packages' page"
        grep -q "chcp 932" "$top/README.txt" || die "$system: README.txt is not the Windows one"
        for text in README.txt LICENSE.txt; do
            [ "$(grep -c $'\r$' "$top/$text")" = "$(wc -l <"$top/$text")" ] || die "$system: $text has lines without CR LF"
        done
        objdump_tool=$([ "$system" = windows-x86 ] && echo i686-w64-mingw32-objdump || echo x86_64-w64-mingw32-objdump)
        bash "$source_dir/tests/windows/check_programs.sh" "$objdump_tool" "$top/hndpos.exe" "$top/hndpos-view.exe" \
            "$top/hndpos-tables.exe" >/dev/null || die "$system: the programs are not what a Windows user needs"
        if [ "$system" = windows-x86 ] && ! why_not=$(bash "$wine" --can-run-i386); then
            say "SKIPPED: $why_not: $system.zip's programs were checked as files, not run"
            continue
        fi
        run_example bash "$wine" "$top/hndpos.exe"
        (cd "$work" && cp "$golden/example.c" hpostbl.c && bash "$wine" "$top/hndpos-view.exe" --check --display 128x64 hpostbl.c >/dev/null) ||
            die "$system: hndpos-view.exe --check"
        tables_agree bash "$wine" "$top/hndpos-tables.exe"
        say "$system.zip: programs, page, CMake package, CR LF text, system DLLs only; the programs run from the unpacked folder under wine"
    done
else
    say "wine or unzip not found: the Windows zips were not run"
fi

# 4. The Linux tarballs: relocatable trees, run from wherever they lie.
elsewhere="$work/some/other/place"
mkdir -p "$elsewhere"
tar -xzf "$packages/hndpos-$version-linux-x86_64.tar.gz" -C "$elsewhere"
tree="$elsewhere/hndpos-$version-linux-x86_64"
run_example "$tree/bin/hndpos"
tables_agree "$tree/bin/hndpos-tables"
consumer "$tree/lib/cmake/hndpos"
say "linux-x86_64: unpacked in $elsewhere, runs, and a consumer builds against its CMake package there"
if command -v qemu-aarch64 >/dev/null; then
    tar -xzf "$packages/hndpos-$version-linux-aarch64.tar.gz" -C "$elsewhere"
    arm="$elsewhere/hndpos-$version-linux-aarch64"
    file "$arm/bin/hndpos" | grep -q "ARM aarch64" || die "the aarch64 tarball holds another program"
    run_example qemu-aarch64 "$arm/bin/hndpos"
    qemu-aarch64 "$arm/bin/hndpos-view" --version | grep -qx "hndpos-view $version" || die "aarch64 hndpos-view"
    tables_agree qemu-aarch64 "$arm/bin/hndpos-tables"
    say "linux-aarch64: unpacked, the programs run under qemu with no libraries beside them"
else
    say "qemu-aarch64 not found: the aarch64 tarball was not run"
fi
say "all checks passed"
