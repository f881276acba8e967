// Start-up of the program against a bare Qt window: each started N times, alternately, offscreen,
// with a fresh TALVERO_HOME. The time is from starting the process to its "first paint" line (the
// probe of ui/firstpaint.h); the memory is the process's peak resident set at its first paint (the
// line says it) and over its whole start-up (the program opens its tables after the first paint,
// then quits). Prints the medians and the program's ratios to the bare window.
//
// A bare window with a menu bar and a status bar runs beside them too, for comparison.
//
//   startup_bench [--runs N] [--program PATH] [--bare PATH] [--bare-menu PATH]
#include "ui/firstpaint.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr double kTimeTarget = 1.5;
constexpr double kMemoryTarget = 1.4;
constexpr int kTimeoutMs = 30000;

struct Sample {
    double ms;
    double paintMb; // peak resident at the first paint
    double mb;      // peak resident over the whole start-up
};

struct Program {
    const char* label;
    std::string path;
    std::vector<Sample> samples;
};

// The environment of this process with the probe asked for, offscreen, and `home` as data folder.
std::vector<std::string> childEnvironment(const std::string& home) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("QT_QPA_PLATFORM=", 0) == 0 || entry.rfind("TALVERO_HOME=", 0) == 0) continue;
        env.push_back(entry);
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("TALVERO_HOME=" + home);
    env.push_back(std::string(ui::kQuitAtFirstPaint) + "=1");
    return env;
}

// One start of `path` to its first paint; nothing when it fails or does not paint in time.
std::optional<Sample> startOnce(const std::string& path) {
    char homeTemplate[] = "/tmp/talvero-startup-XXXXXX";
    if (!mkdtemp(homeTemplate)) {
        std::perror("mkdtemp");
        return std::nullopt;
    }
    const std::string home(homeTemplate);
    std::vector<std::string> env = childEnvironment(home);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0) {
        std::perror("pipe");
        fs::remove_all(home);
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    // Qt's notes on standard error are not what is measured.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = path;
    char* argv[] = {program.data(), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", path.c_str(), std::strerror(spawned));
        close(out[0]);
        fs::remove_all(home);
        return std::nullopt;
    }

    std::string seen;
    std::optional<double> ms;
    long paintKb = 0;
    pollfd fd{out[0], POLLIN, 0};
    while (!ms && poll(&fd, 1, kTimeoutMs) > 0) {
        char buffer[256];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) break;
        seen.append(buffer, static_cast<size_t>(n));
        const size_t at = seen.find("first paint ");
        if (at != std::string::npos && seen.find('\n', at) != std::string::npos) {
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            paintKb = std::strtol(seen.c_str() + at + 12, nullptr, 10);
        }
    }
    if (!ms) kill(pid, SIGKILL);
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    fs::remove_all(home);
    if (!ms) {
        std::fprintf(stderr, "%s did not report its first paint\n", path.c_str());
        return std::nullopt;
    }
    return Sample{*ms, paintKb / 1024.0, usage.ru_maxrss / 1024.0};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::vector<double> times(const Program& p) {
    std::vector<double> v;
    for (const Sample& s : p.samples)
        v.push_back(s.ms);
    return v;
}
std::vector<double> memory(const Program& p, double Sample::*which) {
    std::vector<double> v;
    for (const Sample& s : p.samples)
        v.push_back(s.*which);
    return v;
}

int usage(const char* self) {
    std::fprintf(stderr, "usage: %s [--runs N] [--program PATH] [--bare PATH] [--bare-menu PATH]\n", self);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const fs::path here = fs::canonical("/proc/self/exe").parent_path();
    Program bare{"bare Qt window", (here / "bare_window").string(), {}};
    Program talvero{"talvero", (here / "talvero").string(), {}};
    Program menu{"bare with menu", (here / "bare_menu_window").string(), {}};
    int runs = 21;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return usage(argv[0]);
        if (arg == "--runs") {
            char* end = nullptr;
            runs = static_cast<int>(std::strtol(argv[++i], &end, 10));
            if (*end || runs < 1) return usage(argv[0]);
        } else if (arg == "--program") {
            talvero.path = argv[++i];
        } else if (arg == "--bare") {
            bare.path = argv[++i];
        } else if (arg == "--bare-menu") {
            menu.path = argv[++i];
        } else {
            return usage(argv[0]);
        }
    }

    // One start of each first, not counted: the libraries and fonts come into the page cache.
    for (Program* p : {&talvero, &bare, &menu})
        if (!startOnce(p->path)) return 1;
    for (int run = 0; run < runs; ++run) {
        Program* order[3] = {&talvero, &bare, &menu};
        std::rotate(order, order + run % 3, order + 3);
        for (Program* p : order) {
            const std::optional<Sample> s = startOnce(p->path);
            if (!s) return 1;
            p->samples.push_back(*s);
        }
    }

    std::printf("%d rotating starts of each, offscreen, a fresh TALVERO_HOME each; medians\n", runs);
    std::printf("%-16s %16s %22s %22s\n", "", "first paint ms", "peak RSS MB at paint",
                "peak RSS MB start-up");
    for (const Program* p : {&bare, &menu, &talvero})
        std::printf("%-16s %16.1f %22.1f %22.1f\n", p->label, median(times(*p)),
                    median(memory(*p, &Sample::paintMb)), median(memory(*p, &Sample::mb)));
    auto ratio = [&](const std::vector<double>& a, const std::vector<double>& b) {
        return median(a) / median(b);
    };
    std::printf("%-16s %16.2f %22.2f %22.2f\n", "ratio", ratio(times(talvero), times(bare)),
                ratio(memory(talvero, &Sample::paintMb), memory(bare, &Sample::paintMb)),
                ratio(memory(talvero, &Sample::mb), memory(bare, &Sample::mb)));
    std::printf("%-16s %16.2f %22.2f %22.2f\n", "target (at most)", kTimeTarget, kMemoryTarget,
                kMemoryTarget);
    // Beside the window with a menu: what is left once the first text is paid for.
    std::printf("%-16s %16.2f %22.2f %22.2f\n", "to bare w. menu", ratio(times(talvero), times(menu)),
                ratio(memory(talvero, &Sample::paintMb), memory(menu, &Sample::paintMb)),
                ratio(memory(talvero, &Sample::mb), memory(menu, &Sample::mb)));
    return 0;
}
