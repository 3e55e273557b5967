// The colour table: each code's name and value, the look-ups, and which value means "empty".
#include "rules/colour.h"

#include <QTest>

using namespace rules;

class TstColours : public QObject {
    Q_OBJECT
private slots:
    void eachCodeHasItsNameAndValue_data();
    void eachCodeHasItsNameAndValue();
    void onlyTheButtonFaceValueIsEmpty();
    void namesAndValuesOutsideTheTableHaveNoCode();
};

void TstColours::eachCodeHasItsNameAndValue_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("value"); // 0x00BBGGRR
    QTest::newRow("1 bianco") << 1 << "bianco" << 0xFFFFFFu;
    QTest::newRow("2 nero") << 2 << "nero" << 0x000000u;
    QTest::newRow("3 rosa") << 3 << "rosa" << 0xC0C0FFu;
    QTest::newRow("4 rosso") << 4 << "rosso" << 0x0000FFu;
    QTest::newRow("5 arancio") << 5 << "arancio" << 0x0080FFu;
    QTest::newRow("6 giallo") << 6 << "giallo" << 0x00FFFFu;
    QTest::newRow("7 verde") << 7 << "verde" << 0x00FF00u;
    QTest::newRow("8 azzurro") << 8 << "azzurro" << 0xFFFF00u;
    QTest::newRow("9 blu") << 9 << "blu" << 0xFF0000u;
    QTest::newRow("10 viola") << 10 << "viola" << 0xFFC0C0u;
    QTest::newRow("11 lilla") << 11 << "lilla" << 0xFF00FFu;
}

void TstColours::eachCodeHasItsNameAndValue() {
    QFETCH(int, code);
    QFETCH(QString, name);
    QFETCH(uint, value);
    const ColourEntry& entry = colourOfCode(code);
    QCOMPARE(entry.code, code);
    QCOMPARE(QString::fromUtf8(entry.name.data(), qsizetype(entry.name.size())), name);
    QCOMPARE(entry.value, value);
    QCOMPARE(codeOfName(name.toStdString()).value_or(0), code);
    QCOMPARE(colourOfName(name.toStdString()).value_or(0x8000000F), value);
    QCOMPARE(codeOfColour(value).value_or(0), code);
    QVERIFY(!isEmpty(value));
}

void TstColours::onlyTheButtonFaceValueIsEmpty() {
    QVERIFY(isEmpty(0x8000000F));
    QVERIFY(!isEmpty(0x80000005));
    QVERIFY(!isEmpty(0xFFFFFF));
}

void TstColours::namesAndValuesOutsideTheTableHaveNoCode() {
    for (const char* name : {"", "grigio", "bianc", "biancoo", "shpnero"}) {
        QVERIFY2(!codeOfName(name), name);
        QVERIFY2(!colourOfName(name), name);
    }
    QVERIFY(!codeOfColour(0x8000000F));
    QVERIFY(!codeOfColour(0x808080));
}

QTEST_APPLESS_MAIN(TstColours)
#include "tst_colours.moc"
