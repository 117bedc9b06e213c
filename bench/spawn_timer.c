/* Runs a program N times (standard output to out.txt in the current
 * directory) and prints the median and minimum wall time of a run in
 * microseconds and the peak resident memory of the runs in KiB.
 *
 *   spawn_timer N PROGRAM [ARG...]
 *   spawn_timer N PROGRAM [ARG...] -- OTHER [ARG...]
 *
 * With "--", the two programs take turns run by run (which goes first
 * alternates too), so that both meet the machine in the same state, and
 * the three figures are printed for each: what runs just before a process
 * decides how much of it is still in the caches, so blocks of runs of one
 * program at a time favour the larger program.
 *
 * The peak memory is the program's own high-water mark (VmHWM), read at
 * its exit in one more run under ptrace: the rusage of a spawned child
 * counts the spawner's own memory from before the exec, which is more than
 * these programs use.
 */
#define _POSIX_C_SOURCE 200809L
#define _DEFAULT_SOURCE
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

struct Program {
    char** argv;
    double* times;
};

static int by_value(const void* a, const void* b) {
    const double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

/* One run: its wall time in microseconds. */
static double run_once(const struct Program* program, const posix_spawn_file_actions_t* actions) {
    struct timespec start, end;
    pid_t child;
    int status;
    clock_gettime(CLOCK_MONOTONIC, &start);
    if (posix_spawn(&child, program->argv[0], actions, NULL, program->argv, environ) != 0) {
        perror("posix_spawn");
        exit(2);
    }
    waitpid(child, &status, 0);
    clock_gettime(CLOCK_MONOTONIC, &end);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        fprintf(stderr, "%s failed\n", program->argv[0]);
        exit(2);
    }
    return (double)(end.tv_sec - start.tv_sec) * 1e6 + (double)(end.tv_nsec - start.tv_nsec) / 1e3;
}

/* The VmHWM of one more run, in KiB, read from /proc while the process is
 * stopped at its exit. */
static long peak_memory(const struct Program* program) {
    const pid_t child = fork();
    if (child == 0) {
        const int out = open("out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || dup2(out, STDOUT_FILENO) < 0 || ptrace(PTRACE_TRACEME, 0, NULL, NULL) != 0) _exit(127);
        execve(program->argv[0], program->argv, environ);
        _exit(127);
    }
    int status;
    long peak = -1;
    waitpid(child, &status, 0); /* stopped at the exec */
    ptrace(PTRACE_SETOPTIONS, child, NULL, (void*)(long)PTRACE_O_TRACEEXIT);
    ptrace(PTRACE_CONT, child, NULL, NULL);
    while (waitpid(child, &status, 0) == child && WIFSTOPPED(status)) {
        if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
            char path[64], line[256];
            snprintf(path, sizeof path, "/proc/%d/status", (int)child);
            FILE* file = fopen(path, "r");
            while (file != NULL && fgets(line, sizeof line, file) != NULL)
                if (strncmp(line, "VmHWM:", 6) == 0) peak = atol(line + 6);
            if (file != NULL) fclose(file);
        }
        ptrace(PTRACE_CONT, child, NULL, NULL);
    }
    return peak;
}

static void report(struct Program* program, int runs, const char* end) {
    qsort(program->times, (size_t)runs, sizeof(double), by_value);
    printf("%.1f %.1f %ld%s", program->times[runs / 2], program->times[0], peak_memory(program), end);
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fputs("usage: spawn_timer N PROGRAM [ARG...] [-- OTHER [ARG...]]\n", stderr);
        return 2;
    }
    const int runs = atoi(argv[1]);
    struct Program programs[2] = {{argv + 2, NULL}, {NULL, NULL}};
    for (int i = 3; i < argc; ++i) {
        if (strcmp(argv[i], "--") != 0) continue;
        argv[i] = NULL; /* ends the first program's arguments */
        programs[1].argv = argv + i + 1;
        break;
    }
    const int count = programs[1].argv != NULL && programs[1].argv[0] != NULL ? 2 : 1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (int p = 0; p < count; ++p) programs[p].times = malloc(sizeof(double) * (size_t)runs);
    for (int i = 0; i < runs; ++i) {
        for (int turn = 0; turn < count; ++turn) {
            const int p = count == 2 ? (i + turn) % 2 : 0;
            programs[p].times[i] = run_once(&programs[p], &actions);
        }
    }
    for (int p = 0; p < count; ++p) report(&programs[p], runs, p + 1 < count ? " " : "\n");
    return 0;
}
