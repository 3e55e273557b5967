// tst_layout.cpp: the game window's 200 controls, their places, stacking and creation state.
#include "board_play.h"
#include "support/gui.h"
#include "toolkit/click_area.h"
#include "toolkit/item_group.h"
#include "toolkit/line.h"
#include "toolkit/shape.h"
#include "windows/frmcifrotto.h"
#include "windows/frminizio.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <map>

namespace {

enum class Kind { Circle, Rectangle, ClickArea, Line, Button, Label, Option };

struct Expected {
    QString name;
    Kind kind;
    QRectF twips; // left, top, width, height
};

// The board as HACKING's "The game in brief" lays it out, rule by rule. Rows are numbered from
// the bottom.
std::vector<Expected> expectedControls() {
    std::vector<Expected> all;
    const auto add = [&all](const QString& name, Kind kind, double l, double t, double w,
                            double h) {
        all.push_back({name, kind, QRectF(l, t, w, h)});
    };

    for (int r = 1; r <= 12; ++r) {
        const int top = 840 + 600 * (12 - r);
        for (int c = 1; c <= 4; ++c) {
            const int left = 2040 + 480 * (c - 1);
            add(board::disc(r, c), Kind::Circle, left, top, 375, 375);
            add(board::hole(r, c), Kind::ClickArea, left, top, 375, 375);
        }
        add(board::square(r, 3), Kind::Rectangle, 1320, top, 135, 135);
        add(board::square(r, 4), Kind::Rectangle, 1560, top, 135, 135);
        add(board::square(r, 1), Kind::Rectangle, 1320, top + 240, 135, 135);
        add(board::square(r, 2), Kind::Rectangle, 1560, top + 240, 135, 135);
    }
    for (int k = 1; k <= 11; ++k) {
        const QString colour = board::nameOf(k);
        add("shp" + colour, Kind::Circle, 360, 1080 + 600 * (k - 1), 375, 375);
        add("img" + colour, Kind::ClickArea, 360, 1080 + 600 * (k - 1), 375, 375);
        add("shps" + colour, Kind::Circle, 240, 960 + 600 * (k - 1), k == 1 ? 630 : 615, 615);
    }
    for (int i = 1; i <= 4; ++i)
        add(QStringLiteral("shpn%1").arg(i), Kind::Circle, 2040 + 480 * (i - 1), 240, 375, 375);
    add("shpschermo", Kind::Rectangle, 2040, 240, 1815, 375);
    add("shpriquadro", Kind::Rectangle, 1200, 120, 2775, 7815);

    const std::pair<const char*, int> lines[] = {
        {"Line6", 1320},  {"Line5", 1920},  {"Line4", 2520},  {"Line3", 3120},
        {"Line2", 3720},  {"Line1", 4320},  {"Line10", 4920}, {"Line11", 5520},
        {"Line12", 6120}, {"Line13", 6720}, {"Line14", 7320}};
    for (const auto& [name, y] : lines)
        add(name, Kind::Line, 1200, y, 3960 - 1200, 15); // one pixel thick

    add("cmdconferma", Kind::Button, 4200, 4080, 1575, 495);
    add("cmdesci", Kind::Button, 4800, 7560, 1095, 375);
    add("lblmessaggio", Kind::Label, 4200, 4800, 975, 255);
    add("opt1", Kind::Option, 4200, 5160, 735, 255);
    add("cmdricomincia", Kind::Button, 4800, 6960, 1095, 375);
    add("cmdsoluzione", Kind::Button, 4800, 6360, 1095, 375);
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

    void everyControlHasItsNameKindAndRectangle() {
        const auto expected = expectedControls();
        QCOMPARE(expected.size(), std::size_t(200));
        for (const Expected& control : expected) {
            const QObject* found = game->findChild<QObject*>(control.name);
            QVERIFY2(found, qPrintable(control.name));
            QVERIFY2(isKind(found, control.kind), qPrintable(control.name));
            QCOMPARE(placeOf(found), pixelsOf(control.twips));
        }
        // Nothing else: the board's items and its six native controls are all accounted for;
        // the keyboard's groups of items draw nothing and take no click.
        qsizetype widgets = 0;
        for (const QWidget* widget : game->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            widgets += qobject_cast<const toolkit::ItemGroup*>(widget) ? 0 : 1;
        QCOMPARE(game->items().size() + std::size_t(widgets), expected.size());
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
                QVERIFY2(above(board::hole(r, c), board::disc(r, c)),
                         qPrintable(board::hole(r, c)));
        for (int k = 1; k <= 11; ++k) {
            const QString colour = board::nameOf(k);
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
        QCOMPARE(board::departureFromOpening(game), QString());
        QCOMPARE(board::shape(game, "shpschermo")->fill(), 0x808080u);
        QVERIFY(board::shape(game, "shpriquadro")->isVisible());
        for (const char* name : {"cmdesci", "cmdricomincia", "cmdsoluzione"})
            QVERIFY(support::control<QPushButton>(game, name)->isEnabled());
        QVERIFY(support::control<QLabel>(game, "lblmessaggio")->isHidden());
        QVERIFY(support::control<QRadioButton>(game, "opt1")->isHidden());
    }

    void paletteOpensWithItsColoursAndNoSelection() {
        for (int k = 1; k <= 11; ++k) {
            const QString colour = board::nameOf(k);
            const unsigned fill = k == 1 ? board::kWindowBackground : board::valueOf(k);
            QCOMPARE(board::shape(game, "shp" + colour)->fill(), fill);
            QVERIFY(board::shape(game, "shp" + colour)->isVisible());
            QVERIFY(support::control<toolkit::ClickArea>(game, "img" + colour)->isVisible());
            QVERIFY2(!board::shape(game, "shps" + colour)->isVisible(), qPrintable(colour));
            QCOMPARE(board::shape(game, "shps" + colour)->fill(), 0xC0FFC0u);
        }
    }

    void tabOrderRunsFromConfermaToSoluzione() {
        const QStringList order{"cmdconferma", "cmdesci",       "lblmessaggio",
                                "opt1",        "cmdricomincia", "cmdsoluzione"};
        QWidget* first = support::control<QWidget>(game, "cmdconferma");
        QStringList chain;
        QWidget* at = first;
        do {
            if (order.contains(at->objectName()))
                chain << at->objectName();
            at = at->nextInFocusChain();
        } while (at != first);
        QCOMPARE(chain, order);
        // With "&Conferma" disabled, the first control to hold the focus is "&Fine".
        QCOMPARE(QApplication::focusWidget(), support::control<QWidget>(game, "cmdesci"));
    }

    void escapePressesFine() {
        support::key(game, Qt::Key_Escape);
        support::settle();
        QVERIFY(!registry->find<windows::frmcifrotto>());
        QVERIFY(registry->find<windows::frminizio>());
    }
};

QTEST_MAIN(TstLayout)
#include "tst_layout.moc"
