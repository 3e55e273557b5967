// The colour table: each code's name and value, the look-ups, and which value means "empty".
#include "rules/colour.h"
#include "support/pegs.h"

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
    for (int code = 1; code <= 11; ++code)
        QTest::addRow("%d %s", code, pegs::kPegs[std::size_t(code - 1)].name)
            << code << pegs::nameOf(code) << pegs::valueOf(code);
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
