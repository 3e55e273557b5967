// tst_games.cpp: scored rows as the player sees them, and whole games won and lost by clicking.
#include "board_play.h"
#include "support/gui.h"
#include "windows/frmcifrotto.h"
#include "windows/frmfine.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using Pattern = std::array<int, 4>;
Q_DECLARE_METATYPE(Pattern)

namespace {
const Pattern kNothing{-1, -2, -3, -4};
const Pattern kSecret{1, 2, 3, 4};
} // namespace

class TstGames : public play::BoardTest {
    Q_OBJECT
private slots:
    void init() {
        BoardTest::init();
        secret = board::secretOf(game);
    }

    // Squares are listed 1 to 4: reds fill 1, 2, 3, 4 and whites 4, 3, 2, 1.
    void aScoredRowLightsItsSquares_data() {
        QTest::addColumn<Pattern>("pattern");
        QTest::addColumn<QString>("squares");
        QTest::newRow("the secret itself") << kSecret << "RRRR";
        QTest::newRow("the secret turned") << Pattern{2, 3, 4, 1} << "WWWW";
        QTest::newRow("no colour of the secret") << kNothing << "....";
        QTest::newRow("three right") << Pattern{1, 2, 3, -1} << "RRR.";
        QTest::newRow("two right, one elsewhere") << Pattern{1, 2, 4, -1} << "RR.W";
        QTest::newRow("one right, three elsewhere") << Pattern{1, 3, 4, 2} << "RWWW";
        QTest::newRow("one elsewhere") << Pattern{-1, -2, 1, -3} << "...W";
        QTest::newRow("two elsewhere") << Pattern{2, 1, -1, -2} << "..WW";
        // Every hole is judged alone, so a repeated colour scores at each hole that holds it.
        QTest::newRow("one colour four times") << Pattern{2, 2, 2, 2} << "RWWW";
        QTest::newRow("a colour twice elsewhere") << Pattern{2, 1, 1, -1} << ".WWW";
    }
    void aScoredRowLightsItsSquares() {
        QFETCH(Pattern, pattern);
        QFETCH(QString, squares);
        board::playRow(game, 1, board::rowAgainst(secret, kNothing));
        board::playRow(game, 2, board::rowAgainst(secret, pattern));
        QCOMPARE(board::squaresOf(game, 2), squares);
        QCOMPARE(board::squaresOnScreen(game, 2), squares);
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
            board::playRow(game, row, board::rowAgainst(secret, wrong[(row - 1) % 4]));
        QVERIFY(!registry->find<windows::frmfine>());
        board::playRow(game, winningRow, board::rowAgainst(secret, kSecret));

        QCOMPARE(board::squaresOnScreen(game, winningRow), QStringLiteral("RRRR"));
        verifySecretShows();
        verifyNoHoleTakesClicks();
        const auto* fine = registry->find<windows::frmfine>();
        QVERIFY(fine && fine->isVisible());
        QCOMPARE(support::control<QLabel>(fine, "lblmessaggio")->text(),
                 QStringLiteral("Hai vinto!"));
        QVERIFY(support::control<QAbstractButton>(game, "opt1")->isChecked());
        QVERIFY(support::control<QLabel>(game, "lblmessaggio")->isHidden());
    }

    void twelveWrongRowsLoseAndSayHaiPerso() {
        const Pattern wrong[] = {kNothing, {2, 3, 4, 1}, {1, 2, 3, -1}, {2, 2, 2, 2}};
        for (int row = 1; row <= 11; ++row)
            board::playRow(game, row, board::rowAgainst(secret, wrong[(row - 1) % 4]));
        QVERIFY2(!registry->find<windows::frmfine>(), "the game ended before row 12");
        QVERIFY(board::shape(game, "shpschermo")->isVisible());
        board::playRow(game, 12, board::rowAgainst(secret, {1, 2, 3, -1}));

        QCOMPARE(board::squaresOnScreen(game, 12), QStringLiteral("RRR."));
        verifySecretShows();
        verifyNoHoleTakesClicks();
        const auto* fine = registry->find<windows::frmfine>();
        QVERIFY(fine && fine->isVisible());
        QCOMPARE(support::control<QLabel>(fine, "lblmessaggio")->text(),
                 QStringLiteral("Hai perso!"));
        QVERIFY(!support::control<QAbstractButton>(game, "opt1")->isChecked());
        QVERIFY(support::control<QLabel>(game, "lblmessaggio")->isHidden());
    }

private:
    void verifySecretShows() {
        QVERIFY(!board::shape(game, "shpschermo")->isVisible());
        const QImage image = support::grab(game);
        for (int k = 1; k <= 4; ++k) {
            const auto* shown = board::shape(game, QStringLiteral("shpn%1").arg(k));
            QCOMPARE(image.pixelColor(support::centreOf(shown)),
                     support::rgb(board::valueOf(secret[std::size_t(k - 1)])));
        }
    }

    // No hole area is shown, and neither clicks nor the keyboard bring "&Conferma" back.
    void verifyNoHoleTakesClicks() {
        auto* confirm = support::control<QPushButton>(game, "cmdconferma");
        QVERIFY(!confirm->isEnabled());
        board::pick(game, 1);
        for (int r = 1; r <= 12; ++r) {
            for (int c = 1; c <= 4; ++c) {
                QVERIFY(!support::control<toolkit::Item>(game, board::hole(r, c))->isVisible());
                const unsigned before = board::shape(game, board::disc(r, c))->fill();
                support::click(game, board::hole(r, c));
                QCOMPARE(board::shape(game, board::disc(r, c))->fill(), before);
            }
        }
        QVERIFY(!confirm->isEnabled());
    }

    std::array<int, 4> secret{};
};

QTEST_MAIN(TstGames)
#include "tst_games.moc"
