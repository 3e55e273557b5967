// Scoring a row: each hole judged on its own, reds lit from square 1 and whites from square 4.
// The one table of scores; the other tests check one scored row each, or invariants.
#include "rules/scoring.h"

#include "rules_fixture.h"

#include <QTest>

using namespace rules;

class TstScoring : public QObject {
    Q_OBJECT
private slots:
    void aRowScoresEachHoleOnItsOwn_data();
    void aRowScoresEachHoleOnItsOwn();
};

void TstScoring::aRowScoresEachHoleOnItsOwn_data() {
    QTest::addColumn<QString>("secret");
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("rossi");
    QTest::addColumn<int>("bianchi");
    QTest::addColumn<QString>("squares"); // square 1 first: R red, W white, . unlit
    const QString secret = "rosso verde blu giallo";
    QTest::newRow("the secret itself") << secret << secret << 4 << 0 << "RRRR";
    QTest::newRow("the secret's colours all misplaced")
        << secret << "verde giallo rosso blu" << 0 << 4 << "WWWW";
    QTest::newRow("no colour of the secret")
        << secret << "nero rosa viola lilla" << 0 << 0 << "....";
    QTest::newRow("three placed") << secret << "rosso verde blu nero" << 3 << 0 << "RRR.";
    QTest::newRow("two placed, two swapped")
        << secret << "rosso verde giallo blu" << 2 << 2 << "RRWW";
    QTest::newRow("one placed") << secret << "nero nero nero giallo" << 1 << 0 << "R...";
    QTest::newRow("two misplaced copies")
        << secret << "lilla lilla verde verde" << 0 << 2 << "..WW";
    QTest::newRow("two placed, one misplaced")
        << secret << "rosso verde nero blu" << 2 << 1 << "RR.W";
    QTest::newRow("one placed, three misplaced")
        << secret << "rosso blu giallo verde" << 1 << 3 << "RWWW";
    QTest::newRow("one misplaced") << secret << "nero rosso nero nero" << 0 << 1 << "...W";
    QTest::newRow("a colour in every hole scores every hole")
        << secret << "verde verde verde verde" << 1 << 3 << "RWWW";
    QTest::newRow("a repeated colour scores each misplaced copy")
        << secret << "verde rosso rosso nero" << 0 << 3 << ".WWW";
    QTest::newRow("bianco pegs against a secret holding bianco")
        << "bianco nero rosa rosso"
        << "bianco rosso arancio bianco" << 1 << 2 << "R.WW";
}

void TstScoring::aRowScoresEachHoleOnItsOwn() {
    QFETCH(QString, secret);
    QFETCH(QString, row);
    QFETCH(int, rossi);
    QFETCH(int, bianchi);
    QFETCH(QString, squares);
    constexpr int kRow = 7;
    Board board;
    const auto secretCodes = codesOf(secret);
    const auto rowCodes = codesOf(row);
    for (int k = 1; k <= 4; ++k) {
        board.segreto[k - 1] = std::int16_t(secretCodes[k - 1]);
        board.disc(kRow, k) = pegs::valueOf(rowCodes[k - 1]);
    }
    board.rossi = board.bianchi = 0;
    countRow(board, kRow);
    paintReds(board, kRow);
    paintWhites(board, kRow);
    QCOMPARE(int(board.rossi), rossi);
    QCOMPARE(int(board.bianchi), bianchi);
    for (int r = 1; r <= 12; ++r)
        QCOMPARE(squaresOf(board, r), r == kRow ? squares : QString("...."));
}

QTEST_APPLESS_MAIN(TstScoring)
#include "tst_scoring.moc"
