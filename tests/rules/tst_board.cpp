// A new board's opening state.
#include "rules/board.h"

#include <QTest>

using namespace rules;

class TstBoard : public QObject {
    Q_OBJECT
private slots:
    void aNewBoardIsEmptyWithOnlyTheFirstRowOpen();
};

void TstBoard::aNewBoardIsEmptyWithOnlyTheFirstRowOpen() {
    const Board board;
    for (int row = 1; row <= 12; ++row) {
        for (int column = 1; column <= 4; ++column) {
            QCOMPARE(board.disc(row, column), 0x8000000Fu);
            QCOMPARE(board.square(row, column), 0x8000000Fu);
            QCOMPARE(board.active(row, column), row == 1);
        }
    }
    for (int code = 1; code <= 11; ++code)
        QVERIFY(!board.marker(code));
    QVERIFY(board.coverShown);
    QVERIFY(!board.confirmEnabled);
    QCOMPARE(int(board.outcome), int(Outcome::None));
    QVERIFY(!board.opt1);
    QCOMPARE(board.riga, 0);
}

QTEST_APPLESS_MAIN(TstBoard)
#include "tst_board.moc"
