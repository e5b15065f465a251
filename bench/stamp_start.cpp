// stamp_start FILE COMMAND [ARGUMENT...]: writes the monotonic clock in microseconds and its
// process id to FILE, then becomes COMMAND (same process), so that a profile can time a program
// from the moment it starts and signal it.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {
constexpr long MICROSECONDS_PER_SECOND = 1000000;
constexpr long NANOSECONDS_PER_MICROSECOND = 1000;
constexpr int FIRST_COMMAND_ARGUMENT = 2;
} // namespace

int main(int argc, char* argv[]) {
    if (argc <= FIRST_COMMAND_ARGUMENT) {
        std::fprintf(stderr, "usage: %s FILE COMMAND [ARGUMENT...]\n", argv[0]);
        return EXIT_FAILURE;
    }
    std::FILE* stamp = std::fopen(argv[1], "w");
    if (stamp == nullptr) {
        std::fprintf(stderr, "stamp_start: cannot write %s: %s\n", argv[1], std::strerror(errno));
        return EXIT_FAILURE;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stamp, "%ld %ld\n",
                 now.tv_sec * MICROSECONDS_PER_SECOND + now.tv_nsec / NANOSECONDS_PER_MICROSECOND,
                 static_cast<long>(getpid()));
    std::fclose(stamp);
    execvp(argv[FIRST_COMMAND_ARGUMENT], &argv[FIRST_COMMAND_ARGUMENT]);
    std::fprintf(stderr, "stamp_start: cannot run %s: %s\n", argv[FIRST_COMMAND_ARGUMENT],
                 std::strerror(errno));
    return EXIT_FAILURE;
}
