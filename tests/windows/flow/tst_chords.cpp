// tst_chords.cpp: keys and clicks typed faster than the program can answer, as a quick hand
// types them: each chord is queued and delivered in one pass of the event loop, before an
// accelerator's button comes up (Qt clicks it about 100 ms after Alt+letter) and before
// anything a handler unloaded is destroyed.
#include "flow.h"

#include "support/burst.h"

#include <QTest>

using namespace windows;
using namespace kinds;

namespace {

// "alt+c", "return", "space", "esc", "dblclick:<control>": all to the window in front as the
// chord starts, where a quick hand's keys go before the program has moved the focus.
void type(toolkit::Form* first, const QStringList& chord) {
    QWidget* target = QApplication::activeWindow() ? QApplication::activeWindow() : first;
    support::Burst burst;
    for (const QString& stroke : chord) {
        if (stroke.startsWith(QLatin1String("dblclick:")))
            burst.doubleClick(
                target, support::centreOf(support::controlOf(target, stroke.section(':', 1))));
        else if (stroke.startsWith(QLatin1String("alt+")))
            burst.key(target, static_cast<Qt::Key>(stroke.at(4).toUpper().unicode()),
                      Qt::AltModifier);
        else
            burst.key(target, stroke == QLatin1String("return")  ? Qt::Key_Return
                              : stroke == QLatin1String("space") ? Qt::Key_Space
                                                                 : Qt::Key_Escape);
    }
    burst.deliver();
}

} // namespace

class TstChords : public QObject {
    Q_OBJECT
private slots:
    // After each chord: the windows left, never two of a kind nor a running program without
    // a window, at most one new game, and the game's confirmed rows (-1: no game window is
    // left).
    void chordEndsAsItsLastPressSays_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QStringList>("chord");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("riga");

        const QStringList ended;
        const QStringList gameAndEnd{kGame, kEnd};
        const QString fullRow1 = flow::gameWithFullRow(1);
        const QString fullRow12 = flow::gameWithFullRow(12);
        QTest::newRow("Alt+C Return on a full row confirms it once")
            << fullRow1 << QStringList{"alt+c", "return"} << QStringList{kGame} << 1;
        QTest::newRow("Alt+C Return on a full row 12 ends the game once")
            << fullRow12 << QStringList{"alt+c", "return"} << gameAndEnd << 12;
        QTest::newRow("Return Alt+C on a full row confirms it once")
            << fullRow1 << QStringList{"return", "alt+c"} << QStringList{kGame} << 1;
        QTest::newRow("double click on Conferma confirms once")
            << fullRow1 << QStringList{"dblclick:cmdconferma"} << QStringList{kGame} << 1;
        // Return comes to the game window hidden by Esc, before it is destroyed.
        QTest::newRow("Esc Return on a full row 12 leaves only the start window")
            << fullRow12 << QStringList{"esc", "return"} << QStringList{kStart} << -1;
        QTest::newRow("Alt+S Alt+S keeps one end window")
            << kGame << QStringList{"alt+s", "alt+s"} << gameAndEnd << 0;
        QTest::newRow("Alt+R Alt+R keeps one game window")
            << kGame << QStringList{"alt+r", "alt+r"} << QStringList{kGame} << 0;
        QTest::newRow("Alt+F Alt+C on a full row 12 leaves only the start window")
            << fullRow12 << QStringList{"alt+f", "alt+c"} << QStringList{kStart} << -1;
        QTest::newRow("Alt+R Alt+F: Fine in the closed game does nothing")
            << kGame << QStringList{"alt+r", "alt+f"} << QStringList{kGame} << 0;
        QTest::newRow("Alt+S Alt+R: a new game beside the end window")
            << kGame << QStringList{"alt+s", "alt+r"} << gameAndEnd << 0;
        QTest::newRow("start Alt+C Alt+I opens the game only")
            << kStart << QStringList{"alt+c", "alt+i"} << QStringList{kGame} << 0;
        QTest::newRow("start Alt+I Alt+C opens the instructions only")
            << kStart << QStringList{"alt+i", "alt+c"} << QStringList{kRules} << -1;
        QTest::newRow("start Alt+C Esc ends the program")
            << kStart << QStringList{"alt+c", "esc"} << ended << -1;
        QTest::newRow("instructions Alt+O Esc opens one start window")
            << kRules << QStringList{"alt+o", "esc"} << QStringList{kStart} << -1;
        QTest::newRow("end Alt+S Alt+N: a new game, and the closed end window ends nothing")
            << kEnd << QStringList{"alt+s", "alt+n"} << QStringList{kGame} << 0;
        QTest::newRow("end Alt+N Alt+S ends the program")
            << kEnd << QStringList{"alt+n", "alt+s"} << ended << -1;
        // The second Return comes to the end window that "&S\u00ec" has just closed.
        QTest::newRow("end Return Return opens one new game")
            << kEnd << QStringList{"return", "return"} << QStringList{kGame} << 0;

        // The picture holds the start window's first focus, and it is no button.
        for (const QString& where : {kStart, flow::kStartAfterOk, flow::kStartAfterFine}) {
            QTest::addRow("%s: Return does nothing", qPrintable(where))
                << where << QStringList{"return"} << QStringList{kStart} << -1;
            QTest::addRow("%s: Space does nothing", qPrintable(where))
                << where << QStringList{"space"} << QStringList{kStart} << -1;
        }
    }
    void chordEndsAsItsLastPressSays() {
        QFETCH(QString, where);
        QFETCH(QStringList, chord);
        QFETCH(QStringList, expected);
        QFETCH(int, riga);

        play::SeededRegistry registry;
        toolkit::Form* window = flow::reach(registry, where);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        const int gamesBefore = registry.gamesOpened();
        type(window, chord);
        QVERIFY2(support::waitForDelayedClicks(), "a delayed click never came");
        support::settle();

        QCOMPARE(flow::loadedKinds(registry), expected);
        QCOMPARE(registry.hasEnded(), expected.isEmpty());
        QCOMPARE(flow::existingWindows(), static_cast<int>(expected.size()));
        QVERIFY(registry.gamesOpened() - gamesBefore <= 1);
        const frmcifrotto* game = registry.find<frmcifrotto>();
        QCOMPARE(game ? game->board().riga : -1, riga);
        // No row was lost: the one after the last confirmed row is open and empty, unless the
        // game has ended or its solution is shown.
        if (game && game->board().coverShown)
            for (int column = 1; column <= 4; ++column) {
                QVERIFY(game->board().active(riga + 1, column));
                QCOMPARE(game->board().disc(riga + 1, column), rules::kEmpty);
            }
    }
};

QTEST_MAIN(TstChords)
#include "tst_chords.moc"
