/* The yardstick for the launcher's start time: a C program that only starts
   the program named by its argument, as the launcher does, and ends. */
#include <spawn.h>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    pid_t pid;
    char* arguments[] = {argv[1], 0};
    return posix_spawn(&pid, argv[1], 0, 0, arguments, environ) == 0 ? 0 : 1;
}
