// session.cpp: what a player waits for inside a running Cifrotto ("&Ricomincia", "&Comincia",
// "&Conferma", a board enlarged by its frame) and what the rules cost, as QtTest benchmarks. Run
// with `-median N`: QtTest calls each function N times and reports the median. Its wall-time
// measurer counts whole milliseconds, so a press is timed with QElapsedTimer and handed to QtTest
// in nanoseconds.
#include "rules/board.h"
#include "rules/colour.h"
#include "rules/random.h"
#include "rules/scoring.h"
#include "rules/secret.h"
#include "toolkit/item.h"
#include "toolkit/registry.h"
#include "windows/frmcifrotto.h"
#include "windows/frmfine.h"
#include "windows/frminizio.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <memory>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#endif

namespace {

using Wanted = std::function<bool(const QWidget&)>;

// Waits for the paint pass of a top-level window that `wanted` accepts. The window's own
// paint event comes before its children are painted and the frame is flushed, so the wait
// ends on the event loop's next turn.
class PaintWait : public QObject {
public:
    explicit PaintWait(Wanted wanted) : wanted_(std::move(wanted)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    // The paint pass may already be over: a key's press runs the events it causes.
    bool wait() {
        if (painted_)
            return true;
        QTimer::singleShot(10000, &loop_, [this] { loop_.exit(1); });
        return loop_.exec() == 0;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            const auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && wanted_(*widget)) {
                seen_ = true;
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        painted_ = true;
                        loop_.exit(0);
                    },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    Wanted wanted_;
    QEventLoop loop_;
    bool seen_ = false;
    bool painted_ = false;
};

// Nanoseconds from `press` to the end of the paint pass of a window `wanted` accepts, or -1.
qint64 pressToPaint(const Wanted& wanted, const std::function<void()>& press) {
    PaintWait paint(wanted);
    QElapsedTimer clock;
    clock.start();
    press();
    return paint.wait() ? clock.nsecsElapsed() : -1;
}

// Switches callgrind's counting on or off; nothing when not run under callgrind.
void countInstructions() {
#if __has_include(<valgrind/callgrind.h>)
    CALLGRIND_TOGGLE_COLLECT;
#endif
}

// Ends a callgrind part, labelled: the driver reads each part's count of instructions.
void dumpCount(const QString& label) {
#if __has_include(<valgrind/callgrind.h>)
    CALLGRIND_DUMP_STATS_AT(qPrintable(label));
#else
    Q_UNUSED(label);
#endif
}

// A "Name:  1234 kB" line of /proc/self/status, in KiB.
long statusKib(const char* name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray wanted = QByteArray(name) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(wanted))
            return line.mid(wanted.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Lets queued handlers and deferred deletions run, so each timed press starts from rest.
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

template <class W> bool is(const QWidget& window) { return qobject_cast<const W*>(&window); }

void press(const QWidget& window, const char* button) {
    window.findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

// Clicks through the window at the centre of a lightweight control, as the mouse would.
void clickItem(QWidget& window, const QString& name) {
    const auto* item = window.findChild<toolkit::Item*>(name);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      item->pixelRect().toRect().center());
}

// Keeps results alive so that the compiler cannot drop the calls that made them.
volatile long long sink = 0;

} // namespace

class Session : public QObject {
    Q_OBJECT

    toolkit::WindowRegistry registry_;
    int colour_ = 0;
    int measured_ = 0;
    QPointer<windows::frmcifrotto> resized_; // the board that resize() enlarges and shrinks

    // Shows W (untimed) if it is not open, and waits until it has been painted.
    template <class W> W* shown() {
        if (W* open = registry_.find<W>())
            return open;
        W* window = nullptr;
        pressToPaint(is<W>, [&] { window = registry_.show<W>(); });
        settle();
        return window;
    }

    // A board on which the next row can be filled and confirmed: one with an open row
    // below `lastRow`, else a fresh one.
    windows::frmcifrotto* boardBelowRow(int lastRow) {
        auto* board = shown<windows::frmcifrotto>();
        if (board->board().riga + 1 <= lastRow && !board->board().opt1)
            return board;
        pressToPaint(is<windows::frmcifrotto>, [&] { press(*board, "cmdricomincia"); });
        settle();
        return registry_.find<windows::frmcifrotto>();
    }

    // Fills the open row with one colour, cycling through the palette: such a row never
    // wins, so every game runs to its twelfth row.
    void fillRow(windows::frmcifrotto& board) {
        const int row = board.board().riga + 1;
        const auto& entry =
            rules::kColours[static_cast<std::size_t>(colour_++ % rules::kColourCount)];
        clickItem(board, QStringLiteral("img") +
                             QLatin1String(entry.name.data(), qsizetype(entry.name.size())));
        for (int column = 1; column <= rules::kColumns; ++column)
            clickItem(board, QStringLiteral("img%1%2").arg(row).arg(column));
        settle();
    }

    // The measured press: timed, and counted when callgrind runs with --collect-atstart=no,
    // but for the process's first two, which also fill Qt's caches (twice the instructions).
    void measure(const Wanted& wanted, const std::function<void()>& press) {
        const bool counted = measured_++ >= 2;
        if (counted)
            countInstructions();
        const qint64 ns = pressToPaint(wanted, press);
        if (counted)
            countInstructions();
        QVERIFY2(ns >= 0, "no paint within 10 s");
        QTest::setBenchmarkResult(qreal(ns), QTest::WalltimeNanoseconds);
    }

private slots:
    void initTestCase() {
        QApplication::setApplicationName(QStringLiteral("Cifrotto"));
        QApplication::setQuitOnLastWindowClosed(false);
        // Seeded, so that every run plays the same games.
        registry_.provide<windows::frmcifrotto>([seed = std::uint64_t{1}](auto& r) mutable {
            return std::make_unique<windows::frmcifrotto>(
                r, std::make_unique<rules::SeededRandom>(seed++));
        });
    }

    void ricomincia() {
        auto* board = shown<windows::frmcifrotto>();
        const QWidget* old = board;
        measure([old](const QWidget& w) { return &w != old && is<windows::frmcifrotto>(w); },
                [&] { press(*board, "cmdricomincia"); });
        settle();
    }

    void comincia() {
        auto* start = shown<windows::frminizio>();
        if (auto* board = registry_.find<windows::frmcifrotto>())
            registry_.unload(*board);
        settle();
        measure(is<windows::frmcifrotto>, [&] { press(*start, "cmdcomincia"); });
        settle();
    }

    void confirmRows1To11() {
        auto* board = boardBelowRow(rules::kRows - 1);
        fillRow(*board);
        const QWidget* game = board;
        measure([game](const QWidget& w) { return &w == game; },
                [&] { press(*board, "cmdconferma"); });
        settle();
    }

    // The last confirm also opens the end window; "&Sì" there starts the next game.
    void confirmRow12() {
        auto* board = boardBelowRow(rules::kRows);
        while (board->board().riga + 1 < rules::kRows) {
            fillRow(*board);
            press(*board, "cmdconferma");
            settle();
        }
        fillRow(*board);
        measure(is<windows::frmfine>, [&] { press(*board, "cmdconferma"); });
        settle();
        pressToPaint(is<windows::frmcifrotto>,
                     [&] { press(*registry_.find<windows::frmfine>(), "cmdsi"); });
        settle();
    }

    // One step of a board with three rows played going from its opening size to twice that, or
    // back, as a frame would resize it: the X server's word of the new size, the relayout, and
    // the first frame painted at that size. Steps alternate, so ten round trips are twenty
    // calls. Last of the windows' cases: the size a frame gives is the zoom later windows open at.
    void resize() {
        if (!resized_) {
            resized_ = boardBelowRow(0); // a fresh board: none has an open row below the first
            for (int row = 1; row <= 3; ++row) {
                fillRow(*resized_);
                press(*resized_, "cmdconferma");
                settle();
            }
        }
        const QSize opening = resized_->openingSize();
        const QSize target = resized_->size() == opening ? opening * 2 : opening;
        const QWidget* board = resized_;
        measure([board, target](const QWidget& w) { return &w == board && w.size() == target; },
                [&] { resized_->windowHandle()->resize(target); });
        settle();
    }

    // Every kind of step to another size, each counted on its own in a callgrind part of its
    // own labelled "kind|detail", which the driver reads: a frame dragged one pixel at a time,
    // a maximise to the whole screen and back, the keys up to the largest zoom the screen holds
    // and down again, Ctrl+0, and a new game at the largest zoom. Run alone in its process
    // (bench_session sizes), so that the first step to each size is the first of the run.
    // Prints the private memory before the maximise and once the window is back at its
    // opening size.
    void sizes() {
        windows::frmcifrotto* board = boardBelowRow(0);
        for (int row = 1; row <= 3; ++row) {
            fillRow(*board);
            press(*board, "cmdconferma");
            settle();
        }
        QVERIFY(QTest::qWaitFor([&] { return board->maximumWidth() == QWIDGETSIZE_MAX; }));
        const QSize opening = board->openingSize();
        const QSize screen = board->screen()->availableGeometry().size();
        const auto factor = [&] { return QString::number(board->zoom().factor, 'f', 4); };
        const auto count = [&](const char* kind, const Wanted& wanted,
                               const std::function<void()>& change) {
            const QString from = factor();
            countInstructions();
            const qint64 ns = pressToPaint(wanted, change);
            countInstructions();
            settle();
            board = registry_.find<windows::frmcifrotto>();
            const QString label =
                QStringLiteral("%1|%2 to %3").arg(QLatin1String(kind), from, factor());
            dumpCount(label);
            if (ns < 0)
                qFatal("%s: nothing painted within 10 s", qPrintable(label));
        };
        const auto step = [&](const char* kind, const std::function<void()>& change) {
            const QSize before = board->size();
            count(
                kind, [&](const QWidget& w) { return &w == board && w.size() != before; }, change);
        };
        const auto resizeTo = [&](QSize size) { board->windowHandle()->resize(size); };
        const auto keys = [&](Qt::Key key) {
            QTest::keyClick(board->windowHandle(), key, Qt::ControlModifier);
        };

        // Far enough for the captions' fonts to change size on the way.
        for (int pixel = 1; pixel <= 40; ++pixel)
            step("drag pixel", [&] { resizeTo(opening + QSize(pixel, pixel)); });
        step("Ctrl+0", [&] { keys(Qt::Key_0); });

        const long before = statusKib("RssAnon");
        step("maximise", [&] { resizeTo(screen); });
        step("back from maximised", [&] { resizeTo(opening); });
        std::printf("screen=%dx%d\nrssanon_before_maximise_kib=%ld\n"
                    "rssanon_after_restore_kib=%ld\n",
                    screen.width(), screen.height(), before, statusKib("RssAnon"));

        // Up to the zoom at which the window fills the screen's height or width.
        while (board->height() < screen.height() && board->width() < screen.width())
            step("Ctrl+plus", [&] { keys(Qt::Key_Plus); });
        const QWidget* old = board;
        count(
            "\"&Ricomincia\" at the largest zoom",
            [old](const QWidget& w) { return &w != old && is<windows::frmcifrotto>(w); },
            [&] { press(*board, "cmdricomincia"); });
        while (board->size() != opening)
            step("Ctrl+minus", [&] { keys(Qt::Key_Minus); });
        keys(Qt::Key_Plus);
        keys(Qt::Key_Plus);
        settle();
        step("Ctrl+0", [&] { keys(Qt::Key_0); });
    }

    void secretDraw() {
        rules::SeededRandom random(20240601);
        QBENCHMARK {
            rules::Board board;
            rules::drawSecret(board, random);
            sink = sink + board.segreto[0] + board.segreto[3];
        }
    }

    // A board with a secret and twelve rows of pegs of every kind of score.
    void rowScoring() {
        rules::SeededRandom random(7);
        rules::Board board;
        rules::drawSecret(board, random);
        for (int row = 1; row <= rules::kRows; ++row)
            for (int column = 1; column <= rules::kColumns; ++column)
                board.disc(row, column) =
                    rules::colourOfCode(rules::codeFromDraw(random.next())).value;
        int row = 0;
        QBENCHMARK {
            row = row % rules::kRows + 1;
            board.rossi = 0;
            board.bianchi = 0;
            rules::countRow(board, row);
            rules::paintReds(board, row);
            rules::paintWhites(board, row);
            sink = sink + board.rossi + board.bianchi;
        }
    }

    void cleanupTestCase() {
        registry_.endApplication();
        settle();
    }
};

QTEST_MAIN(Session)
#include "session.moc"
