// Starts programs that carry the first-paint probe, one after the other in rounds, and prints one
// line per measured run:
//
//     NAME STARTUP_MS HOOK_MS MAXRSS_KIB CPU_MS
//
// STARTUP_MS runs from just before the fork to the probe's reading after the first paint,
// HOOK_MS to the probe's reading when QCoreApplication ran its start-up functions, both on
// CLOCK_MONOTONIC; MAXRSS_KIB is the child's peak resident set and CPU_MS the processor time it
// used (user and system), both as the kernel counted them (wait4). Processor time hardly moves
// with load from elsewhere on the machine, which the wall-clock figures do; alternating the
// programs spreads that load over all of them.
//
//     bench-launch RUNS WARMUP LOG NAME=PROGRAM...
//
// The first WARMUP rounds fill the caches and are not printed; the programs' standard error is
// appended to LOG. Exits 1 when a program fails to report within its time.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int reportTimeoutMilliseconds = 30'000;

struct Program {
    std::string name;
    std::string path;
};

struct Run {
    double startupMs;
    double hookMs;
    long maxRssKib;
    double cpuMs;
};

double milliseconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
}

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

[[noreturn]] void fail(const std::string& message)
{
    std::fprintf(stderr, "bench-launch: %s\n", message.c_str());
    std::exit(1);
}

[[noreturn]] void usage()
{
    std::fprintf(stderr, "usage: bench-launch RUNS WARMUP LOG NAME=PROGRAM...\n");
    std::exit(2);
}

int countArgument(const char* text, long minimum)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value < minimum || value > 100'000)
        usage();
    return static_cast<int>(value);
}

[[noreturn]] void execProgram(const Program& program, int reportFd, int logFd)
{
    if (dup2(reportFd, STDOUT_FILENO) < 0 || dup2(logFd, STDERR_FILENO) < 0)
        _exit(127);
    execl(program.path.c_str(), program.path.c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

// Everything the child writes before it ends or the time is up.
std::optional<std::string> readReport(int fd)
{
    std::string report;
    const long long deadline =
        monotonicNanoseconds() + static_cast<long long>(reportTimeoutMilliseconds) * 1'000'000LL;
    for (;;) {
        const long long left = (deadline - monotonicNanoseconds()) / 1'000'000LL;
        if (left <= 0)
            return std::nullopt;
        pollfd readable{fd, POLLIN, 0};
        const int ready = poll(&readable, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return std::nullopt;
        char buffer[256];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return report;
        report.append(buffer, static_cast<std::size_t>(got));
    }
}

Run measure(const Program& program, int logFd)
{
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        fail(std::string("pipe: ") + std::strerror(errno));

    const long long launchedNs = monotonicNanoseconds();
    const pid_t child = fork();
    if (child < 0)
        fail(std::string("fork: ") + std::strerror(errno));
    if (child == 0)
        execProgram(program, report[1], logFd);
    close(report[1]);

    const std::optional<std::string> text = readReport(report[0]);
    close(report[0]);
    if (!text)
        kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        fail(program.name + ": wait4: " + std::strerror(errno));
    if (!text)
        fail(program.name + ": no first paint within " +
             std::to_string(reportTimeoutMilliseconds / 1000) + " s");

    long long hookNs = 0;
    long long paintNs = 0;
    if (std::sscanf(text->c_str(), "%lld %lld", &hookNs, &paintNs) != 2 || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        fail(program.name + ": ended without reporting its first paint (status " +
             std::to_string(status) + ")");
    return Run{static_cast<double>(paintNs - launchedNs) / 1e6,
               static_cast<double>(hookNs - launchedNs) / 1e6, usage.ru_maxrss,
               milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime)};
}

std::vector<Program> programsFrom(int count, char** arguments)
{
    std::vector<Program> programs;
    for (int i = 0; i < count; ++i) {
        const std::string_view argument(arguments[i]);
        const std::size_t equals = argument.find('=');
        if (equals == 0 || equals == std::string_view::npos || equals + 1 == argument.size())
            usage();
        programs.push_back(
            {std::string(argument.substr(0, equals)), std::string(argument.substr(equals + 1))});
    }
    return programs;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5)
        usage();
    const int runs = countArgument(argv[1], 1);
    const int warmup = countArgument(argv[2], 0);
    const int logFd = open(argv[3], O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (logFd < 0)
        fail(std::string(argv[3]) + ": " + std::strerror(errno));
    const std::vector<Program> programs = programsFrom(argc - 4, argv + 4);

    for (int round = 0; round < warmup + runs; ++round) {
        for (const Program& program : programs) {
            const Run run = measure(program, logFd);
            if (round >= warmup)
                std::printf("%s %.3f %.3f %ld %.3f\n", program.name.c_str(), run.startupMs,
                            run.hookMs, run.maxRssKib, run.cpuMs);
        }
        std::fflush(stdout);
    }
    return 0;
}
