// tst_clicks.cpp: picking colours and placing pegs with the mouse, and confirming a full row.
#include "board_play.h"
#include "support/burst.h"
#include "support/gui.h"
#include "toolkit/click_area.h"
#include "windows/frmcifrotto.h"

#include <QPushButton>
#include <QTest>

namespace {
// The codes whose selection marker is shown.
QList<int> shownMarkers(const QWidget* game) {
    QList<int> shown;
    for (int k = 1; k <= 11; ++k)
        if (play::shape(game, "shps" + pegs::nameOf(k))->isVisible())
            shown << k;
    return shown;
}

// Swatch k's ring, left of the swatch: inside the marker, outside the swatch's click area.
QPoint ringOf(int code) { return {20, (1080 + 600 * (code - 1)) / 15 + 12}; }

constexpr int kRosso = 4, kVerde = 7, kBianco = 1, kNero = 2, kBlu = 9;
} // namespace

class TstClicks : public play::BoardTest {
    Q_OBJECT
private slots:
    void init() {
        BoardTest::init();
        confirm = support::control<QPushButton>(game, "cmdconferma");
    }

    void holesOfLaterRowsTakeNoClicksAtOpening() {
        play::pick(game, kRosso);
        for (int r = 2; r <= 12; ++r)
            for (int c = 1; c <= 4; ++c)
                support::click(game, play::hole(r, c));
        const QImage image = support::grab(game);
        for (int r = 2; r <= 12; ++r) {
            for (int c = 1; c <= 4; ++c) {
                const auto* disc = play::shape(game, play::disc(r, c));
                QCOMPARE(disc->fill(), pegs::kButtonFace);
                QVERIFY(support::looksEmpty(image.pixelColor(support::centreOf(disc))));
            }
        }
        QVERIFY(!confirm->isEnabled());
    }

    void aClickOnTheRingOutsideTheSwatchSelectsNothing() {
        support::clickAt(game, ringOf(kRosso));
        QCOMPARE(shownMarkers(game), QList<int>());
        play::pick(game, kBlu);
        support::clickAt(game, ringOf(kRosso));
        QCOMPARE(shownMarkers(game), QList<int>{kBlu});
    }

    void atMostOneMarkerIsShownAndItIsTheLastPicked() {
        play::pick(game, kBianco);
        QCOMPARE(shownMarkers(game), QList<int>{kBianco});
        play::pick(game, kVerde);
        QCOMPARE(shownMarkers(game), QList<int>{kVerde});
        const QImage image = support::grab(game);
        QCOMPARE(image.pixelColor(ringOf(kVerde)), support::rgb(0xC0FFC0));
        QCOMPARE(image.pixelColor(ringOf(kBianco)), support::rgb(0x80C0FF));
        for (int k = 11; k >= 1; --k) {
            play::pick(game, k);
            QCOMPARE(shownMarkers(game), QList<int>{k});
        }
        play::pick(game, kBianco); // picking the selected colour again keeps it
        QCOMPARE(shownMarkers(game), QList<int>{kBianco});
    }

    void aHoleStaysEmptyWithoutAColour() {
        support::click(game, play::hole(1, 1));
        QCOMPARE(play::shape(game, play::disc(1, 1))->fill(), pegs::kButtonFace);
        QVERIFY(support::looksEmpty(
            support::colourAt(game, support::centreOf(play::shape(game, play::disc(1, 1))))));
        QVERIFY(!confirm->isEnabled());
    }

    void aHoleTakesThePickedColour_data() {
        QTest::addColumn<int>("code");
        for (int k = 1; k <= 11; ++k)
            QTest::newRow(pegs::kPegs[std::size_t(k - 1)].name) << k;
    }
    void aHoleTakesThePickedColour() {
        QFETCH(int, code);
        play::pick(game, code);
        support::click(game, play::hole(1, 3));
        const auto* disc = play::shape(game, play::disc(1, 3));
        QCOMPARE(disc->fill(), pegs::valueOf(code));
        QCOMPARE(support::colourAt(game, support::centreOf(disc)),
                 support::rgb(pegs::valueOf(code)));
    }

    void violaIsPaleLavenderAndLillaMagenta() {
        play::pick(game, 10);
        support::click(game, play::hole(1, 1));
        play::pick(game, 11);
        support::click(game, play::hole(1, 2));
        QCOMPARE(play::shape(game, play::disc(1, 1))->fill(), 0xFFC0C0u);
        QCOMPARE(play::shape(game, play::disc(1, 2))->fill(), 0xFF00FFu);
    }

    // Columns in the order they are clicked, and the colour for each click.
    void fillingTheRowEnablesConfermaAtTheLastClick_data() {
        QTest::addColumn<QList<int>>("columns");
        QTest::addColumn<QList<int>>("colours");
        QTest::newRow("left to right") << QList<int>{1, 2, 3, 4} << QList<int>{4, 7, 9, 6};
        QTest::newRow("right to left") << QList<int>{4, 3, 2, 1} << QList<int>{4, 7, 9, 6};
        QTest::newRow("four equal colours") << QList<int>{2, 4, 1, 3} << QList<int>{7, 7, 7, 7};
        QTest::newRow("black pegs") << QList<int>{3, 1, 4, 2} << QList<int>{2, 2, 2, 2};
        QTest::newRow("one hole recoloured first")
            << QList<int>{1, 1, 2, 3, 4} << QList<int>{4, 9, 9, 9, 9};
    }
    void fillingTheRowEnablesConfermaAtTheLastClick() {
        QFETCH(QList<int>, columns);
        QFETCH(QList<int>, colours);
        for (qsizetype i = 0; i < columns.size(); ++i) {
            QVERIFY2(!confirm->isEnabled(), "enabled before the row was full");
            QVERIFY(!confirm->hasFocus());
            play::pick(game, colours[i]);
            support::click(game, play::hole(1, columns[i]));
        }
        QVERIFY(confirm->isEnabled());
        QVERIFY(confirm->hasFocus());
    }

    void returnConfirmsTheFullRowAndOpensTheNext() {
        play::fillRow(game, 1, {kRosso, kVerde, kBlu, kNero});
        support::key(game, Qt::Key_Return);
        QCOMPARE(game->board().riga, 1);
        QVERIFY(!confirm->isEnabled());
        for (int c = 1; c <= 4; ++c) {
            QVERIFY(!support::control<toolkit::ClickArea>(game, play::hole(1, c))->isVisible());
            QVERIFY(support::control<toolkit::ClickArea>(game, play::hole(2, c))->isVisible());
        }
        // Row 1 keeps its pegs and no longer reacts; row 2 does.
        play::pick(game, kBianco);
        support::click(game, play::hole(1, 1));
        support::click(game, play::hole(2, 1));
        QCOMPARE(play::shape(game, play::disc(1, 1))->fill(), pegs::valueOf(kRosso));
        QCOMPARE(play::shape(game, play::disc(2, 1))->fill(), pegs::valueOf(kBianco));
    }

    // Return held on "&Conferma": the press confirms, and the keyboard's repeats then come to
    // the new row, where they must not put pegs in.
    void aHeldReturnConfirmsOnceAndLeavesTheNextRowEmpty() {
        play::fillRow(game, 1, {kRosso, kVerde, kBlu, kNero});
        QVERIFY(confirm->hasFocus());
        support::Burst().hold(game, Qt::Key_Return, 3).deliver();
        QCOMPARE(game->board().riga, 1);
        for (int c = 1; c <= 4; ++c)
            QCOMPARE(play::shape(game, play::disc(2, c))->fill(), pegs::kButtonFace);
    }

    void altCPressesConfermaOnceTheRowIsFull() {
        play::fillRow(game, 1, {kRosso, kVerde, kBlu, kBlu});
        support::click(game, play::hole(1, 4)); // clicked again: the row is still full
        support::key(game, Qt::Key_C, Qt::AltModifier);
        // An accelerator presses the button with a short visible push, so the press lands later.
        QTRY_COMPARE(game->board().riga, 1);
        QVERIFY(support::control<toolkit::ClickArea>(game, play::hole(2, 1))->isVisible());
    }

    void theSelectionOutlivesTheConfirm() {
        play::playRow(game, 1, {kRosso, kVerde, kBlu, kNero});
        QCOMPARE(shownMarkers(game), QList<int>{kNero});
        QCOMPARE(support::colourAt(game, ringOf(kNero)), support::rgb(0xC0FFC0));
        support::click(game, play::hole(2, 2));
        QCOMPARE(play::shape(game, play::disc(2, 2))->fill(), pegs::valueOf(kNero));
        QVERIFY(!confirm->isEnabled());
    }

    // In a board enlarged by its frame, a click anywhere in a hole's enlarged area reaches that
    // hole, and a click on the margins beside the layout reaches nothing.
    void clicksFindTheHolesOfAnEnlargedBoard_data() {
        QTest::addColumn<QSizeF>("stretch"); // the client's width and height over the opening's
        QTest::newRow("2x, margins left and right") << QSizeF(2.6, 2);
        QTest::newRow("1.5x, margins above and below") << QSizeF(1.5, 2.2);
    }
    void clicksFindTheHolesOfAnEnlargedBoard() {
        QFETCH(QSizeF, stretch);
        QVERIFY(QTest::qWaitForWindowExposed(game));
        QVERIFY(support::enlarge(game, stretch).isValid());
        const std::optional<toolkit::Zoom> zoom = support::fittedZoom(game);
        QVERIFY(zoom);
        const auto at = [&zoom](QRect twips) { return support::zoomed(twips, *zoom); };
        const QRectF rosso = at({360, 1080 + 600 * (kRosso - 1), 375, 375});
        const QRectF hole = at({2040 + 480 * 2, 840 + 600 * 11, 375, 375}); // row 1, column 3

        // Beside the rosso swatch, or above the hole, in the margin.
        const QPointF margin = stretch.width() > stretch.height()
                                   ? QPointF(rosso.left() / 2, rosso.center().y())
                                   : QPointF(hole.center().x(), at({0, 0, 1, 1}).top() / 2);
        support::clickAt(game, margin.toPoint());
        QCOMPARE(shownMarkers(game), QList<int>());
        support::clickAt(game, rosso.center().toPoint());
        QCOMPARE(shownMarkers(game), QList<int>{kRosso});
        // Just inside the area's far corner.
        support::clickAt(game, (hole.bottomRight() - QPointF(1.5, 1.5)).toPoint());
        QCOMPARE(play::shape(game, play::disc(1, 3))->fill(), pegs::valueOf(kRosso));
        QCOMPARE(support::colourAt(game, hole.center().toPoint()),
                 support::rgb(pegs::valueOf(kRosso)));
    }

private:
    QPushButton* confirm = nullptr;
};

QTEST_MAIN(TstClicks)
#include "tst_clicks.moc"
