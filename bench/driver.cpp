// driver.cpp: `make bench`: runs every benchmark in one go (start-up and memory against a
// bare Qt program, new game, confirm, the rules) and prints one table of medians with their
// min and max beside the targets. It measures and reports; it never fails on a figure.
#include "rules/board.h"
#include "rules/colour.h"
#include "rules/random.h"
#include "rules/scoring.h"
#include "rules/secret.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kStartupRuns = 40;  // of each program, interleaved
constexpr int kStartupWarmUp = 2; // of each, first, thrown away: page cache, font cache
constexpr int kRulesBatches = 25;
constexpr int kRulesCallsPerBatch = 200000;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "bench: %s\n", what.c_str());
    std::exit(1);
}

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// ---- statistics ----

struct Summary {
    std::size_t count = 0;
    double median = 0, min = 0, max = 0;
};

Summary summarise(std::vector<double> values) {
    if (values.empty())
        return {};
    std::ranges::sort(values);
    const std::size_t n = values.size();
    const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
    return {n, median, values.front(), values.back()};
}

// ---- child processes ----

// The environment every child gets: this one, with the display and platform chosen here.
class Environment {
public:
    void set(const std::string& name, const std::string& value) { overrides_[name] = value; }
    void unset(const std::string& name) { overrides_[name] = std::nullopt; }

    std::vector<std::string> build() const {
        std::vector<std::string> entries;
        for (char** e = environ; *e; ++e) {
            const std::string entry(*e);
            const std::string name = entry.substr(0, entry.find('='));
            if (!overrides_.contains(name))
                entries.push_back(entry);
        }
        for (const auto& [name, value] : overrides_)
            if (value)
                entries.push_back(name + "=" + *value);
        return entries;
    }

private:
    std::map<std::string, std::optional<std::string>> overrides_;
};

struct Finished {
    long long spawnedNs; // the clock just before the spawn
    long long cpuNs;     // user + system time of the child, from spawn to exit
    std::string out;
};

// Spawns `program`, collects its standard output (its standard error goes to `log`) and
// waits for it; fails the whole run when it does not end cleanly within `timeoutSeconds`.
Finished run(const std::string& program, const Environment& environment, const std::string& log,
             int timeoutSeconds) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        fail("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

    const std::vector<std::string> entries = environment.build();
    std::vector<char*> envp;
    for (const auto& entry : entries)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    std::vector<char*> argv{const_cast<char*>(program.c_str()), nullptr};

    pid_t pid = 0;
    const long long spawnedNs = monotonicNs();
    const int error =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (error != 0)
        fail("cannot start " + program + ": " + std::strerror(error));

    std::string out;
    const long long deadline = spawnedNs + timeoutSeconds * 1000000000LL;
    char buffer[65536];
    for (;;) {
        const long long left = (deadline - monotonicNs()) / 1000000;
        pollfd fd{pipeFds[0], POLLIN, 0};
        if (left <= 0 || poll(&fd, 1, static_cast<int>(left)) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            fail(program + " did not finish in time; see " + log);
        }
        const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        out.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(program + " failed; see " + log);
    const auto ns = [](const timeval& t) {
        return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_usec * 1000LL;
    };
    return {spawnedNs, ns(usage.ru_utime) + ns(usage.ru_stime), out};
}

// "key=value" lines of a start-up probe.
std::map<std::string, std::string> keyValues(const std::string& text) {
    std::map<std::string, std::string> values;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        if (const auto eq = line.find('='); eq != std::string::npos)
            values[line.substr(0, eq)] = line.substr(eq + 1);
    return values;
}

// The first three fields of /proc/loadavg: how busy the machine was around the figures.
std::string loadAverage() {
    std::FILE* file = std::fopen("/proc/loadavg", "r");
    if (!file)
        return "?";
    double one = 0, five = 0, fifteen = 0;
    const int got = std::fscanf(file, "%lf %lf %lf", &one, &five, &fifteen);
    std::fclose(file);
    if (got != 3)
        return "?";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f", one, five, fifteen);
    return text;
}

// ---- the X server ----

pid_t xvfbPid = 0;

void stopXvfb() {
    if (xvfbPid > 0) {
        kill(xvfbPid, SIGTERM);
        waitpid(xvfbPid, nullptr, 0);
        xvfbPid = 0;
    }
}

extern "C" void onSignal(int signal) {
    if (xvfbPid > 0)
        kill(xvfbPid, SIGTERM);
    std::_Exit(128 + signal);
}

std::optional<std::string> findProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':'))
        if (access((dir + "/" + name).c_str(), X_OK) == 0)
            return dir + "/" + name;
    return std::nullopt;
}

// ":77" for 77. (Built by appending: GCC 12 warns falsely on ":" + std::to_string(n).)
std::string displayName(int display) {
    std::string name(":");
    name += std::to_string(display);
    return name;
}

bool displayTaken(int display) {
    const std::string n = std::to_string(display);
    return access(("/tmp/.X" + n + "-lock").c_str(), F_OK) == 0 ||
           access(("/tmp/.X11-unix/X" + n).c_str(), F_OK) == 0;
}

// Starts one Xvfb for the whole run on the first free display from :77 and waits until it
// accepts clients (it writes its display number on -displayfd once it does).
std::optional<int> startXvfb(const std::string& xvfb) {
    for (int display = 77; display < 177; ++display) {
        if (displayTaken(display))
            continue;
        int ready[2];
        if (pipe(ready) != 0)
            fail("pipe failed");
        const std::string name = displayName(display);
        const std::string fd = std::to_string(ready[1]);
        std::vector<std::string> args{xvfb,        name,  "-screen",    "0", "1280x1024x24",
                                      "-nolisten", "tcp", "-displayfd", fd};
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, ready[0]);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        const int error = posix_spawn(&pid, xvfb.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(ready[1]);
        if (error != 0) {
            close(ready[0]);
            return std::nullopt;
        }
        xvfbPid = pid;
        // The whole line must be read before closing: Xvfb dies of SIGPIPE if the newline
        // after the number finds no reader.
        bool up = false;
        const long long deadline = monotonicNs() + 10000000000LL;
        for (;;) {
            pollfd wait{ready[0], POLLIN, 0};
            const long long left = (deadline - monotonicNs()) / 1000000;
            char c = 0;
            if (left <= 0 || poll(&wait, 1, static_cast<int>(left)) <= 0 ||
                read(ready[0], &c, 1) != 1)
                break;
            if (c == '\n') {
                up = true;
                break;
            }
        }
        close(ready[0]);
        if (up)
            return display;
        stopXvfb(); // lost a race for this display, or could not start: try the next one
    }
    return std::nullopt;
}

// ---- the rules ----

// Keeps results alive so the compiler cannot drop the calls that made them.
volatile long long sink = 0;

template <class Call> Summary nanosecondsPerCall(Call call) {
    std::vector<double> perCall;
    for (int batch = -1; batch < kRulesBatches; ++batch) { // batch -1 warms up
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kRulesCallsPerBatch; ++i)
            call(i);
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
        if (batch >= 0)
            perCall.push_back(static_cast<double>(ns) / kRulesCallsPerBatch);
    }
    return summarise(perCall);
}

Summary secretDraw() {
    rules::SeededRandom random(20240601);
    return nanosecondsPerCall([&random](int) {
        rules::Board board;
        rules::drawSecret(board, random);
        sink = sink + board.segreto[0] + board.segreto[3];
    });
}

Summary rowScoring() {
    // A board with a secret and all twelve rows holding pegs of every kind of score.
    rules::SeededRandom random(7);
    rules::Board board;
    rules::drawSecret(board, random);
    for (int row = 1; row <= rules::kRows; ++row)
        for (int column = 1; column <= rules::kColumns; ++column)
            board.disc(row, column) = rules::colourOfCode(rules::codeFromDraw(random.next())).value;
    return nanosecondsPerCall([&board](int i) {
        const int row = i % rules::kRows + 1;
        board.rossi = 0;
        board.bianchi = 0;
        rules::countRow(board, row);
        rules::paintReds(board, row);
        rules::paintWhites(board, row);
        sink = sink + board.rossi + board.bianchi;
    });
}

// ---- the table ----

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

struct Unit {
    const char* name;
    double scale; // divides the raw value
    int decimals;
};

constexpr Unit kMs{"ms", 1e6, 2};
constexpr Unit kMsFine{"ms", 1e6, 3};
constexpr Unit kMiB{"MiB", 1024.0, 2};
constexpr Unit kRatio{"", 1.0, 3};
constexpr Unit kNs{"ns", 1.0, 1};

struct Target {
    double limit; // in the unit shown
    std::string text;
};

void heading(const std::string& text) { std::printf("%s\n", text.c_str()); }

void row(const std::string& label, const std::string& count, const Summary& s, const Unit& unit,
         const std::optional<Target>& target = std::nullopt) {
    auto cell = [&unit](double raw) {
        std::string text = fixed(raw / unit.scale, unit.decimals);
        if (*unit.name)
            text += std::string(" ") + unit.name;
        return text;
    };
    std::string verdict;
    if (target)
        verdict = s.median / unit.scale <= target->limit ? "met" : "MISSED";
    std::printf("  %-46s %9s %12s %12s %12s   %-12s %s\n", label.c_str(), count.c_str(),
                cell(s.median).c_str(), cell(s.min).c_str(), cell(s.max).c_str(),
                target ? target->text.c_str() : "", verdict.c_str());
}

std::vector<double> numbers(const std::string& line) {
    std::istringstream words(line);
    std::string word;
    words >> word >> word; // "samples <name>"
    std::vector<double> values;
    double value = 0;
    while (words >> value)
        values.push_back(value);
    return values;
}

} // namespace

int main() {
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    const std::filesystem::path here =
        std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const std::string cifrotto = here / "bench_start_cifrotto";
    const std::string bare = here / "bench_start_bare";
    const std::string session = here / "bench_session";
    const std::string log = here / "bench-stderr.log";
    std::filesystem::remove(log);

    std::atexit(stopXvfb);
    Environment environment;
    std::string where;
    if (const auto xvfb = findProgram("Xvfb")) {
        const auto display = startXvfb(*xvfb);
        if (!display)
            fail("Xvfb is installed but would not start");
        environment.set("DISPLAY", displayName(*display));
        environment.set("QT_QPA_PLATFORM", "xcb");
        where = "on Xvfb " + displayName(*display) + " (1280x1024x24)";
    } else {
        environment.unset("DISPLAY");
        environment.set("QT_QPA_PLATFORM", "offscreen");
        where = "(Xvfb is not installed)";
    }
    std::fprintf(stderr, "bench: measuring %s; this takes a minute or two\n", where.c_str());
    const std::string loadBefore = loadAverage();

    // 1 and 2: start-up and peak memory, the two programs run by run.
    struct Startup {
        std::vector<double> ns, kib, cpuNs;
    } cif, yardstick;
    std::vector<double> ratio, extraKib;
    auto startOnce = [&](const std::string& program, Startup* into) {
        const Finished done = run(program, environment, log, 20);
        const auto values = keyValues(done.out);
        if (!values.contains("painted_ns") || !values.contains("exposed") ||
            values.at("exposed") != "1")
            fail(program + " printed no exposed first frame");
        if (into) {
            into->ns.push_back(std::stod(values.at("painted_ns")) -
                               static_cast<double>(done.spawnedNs));
            into->kib.push_back(std::stod(values.at("vmhwm_kib")));
            into->cpuNs.push_back(static_cast<double>(done.cpuNs));
        }
    };
    for (int i = 0; i < kStartupWarmUp; ++i) {
        startOnce(cifrotto, nullptr);
        startOnce(bare, nullptr);
    }
    for (int i = 0; i < kStartupRuns; ++i) {
        // Each pair alternates which program goes first.
        if (i % 2 == 0) {
            startOnce(cifrotto, &cif);
            startOnce(bare, &yardstick);
        } else {
            startOnce(bare, &yardstick);
            startOnce(cifrotto, &cif);
        }
        ratio.push_back(cif.ns.back() / yardstick.ns.back());
        extraKib.push_back(cif.kib.back() - yardstick.kib.back());
    }

    // 3 and 4: inside one running Cifrotto.
    const Finished played = run(session, environment, log, 300);
    std::map<std::string, std::vector<double>> samples;
    std::string qtPlatform = "?", qtVersion = "?";
    {
        std::istringstream lines(played.out);
        std::string line;
        while (std::getline(lines, line)) {
            std::istringstream words(line);
            std::string kind, name;
            words >> kind >> name;
            if (kind == "samples")
                samples[name] = numbers(line);
            else if (kind == "platform")
                qtPlatform = name;
            else if (kind == "qt")
                qtVersion = name;
        }
    }

    // 5: the rules, in this process.
    const Summary draw = secretDraw();
    const Summary scoring = rowScoring();

    stopXvfb();

    const auto runs = [](std::size_t n) { return std::to_string(n); };
    const std::string batches =
        std::to_string(kRulesBatches) + "x" + std::to_string(kRulesCallsPerBatch / 1000) + "k";
    std::printf("\nCifrotto benchmarks: Release build, Qt %s, platform %s %s, %ld CPUs\n",
                qtVersion.c_str(), qtPlatform.c_str(), where.c_str(),
                sysconf(_SC_NPROCESSORS_ONLN));
    std::printf("Load average (1, 5, 15 min) before: %s, after: %s\n", loadBefore.c_str(),
                loadAverage().c_str());
    std::printf("  %-46s %9s %12s %12s %12s   %-12s %s\n", "", "runs", "median", "min", "max",
                "target", "");
    heading("Start-up: spawn to the first window mapped and painted");
    row("Cifrotto (start window)", runs(cif.ns.size()), summarise(cif.ns), kMs);
    row("bare Qt Widgets program, one empty window", runs(yardstick.ns.size()),
        summarise(yardstick.ns), kMs);
    row("ratio Cifrotto / bare, run by run", runs(ratio.size()), summarise(ratio), kRatio,
        Target{1.15, "<= 1.15"});
    row("Cifrotto, CPU time (user+sys, to exit)", runs(cif.cpuNs.size()), summarise(cif.cpuNs),
        kMs);
    row("bare, CPU time (user+sys, to exit)", runs(yardstick.cpuNs.size()),
        summarise(yardstick.cpuNs), kMs);
    heading("Peak resident memory (VmHWM) at the first frame");
    row("Cifrotto", runs(cif.kib.size()), summarise(cif.kib), kMiB);
    row("bare Qt Widgets program", runs(yardstick.kib.size()), summarise(yardstick.kib), kMiB);
    row("Cifrotto - bare, run by run", runs(extraKib.size()), summarise(extraKib), kMiB,
        Target{2.0, "<= +2 MiB"});
    heading("New game: press to the new board painted (200 controls, Form_Load, first paint)");
    row("\"&Ricomincia\" on the board", runs(samples["ricomincia"].size()),
        summarise(samples["ricomincia"]), kMs, Target{4.0, "<= 4 ms"});
    row("\"&Comincia\" on the start window", runs(samples["comincia"].size()),
        summarise(samples["comincia"]), kMs, Target{4.0, "<= 4 ms"});
    heading("Confirm on a full row: press to the board repainted");
    row("rows 1 to 11", runs(samples["confirm"].size()), summarise(samples["confirm"]), kMsFine,
        Target{0.5, "<= 0.5 ms"});
    row("row 12 (also opens the end window)", runs(samples["confirm_last"].size()),
        summarise(samples["confirm_last"]), kMsFine);
    heading("Rules, per call (batches x calls)");
    row("secret draw (fresh Board + drawSecret)", batches, draw, kNs);
    row("row scoring (countRow + paintReds + paintWhites)", batches, scoring, kNs);
    return 0;
}
