// tst_scaled.cpp: at twice the scale the board is drawn twice as large and stays sharp; run
// with QT_SCALE_FACTOR=2.
#include "support/play.h"
#include "windows/frmcifrotto.h"

#include <QSet>
#include <QTest>

class TstScaled : public QObject {
    Q_OBJECT
private slots:
    void theBoardIsDrawnAtTwiceThePixelsWithExactColoursAndSmoothCircles() {
        QCOMPARE(qgetenv("QT_SCALE_FACTOR"), QByteArray("2"));
        play::SeededRegistry registry;
        auto* game = registry.show<windows::frmcifrotto>();
        QVERIFY(QTest::qWaitForWindowExposed(game));
        const QImage image = game->grab().toImage();
        QCOMPARE(image.size(), QSize(802, 1070));

        // The swatch of verde at 360,4680 twips, 375 across: centre at (36.5, 324.5) px.
        QCOMPARE(image.pixelColor(73, 649), support::rgb(0x00FF00));
        QCOMPARE(image.pixelColor(2 * 36, 2 * 324), support::rgb(0x00FF00));

        // Across the swatch's left edge there are blends of outline and background.
        QSet<QRgb> edge;
        for (int x = 2 * 24 - 2; x < 2 * 24 + 6; ++x)
            edge.insert(image.pixel(x, 649));
        QVERIFY2(edge.size() >= 4, "the circle's edge is antialiased");
    }
};

QTEST_MAIN(TstScaled)
#include "tst_scaled.moc"
