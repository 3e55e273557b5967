// driver.cpp: `make bench`: start-up and memory of Cifrotto against two floors (an empty Qt
// window, and one with a text button in the game's font), launched in turn in one run; then
// the in-process timings of bench_session. Prints one table; it measures, it never fails on
// a figure. Its targets are only what another machine would judge alike: ratios to the Qt
// floors launched in the same run, memory over them, and instruction counts; milliseconds
// are printed as measured, beside no target. Run it on a display (`make bench` uses xvfb-run). With
// --start-up it measures the start-up alone, against the one-button window: `make bench` runs it so
// on a Wayland compositor too, where the instruction counts would only repeat X11's.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kLaunches = 40;       // of each program, in turn
constexpr int kWarmUp = 2;          // launches of each first, not counted: page cache, font cache
constexpr int kMedianRuns = 101;    // of each in-process measure
constexpr int kCountedPresses = 20; // of each, under callgrind

[[noreturn]] void fail(const QString& what) {
    std::fprintf(stderr, "bench: %s\n", qPrintable(what));
    std::exit(1);
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::ranges::sort(values);
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// Where the programs' standard error goes: Qt's warnings would bury the table.
QString errorLog;

// Runs a program to its end and returns its standard output.
QByteArray output(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.setStandardErrorFile(errorLog, QIODevice::Append);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        fail(program + " failed; see " + errorLog);
    return process.readAllStandardOutput();
}

struct Program {
    const char* label;
    QString path;
    std::map<QString, std::vector<double>> values; // by the probe's key
    double instructions = 0;
    QString platform{}; // as the probe reports it
};

// One launch: the probe prints "key=value" lines; times become milliseconds from the
// moment before the start, read on the same steady clock.
void launch(Program& program, bool counted) {
    const double startNs = double(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                      std::chrono::steady_clock::now().time_since_epoch())
                                      .count());
    const QByteArray out = output(program.path, {}, 20000);
    if (!counted)
        return;
    for (const QByteArray& line : out.split('\n')) {
        const QList<QByteArray> pair = line.split('=');
        if (pair.size() != 2)
            continue;
        if (pair[0] == "platform")
            program.platform = QString::fromLatin1(pair[1]);
        bool number = false;
        double value = pair[1].toDouble(&number);
        if (!number)
            continue;
        if (pair[0].endsWith("_ns"))
            value = (value - startNs) / 1e6;
        program.values[QString::fromLatin1(pair[0])].push_back(value);
    }
}

// Instructions counted by callgrind: steadier than any clock on a busy machine. Zero when
// valgrind is not installed.
// `command`: further options of callgrind, the program and its arguments.
double instructions(const QStringList& command) {
    const QString valgrind = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
    if (valgrind.isEmpty())
        return 0;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(valgrind, QStringList{QStringLiteral("--tool=callgrind"),
                                        QStringLiteral("--callgrind-out-file=/dev/null")} +
                                command);
    const qint64 pid = process.waitForStarted() ? process.processId() : 0;
    if (!process.waitForFinished(600000))
        fail(QStringLiteral("valgrind did not finish"));
    // Only the program's own line: Qt may fork a helper (dbus-launch) that reports too.
    const auto match = QRegularExpression(QStringLiteral("==%1== Collected : (\\d+)").arg(pid))
                           .match(QString::fromLocal8Bit(process.readAllStandardError()));
    return match.hasMatch() ? match.captured(1).toDouble() : 0;
}

// Instructions per press of one bench_session function: it switches counting on only around
// the presses it times, from the third on.
double instructionsPerPress(const QString& path, const char* function) {
    return instructions({QStringLiteral("--collect-atstart=no"), path, QStringLiteral("-median"),
                         QString::number(kCountedPresses + 2), QString::fromLatin1(function)}) /
           kCountedPresses;
}

// One step to another size as bench_session's sizes() labels it: "kind|from to to".
struct Step {
    QString kind;
    QString zooms;
    double instructions;
};

// The steps of bench_session's sizes(), each counted alone: it ends a callgrind part after
// each, labelled, and the part's file says its label and its count.
std::vector<Step> countedSteps(const QString& path) {
    const QString valgrind = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
    QTemporaryDir parts;
    if (valgrind.isEmpty() || !parts.isValid())
        return {};
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(errorLog, QIODevice::Append);
    process.start(valgrind,
                  {QStringLiteral("--tool=callgrind"), QStringLiteral("--collect-atstart=no"),
                   QStringLiteral("--callgrind-out-file=") + parts.filePath("cg.%p"), path,
                   QStringLiteral("sizes")});
    const qint64 pid = process.waitForStarted() ? process.processId() : 0;
    if (!process.waitForFinished(1800000) || process.exitCode() != 0)
        fail(QStringLiteral("bench_session sizes failed under callgrind; see ") + errorLog);
    // cg.PID.1, cg.PID.2, ... in the order they were dumped; cg.PID is what followed the last.
    std::vector<Step> steps;
    for (int part = 1;; ++part) {
        QFile file(parts.filePath(QStringLiteral("cg.%1.%2").arg(pid).arg(part)));
        if (!file.open(QIODevice::ReadOnly))
            break;
        QString label;
        double total = 0;
        while (!file.atEnd()) {
            const QByteArray line = file.readLine().trimmed();
            if (line.startsWith("desc: Trigger: Client Request: "))
                label = QString::fromUtf8(line.mid(31));
            else if (line.startsWith("totals: "))
                total = line.mid(8).toDouble();
        }
        const qsizetype bar = label.indexOf(u'|');
        steps.push_back({label.left(bar), label.mid(bar + 1), total});
    }
    return steps;
}

// "function","tag","metric",value,total,iterations lines of QtTest's -csv output.
std::map<QString, double> sessionMedians(const QString& path) {
    std::map<QString, double> medians;
    const QByteArray out = output(path,
                                  {QStringLiteral("-csv"), QStringLiteral("-median"),
                                   QString::number(kMedianRuns), QStringLiteral("ricomincia"),
                                   QStringLiteral("comincia"), QStringLiteral("confirmRows1To11"),
                                   QStringLiteral("confirmRow12"), QStringLiteral("resize"),
                                   QStringLiteral("secretDraw"), QStringLiteral("rowScoring")},
                                  600000);
    for (const QByteArray& line : out.split('\n')) {
        const QList<QByteArray> cells = line.split(',');
        if (cells.size() < 4)
            continue;
        const QString function = QString::fromLatin1(cells[0]).remove(u'"');
        const QByteArray metric = cells[2];
        double value = cells[3].toDouble();
        if (metric.contains("Milliseconds"))
            value *= 1e6;
        medians[function] = value; // nanoseconds
    }
    return medians;
}

QString loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return QString::fromStdString(one + " " + five + " " + fifteen);
}

void line(const char* label, const QString& value, const QString& versus = {},
          const QString& target = {}, const char* verdict = "") {
    std::printf("  %-44s %12s %10s   %-22s %s\n", label, qPrintable(value), qPrintable(versus),
                qPrintable(target), verdict);
}

QString number(double value, int decimals, const char* unit) {
    return QString::number(value, 'f', decimals) + QLatin1String(unit);
}

const char* verdict(bool met) { return met ? "met" : "MISSED"; }

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const bool startUpOnly = QCoreApplication::arguments().contains(QStringLiteral("--start-up"));
    const QByteArray display = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                                   ? qgetenv("DISPLAY")
                                   : qgetenv("WAYLAND_DISPLAY");
    const QString here = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    errorLog = here + "bench-stderr.log";
    QFile::remove(errorLog);
    std::vector<Program> programs{{"empty Qt window", here + "bench_start_empty", {}},
                                  {"one text button", here + "bench_start_button", {}},
                                  {"Cifrotto", here + "bench_start_cifrotto", {}}};
    Program& empty = programs[0];
    Program& button = programs[1];
    Program& cifrotto = programs[2];

    std::fprintf(stderr, "bench: measuring on %s; this takes a few minutes\n",
                 display.isEmpty() ? "no display" : display.constData());
    const QString loadBefore = loadAverage();
    for (int i = -kWarmUp; i < kLaunches; ++i)
        // Each round starts with the next program, so none always goes first.
        for (std::size_t k = 0; k < programs.size(); ++k)
            launch(programs[(k + std::size_t(i + kWarmUp)) % programs.size()], i >= 0);
    if (!startUpOnly)
        for (Program& program : programs)
            program.instructions = instructions({program.path});
    const std::map<QString, double> session =
        startUpOnly ? std::map<QString, double>{} : sessionMedians(here + "bench_session");
    std::map<QString, double> perPress;
    if (!startUpOnly)
        for (const char* function :
             {"ricomincia", "comincia", "confirmRows1To11", "confirmRow12", "resize"})
            perPress[QString::fromLatin1(function)] =
                instructionsPerPress(here + "bench_session", function);
    // The steps to other sizes: counted under callgrind, and once more as they are, for the
    // memory the board keeps after a maximise and back.
    const std::vector<Step> steps =
        startUpOnly ? std::vector<Step>{} : countedSteps(here + "bench_session");
    std::map<QByteArray, QByteArray> sizes;
    if (!startUpOnly)
        for (const QByteArray& line :
             output(here + "bench_session", {QStringLiteral("sizes")}, 120000).split('\n'))
            if (const QList<QByteArray> pair = line.split('='); pair.size() == 2)
                sizes[pair[0]] = pair[1];
    const QString loadAfter = loadAverage();

    const auto m = [](const Program& p, const char* key) {
        const auto it = p.values.find(QString::fromLatin1(key));
        return it == p.values.end() ? 0.0 : median(it->second);
    };
    std::printf("\nCifrotto benchmarks: Release build, Qt %s, platform %s on %s, %d CPUs\n",
                qVersion(), qPrintable(cifrotto.platform), display.constData(),
                QThread::idealThreadCount());
    std::printf("Load average (1, 5, 15 min) before: %s, after: %s\n", qPrintable(loadBefore),
                qPrintable(loadAfter));
    // On a compositor the one-button window is the floor: Wayland's own set-up (the registry,
    // the shell, the decoration) is the same for any window, and the button adds the font.
    const Program& floor = startUpOnly ? button : empty;
    std::printf("Start-up, medians of %d launches of each, in turn   median   vs %-6s  target\n",
                kLaunches, startUpOnly ? "button" : "empty");
    const auto timeRows = [&](const char* title, const char* key, int decimals, const char* unit,
                              bool target) {
        std::printf(" %s\n", title);
        for (const Program& p : programs) {
            const double ratio = m(p, key) / m(floor, key);
            const bool judged = target && &p == &cifrotto;
            line(p.label, number(m(p, key), decimals, unit), number(ratio, 3, ""),
                 judged ? QStringLiteral("<= 1.10") : QString(),
                 judged ? verdict(ratio <= 1.10) : "");
        }
    };
    timeRows("launch to the start window mapped", "mapped_ns", 2, " ms", true);
    timeRows("launch to its first frame painted", "painted_ns", 2, " ms", true);
    timeRows("CPU time to the first frame (user + sys)", "cpu_ms", 2, " ms", false);
    if (startUpOnly)
        return 0;
    if (cifrotto.instructions > 0) {
        std::printf(" instructions to the first frame (callgrind, one launch)   vs button\n");
        for (const Program& p : programs) {
            const double ratio = p.instructions / button.instructions;
            line(p.label, number(p.instructions / 1e6, 1, " M"), number(ratio, 3, ""),
                 &p == &cifrotto ? QStringLiteral("<= 1.05") : QString(),
                 &p == &cifrotto ? verdict(ratio <= 1.05) : "");
        }
    }
    const double kib = 1024.0;
    std::printf(" peak resident (VmHWM) at the first frame                  vs button\n");
    for (const Program& p : programs) {
        const double over = (m(p, "vmhwm_kib") - m(button, "vmhwm_kib")) / kib;
        line(p.label, number(m(p, "vmhwm_kib") / kib, 2, " MiB"), number(over, 2, ""),
             &p == &cifrotto ? QStringLiteral("<= +0.5 MiB") : QString(),
             &p == &cifrotto ? verdict(over <= 0.5) : "");
    }
    std::printf(" private (RssAnon) at the first frame                      vs empty\n");
    for (const Program& p : programs) {
        const double over = (m(p, "rssanon_kib") - m(empty, "rssanon_kib")) / kib;
        line(p.label, number(m(p, "rssanon_kib") / kib, 2, " MiB"), number(over, 2, ""),
             &p == &cifrotto ? QStringLiteral("<= +1.0 MiB") : QString(),
             &p == &cifrotto ? verdict(over <= 1.0) : "");
    }

    std::printf("In a running Cifrotto, medians of %d (QtTest -median)     instructions\n",
                kMedianRuns);
    const auto timed = [&](const char* label, const char* function) {
        const double ms = session.at(QString::fromLatin1(function)) / 1e6;
        const double counted = perPress[QString::fromLatin1(function)];
        line(label, number(ms, 3, " ms"), counted > 0 ? number(counted / 1e6, 2, " M") : QString());
    };
    timed("\"&Ricomincia\" to the new board painted", "ricomincia");
    timed("\"&Comincia\" to the new board painted", "comincia");
    timed("confirm, rows 1 to 11, to the board painted", "confirmRows1To11");
    timed("confirm, row 12, to the end window painted", "confirmRow12");
    // A window the player enlarges must follow the frame at least as readily as a new game
    // appears.
    const double resize = perPress[QStringLiteral("resize")];
    const double ricomincia = perPress[QStringLiteral("ricomincia")];
    line("board resized, 1x to 2x or back, painted",
         number(session.at(QStringLiteral("resize")) / 1e6, 3, " ms"),
         resize > 0 ? number(resize / 1e6, 2, " M") : QString(),
         resize > 0 ? QStringLiteral("<= \"&Ricomincia\"") : QString(),
         resize > 0 ? verdict(resize <= ricomincia) : "");
    if (!steps.empty() && ricomincia > 0) {
        // Every step, the first to each size included, against one new game at the opening
        // size; a maximise, whose window is twenty times larger, against three.
        std::printf(" steps to another size, each counted alone (callgrind)  dearest    "
                    "median  steps\n");
        std::vector<QString> kinds;
        for (const Step& step : steps)
            if (std::ranges::find(kinds, step.kind) == kinds.end())
                kinds.push_back(step.kind);
        for (const QString& kind : kinds) {
            std::vector<double> counts;
            const Step* dearest = nullptr;
            for (const Step& step : steps)
                if (step.kind == kind) {
                    counts.push_back(step.instructions);
                    if (!dearest || step.instructions > dearest->instructions)
                        dearest = &step;
                }
            const bool game = kind.contains(QLatin1String("Ricomincia"));
            const double budget = (kind == QLatin1String("maximise") ? 3 : 1) * ricomincia;
            const QString target = game ? QString()
                                   : kind == QLatin1String("maximise")
                                       ? QStringLiteral("<= 3 \"&Ricomincia\"")
                                       : QStringLiteral("<= \"&Ricomincia\"");
            std::printf("  %-44s %12s %10s %5zu   %-22s %-6s zoom %s\n", qPrintable(kind),
                        qPrintable(number(dearest->instructions / 1e6, 2, " M")),
                        qPrintable(number(median(counts) / 1e6, 2, " M")), counts.size(),
                        qPrintable(target), game ? "" : verdict(dearest->instructions <= budget),
                        qPrintable(dearest->zooms));
        }
        const double before = sizes["rssanon_before_maximise_kib"].toDouble() / kib;
        const double after = sizes["rssanon_after_restore_kib"].toDouble() / kib;
        std::printf(" private memory (RssAnon) of the board on a %s screen\n",
                    sizes["screen"].constData());
        line("before the maximise", number(before, 2, " MiB"));
        line("maximised and back", number(after, 2, " MiB"), number(after - before, 2, ""),
             QStringLiteral("<= +0.5 MiB"), verdict(after - before <= 0.5));
    }
    std::printf(" rules, per call\n");
    line("secret draw (fresh Board + drawSecret)",
         number(session.at(QStringLiteral("secretDraw")), 1, " ns"));
    line("row scoring (countRow + paintReds + paintWhites)",
         number(session.at(QStringLiteral("rowScoring")), 1, " ns"));
    return 0;
}
