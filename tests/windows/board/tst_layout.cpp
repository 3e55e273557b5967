// tst_layout.cpp: the game window's 200 controls, their places, stacking and creation state.
#include "board_play.h"
#include "support/gui.h"
#include "toolkit/click_area.h"
#include "toolkit/item_group.h"
#include "toolkit/line.h"
#include "toolkit/shape.h"
#include "windows/frmcifrotto.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <map>

namespace {

enum class Kind { Circle, Rectangle, ClickArea, Line, Button, Label, Option };

// The lines between rows, from the top: between rows 12 and 11, and on down to rows 2 and 1.
constexpr const char* kLinesTopFirst[] = {"Line6",  "Line5",  "Line4",  "Line3",  "Line2", "Line1",
                                          "Line10", "Line11", "Line12", "Line13", "Line14"};

// Every control's name and kind.
std::vector<std::pair<QString, Kind>> expectedControls() {
    std::vector<std::pair<QString, Kind>> all;
    for (int r = 1; r <= 12; ++r)
        for (int c = 1; c <= 4; ++c)
            all.insert(all.end(), {{play::disc(r, c), Kind::Circle},
                                   {play::hole(r, c), Kind::ClickArea},
                                   {play::square(r, c), Kind::Rectangle}});
    for (int k = 1; k <= 11; ++k)
        all.insert(all.end(), {{play::swatch(k), Kind::Circle},
                               {play::paletteArea(k), Kind::ClickArea},
                               {play::marker(k), Kind::Circle}});
    for (int k = 1; k <= 4; ++k)
        all.emplace_back(play::secretShape(k), Kind::Circle);
    for (const char* line : kLinesTopFirst)
        all.emplace_back(QString::fromLatin1(line), Kind::Line);
    all.insert(all.end(), {{"shpschermo", Kind::Rectangle},
                           {"shpriquadro", Kind::Rectangle},
                           {"cmdconferma", Kind::Button},
                           {"cmdesci", Kind::Button},
                           {"cmdricomincia", Kind::Button},
                           {"cmdsoluzione", Kind::Button},
                           {"lblmessaggio", Kind::Label},
                           {"opt1", Kind::Option}});
    return all;
}

QRectF pixelsOf(const QRectF& twips) {
    return {twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15};
}

bool isKind(const QObject* control, Kind kind) {
    const auto* shape = qobject_cast<const toolkit::Shape*>(control);
    switch (kind) {
    case Kind::Circle:
        return shape && shape->form() == toolkit::ShapeForm::Circle;
    case Kind::Rectangle:
        return shape && shape->form() == toolkit::ShapeForm::Rectangle;
    case Kind::ClickArea:
        return qobject_cast<const toolkit::ClickArea*>(control);
    case Kind::Line:
        return qobject_cast<const toolkit::Line*>(control);
    case Kind::Button:
        return qobject_cast<const QPushButton*>(control);
    case Kind::Label:
        return qobject_cast<const QLabel*>(control);
    case Kind::Option:
        return qobject_cast<const QRadioButton*>(control);
    }
    return false;
}

QRectF placeOf(const QObject* control) {
    if (const auto* item = qobject_cast<const toolkit::Item*>(control))
        return item->pixelRect();
    return qobject_cast<const QWidget*>(control)->geometry();
}

} // namespace

class TstLayout : public play::BoardTest {
    Q_OBJECT
private slots:

    void windowIsTheOrangeCifrottoBoardOfItsClientSize() {
        QCOMPARE(game->windowTitle(), QStringLiteral("Cifrotto"));
        QCOMPARE(game->size(), QSize(401, 535)); // 6015 x 8025 twips
        // A corner of the client area that no control covers.
        QCOMPARE(support::colourAt(game, QPoint(2, 2)), support::rgb(0x80C0FF));
        QCOMPARE(support::colourAt(game, QPoint(398, 532)), support::rgb(0x80C0FF));
    }

    void everyControlHasItsNameAndKind() {
        const auto expected = expectedControls();
        QCOMPARE(expected.size(), std::size_t(200));
        for (const auto& [name, kind] : expected) {
            const QObject* found = game->findChild<QObject*>(name);
            QVERIFY2(found, qPrintable(name));
            QVERIFY2(isKind(found, kind), qPrintable(name));
        }
        // Nothing else: the board's items and its six native controls are all accounted for;
        // the keyboard's groups of items draw nothing and take no click.
        qsizetype widgets = 0;
        for (const QWidget* widget : game->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            widgets += qobject_cast<const toolkit::ItemGroup*>(widget) ? 0 : 1;
        QCOMPARE(game->items().size() + std::size_t(widgets), expected.size());
    }

    // Rectangles in twips as the game's description gives them: the corners of the holes, of
    // the squares and of the palette, and one of every other kind of control.
    void sampleControlsStandWhereTheBoardPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("twips");
        const std::pair<const char*, QRectF> samples[] = {
            {"shp124", {3480, 840, 375, 375}},          {"img11", {2040, 7440, 375, 375}},
            {"shpp11", {1320, 7680, 135, 135}},         {"shpp124", {1560, 840, 135, 135}},
            {"shpn1", {2040, 240, 375, 375}},           {"shpschermo", {2040, 240, 1815, 375}},
            {"shpbianco", {360, 1080, 375, 375}},       {"shpslilla", {240, 6960, 615, 615}},
            {"shpsbianco", {240, 960, 630, 615}},       {"shpriquadro", {1200, 120, 2775, 7815}},
            {"Line6", {1200, 1320, 2760, 15}},          {"Line14", {1200, 7320, 2760, 15}},
            {"cmdconferma", {4200, 4080, 1575, 495}},   {"cmdesci", {4800, 7560, 1095, 375}},
            {"cmdricomincia", {4800, 6960, 1095, 375}}, {"cmdsoluzione", {4800, 6360, 1095, 375}},
            {"lblmessaggio", {4200, 4800, 975, 255}},   {"opt1", {4200, 5160, 735, 255}}};
        for (const auto& [name, twips] : samples)
            QTest::newRow(name) << QString::fromLatin1(name) << twips;
    }
    void sampleControlsStandWhereTheBoardPutsThem() {
        QFETCH(QString, name);
        QFETCH(QRectF, twips);
        QCOMPARE(placeOf(support::controlOf(game, name)), pixelsOf(twips));
    }

    // From the samples, neighbours carry every other control to its place: the holes in an
    // even grid, each row's squares beside its holes, the secret over the columns, an even
    // palette with each ring round its swatch, each line between its two rows.
    void neighboursLineUpWithTheSamples() {
        const auto at = [this](const QString& name) {
            return placeOf(support::controlOf(game, name));
        };
        const QRectF first = at(play::disc(1, 1));
        const QPointF column = at(play::disc(1, 2)).topLeft() - first.topLeft();
        const QPointF row = at(play::disc(2, 1)).topLeft() - first.topLeft();
        for (int r = 1; r <= 12; ++r) {
            for (int c = 1; c <= 4; ++c) {
                const QRectF disc = at(play::disc(r, c));
                QCOMPARE(disc, first.translated(column * (c - 1) + row * (r - 1)));
                QCOMPARE(at(play::hole(r, c)), disc);
            }
            const QRectF holes = at(play::disc(r, 1));
            QCOMPARE(at(play::square(r, 3)).top(), holes.top());
            QCOMPARE(at(play::square(r, 1)).bottom(), holes.bottom());
            for (int k = 1; k <= 4; ++k)
                QCOMPARE(at(play::square(r, k)), at(play::square(1, k)).translated(row * (r - 1)));
        }
        QCOMPARE(at(play::square(1, 1)).left(), at(play::square(1, 3)).left());
        QCOMPARE(at(play::square(1, 2)).left(), at(play::square(1, 4)).left());
        QCOMPARE(at(play::square(1, 1)).top(), at(play::square(1, 2)).top());
        // The secret over the columns, under the cover, which ends where the last one does.
        for (int k = 1; k <= 4; ++k) {
            const QRectF secret = at(play::secretShape(k));
            QCOMPARE(secret.size(), first.size());
            QCOMPARE(secret.left(), at(play::disc(12, k)).left());
            QCOMPARE(secret.top(), at("shpschermo").top());
        }
        QCOMPARE(at("shpschermo").right(), at(play::secretShape(4)).right());

        const QRectF bianco = at(play::swatch(1));
        const QPointF step = at(play::swatch(2)).topLeft() - bianco.topLeft();
        for (int k = 1; k <= 11; ++k) {
            const QRectF swatch = at(play::swatch(k));
            QCOMPARE(swatch, bianco.translated(step * (k - 1)));
            QCOMPARE(at(play::paletteArea(k)), swatch);
            // bianco's ring is one pixel wider on the right.
            QCOMPARE(at(play::marker(k)).adjusted(0, 0, k == 1 ? -1 : 0, 0).center(),
                     swatch.center());
        }

        for (int r = 11; r >= 1; --r) {
            const QRectF line = at(QString::fromLatin1(kLinesTopFirst[11 - r]));
            QVERIFY2(line.top() > at(play::disc(r + 1, 1)).bottom() &&
                         line.bottom() < at(play::disc(r, 1)).top(),
                     kLinesTopFirst[11 - r]);
            QCOMPARE(line.left(), at("Line6").left());
            QCOMPARE(line.width(), at("Line6").width());
        }
    }

    // No two controls overlap, but where one lies over another (a click area over its shape,
    // a swatch over its ring, the cover over the secret, anything over the frame) and where
    // neighbouring rings share an edge, of which only one ever shows.
    void controlsOverlapOnlyWhereOneHoldsTheOther() {
        const auto expected = expectedControls();
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const QString& a = expected[i].first;
            const QRectF ra = placeOf(support::controlOf(game, a));
            for (std::size_t j = i + 1; j < expected.size(); ++j) {
                const QString& b = expected[j].first;
                const QRectF rb = placeOf(support::controlOf(game, b));
                const bool rings =
                    a.startsWith(QLatin1String("shps")) && b.startsWith(QLatin1String("shps"));
                QVERIFY2(!ra.intersects(rb) || ra.contains(rb) || rb.contains(ra) || rings,
                         qPrintable(a + QStringLiteral(" and ") + b));
            }
        }
    }

    void commandsCarryTheirCaptionsAndFont() {
        QCOMPARE(support::control<QPushButton>(game, "cmdconferma")->text(), "&Conferma");
        QCOMPARE(support::control<QPushButton>(game, "cmdesci")->text(), "&Fine");
        QCOMPARE(support::control<QPushButton>(game, "cmdricomincia")->text(), "&Ricomincia");
        QCOMPARE(support::control<QPushButton>(game, "cmdsoluzione")->text(), "&Soluzione");
        QCOMPARE(support::control<QRadioButton>(game, "opt1")->text(), "opt1");
        const QFont font = support::control<QPushButton>(game, "cmdconferma")->font();
        QCOMPARE(font.families().value(0), QStringLiteral("Comic Sans MS"));
        QCOMPARE(font.pointSizeF(), 12.0);
        QVERIFY(!font.italic());
    }

    void clickAreasLieAboveTheirShapesAndTheFrameBelowAll() {
        std::map<QString, std::size_t> level;
        for (std::size_t i = 0; i < game->items().size(); ++i)
            level[game->items()[i]->objectName()] = i;
        const auto above = [&level](const QString& upper, const QString& lower) {
            return level.at(upper) > level.at(lower);
        };
        for (int r = 1; r <= 12; ++r)
            for (int c = 1; c <= 4; ++c)
                QVERIFY2(above(play::hole(r, c), play::disc(r, c)), qPrintable(play::hole(r, c)));
        for (int k = 1; k <= 11; ++k) {
            const QString colour = pegs::nameOf(k);
            QVERIFY2(above("img" + colour, "shp" + colour), qPrintable(colour));
            QVERIFY2(above("shp" + colour, "shps" + colour), qPrintable(colour));
        }
        for (int i = 1; i <= 4; ++i)
            QVERIFY(above("shpschermo", QStringLiteral("shpn%1").arg(i)));
        QCOMPARE(game->items().front()->objectName(), QStringLiteral("shpriquadro"));
    }

    // Empty holes, unlit squares, only row 1 active, no colour picked, the cover on, a
    // disabled "&Conferma" and untouched outcome carriers.
    void theBoardOpensInItsCreationState() {
        QCOMPARE(play::departureFromOpening(game), QString());
        QCOMPARE(play::shape(game, "shpschermo")->fill(), 0x808080u);
        QVERIFY(play::shape(game, "shpriquadro")->isVisible());
        for (const char* name : {"cmdesci", "cmdricomincia", "cmdsoluzione"})
            QVERIFY(support::control<QPushButton>(game, name)->isEnabled());
        QVERIFY(support::control<QLabel>(game, "lblmessaggio")->isHidden());
        QVERIFY(support::control<QRadioButton>(game, "opt1")->isHidden());
    }

    void paletteOpensWithItsColoursAndNoSelection() {
        for (int k = 1; k <= 11; ++k) {
            const QString colour = pegs::nameOf(k);
            const unsigned fill = k == 1 ? pegs::kWindowBackground : pegs::valueOf(k);
            QCOMPARE(play::shape(game, "shp" + colour)->fill(), fill);
            QVERIFY(play::shape(game, "shp" + colour)->isVisible());
            QVERIFY(support::control<toolkit::ClickArea>(game, "img" + colour)->isVisible());
            QVERIFY2(!play::shape(game, "shps" + colour)->isVisible(), qPrintable(colour));
            QCOMPARE(play::shape(game, "shps" + colour)->fill(), 0xC0FFC0u);
        }
    }
};

QTEST_MAIN(TstLayout)
#include "tst_layout.moc"
