// tst_keyboard.cpp: a whole game by keys alone; where Tab goes; the arrows on the palette and
// the row; the focus after a confirm; the focus ring on screen, sharp at scales 1 and 2.
#include "support/burst.h"
#include "support/play.h"
#include "support/windows_named.h"
#include "toolkit/item_group.h"
#include "toolkit/shape.h"
#include "windows/frmfine.h"
#include "windows/frminizio.h"

#include <QBackingStore>
#include <QLabel>
#include <QScopeGuard>
#include <QTest>

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

// What the window last put on screen, in device pixels: its backing store, which a repaint
// changes only where it paints, so that a ring left behind stays in it. A fresh grab would
// paint the window anew, and on the offscreen platform QScreen::grabWindow gives
// device-independent pixels.
QImage lastShown(QWidget* window) {
    const auto* image = dynamic_cast<const QImage*>(window->backingStore()->paintDevice());
    return image ? image->copy() : QImage();
}

// Across the middle of each side of a box (in window pixels), from the box outwards: three
// pixels of background, the ring's two in a colour that reads as text (background when no ring
// belongs there), one of background, each as many as the window's zoom. Empty when the screen
// shows that, else the first difference.
QString ringAcross(QWidget* window, QRect box, bool ring, int zoom = 1) {
    const QImage screen = lastShown(window);
    const double ratio = window->devicePixelRatioF();
    const QColor background = support::rgb(0x80C0FF);
    const QPoint middle = box.center();
    struct Side {
        const char* name;
        QPoint edge; // the box's last pixel on that side, half-way along it
        QPoint out;  // one pixel outwards
    };
    const Side sides[] = {{"left", {box.left(), middle.y()}, {-1, 0}},
                          {"right", {box.right(), middle.y()}, {1, 0}},
                          {"top", {middle.x(), box.top()}, {0, -1}},
                          {"bottom", {middle.x(), box.bottom()}, {0, 1}}};
    for (const Side& side : sides) {
        for (int distance = 1; distance <= 6 * zoom; ++distance) {
            const bool inked = ring && distance > 3 * zoom && distance <= 5 * zoom;
            const QPoint at = side.edge + side.out * distance;
            // Every device pixel of that window pixel.
            for (int dy = 0; dy < int(ratio); ++dy) {
                for (int dx = 0; dx < int(ratio); ++dx) {
                    const QColor seen =
                        screen.pixelColor(int(at.x() * ratio) + dx, int(at.y() * ratio) + dy);
                    if (inked ? !support::readsAsText(seen) : seen != background)
                        return QStringLiteral("%1 side, %2 px out: %3 where %4 belongs")
                            .arg(side.name)
                            .arg(distance)
                            .arg(seen.name(), inked ? "ink" : background.name());
                }
            }
        }
    }
    return {};
}

// A key that the keyboard repeats while it is held, as it reaches the window.
void heldKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    qt_handleKeyEvent(window->windowHandle(), QEvent::KeyPress, key, modifiers, QString(), true);
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
        QCOMPARE(support::control<QLabel>(fine, "lblmessaggio")->text(), kinds::kWon);
        QCOMPARE(play::squaresOf(game, 2), QStringLiteral("RRRR"));
    }

    // The start window's first focus is its picture, no button, so that Return and Space
    // press nothing as it opens.
    void startWindowTabsFromThePicture() {
        support::click(game, "cmdesci");
        support::settle();
        auto* start = registry->find<windows::frminizio>();
        QVERIFY(start && QTest::qWaitForWindowActive(start));
        QCOMPARE(focused(start), QStringLiteral("Picture1"));
        QCOMPARE(tabs(start, 4),
                 (QStringList{"cmdistruzioni", "cmdesci", "cmdcomincia", "Picture1"}));
    }

    void tabGoesRoundTheButtonsThePaletteAndTheOpenRowOnly() {
        // The native controls in their order, the hidden ones too; with "&Conferma" disabled,
        // the first to hold the focus is "&Fine".
        const QStringList order{"cmdconferma", "cmdesci",       "lblmessaggio",
                                "opt1",        "cmdricomincia", "cmdsoluzione"};
        QStringList chain;
        QWidget* first = support::control<QWidget>(game, "cmdconferma");
        for (QWidget* at = first; chain.isEmpty() || at != first; at = at->nextInFocusChain())
            if (order.contains(at->objectName()))
                chain << at->objectName();
        QCOMPARE(chain, order);
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
        QVERIFY(
            play::holdsNews(row->currentArea().accessibleDescription(), "Colore scelto: bianco"));
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
        QVERIFY(play::holdsNews(group(game, "row2")->currentArea().accessibleDescription(),
                                "Riga 1: nessun colore giusto"));
        // The held Return put nothing in; the Space put the chosen colour in once.
        QCOMPARE(game->board().disc(2, 1), pegs::valueOf(absent[3]));
        QCOMPARE(game->board().disc(2, 2), pegs::kButtonFace);
    }

    // Return held on the last empty hole fills it and hands the focus to "&Conferma", which
    // its repeats leave alone. The repeats of a fresh Return that wins press neither "&Fine",
    // where the game window's focus falls, nor "&Sì" of the end window; nor do Alt+S's.
    void aHeldReturnFillsTheLastHoleAndConfirmsNothing() {
        const auto secret = play::secretOf(game);
        for (int column = 1; column <= 3; ++column) {
            play::pick(game, secret[std::size_t(column - 1)]);
            support::click(game, play::hole(1, column));
        }
        play::pick(game, secret[3]);
        tabs(game, 4);
        for (int i = 0; i < 3; ++i)
            support::key(game, Qt::Key_Right);
        support::Burst().hold(game, Qt::Key_Return, 3).deliver();
        QCOMPARE(game->board().disc(1, 4), pegs::valueOf(secret[3]));
        QCOMPARE(game->board().riga, 0);
        QCOMPARE(focused(game), QStringLiteral("cmdconferma"));

        support::Burst().hold(game, Qt::Key_Return, 3).deliver();
        support::settle();
        auto* fine = registry->find<windows::frmfine>();
        QVERIFY(fine && QTest::qWaitForWindowActive(fine));
        QCOMPARE(registry->find<windows::frmcifrotto>(), game);
        QCOMPARE(focused(fine), QStringLiteral("cmdsi"));
        heldKey(fine, Qt::Key_Return);
        heldKey(fine, Qt::Key_S, Qt::AltModifier);
        QVERIFY(support::waitForDelayedClicks());
        support::settle();
        QCOMPARE(registry->gamesOpened(), 1);
        QCOMPARE(registry->find<windows::frmfine>(), fine);
    }

    // The ring as the screen shows it, where a ring left behind would stay: round the
    // focused swatch or hole only, and gone when the group or the window loses the focus; in
    // a board the player enlarged, as far out and as thick as the zoom. A button's focus too,
    // under a light desktop look and a dark one.
    void theFocusRingShowsOnScreenOnlyRoundWhereTheKeyboardIs_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("dark");
        QTest::newRow("opening size") << 1 << false;
        QTest::newRow("enlarged twice") << 2 << false;
        QTest::newRow("enlarged three times, dark buttons") << 3 << true;
    }
    void theFocusRingShowsOnScreenOnlyRoundWhereTheKeyboardIs() {
        QFETCH(int, zoom);
        QFETCH(bool, dark);
        const QPalette desktop = QApplication::palette();
        const auto restore = qScopeGuard([&desktop] { QApplication::setPalette(desktop); });
        if (dark)
            QApplication::setPalette(QPalette(Qt::black)); // black faces, white captions
        QVERIFY(support::enlarge(game, QSizeF(zoom, zoom)).isValid());
        const auto ringAcross = [zoom](QWidget* window, QRect box, bool ring) {
            return ::ringAcross(window, box, ring, zoom);
        };
        // "&Fine", where the focus starts, against "&Soluzione", the same button without it:
        // from the edge in (past a border already in its colour), the focus changes a band at
        // least as thick as the zoom that stands out 3:1 from the face, and the edge 3:1 from
        // the board; once the focus has gone, "&Fine" looks like "&Soluzione".
        const double ratio = game->devicePixelRatioF();
        const auto leftSide = [this, zoom, ratio](const char* name) {
            const QRect box = support::pixelRectOf(support::controlOf(game, name));
            return lastShown(game).copy(int(box.left() * ratio), int(box.center().y() * ratio),
                                        int(4 * zoom * ratio), 1);
        };
        const auto focusShows = [&] {
            const QImage focused = leftSide("cmdesci"), without = leftSide("cmdsoluzione");
            const auto at = [&focused](int x) { return focused.pixelColor(x, 0); };
            const auto changed = [&](int x) {
                return toolkit::contrastRatio(at(x), without.pixelColor(x, 0)) >= 1.5;
            };
            int band = 0;
            while (band + 1 < focused.width() && !changed(band))
                ++band;
            int depth = band;
            while (depth + 1 < focused.width() && changed(depth))
                ++depth;
            return depth - band >= zoom * ratio &&
                   toolkit::contrastRatio(at(0), support::rgb(0x80C0FF)) >= 3 &&
                   toolkit::contrastRatio(at(depth - 1), at(focused.width() - 1)) >= 3;
        };
        QTRY_VERIFY(focusShows());
        const QRect bianco = support::pixelRectOf(play::shape(game, play::swatch(1)));
        const QRect firstHole = support::pixelRectOf(play::shape(game, play::disc(1, 1)));
        // Not the second: its ring would reach into the first's gap.
        const QRect thirdHole = support::pixelRectOf(play::shape(game, play::disc(1, 3)));
        tabs(game, 3);
        QTRY_COMPARE(ringAcross(game, bianco, true), QString());
        QTRY_VERIFY(leftSide("cmdesci") == leftSide("cmdsoluzione"));
        support::key(game, Qt::Key_Tab);
        QTRY_COMPARE(ringAcross(game, bianco, false), QString());
        QTRY_COMPARE(ringAcross(game, firstHole, true), QString());
        support::key(game, Qt::Key_Right);
        support::key(game, Qt::Key_Right);
        QTRY_COMPARE(ringAcross(game, firstHole, false), QString());
        QTRY_COMPARE(ringAcross(game, thirdHole, true), QString());

        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_COMPARE(ringAcross(game, thirdHole, false), QString());
        game->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(game));
        QTRY_COMPARE(ringAcross(game, thirdHole, true), QString());
    }
};

QTEST_MAIN(TstKeyboard)
#include "tst_keyboard.moc"
