// tst_opening.cpp: where the game window opens, and that every opening starts a fresh game.
#include "board_play.h"
#include "support/gui.h"
#include "windows/frmcifrotto.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <cmath>

namespace {
// Two seeds whose secrets differ, so a reopened window must show the second one.
constexpr std::uint64_t kFirstSeed = 11;
constexpr std::uint64_t kSecondSeed = 29;
} // namespace

class TstOpening : public QObject {
    Q_OBJECT
private slots:
    void theWindowOpens170TwipsAboveTheCentreOfTheScreen() {
        play::SeededRegistry registry;
        auto* game = play::openGame(registry);
        support::settle(); // the frame is known once the platform has placed the window
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect frame = game->frameGeometry();
        const double left = screen.left() + (screen.width() - frame.width()) / 2.0;
        const double top = screen.top() + (screen.height() - frame.height()) / 2.0 - 170 / 15.0;
        QVERIFY2(std::abs(frame.left() - left) <= 1.0,
                 qPrintable(QStringLiteral("left %1, expected %2").arg(frame.left()).arg(left)));
        QVERIFY2(std::abs(frame.top() - top) <= 1.0,
                 qPrintable(QStringLiteral("top %1, expected %2").arg(frame.top()).arg(top)));
    }

    // A game in progress: a colour picked, a row scored, the next row half filled.
    void aReopenedWindowStartsAFreshGameWithANewSecret_data() {
        QTest::addColumn<bool>("byRestartButton");
        QTest::newRow("Ricomincia") << true;
        QTest::newRow("unloaded and shown again") << false;
    }
    void aReopenedWindowStartsAFreshGameWithANewSecret() {
        QFETCH(bool, byRestartButton);
        play::SeededRegistry registry({kFirstSeed, kSecondSeed});
        auto* game = play::openGame(registry);
        const auto firstSecret = play::secretOf(game);
        play::playRow(game, 1, board::rowAgainst(firstSecret, {2, 1, -1, 3}));
        play::fillRow(game, 2, board::rowAgainst(firstSecret, {1, -1, -1, -1}));
        QVERIFY(!play::departureFromOpening(game).isEmpty());

        if (byRestartButton) {
            support::click(game, "cmdricomincia");
        } else {
            // Within one handler, as the end window's "&Sì" does; settling in between would
            // leave no window and end the application.
            registry.unload(*game);
            registry.show<windows::frmcifrotto>();
        }
        support::settle();
        auto* reopened = registry.find<windows::frmcifrotto>();
        QVERIFY(reopened && reopened->isVisible());
        QCOMPARE(registry.loadedWindows().size(), std::size_t(1));
        QCOMPARE(play::departureFromOpening(reopened), QString());
        QVERIFY(play::secretOf(reopened) != firstSecret);
    }
};

QTEST_MAIN(TstOpening)
#include "tst_opening.moc"
