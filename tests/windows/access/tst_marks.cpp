// tst_marks.cpp: Ctrl+M draws each colour's number on its swatch, its pegs and the uncovered
// secret, with a ring of the colour round it, and takes it away again leaving the board as it
// was. Run at scale 1 and 2.
#include "support/play.h"
#include "toolkit/shape.h"
#include "windows/frmcifrotto.h"

#include <QTest>

#include <cmath>

namespace {

// What one disc shows in a grab: whether the ring inside its outline is all one colour, and
// where its middle stands apart from that colour in grey.
struct DiscLook {
    bool plainRing = true;
    QList<QPoint> ink; // from the disc's corner, in device pixels
    int contrast = 0;  // the largest grey step from the ring to the mark
};

DiscLook lookAt(const QImage& image, const QWidget* window, const QString& name) {
    const double ratio = window->devicePixelRatioF();
    const QRectF box = play::shape(window, name)->paintedRect();
    const QRectF device(box.topLeft() * ratio, box.size() * ratio);
    const QPointF centre = device.center();
    const double radius = device.width() / 2;
    const QColor ring =
        image.pixelColor(QPointF(centre.x(), centre.y() - radius + 3 * ratio).toPoint());
    DiscLook look;
    for (int y = int(device.top()); y < int(device.bottom()); ++y) {
        for (int x = int(device.left()); x < int(device.right()); ++x) {
            const double distance = std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y());
            const QColor pixel = image.pixelColor(x, y);
            // Four pixels of colour inside the 1-pixel outline, less half a pixel each side.
            if (distance >= radius - 4.5 * ratio && distance <= radius - 1.5 * ratio)
                look.plainRing = look.plainRing && pixel == ring;
            const int step = std::abs(qGray(pixel.rgb()) - qGray(ring.rgb()));
            if (distance < radius - 5 * ratio && step > 64) {
                look.ink.append(QPoint(x, y) - device.topLeft().toPoint());
                look.contrast = std::max(look.contrast, step);
            }
        }
    }
    return look;
}

void expectMarked(const QImage& image, const QWidget* window, const QString& name) {
    const DiscLook look = lookAt(image, window, name);
    const double ratio = window->devicePixelRatioF();
    QVERIFY2(look.plainRing, qPrintable(name + " keeps a ring of its colour"));
    QVERIFY2(look.ink.size() >= 10 * ratio * ratio, qPrintable(name + " shows a mark"));
    QVERIFY2(look.contrast >= 100, qPrintable(name + "'s mark stands out in grey"));
}

} // namespace

class TstMarks : public play::BoardTest {
    Q_OBJECT
private slots:
    void ctrlMTogglesTheMarksAndNothingElse() {
        const QImage before = support::grab(game);
        QWidget* focused = QApplication::focusWidget();
        support::key(game, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(game->marksShown());
        QVERIFY(support::grab(game) != before);
        QCOMPARE(QApplication::focusWidget(), focused);
        QCOMPARE(support::control<toolkit::Item>(game, play::paletteArea(5))->accessibleName(),
                 QStringLiteral("arancio"));
        support::key(game, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(!game->marksShown());
        QCOMPARE(support::grab(game), before);
    }

    void everySwatchShowsItsOwnNumberDistinctInGrey() {
        const QImage plain = game->grab().toImage();
        for (int code = 1; code <= 11; ++code)
            QVERIFY(lookAt(plain, game, play::swatch(code)).ink.isEmpty());
        support::key(game, Qt::Key_M, Qt::ControlModifier);
        const QImage image = game->grab().toImage();
        QList<QList<QPoint>> marks;
        for (int code = 1; code <= 11; ++code) {
            expectMarked(image, game, play::swatch(code));
            QCOMPARE(play::shape(game, play::swatch(code))->mark(), QString::number(code));
            marks.append(lookAt(image, game, play::swatch(code)).ink);
        }
        // Where the ink lies differs from one number to every other, whatever the colour.
        for (int a = 0; a < 11; ++a)
            for (int b = a + 1; b < 11; ++b)
                QVERIFY2(marks[a] != marks[b],
                         qPrintable(QStringLiteral("%1 and %2").arg(a + 1).arg(b + 1)));
    }

    void pegsOfEveryColourAndTheUncoveredSecretShowTheirMarks() {
        support::key(game, Qt::Key_M, Qt::ControlModifier);
        play::playRow(game, 1, {1, 2, 3, 4});
        play::playRow(game, 2, {5, 6, 7, 8});
        play::fillRow(game, 3, {9, 10, 11, 1});
        QImage image = game->grab().toImage();
        for (int row = 1; row <= 3; ++row)
            for (int column = 1; column <= 4; ++column)
                expectMarked(image, game, play::disc(row, column));

        // Under the cover the secret carries no mark.
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(play::shape(game, play::secretShape(k))->mark(), QString());
        support::click(game, QStringLiteral("cmdsoluzione"));
        support::settle();
        image = game->grab().toImage();
        for (int k = 1; k <= 4; ++k)
            expectMarked(image, game, play::secretShape(k));
    }
};

QTEST_MAIN(TstMarks)
#include "tst_marks.moc"
