// tst_pixels.cpp: what the freshly opened board shows: swatches, empty holes, the cover, the ring.
#include "board_play.h"
#include "support/gui.h"
#include "windows/frmcifrotto.h"

#include <QTest>

namespace {
// Swatch k's centre row in pixels: its box starts at 1080 + 600 (k - 1) twips, 25 pixels high.
int swatchCentreY(int k) { return (1080 + 600 * (k - 1)) / 15 + 12; }
// Swatch centres lie at x = (360 + 187.5) / 15 = 36.5 pixels; the swatch has a radius of 12.5
// and the marker of 20.5, so a pixel 16 to the left lies on the ring, one 22 to the left beyond.
constexpr int kRingX = 20;
constexpr int kBeyondRingX = 14;
} // namespace

class TstPixels : public play::BoardTest {
    Q_OBJECT
private slots:

    void eachSwatchShowsItsColour_data() {
        QTest::addColumn<int>("code");
        for (int k = 1; k <= 11; ++k)
            QTest::newRow(pegs::kPegs[std::size_t(k - 1)].name) << k;
    }
    void eachSwatchShowsItsColour() {
        QFETCH(int, code);
        // bianco too, though it is painted in the window background until its first repaint.
        const QColor expected = support::rgb(pegs::valueOf(code));
        const QPoint centre = support::centreOf(play::shape(game, "shp" + pegs::nameOf(code)));
        QCOMPARE(centre, QPoint(36, swatchCentreY(code)));
        QCOMPARE(support::colourAt(game, centre), expected);
    }

    void emptyHolesAndUnlitSquaresShowOneLightGrey() {
        const QImage image = support::grab(game);
        const QColor face =
            image.pixelColor(support::centreOf(play::shape(game, play::disc(1, 1))));
        QVERIFY2(support::looksEmpty(face), qPrintable(face.name()));
        for (int r = 1; r <= 12; ++r) {
            for (int c = 1; c <= 4; ++c) {
                const QPoint hole = support::centreOf(play::shape(game, play::disc(r, c)));
                const QPoint square = support::centreOf(play::shape(game, play::square(r, c)));
                QCOMPARE(image.pixelColor(hole), face);
                QCOMPARE(image.pixelColor(square), face);
            }
        }
    }

    void theCoverHidesEveryPixelOfTheSecret() {
        const QImage image = support::grab(game);
        const QRect cover(2040 / 15, 240 / 15, 1815 / 15, 375 / 15);
        const QRect inside = cover.adjusted(1, 1, -1, -1);
        const QColor grey = support::rgb(0x808080);
        for (int y = cover.top(); y <= cover.bottom(); ++y) {
            for (int x = cover.left(); x <= cover.right(); ++x) {
                const QColor seen = image.pixelColor(x, y);
                const bool allowed = inside.contains(x, y)
                                         ? seen == grey
                                         : seen == grey || support::readsAsText(seen);
                QVERIFY2(
                    allowed,
                    qPrintable(QStringLiteral("%1,%2 shows %3").arg(x).arg(y).arg(seen.name())));
            }
        }
    }

    void aSelectedColourShowsALightGreenRingAroundItsSwatch_data() {
        eachSwatchShowsItsColour_data();
    }
    void aSelectedColourShowsALightGreenRingAroundItsSwatch() {
        QFETCH(int, code);
        const QPoint ring(kRingX, swatchCentreY(code));
        const QPoint beyond(kBeyondRingX, swatchCentreY(code));
        const QPoint centre = support::centreOf(play::shape(game, "shp" + pegs::nameOf(code)));
        const QColor background = support::rgb(0x80C0FF);
        const QColor swatch = support::colourAt(game, centre);
        QCOMPARE(support::colourAt(game, ring), background);

        play::pick(game, code);

        const QImage image = support::grab(game);
        QCOMPARE(image.pixelColor(ring), support::rgb(0xC0FFC0));
        QCOMPARE(image.pixelColor(centre), swatch);
        QCOMPARE(image.pixelColor(beyond), background);
        // No other swatch has a ring.
        for (int other = 1; other <= 11; ++other)
            if (other != code)
                QCOMPARE(image.pixelColor(kRingX, swatchCentreY(other)), background);
    }
};

QTEST_MAIN(TstPixels)
#include "tst_pixels.moc"
