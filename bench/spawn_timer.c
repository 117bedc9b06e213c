/* Runs a program N times (standard output to out.txt in the current
 * directory) and prints the median and minimum wall time of a run and the
 * peak resident memory of the runs.
 *
 *   spawn_timer N PROGRAM [ARG...]
 */
#define _POSIX_C_SOURCE 200809L
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

static int by_value(const void* a, const void* b) {
    const double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fputs("usage: spawn_timer N PROGRAM [ARG...]\n", stderr);
        return 2;
    }
    const int runs = atoi(argv[1]);
    double* times = malloc(sizeof(double) * (size_t)runs);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (int i = 0; i < runs; ++i) {
        struct timespec start, end;
        pid_t child;
        int status;
        clock_gettime(CLOCK_MONOTONIC, &start);
        if (posix_spawn(&child, argv[2], &actions, NULL, argv + 2, environ) != 0) {
            perror("posix_spawn");
            return 2;
        }
        waitpid(child, &status, 0);
        clock_gettime(CLOCK_MONOTONIC, &end);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            fprintf(stderr, "%s failed\n", argv[2]);
            return 2;
        }
        times[i] = (double)(end.tv_sec - start.tv_sec) * 1e6 + (double)(end.tv_nsec - start.tv_nsec) / 1e3;
    }
    qsort(times, (size_t)runs, sizeof(double), by_value);
    struct rusage usage;
    getrusage(RUSAGE_CHILDREN, &usage);
    printf("%.1f %.1f %ld\n", times[runs / 2], times[0], usage.ru_maxrss);
    return 0;
}
