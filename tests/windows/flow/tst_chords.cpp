// tst_chords.cpp: keys and clicks typed faster than an accelerator's button comes up (Qt
// clicks it about 100 ms after Alt+letter), each chord sent at once, as a quick hand does.
#include "flow.h"

#include <QtTest>

using namespace windows;

namespace {

const QString kStart = QStringLiteral("frminizio");
const QString kRules = QStringLiteral("frmistruzioni");
const QString kGame = QStringLiteral("frmcifrotto");
const QString kEnd = QStringLiteral("frmfine");

// Longer than any accelerator's delayed click, so that every click still pending has come.
constexpr int kPendingClicks = 400; // ms

// Opens a game and fills rows with a colour the secret lacks: the rows before `row`
// confirmed, `row` itself left full.
frmcifrotto* gameWithFullRow(toolkit::WindowRegistry& registry, int row) {
    support::click(registry.find<frminizio>(), QStringLiteral("cmdcomincia"));
    support::settle();
    auto* game = registry.find<frmcifrotto>();
    const int wrong = flow::absentFrom(flow::secretOf(game)).front();
    for (int r = 1; r <= row; ++r) {
        flow::fillRow(game, r, {wrong, wrong, wrong, wrong});
        if (r < row)
            flow::confirm(game);
    }
    return game;
}

// Where each chord starts: the window in front, reached as a player reaches it.
toolkit::Form* reach(toolkit::WindowRegistry& registry, const QString& where) {
    toolkit::Form* start = registry.show<frminizio>();
    if (where == QLatin1String("start"))
        return start;
    if (where == QLatin1String("rules") || where == QLatin1String("start after OK")) {
        support::click(start, QStringLiteral("cmdistruzioni"));
        support::settle();
        toolkit::Form* rules = registry.find<frmistruzioni>();
        if (where == QLatin1String("rules"))
            return rules;
        support::click(rules, QStringLiteral("cmdok"));
        support::settle();
        return registry.find<frminizio>();
    }
    if (where == QLatin1String("game full row 1"))
        return gameWithFullRow(registry, 1);
    if (where == QLatin1String("game full row 12"))
        return gameWithFullRow(registry, 12);
    support::click(start, QStringLiteral("cmdcomincia"));
    support::settle();
    toolkit::Form* game = registry.find<frmcifrotto>();
    if (where == QLatin1String("game"))
        return game;
    if (where == QLatin1String("start after Fine")) {
        support::click(game, QStringLiteral("cmdesci"));
        support::settle();
        return registry.find<frminizio>();
    }
    flow::win(static_cast<frmcifrotto*>(game));
    support::settle();
    return registry.find<frmfine>();
}

// "alt+c", "return", "space", "esc", "dblclick:<control>": to the window in front, as keys go.
void send(toolkit::Form* first, const QString& stroke) {
    QWidget* target = QApplication::activeWindow() ? QApplication::activeWindow() : first;
    if (stroke.startsWith(QLatin1String("dblclick:"))) {
        const QPoint at = support::centreOf(support::controlOf(first, stroke.section(':', 1)));
        QTest::mouseClick(first->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(first->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    } else if (stroke.startsWith(QLatin1String("alt+"))) {
        const auto letter = static_cast<Qt::Key>(stroke.at(4).toUpper().unicode());
        QTest::keyClick(target->windowHandle(), letter, Qt::AltModifier);
    } else {
        const Qt::Key key = stroke == QLatin1String("return")  ? Qt::Key_Return
                            : stroke == QLatin1String("space") ? Qt::Key_Space
                                                               : Qt::Key_Escape;
        QTest::keyClick(target->windowHandle(), key);
    }
}

} // namespace

class TstChords : public QObject {
    Q_OBJECT
private slots:
    // After each chord: the windows left, never two of a kind nor a running program without
    // a window, and the game's confirmed rows (-1: no game window is left).
    void chordEndsAsItsLastPressSays_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QStringList>("chord");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("riga");

        const QStringList ended;
        const QStringList gameAndEnd{kGame, kEnd};
        QTest::newRow("Alt+C Return on a full row confirms it once")
            << "game full row 1" << QStringList{"alt+c", "return"} << QStringList{kGame} << 1;
        QTest::newRow("Alt+C Return on a full row 12 ends the game once")
            << "game full row 12" << QStringList{"alt+c", "return"} << gameAndEnd << 12;
        QTest::newRow("Return Alt+C on a full row confirms it once")
            << "game full row 1" << QStringList{"return", "alt+c"} << QStringList{kGame} << 1;
        QTest::newRow("double click on Conferma confirms once")
            << "game full row 1" << QStringList{"dblclick:cmdconferma"} << QStringList{kGame} << 1;
        QTest::newRow("Alt+S Alt+S keeps one end window")
            << "game" << QStringList{"alt+s", "alt+s"} << gameAndEnd << 0;
        QTest::newRow("Alt+R Alt+R keeps one game window")
            << "game" << QStringList{"alt+r", "alt+r"} << QStringList{kGame} << 0;
        QTest::newRow("Alt+F Alt+C on a full row 12 leaves only the start window")
            << "game full row 12" << QStringList{"alt+f", "alt+c"} << QStringList{kStart} << -1;
        QTest::newRow("Alt+R Alt+F: Fine in the closed game does nothing")
            << "game" << QStringList{"alt+r", "alt+f"} << QStringList{kGame} << 0;
        QTest::newRow("Alt+S Alt+R: a new game beside the end window")
            << "game" << QStringList{"alt+s", "alt+r"} << gameAndEnd << 0;
        QTest::newRow("start Alt+C Alt+I opens the game only")
            << "start" << QStringList{"alt+c", "alt+i"} << QStringList{kGame} << 0;
        QTest::newRow("start Alt+I Alt+C opens the instructions only")
            << "start" << QStringList{"alt+i", "alt+c"} << QStringList{kRules} << -1;
        QTest::newRow("start Alt+C Esc ends the program")
            << "start" << QStringList{"alt+c", "esc"} << ended << -1;
        QTest::newRow("instructions Alt+O Esc opens one start window")
            << "rules" << QStringList{"alt+o", "esc"} << QStringList{kStart} << -1;
        QTest::newRow("end Alt+S Alt+N: a new game, and the closed end window ends nothing")
            << "end" << QStringList{"alt+s", "alt+n"} << QStringList{kGame} << 0;
        QTest::newRow("end Alt+N Alt+S ends the program")
            << "end" << QStringList{"alt+n", "alt+s"} << ended << -1;

        // The picture holds the start window's first focus, and it is no button.
        for (const char* where : {"start", "start after OK", "start after Fine"}) {
            QTest::addRow("%s: Return does nothing", where)
                << QString(where) << QStringList{"return"} << QStringList{kStart} << -1;
            QTest::addRow("%s: Space does nothing", where)
                << QString(where) << QStringList{"space"} << QStringList{kStart} << -1;
        }
    }
    void chordEndsAsItsLastPressSays() {
        QFETCH(QString, where);
        QFETCH(QStringList, chord);
        QFETCH(QStringList, expected);
        QFETCH(int, riga);

        play::SeededRegistry registry;
        toolkit::Form* window = reach(registry, where);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        for (const QString& stroke : chord)
            send(window, stroke);
        QTest::qWait(kPendingClicks);
        support::settle();

        QCOMPARE(flow::loadedKinds(registry), expected);
        QCOMPARE(registry.hasEnded(), expected.isEmpty());
        QCOMPARE(flow::existingWindows(), static_cast<int>(expected.size()));
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

    // Tab goes from the picture through "&Istruzioni", "&Esci" and "&Comincia" back to it.
    void startWindowTabsFromThePicture() {
        play::SeededRegistry registry;
        frminizio* start = registry.show<frminizio>();
        QVERIFY(QTest::qWaitForWindowActive(start));
        QStringList order{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 4; ++i) {
            support::key(start, Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order,
                 (QStringList{"Picture1", "cmdistruzioni", "cmdesci", "cmdcomincia", "Picture1"}));
    }
};

QTEST_MAIN(TstChords)
#include "tst_chords.moc"
