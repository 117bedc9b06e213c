#!/usr/bin/env bash
# Times whole runs of hndpos against a floor: a minimal C program that writes
# the same bytes with the same system calls (standard output in 128-byte
# blocks, the file created, locked, truncated and written in 128-byte blocks).
#
#   compare_runs.sh [HNDPOS] [RUNS]     (default: hndpos on PATH, 2000 runs)
#
# FLOOR=static links the floor statically, as a plain static C program is;
# FLOOR=static-pie links it as the released programs are (static and
# position-independent); the default links it dynamically.
set -euo pipefail
program=$(realpath "$(command -v "${1:-hndpos}")")
runs=${2:-2000}
here=$(realpath "$(dirname "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$program" 83 30 9 13 14 >console.bin
cp hpostbl.c file.bin

# The floor program, with both outputs compiled in.
{
    echo '#include <fcntl.h>'
    echo '#include <unistd.h>'
    printf 'static const unsigned char console[] = {'; od -An -v -tu1 console.bin | tr -s ' \n' ',,' | sed 's/^,//; s/,$//'; echo '};'
    printf 'static const unsigned char table[] = {'; od -An -v -tu1 file.bin | tr -s ' \n' ',,' | sed 's/^,//; s/,$//'; echo '};'
    cat <<'C'
static void blocks(int fd, const unsigned char* bytes, unsigned long size) {
    while (size > 0) {
        unsigned long n = size < 128 ? size : 128;
        if (write(fd, bytes, n) != (long)n) _exit(1);
        bytes += n;
        size -= n;
    }
}
int main(void) {
    struct flock lock = {0};
    int fd;
    blocks(1, console, 128);
    fd = open("hpostbl.c", O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return 1;
    lock.l_type = F_WRLCK;
    if (fcntl(fd, F_SETLK, &lock) != 0 || ftruncate(fd, 0) != 0) return 1;
    blocks(fd, table, sizeof table);
    if (close(fd) != 0) return 1;
    blocks(1, console + 128, sizeof console - 128);
    return 0;
}
C
} >floor.c
case "${FLOOR:-dynamic}" in
    dynamic) floor_link=() ;;
    static) floor_link=(-static) ;;
    static-pie) floor_link=(-static-pie -fPIE) ;;
    *) echo "compare_runs.sh: FLOOR is dynamic, static or static-pie" >&2; exit 2 ;;
esac
cc -O2 "${floor_link[@]}" -o floor floor.c
cc -O2 -o spawn_timer "$here/spawn_timer.c"
./floor >floor-console.bin
cmp floor-console.bin console.bin && cmp hpostbl.c file.bin  # the floor writes the same bytes

# The two take turns run by run (see spawn_timer.c), in rounds of RUNS pairs,
# and the median of the rounds' ratios is reported (and of their medians
# and peak memories). Blocks of runs of one program at a time, as before,
# made hndpos look 2 % faster against the static floor than taking turns
# does, and the floor against itself 1.00 either way.
rounds=${ROUNDS:-9}
: >rounds.txt
for _ in $(seq "$rounds"); do
    ./spawn_timer "$runs" ./floor -- "$program" 83 30 9 13 14 >>rounds.txt
done
# rounds.txt, a line a round: the floor's median, fastest run and peak memory, then the same for hndpos.
awk -v n="$runs" -v rounds="$rounds" '
    function median(values, count,   i, j, t) {
        for (i = 1; i <= count; ++i) for (j = i + 1; j <= count; ++j) if (values[j] < values[i]) { t = values[i]; values[i] = values[j]; values[j] = t }
        return values[int((count + 1) / 2)]
    }
    { floor_time[NR] = $1; floor_memory[NR] = $3; time[NR] = $4; memory[NR] = $6; ratio[NR] = $4 / $1; memory_ratio[NR] = $6 / $3 }
    END {
        printf "median wall time of a run (%d runs a round, %d paired rounds): floor %.1f us, hndpos %.1f us, ratio %.2f (rounds %.2f to %.2f)\n",
            n, rounds, median(floor_time, NR), median(time, NR), median(ratio, NR), ratio[1], ratio[NR]
        printf "peak resident memory: floor %d KiB, hndpos %d KiB, ratio %.2f\n", median(floor_memory, NR), median(memory, NR), median(memory_ratio, NR)
    }' rounds.txt
