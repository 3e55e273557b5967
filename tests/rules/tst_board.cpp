// A new board's opening state, and reading and writing its elements by control name.
#include "rules/element_name.h"

#include <QTest>

#include <set>
#include <stdexcept>
#include <vector>

using namespace rules;

namespace {

std::string at(const char* prefix, int row, int column) {
    return prefix + std::to_string(row) + std::to_string(column);
}

std::vector<ElementName> everyElement() {
    std::vector<ElementName> all;
    for (int row = 1; row <= 12; ++row)
        for (int column = 1; column <= 4; ++column)
            for (auto kind : {ElementKind::Disc, ElementKind::HoleArea, ElementKind::Square})
                all.push_back({kind, row, column});
    for (int k = 1; k <= 4; ++k)
        all.push_back({ElementKind::SecretShape, 0, k});
    for (int code = 1; code <= 11; ++code)
        for (auto kind : {ElementKind::Swatch, ElementKind::PaletteArea, ElementKind::Marker})
            all.push_back({kind, 0, code});
    for (auto kind : {ElementKind::Cover, ElementKind::ConfirmButton, ElementKind::MessageLabel,
                      ElementKind::OutcomeFlag})
        all.push_back({kind});
    return all;
}

} // namespace

class TstBoard : public QObject {
    Q_OBJECT
private slots:
    void aNewBoardIsEmptyWithOnlyTheFirstRowOpen();
    void namesParseToTheirElement_data();
    void namesParseToTheirElement();
    void namesOfNoElementAreRefused_data();
    void namesOfNoElementAreRefused();
    void propertiesAnElementLacksAreRefused();
    void everyElementHasOneNameThatParsesBack();
    void accessByNameReachesTheSameCellAsRowAndColumn();
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
    QVERIFY(board.message.empty());
    QVERIFY(!board.opt1);
    QCOMPARE(board.riga, 0);
}

void TstBoard::namesParseToTheirElement_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    const auto add = [](const char* name, ElementKind kind, int row, int column) {
        QTest::newRow(name) << name << int(kind) << row << column;
    };
    add("shp124", ElementKind::Disc, 12, 4);
    add("shp111", ElementKind::Disc, 11, 1);
    add("shp11", ElementKind::Disc, 1, 1);
    add("img31", ElementKind::HoleArea, 3, 1);
    add("img104", ElementKind::HoleArea, 10, 4);
    add("shpp124", ElementKind::Square, 12, 4);
    add("shpp23", ElementKind::Square, 2, 3);
    add("shpn1", ElementKind::SecretShape, 0, 1);
    add("shpn4", ElementKind::SecretShape, 0, 4);
    add("shpnero", ElementKind::Swatch, 0, 2);
    add("shpbianco", ElementKind::Swatch, 0, 1);
    add("imglilla", ElementKind::PaletteArea, 0, 11);
    add("shpsviola", ElementKind::Marker, 0, 10);
    add("shpsnero", ElementKind::Marker, 0, 2);
    add("shpschermo", ElementKind::Cover, 0, 0);
    add("cmdconferma", ElementKind::ConfirmButton, 0, 0);
    add("lblmessaggio", ElementKind::MessageLabel, 0, 0);
    add("opt1", ElementKind::OutcomeFlag, 0, 0);
}

void TstBoard::namesParseToTheirElement() {
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(int, row);
    QFETCH(int, column);
    const ElementName element = parseElementName(name.toStdString());
    QCOMPARE(int(element.kind), kind);
    QCOMPARE(element.row, row);
    QCOMPARE(element.column, column);
}

void TstBoard::namesOfNoElementAreRefused_data() {
    QTest::addColumn<QString>("name");
    for (const char* name :
         {"shp01",       "shp131",       "shp10",   "shp15",      "img01",     "img125",
          "shpp130",     "shpp05",       "shpn0",   "shpn5",      "shpn",      "shpn11",
          "shp011",      "shpp011",      "shp1111", "shp1",       "",          "shp",
          "shpx1",       "shp1x",        "shp-11",  "shpsgrigio", "shpgrigio", "imgbianc",
          "shpsschermo", "cmdconferma1", "opt2",    "lblmessaggi"})
        QTest::newRow(*name ? name : "(empty)") << name;
}

void TstBoard::namesOfNoElementAreRefused() {
    QFETCH(QString, name);
    const std::string text = name.toStdString();
    Board board;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, parseElementName(text));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, colourOf(board, text));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, setColour(board, text, 0));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, isShown(board, text));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, setShown(board, text, true));
}

void TstBoard::propertiesAnElementLacksAreRefused() {
    Board board;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, colourOf(board, "img11"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, colourOf(board, "cmdconferma"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, setColour(board, "shpschermo", 0));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, setColour(board, "shpverde", 0));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, setShown(board, "shp11", false));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, setShown(board, "opt1", true));
}

void TstBoard::everyElementHasOneNameThatParsesBack() {
    std::set<std::string> names;
    for (const ElementName& element : everyElement()) {
        const std::string name = elementName(element);
        QVERIFY2(parseElementName(name) == element, name.c_str());
        names.insert(name);
    }
    QCOMPARE(names.size(), everyElement().size());
}

void TstBoard::accessByNameReachesTheSameCellAsRowAndColumn() {
    Board board;
    // Every cell gets a value of its own, so a swapped or shifted index shows.
    for (int row = 1; row <= 12; ++row) {
        for (int column = 1; column <= 4; ++column) {
            setColour(board, at("shp", row, column), 0x010000u * row + column);
            setColour(board, at("shpp", row, column), 0x000100u * row + column);
            setShown(board, at("img", row, column), (row + 2 * column) % 3 == 0);
        }
    }
    for (int row = 1; row <= 12; ++row) {
        for (int column = 1; column <= 4; ++column) {
            QCOMPARE(board.disc(row, column), 0x010000u * row + column);
            QCOMPARE(board.square(row, column), 0x000100u * row + column);
            QCOMPARE(board.active(row, column), (row + 2 * column) % 3 == 0);
            QCOMPARE(colourOf(board, at("shp", row, column)), board.disc(row, column));
            QCOMPARE(colourOf(board, at("shpp", row, column)), board.square(row, column));
            QCOMPARE(isShown(board, at("img", row, column)), board.active(row, column));
        }
    }
    for (int k = 1; k <= 4; ++k) {
        setColour(board, "shpn" + std::to_string(k), 0x100u * k);
        QCOMPARE(board.secret(k), 0x100u * k);
        QCOMPARE(colourOf(board, "shpn" + std::to_string(k)), 0x100u * k);
    }
    for (const ColourEntry& entry : kColours) {
        const std::string marker = "shps" + std::string(entry.name);
        setShown(board, marker, entry.code % 3 == 1);
        QCOMPARE(board.marker(entry.code), entry.code % 3 == 1);
        QCOMPARE(isShown(board, marker), entry.code % 3 == 1);
    }
    setShown(board, "shpschermo", false);
    QVERIFY(!board.coverShown);
    QVERIFY(!isShown(board, "shpschermo"));
}

QTEST_APPLESS_MAIN(TstBoard)
#include "tst_board.moc"
