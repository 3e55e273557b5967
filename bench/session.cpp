// session.cpp: the costs a player feels inside a running Cifrotto: a new game from the board
// ("&Ricomincia") and from the start window ("&Comincia"), and the confirm press. Prints one
// line of nanosecond samples per measure for the driver to summarise.
#include "first_paint.h"
#include "rules/board.h"
#include "rules/colour.h"
#include "rules/random.h"
#include "toolkit/item.h"
#include "toolkit/registry.h"
#include "windows/frmcifrotto.h"
#include "windows/frmfine.h"
#include "windows/frminizio.h"

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Samples = std::vector<long long>;

constexpr int kWarmUp = 5; // presses run and thrown away before each measure
constexpr int kGames = 200;
constexpr int kConfirms = 660; // 55 games of 12 rows

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "session: %s\n", what);
    std::exit(1);
}

QPushButton* button(const QWidget& window, const char* name) {
    auto* found = window.findChild<QPushButton*>(QString::fromLatin1(name));
    if (!found)
        fail("a button is missing");
    return found;
}

// Clicks through the window at the centre of a lightweight control, as the mouse would.
void clickItem(QWidget& window, const QString& name) {
    const auto* item = window.findChild<toolkit::Item*>(name);
    if (!item)
        fail("a control is missing");
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      item->pixelRect().toRect().center());
}

// Lets queued handlers and deferred deletions run, so each timed press starts from rest.
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Runs `press`, then the event loop until a window that `wanted` accepts has had its paint
// pass; returns the nanoseconds in between.
long long timeToPaint(bench::FirstPaint& probe, const bench::FirstPaint::Wanted& wanted,
                      const std::function<void()>& press) {
    QEventLoop loop;
    Clock::time_point painted{};
    probe.arm(wanted, [&](QWidget&) {
        painted = Clock::now();
        loop.quit();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { fail("no paint within 10 s"); });
    guard.start(10000);
    const Clock::time_point start = Clock::now();
    press();
    loop.exec();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(painted - start).count();
}

// Brings up a window and waits for it to be painted, without timing it.
template <class W> W* showPainted(toolkit::WindowRegistry& registry, bench::FirstPaint& probe) {
    W* window = nullptr;
    timeToPaint(
        probe, [](const QWidget& w) { return qobject_cast<const W*>(&w) != nullptr; },
        [&] { window = registry.show<W>(); });
    settle();
    return window;
}

bool isBoard(const QWidget& w) { return qobject_cast<const windows::frmcifrotto*>(&w); }

Samples newGamesFromBoard(toolkit::WindowRegistry& registry, bench::FirstPaint& probe) {
    Samples samples;
    auto* board = showPainted<windows::frmcifrotto>(registry, probe);
    for (int game = -kWarmUp; game < kGames; ++game) {
        const QWidget* old = board;
        const long long ns = timeToPaint(
            probe, [old](const QWidget& w) { return &w != old && isBoard(w); },
            [&] { button(*board, "cmdricomincia")->click(); });
        settle();
        board = registry.find<windows::frmcifrotto>();
        if (!board || board == old)
            fail("no new board after Ricomincia");
        if (game >= 0)
            samples.push_back(ns);
    }
    return samples;
}

Samples newGamesFromStart(toolkit::WindowRegistry& registry, bench::FirstPaint& probe) {
    Samples samples;
    auto* start = showPainted<windows::frminizio>(registry, probe);
    // Only now, so that a window is always open and the registry never sees the end.
    if (auto* board = registry.find<windows::frmcifrotto>())
        registry.unload(*board);
    settle();
    for (int game = -kWarmUp; game < kGames; ++game) {
        const long long ns =
            timeToPaint(probe, isBoard, [&] { button(*start, "cmdcomincia")->click(); });
        settle();
        auto* board = registry.find<windows::frmcifrotto>();
        if (!board)
            fail("no board after Comincia");
        // Back to the start window ("&Fine"), untimed.
        timeToPaint(
            probe, [](const QWidget& w) { return qobject_cast<const windows::frminizio*>(&w); },
            [&] { button(*board, "cmdesci")->click(); });
        settle();
        start = registry.find<windows::frminizio>();
        if (!start)
            fail("no start window after Fine");
        if (game >= 0)
            samples.push_back(ns);
    }
    return samples;
}

struct ConfirmSamples {
    Samples open;  // rows 1 to 11: the board is repainted with the row scored
    Samples final; // row 12: the board and the end window
};

// Each row is filled with one colour, cycling through the palette, so no row wins and every
// game runs to its twelfth row; then "&Sì" on the end window starts the next one.
ConfirmSamples confirms(toolkit::WindowRegistry& registry, bench::FirstPaint& probe) {
    ConfirmSamples samples;
    auto* board = showPainted<windows::frmcifrotto>(registry, probe);
    if (auto* start = registry.find<windows::frminizio>())
        registry.unload(*start);
    settle();
    int colour = 0;
    for (int press = -kWarmUp; press < kConfirms; ++press) {
        const int row = board->board().riga + 1;
        const auto& entry =
            rules::kColours[static_cast<std::size_t>(colour++ % rules::kColourCount)];
        clickItem(*board, QStringLiteral("img") +
                              QString::fromLatin1(entry.name.data(),
                                                  static_cast<qsizetype>(entry.name.size())));
        for (int column = 1; column <= rules::kColumns; ++column)
            clickItem(*board, QStringLiteral("img%1%2").arg(row).arg(column));
        settle();
        if (!button(*board, "cmdconferma")->isEnabled())
            fail("the full row left Conferma disabled");

        const bool last = row == rules::kRows;
        const QWidget* game = board;
        const long long ns = timeToPaint(
            probe,
            [last, game](const QWidget& w) {
                return last ? qobject_cast<const windows::frmfine*>(&w) != nullptr : &w == game;
            },
            [&] { button(*board, "cmdconferma")->click(); });
        settle();
        if (press >= 0)
            (last ? samples.final : samples.open).push_back(ns);

        if (auto* fine = registry.find<windows::frmfine>()) {
            timeToPaint(probe, isBoard, [&] { button(*fine, "cmdsi")->click(); });
            settle();
            board = registry.find<windows::frmcifrotto>();
            if (!board)
                fail("no board after Si");
        }
    }
    return samples;
}

void print(const char* name, const Samples& samples) {
    std::printf("samples %s", name);
    for (const long long ns : samples)
        std::printf(" %lld", ns);
    std::printf("\n");
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cifrotto"));
    QApplication::setQuitOnLastWindowClosed(false);
    bench::FirstPaint probe;
    toolkit::WindowRegistry registry;
    // Seeded, so every run plays the same games.
    registry.provide<windows::frmcifrotto>([seed = std::uint64_t{1}](auto& r) mutable {
        return std::make_unique<windows::frmcifrotto>(
            r, std::make_unique<rules::SeededRandom>(seed++));
    });

    const Samples ricomincia = newGamesFromBoard(registry, probe);
    const Samples comincia = newGamesFromStart(registry, probe);
    const ConfirmSamples confirm = confirms(registry, probe);

    std::printf("platform %s\nqt %s\n", qPrintable(QGuiApplication::platformName()), qVersion());
    print("ricomincia", ricomincia);
    print("comincia", comincia);
    print("confirm", confirm.open);
    print("confirm_last", confirm.final);
    std::fflush(stdout);
    registry.endApplication();
    settle();
    return 0;
}
