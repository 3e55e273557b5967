// tst_games.cpp: scored rows as the player sees them, and whole games won and lost by clicking.
#include "board_play.h"
#include "support/gui.h"
#include "support/windows_named.h"
#include "windows/frmcifrotto.h"
#include "windows/frmfine.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using Pattern = std::array<int, 4>;

namespace {
const Pattern kNothing{-1, -2, -3, -4};
const Pattern kSecret{1, 2, 3, 4};
} // namespace

class TstGames : public play::BoardTest {
    Q_OBJECT
private slots:
    void init() {
        BoardTest::init();
        secret = play::secretOf(game);
    }

    // What each square shows is the rules' tests' to say; here, that a scored row reaches the
    // screen, reds from square 1 and whites from square 4, and no other row lights.
    void aScoredRowLightsItsSquaresOnScreen() {
        play::playRow(game, 1, board::rowAgainst(secret, kNothing));
        play::playRow(game, 2, board::rowAgainst(secret, {1, 2, 4, -1}));
        QCOMPARE(play::squaresOf(game, 2), QStringLiteral("RR.W"));
        QCOMPARE(board::squaresOnScreen(game, 2), QStringLiteral("RR.W"));
        QCOMPARE(board::squaresOnScreen(game, 1), QStringLiteral("...."));
        QCOMPARE(board::squaresOnScreen(game, 3), QStringLiteral("...."));
    }

    void aGameWonByClicksUncoversTheSecretAndSaysHaiVinto_data() {
        QTest::addColumn<int>("winningRow");
        QTest::newRow("first row") << 1;
        QTest::newRow("fourth row") << 4;
        QTest::newRow("last row") << 12;
    }
    void aGameWonByClicksUncoversTheSecretAndSaysHaiVinto() {
        QFETCH(int, winningRow);
        const Pattern wrong[] = {kNothing, {2, 3, 4, 1}, {1, 2, 4, -1}, {1, 2, 3, -1}};
        for (int row = 1; row < winningRow; ++row)
            play::playRow(game, row, board::rowAgainst(secret, wrong[(row - 1) % 4]));
        QVERIFY(!registry->find<windows::frmfine>());
        play::playRow(game, winningRow, board::rowAgainst(secret, kSecret));

        QCOMPARE(board::squaresOnScreen(game, winningRow), QStringLiteral("RRRR"));
        verifySecretShows();
        verifyNoHoleTakesClicks();
        const auto* fine = registry->find<windows::frmfine>();
        QVERIFY(fine && fine->isVisible());
        QCOMPARE(support::control<QLabel>(fine, "lblmessaggio")->text(), kinds::kWon);
        QVERIFY(support::control<QAbstractButton>(game, "opt1")->isChecked());
        QVERIFY(support::control<QLabel>(game, "lblmessaggio")->isHidden());
    }

    void twelveWrongRowsLoseAndSayHaiPerso() {
        const Pattern wrong[] = {kNothing, {2, 3, 4, 1}, {1, 2, 3, -1}, {2, 2, 2, 2}};
        for (int row = 1; row <= 11; ++row)
            play::playRow(game, row, board::rowAgainst(secret, wrong[(row - 1) % 4]));
        QVERIFY2(!registry->find<windows::frmfine>(), "the game ended before row 12");
        QVERIFY(play::shape(game, "shpschermo")->isVisible());
        play::playRow(game, 12, board::rowAgainst(secret, {1, 2, 3, -1}));

        QCOMPARE(board::squaresOnScreen(game, 12), QStringLiteral("RRR."));
        verifySecretShows();
        verifyNoHoleTakesClicks();
        const auto* fine = registry->find<windows::frmfine>();
        QVERIFY(fine && fine->isVisible());
        QCOMPARE(support::control<QLabel>(fine, "lblmessaggio")->text(), kinds::kLost);
        QVERIFY(!support::control<QAbstractButton>(game, "opt1")->isChecked());
        QVERIFY(support::control<QLabel>(game, "lblmessaggio")->isHidden());
    }

private:
    void verifySecretShows() {
        QVERIFY(!play::shape(game, "shpschermo")->isVisible());
        const QImage image = support::grab(game);
        for (int k = 1; k <= 4; ++k) {
            const auto* shown = play::shape(game, QStringLiteral("shpn%1").arg(k));
            QCOMPARE(image.pixelColor(support::centreOf(shown)),
                     support::rgb(pegs::valueOf(secret[std::size_t(k - 1)])));
        }
    }

    // No hole area is shown, and neither clicks nor the keyboard bring "&Conferma" back.
    void verifyNoHoleTakesClicks() {
        auto* confirm = support::control<QPushButton>(game, "cmdconferma");
        QVERIFY(!confirm->isEnabled());
        play::pick(game, 1);
        for (int r = 1; r <= 12; ++r) {
            for (int c = 1; c <= 4; ++c) {
                QVERIFY(!support::control<toolkit::Item>(game, play::hole(r, c))->isVisible());
                const unsigned before = play::shape(game, play::disc(r, c))->fill();
                support::click(game, play::hole(r, c));
                QCOMPARE(play::shape(game, play::disc(r, c))->fill(), before);
            }
        }
        QVERIFY(!confirm->isEnabled());
    }

    std::array<int, 4> secret{};
};

QTEST_MAIN(TstGames)
#include "tst_games.moc"
