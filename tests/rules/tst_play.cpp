// Choosing colours, placing pegs and confirming rows, up to a won or lost game.
#include "rules/play.h"

#include "rules_fixture.h"

#include <QTest>

using namespace rules;

namespace {

const QString kSecret = "rosso blu verde giallo";

// Rows that miss kSecret; what each one scores is tst_scoring's to say.
const QString kMisses[] = {
    "rosso blu verde nero",     "blu rosso giallo verde",    "verde verde verde verde",
    "bianco nero rosa arancio", "giallo blu rosso nero",     "rosso rosso rosso rosso",
    "nero nero nero giallo",    "azzurro viola lilla rosso", "rosso giallo verde blu",
    "lilla lilla blu blu",      "rosso blu giallo verde",    "rosso blu verde azzurro",
};

Board boardWithSecret() {
    Board board;
    const auto codes = codesOf(kSecret);
    for (std::size_t k = 0; k < 4; ++k)
        board.segreto[k] = std::int16_t(codes[k]);
    return board;
}

void fillRow(Board& board, int row, const QString& names) {
    const auto codes = codesOf(names);
    for (int column = 1; column <= 4; ++column) {
        selectColour(board, codes[column - 1]);
        placePeg(board, row, column);
    }
}

// What a press may change; a press on the disabled button changes none of it.
bool samePlay(const Board& a, const Board& b) {
    return a.riga == b.riga && a.squares == b.squares && a.holeActive == b.holeActive &&
           a.outcome == b.outcome && a.opt1 == b.opt1 && a.coverShown == b.coverShown;
}

} // namespace

class TstPlay : public QObject {
    Q_OBJECT
private slots:
    void withNoColourChosenAHoleStaysEmpty();
    void choosingAColourShowsOnlyItsMarker();
    void aPegTakesTheChosenColour_data();
    void aPegTakesTheChosenColour();
    void theFourthFilledHoleEnablesConfirm_data();
    void theFourthFilledHoleEnablesConfirm();
    void aFilledHoleCanBeRecoloured();
    void gamesEndOnlyOnFourRedsOrTheTwelfthRow_data();
    void gamesEndOnlyOnFourRedsOrTheTwelfthRow();
    void confirmStillScoresAfterTheSolutionWasShown();
    void aThirteenthRowIsNeverScored();

private:
    void press(Board& board, const QString& names, Outcome& handoff);
};

void TstPlay::withNoColourChosenAHoleStaysEmpty() {
    Board board;
    QVERIFY(!placePeg(board, 1, 2));
    QCOMPARE(board.disc(1, 2), 0x8000000Fu);
    QVERIFY(!board.confirmEnabled);
}

void TstPlay::choosingAColourShowsOnlyItsMarker() {
    Board board;
    selectColour(board, 1); // bianco
    selectColour(board, 7); // verde
    for (int code = 1; code <= 11; ++code)
        QCOMPARE(board.marker(code), code == 7);
    placePeg(board, 1, 1);
    QCOMPARE(board.disc(1, 1), 0x00FF00u);
}

void TstPlay::aPegTakesTheChosenColour_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<uint>("value");
    QTest::newRow("bianco") << 1 << 0xFFFFFFu;
    QTest::newRow("nero") << 2 << 0x000000u;
    QTest::newRow("viola") << 10 << 0xFFC0C0u;
    QTest::newRow("lilla") << 11 << 0xFF00FFu;
}

void TstPlay::aPegTakesTheChosenColour() {
    QFETCH(int, code);
    QFETCH(uint, value);
    Board board;
    selectColour(board, code);
    QVERIFY(!placePeg(board, 1, 3));
    QCOMPARE(board.disc(1, 3), value);
    QVERIFY(!board.confirmEnabled);
}

void TstPlay::theFourthFilledHoleEnablesConfirm_data() {
    QTest::addColumn<QString>("columns"); // the order the holes are filled in
    QTest::addColumn<QString>("colours");
    QTest::newRow("left to right") << "1234" << kSecret;
    QTest::newRow("right to left") << "4321"
                                   << "lilla viola bianco nero";
    QTest::newRow("out of order, four equal colours") << "3142"
                                                      << "verde verde verde verde";
    QTest::newRow("all black") << "2413"
                               << "nero nero nero nero";
}

void TstPlay::theFourthFilledHoleEnablesConfirm() {
    QFETCH(QString, columns);
    QFETCH(QString, colours);
    const auto codes = codesOf(colours);
    Board board;
    for (int n = 0; n < 4; ++n) {
        selectColour(board, codes[n]);
        QCOMPARE(placePeg(board, 1, columns[n].digitValue()), n == 3);
        QCOMPARE(board.confirmEnabled, n == 3);
    }
}

void TstPlay::aFilledHoleCanBeRecoloured() {
    Board board;
    fillRow(board, 1, "rosso rosso rosso rosso");
    selectColour(board, 9); // blu
    QVERIFY(placePeg(board, 1, 2));
    QCOMPARE(board.disc(1, 2), 0xFF0000u);
    QCOMPARE(board.disc(1, 1), 0x0000FFu);
    QVERIFY(board.confirmEnabled);
}

// Fills the next row and confirms it, checking what every press keeps true; a late press
// before the row is full, or after the game has ended, does nothing and says so.
void TstPlay::press(Board& board, const QString& names, Outcome& handoff) {
    const int row = board.riga + 1;
    const Board waiting = board;
    QVERIFY(!confirm(board));
    QVERIFY(samePlay(board, waiting));
    fillRow(board, row, names);
    QVERIFY(board.confirmEnabled);
    const auto before = board.squares;
    const auto result = confirm(board);
    QVERIFY(result);
    handoff = *result;
    QCOMPARE(int(board.riga), row);
    QVERIFY(!board.confirmEnabled);
    for (int r = 1; r <= 12; ++r) {
        if (r != row)
            QVERIFY2(board.squares[r - 1] == before[r - 1], "another row's squares changed");
        for (int column = 1; column <= 4; ++column)
            QCOMPARE(board.active(r, column), handoff == Outcome::None && r == row + 1);
    }
}

void TstPlay::gamesEndOnlyOnFourRedsOrTheTwelfthRow_data() {
    QTest::addColumn<int>("misses");
    QTest::addColumn<bool>("solved"); // whether the secret follows the misses
    QTest::addColumn<int>("outcome");
    QTest::newRow("won on row 1") << 0 << true << int(Outcome::Won);
    QTest::newRow("won on row 2") << 1 << true << int(Outcome::Won);
    QTest::newRow("won on row 11") << 10 << true << int(Outcome::Won);
    QTest::newRow("won on row 12") << 11 << true << int(Outcome::Won);
    QTest::newRow("lost on row 12") << 12 << false << int(Outcome::Lost);
}

void TstPlay::gamesEndOnlyOnFourRedsOrTheTwelfthRow() {
    QFETCH(int, misses);
    QFETCH(bool, solved);
    QFETCH(int, outcome);
    Board board = boardWithSecret();
    Outcome last = Outcome::None;
    for (int n = 0; n < misses; ++n) {
        press(board, kMisses[n], last);
        if (QTest::currentTestFailed())
            return;
        if (n + 1 < misses || solved) {
            QCOMPARE(int(last), int(Outcome::None));
            QCOMPARE(int(board.outcome), int(Outcome::None));
            QVERIFY(board.coverShown);
            QVERIFY(!board.opt1);
        }
    }
    if (solved) {
        press(board, kSecret, last);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(squaresOf(board, misses + 1), QString("RRRR"));
    }
    QCOMPARE(int(last), outcome);
    QCOMPARE(int(board.outcome), outcome);
    QCOMPARE(board.opt1, outcome == int(Outcome::Won));
    QVERIFY(!board.coverShown);
    QCOMPARE(int(board.riga), misses + (solved ? 1 : 0));
    const Board ended = board;
    QVERIFY(!confirm(board));
    QVERIFY(samePlay(board, ended));
}

void TstPlay::confirmStillScoresAfterTheSolutionWasShown() {
    Board board = boardWithSecret();
    fillRow(board, 1, "giallo blu rosso nero");
    revealSolution(board);
    QVERIFY(!board.coverShown);
    QVERIFY(board.confirmEnabled);
    for (int row = 1; row <= 12; ++row)
        for (int column = 1; column <= 4; ++column)
            QVERIFY(!board.active(row, column));
    QCOMPARE(confirm(board), std::optional(Outcome::None));
    QCOMPARE(squaresOf(board, 1), QString("R.WW"));
    QCOMPARE(int(board.riga), 1);
    for (int row = 1; row <= 12; ++row)
        for (int column = 1; column <= 4; ++column)
            QCOMPARE(board.active(row, column), row == 2);
}

// A peg put into the full last row enables confirm again; the board has no row to score.
void TstPlay::aThirteenthRowIsNeverScored() {
    Board board = boardWithSecret();
    for (int row = 1; row <= 12; ++row) {
        fillRow(board, row, kMisses[row - 1]);
        confirm(board);
    }
    QCOMPARE(int(board.outcome), int(Outcome::Lost));
    placePeg(board, 12, 1);
    QVERIFY(board.confirmEnabled);
    const Board ended = board;
    QVERIFY(!confirm(board));
    QVERIFY(samePlay(board, ended));
}

QTEST_APPLESS_MAIN(TstPlay)
#include "tst_play.moc"
