// tst_end_window.cpp: what the end-of-game window says after a win, a loss or "&Soluzione",
// and the fresh game that "&Sì" opens.
#include "flow.h"

#include <QTest>

using namespace windows;
using namespace kinds;

namespace {

// "win", "lose", "solution" or "restart" on the game window that is open now.
void act(toolkit::WindowRegistry& registry, const QString& step) {
    frmcifrotto* game = registry.find<frmcifrotto>();
    QVERIFY2(game, qPrintable(step));
    if (step == QLatin1String("win"))
        play::win(game);
    else if (step == QLatin1String("lose"))
        play::lose(game);
    else if (step == QLatin1String("solution"))
        support::click(game, QStringLiteral("cmdsoluzione"));
    else if (step == QLatin1String("restart"))
        support::click(game, QStringLiteral("cmdricomincia"));
    else
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    support::settle();
}

void playAll(toolkit::WindowRegistry& registry, const QStringList& steps) {
    for (const QString& step : steps) {
        act(registry, step);
        if (QTest::currentTestFailed())
            return;
    }
}

// Four pairwise different colours, each in another column than in the secret: no red, four
// whites, and the game goes on.
std::array<int, 4> shifted(const std::array<int, 4>& secret) {
    return {secret[1], secret[2], secret[3], secret[0]};
}

} // namespace

class TstEndWindow : public QObject {
    Q_OBJECT
private slots:
    void finishedGameShowsItsOutcomeAboveTheQuestion_data() {
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("marker"); // the game window's hidden outcome marker
        QTest::newRow("won") << "win" << kWon << "Complimenti";
        QTest::newRow("lost") << "lose" << kLost << "Mi dispiace";
    }
    void finishedGameShowsItsOutcomeAboveTheQuestion() {
        QFETCH(QString, outcome);
        QFETCH(QString, message);
        QFETCH(QString, marker);
        play::SeededRegistry registry;
        QVERIFY(play::startGame(registry));
        act(registry, outcome);

        frmfine* fine = registry.find<frmfine>();
        QVERIFY(fine);
        QVERIFY(fine->isVisible());
        QCOMPARE(flow::message(fine), message);
        QVERIFY(flow::messageInkShows(fine));
        auto* question = support::control<QLabel>(fine, "lbldomanda");
        QCOMPARE(question->text(), kQuestion);
        QCOMPARE(flow::questionTop(fine), kQuestionTop);
        const QRect messageArea = support::pixelRectOf(support::controlOf(fine, "lblmessaggio"));
        QVERIFY(messageArea.bottom() < question->geometry().top());
        // The secret is in view and the game takes no more rows.
        frmcifrotto* game = registry.find<frmcifrotto>();
        QVERIFY(!support::control<toolkit::Shape>(game, "shpschermo")->isVisible());
        QVERIFY(!support::control<QPushButton>(game, "cmdconferma")->isEnabled());
        const auto* hiddenMarker = support::control<QLabel>(game, "lblmessaggio");
        QCOMPARE(hiddenMarker->text(), marker);
        QVERIFY(hiddenMarker->isHidden());
    }

    // The end window stays over its game, as the board's transient, and outlives a board
    // unloaded by "&Fine"; the next game's "&Soluzione" puts it over the new board.
    void endWindowStandsOverTheBoardThatShowedItLast() {
        play::SeededRegistry registry;
        QVERIFY(play::startGame(registry));
        act(registry, "lose");
        const QPointer<frmfine> fine = registry.find<frmfine>();
        QPointer<QWindow> board = registry.find<frmcifrotto>()->windowHandle();
        QCOMPARE(fine->windowHandle()->transientParent(), board.data());

        support::click(registry.find<frmcifrotto>(), QStringLiteral("cmdesci"));
        support::settle();
        QVERIFY(board.isNull());
        QCOMPARE(fine->windowHandle()->transientParent(), nullptr);

        support::click(registry.find<frminizio>(), QStringLiteral("cmdcomincia"));
        support::settle();
        act(registry, "solution");
        QCOMPARE(registry.find<frmfine>(), fine.data());
        QCOMPARE(fine->windowHandle()->transientParent(),
                 registry.find<frmcifrotto>()->windowHandle());
    }

    // Loading the end window reads the game window's outcome flag by itself, whoever shows it.
    void loadingTellsTheOutcomeFlag_data() {
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("message");
        QTest::newRow("won") << "win" << kWon;
        QTest::newRow("lost") << "lose" << kLost;
        QTest::newRow("not finished") << "" << kLost;
    }
    void loadingTellsTheOutcomeFlag() {
        QFETCH(QString, outcome);
        QFETCH(QString, message);
        play::SeededRegistry registry;
        QVERIFY(play::startGame(registry));
        if (!outcome.isEmpty()) {
            act(registry, outcome);
            registry.find<frmfine>()->close();
            support::settle();
            QVERIFY(!registry.find<frmfine>());
        }
        frmfine* fine = registry.show<frmfine>();
        QCOMPARE(flow::message(fine), message);
        QCOMPARE(flow::questionTop(fine), kQuestionTop);
    }

    // "&Soluzione" empties the message and raises the question, however the end window
    // came to be open.
    void solutionLeavesOnlyTheRaisedQuestion_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("during a game") << QStringList{"solution"};
        QTest::newRow("pressed twice") << QStringList{"solution", "solution"};
        QTest::newRow("after a won game") << QStringList{"win", "solution"};
        QTest::newRow("after a lost game") << QStringList{"lose", "solution"};
        QTest::newRow("twice after a won game") << QStringList{"win", "solution", "solution"};
    }
    void solutionLeavesOnlyTheRaisedQuestion() {
        QFETCH(QStringList, steps);
        play::SeededRegistry registry;
        QVERIFY(play::startGame(registry));
        playAll(registry, steps);

        QCOMPARE(flow::loadedKinds(registry), (QStringList{kGame, kEnd}));
        frmfine* fine = registry.find<frmfine>();
        QCOMPARE(flow::message(fine), QString());
        QVERIFY(!flow::messageInkShows(fine));
        QCOMPARE(flow::questionTop(fine), kRaisedQuestionTop);
        QVERIFY(support::control<QPushButton>(fine, "cmdsi")->isVisible());
        QVERIFY(support::control<QPushButton>(fine, "cmdno")->isVisible());
        frmcifrotto* game = registry.find<frmcifrotto>();
        QVERIFY(!support::control<toolkit::Shape>(game, "shpschermo")->isVisible());
        QVERIFY(support::control<QPushButton>(game, "cmdsoluzione")->isEnabled());
    }

    void solutionLeavesTheConfirmButtonAndAConfirmScoresAsUsual() {
        play::SeededRegistry registry;
        frmcifrotto* game = play::startGame(registry);
        QVERIFY(game);
        auto* conferma = support::control<QPushButton>(game, "cmdconferma");

        act(registry, "solution");
        QVERIFY(!conferma->isEnabled());
        act(registry, "restart");
        game = registry.find<frmcifrotto>();
        conferma = support::control<QPushButton>(game, "cmdconferma");

        play::fillRow(game, 1, shifted(play::secretOf(game)));
        QVERIFY(conferma->isEnabled());
        act(registry, "solution");
        QVERIFY(conferma->isEnabled());

        play::confirm(game);
        support::settle();
        QCOMPARE(game->board().riga, 1);
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(
                support::control<toolkit::Shape>(game, QStringLiteral("shpp1%1").arg(k))->fill(),
                pegs::kWhite);
        // No outcome yet: the end window keeps showing only the question.
        frmfine* fine = registry.find<frmfine>();
        QCOMPARE(flow::message(fine), QString());
        QCOMPARE(flow::questionTop(fine), kRaisedQuestionTop);
    }

    // The end window may already be open when a game ends: left over from an earlier game
    // after "&Ricomincia", or opened by "&Soluzione". The outcome is written all the same.
    void everyFinishedGameWritesItsOwnOutcome_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("leftOver");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("message");
        QTest::newRow("lost, restarted, won") << QStringList{"lose"} << kLost << "win" << kWon;
        QTest::newRow("won, restarted, lost") << QStringList{"win"} << kWon << "lose" << kLost;
        QTest::newRow("won, restarted, won") << QStringList{"win"} << kWon << "win" << kWon;
        QTest::newRow("solution, restarted, won") << QStringList{"solution"} << ""
                                                  << "win" << kWon;
        QTest::newRow("solution, restarted, lost") << QStringList{"solution"} << ""
                                                   << "lose" << kLost;
        QTest::newRow("lost, solution, restarted, won") << QStringList{"lose", "solution"} << ""
                                                        << "win" << kWon;
    }
    void everyFinishedGameWritesItsOwnOutcome() {
        QFETCH(QStringList, before);
        QFETCH(QString, leftOver);
        QFETCH(QString, outcome);
        QFETCH(QString, message);
        play::SeededRegistry registry;
        QVERIFY(play::startGame(registry));
        playAll(registry, before);
        const QPointer<frmfine> fine = registry.find<frmfine>();
        QVERIFY(fine);

        act(registry, "restart");
        QVERIFY(fine);
        QVERIFY(fine->isVisible());
        QCOMPARE(flow::message(fine), leftOver);

        act(registry, outcome);
        QCOMPARE(registry.find<frmfine>(), fine.data());
        QCOMPARE(flow::loadedKinds(registry), (QStringList{kGame, kEnd}));
        QCOMPARE(flow::message(fine), message);
        QVERIFY(flow::messageInkShows(fine));
        QCOMPARE(flow::questionTop(fine), kQuestionTop);
    }

    // A row that was full before "&Soluzione" can still win, and the end window says so.
    void winConfirmedAfterTheSolutionIsAnnounced() {
        play::SeededRegistry registry;
        frmcifrotto* game = play::startGame(registry);
        QVERIFY(game);
        play::fillRow(game, 1, play::secretOf(game));
        act(registry, "solution");
        frmfine* fine = registry.find<frmfine>();
        QCOMPARE(flow::message(fine), QString());

        play::confirm(game);
        support::settle();
        QCOMPARE(registry.find<frmfine>(), fine);
        QCOMPARE(flow::message(fine), kWon);
        QCOMPARE(flow::questionTop(fine), kQuestionTop);
    }

    void siOpensOneFreshGameAndClosesTheEndWindow_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("after a win") << QStringList{"win"};
        QTest::newRow("after a loss") << QStringList{"lose"};
        QTest::newRow("after the solution") << QStringList{"solution"};
        QTest::newRow("after a part-played game")
            << QStringList{"lose", "restart", "solution"}; // a board with no rows confirmed
    }
    void siOpensOneFreshGameAndClosesTheEndWindow() {
        QFETCH(QStringList, steps);
        play::SeededRegistry registry;
        QVERIFY(play::startGame(registry));
        // Leave some pegs and a selected colour behind, so that a reused board would show.
        frmcifrotto* played = registry.find<frmcifrotto>();
        play::fillRow(played, 1, shifted(play::secretOf(played)));
        play::confirm(played);
        playAll(registry, steps);
        const QPointer<frmcifrotto> old = registry.find<frmcifrotto>();
        const QPointer<frmfine> fine = registry.find<frmfine>();
        QVERIFY(fine);
        const int drawsBefore = registry.gamesOpened();

        support::click(fine, "cmdsi");
        support::settle();

        QCOMPARE(flow::loadedKinds(registry), QStringList{kGame});
        QCOMPARE(flow::existingWindows(), 1);
        QVERIFY(fine.isNull());
        QVERIFY(old.isNull());
        QCOMPARE(registry.gamesOpened(), drawsBefore + 1);
        frmcifrotto* game = registry.find<frmcifrotto>();
        QVERIFY(game->isVisible());
        QCOMPARE(play::departureFromOpening(game), QString());
    }
};

QTEST_MAIN(TstEndWindow)
#include "tst_end_window.moc"
