// tst_keyboard.cpp: a whole game by keys alone; where Tab goes; the arrows on the palette and
// the row; the focus after a confirm; the focus ring, sharp at any scale.
#include "support/play.h"
#include "toolkit/item_group.h"
#include "toolkit/shape.h"
#include "windows/frmfine.h"

#include <QLabel>
#include <QtTest>

namespace {

QString focused(const QWidget* game) {
    const QWidget* widget = game->focusWidget();
    return widget ? widget->objectName() : QStringLiteral("<none>");
}

// Where each Tab (or Shift+Tab) lands.
QStringList tabs(QWidget* game, int count, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QStringList stops;
    for (int i = 0; i < count; ++i) {
        support::key(game, Qt::Key_Tab, modifiers);
        stops << focused(game);
    }
    return stops;
}

int chosen(const windows::frmcifrotto* game) {
    for (int code = 1; code <= 11; ++code)
        if (game->board().marker(code))
            return code;
    return 0;
}

toolkit::ItemGroup* group(const QWidget* game, const QString& name) {
    return game->findChild<toolkit::ItemGroup*>(name);
}

// Fills the focused open row by keys: Down to each colour, Space, Right to the next hole.
void typeRow(windows::frmcifrotto* game, const std::array<int, 4>& codes) {
    for (std::size_t column = 0; column < codes.size(); ++column) {
        for (int i = 0; i < 11 && chosen(game) != codes[column]; ++i)
            support::key(game, Qt::Key_Down);
        support::key(game, Qt::Key_Space);
        if (column + 1 < codes.size())
            support::key(game, Qt::Key_Right);
    }
}

// A key that the keyboard repeats while it is held, as it reaches the window.
void heldKey(QWidget* game, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(game->windowHandle(), &press);
}

} // namespace

class TstKeyboard : public play::BoardTest {
    Q_OBJECT
public:
    TstKeyboard() { screenReader = true; }

private slots:
    void aWholeGameIsWonByKeysAlone() {
        const auto secret = play::secretOf(game);
        const auto absent = play::absentFrom(secret);
        QCOMPARE(tabs(game, 3), (QStringList{"cmdricomincia", "cmdsoluzione", "palette"}));
        support::key(game, Qt::Key_Tab);
        typeRow(game, {absent[0], absent[1], absent[2], absent[3]});
        QCOMPARE(focused(game), QStringLiteral("cmdconferma"));
        support::key(game, Qt::Key_Return);
        QCOMPARE(focused(game), QStringLiteral("row2"));
        typeRow(game, secret);
        support::key(game, Qt::Key_Return);
        support::settle();
        auto* fine = registry->find<windows::frmfine>();
        QVERIFY(fine);
        QCOMPARE(support::control<QLabel>(fine, "lblmessaggio")->text(), "Hai vinto!");
        QCOMPARE(play::squaresOf(game, 2), QStringLiteral("RRRR"));
    }

    void tabGoesRoundTheButtonsThePaletteAndTheOpenRowOnly() {
        QCOMPARE(focused(game), QStringLiteral("cmdesci"));
        QCOMPARE(tabs(game, 5),
                 (QStringList{"cmdricomincia", "cmdsoluzione", "palette", "row1", "cmdesci"}));
        QCOMPARE(tabs(game, 2, Qt::ShiftModifier), (QStringList{"row1", "palette"}));
        // A full row gives "&Conferma" the focus, and with it a place in the round.
        play::fillRow(game, 1, {1, 2, 3, 4});
        QCOMPARE(focused(game), QStringLiteral("cmdconferma"));
        QCOMPARE(tabs(game, 6), (QStringList{"cmdesci", "cmdricomincia", "cmdsoluzione", "palette",
                                             "row1", "cmdconferma"}));
        // The solution closes the row: no hole is left to reach.
        support::click(game, "cmdsoluzione");
        game->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(game));
        QCOMPARE(tabs(game, 5), (QStringList{"palette", "cmdconferma", "cmdesci", "cmdricomincia",
                                             "cmdsoluzione"}));
    }

    void upAndDownChooseColoursRoundThePaletteAsAClickWould() {
        tabs(game, 3);
        support::key(game, Qt::Key_Up);
        QCOMPARE(chosen(game), 11); // nothing chosen: Up starts from lilla
        QVERIFY(play::shape(game, play::marker(11))->isVisible());
        support::key(game, Qt::Key_Down);
        QCOMPARE(chosen(game), 1); // lilla to bianco
        support::key(game, Qt::Key_Up);
        QCOMPARE(chosen(game), 11);
        // On the row too, and the focused hole says which colour is now chosen.
        support::key(game, Qt::Key_Tab);
        support::key(game, Qt::Key_Right);
        support::key(game, Qt::Key_Down);
        QCOMPARE(chosen(game), 1);
        auto* row = group(game, "row1");
        QCOMPARE(row->current(), 1);
        QCOMPARE(row->currentArea().accessibleDescription(),
                 QStringLiteral("Colore scelto: bianco"));
        // A new game chooses nothing; Down starts from bianco.
        support::key(game, Qt::Key_R, Qt::AltModifier);
        support::settle();
        game = registry->find<windows::frmcifrotto>();
        QVERIFY(game && QTest::qWaitForWindowActive(game));
        tabs(game, 3);
        support::key(game, Qt::Key_Down);
        QCOMPARE(chosen(game), 1);
    }

    void leftAndRightStopAtTheEndsOfTheRow() {
        tabs(game, 4);
        auto* row = group(game, "row1");
        support::key(game, Qt::Key_Left);
        QCOMPARE(row->current(), 0);
        for (int i = 0; i < 5; ++i)
            support::key(game, Qt::Key_Right);
        QCOMPARE(row->current(), 3);
        // Leaving and coming back finds the hole left last.
        tabs(game, 5);
        QCOMPARE(focused(game), QStringLiteral("row1"));
        QCOMPARE(row->current(), 3);
        // Keys the row has no use for still reach the window: Esc leaves the game.
        support::key(game, Qt::Key_Escape);
        support::settle();
        QVERIFY(!registry->find<windows::frmcifrotto>());
    }

    // The confirm used to leave the focus on "&Fine", where the next Return left the game.
    void aConfirmHandsTheFocusToTheNewRowNotToFine() {
        const auto absent = play::absentFrom(play::secretOf(game));
        play::fillRow(game, 1, {absent[0], absent[1], absent[2], absent[3]});
        support::key(game, Qt::Key_Return);
        heldKey(game, Qt::Key_Return);
        support::key(game, Qt::Key_Space);
        support::settle();
        QCOMPARE(registry->find<windows::frmcifrotto>(), game);
        QCOMPARE(focused(game), QStringLiteral("row2"));
        QCOMPARE(group(game, "row2")->currentArea().objectName(), QStringLiteral("img21"));
        QCOMPARE(group(game, "row2")->currentArea().accessibleDescription(),
                 QStringLiteral("Riga 1: nessun colore giusto"));
        // The held Return put nothing in; the Space put the chosen colour in once.
        QCOMPARE(game->board().disc(2, 1), play::valueOf(absent[3]));
        QCOMPARE(game->board().disc(2, 2), play::kButtonFace);
    }

    // A ring of whole device pixels in the window's text colour, apart from the green one.
    void theFocusRingIsSharpAndShowsOnlyWhileTheKeyboardIsThere() {
        tabs(game, 3);
        const QRect ring = group(game, "palette")->ringRect();
        const QColor ink = game->palette().color(QPalette::WindowText);
        const QColor background = support::rgb(0x80C0FF);
        const auto deviceColour = [this](int x, int y) {
            return game->grab().toImage().pixelColor(x, y);
        };
        // Across the left band, half-way down: background, ink to ink, background.
        const double ratio = game->devicePixelRatioF();
        const int y = int((ring.top() + ring.height() / 2) * ratio);
        const int left = int(ring.left() * ratio);
        const int band = int(2 * ratio);
        QCOMPARE(deviceColour(left - 1, y), background);
        QCOMPARE(deviceColour(left, y), ink);
        QCOMPARE(deviceColour(left + band - 1, y), ink);
        QCOMPARE(deviceColour(left + band, y), background);
        support::key(game, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(deviceColour(left, y), background);
    }
};

QTEST_MAIN(TstKeyboard)
#include "tst_keyboard.moc"
