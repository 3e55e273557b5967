// tst_pictures.cpp: every picture looks exactly as Qt SVG draws it over its box's background
// at scale 1 and at 2 (drawn at build time), and nearly so at other scales (drawn from the SVG
// at run time), the screen's scale times the window's zoom: an enlarged window's pictures are
// drawn afresh, never blown up. The window icon is the SVG at each of its sizes. Run once per
// QT_SCALE_FACTOR.
#include "app/start.h"
#include "support/gui.h"
#include "support/windows_named.h"
#include "windows/frminizio.h"
#include "windows/frmistruzioni.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include <cmath>

namespace {

// The picture drawn directly from its SVG, at the window's scale, over the background of the
// widget that shows it, as large as that widget.
QImage drawnFromSvg(const QWidget& box, const QString& svg, double zoom) {
    const qreal scale = box.devicePixelRatioF();
    QImage image((QSizeF(box.size()) * scale).toSize(), QImage::Format_RGB32);
    image.fill(box.palette().color(QPalette::Window));
    QPainter painter(&image);
    painter.scale(scale * zoom, scale * zoom);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer picture(svg);
    picture.render(&painter, QRectF(QPointF(0, 0), picture.defaultSize()));
    return image;
}

// The mean difference of the colour channels over all pixels.
double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace

class TstPictures : public QObject {
    Q_OBJECT

    toolkit::WindowRegistry registry_;

private slots:
    void eachPictureIsTheSvgOverItsBackground_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("svg");
        QTest::addColumn<double>("zoom");
        for (const double zoom : {1.0, 2.0}) {
            QTest::addRow("start picture at %g", zoom)
                << kinds::kStart << "Picture1" << ":/artwork/inizio.svg" << zoom;
            QTest::addRow("start strip at %g", zoom)
                << kinds::kStart << "Image1" << ":/artwork/striscia.svg" << zoom;
            QTest::addRow("instructions picture at %g", zoom)
                << kinds::kRules << "Picture1" << ":/artwork/istruzioni.svg" << zoom;
        }
    }

    void eachPictureIsTheSvgOverItsBackground() {
        QFETCH(QString, window);
        QFETCH(QString, name);
        QFETCH(QString, svg);
        QFETCH(double, zoom);
        QWidget* form = window == kinds::kStart
                            ? static_cast<QWidget*>(registry_.show<windows::frminizio>())
                            : registry_.show<windows::frmistruzioni>();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        // From the size it has now (rows of one zoom follow each other) to `zoom` times 402 wide.
        QVERIFY(support::enlarge(form, QSizeF(zoom, zoom) / (form->width() / 402.0)).isValid());
        auto* box = support::control<QWidget>(form, name);
        const qreal scale = box->devicePixelRatioF();
        const QByteArray wanted = qgetenv("QT_SCALE_FACTOR");
        QCOMPARE(scale, wanted.isEmpty() ? 1.0 : wanted.toDouble());

        const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage expected = drawnFromSvg(*box, svg, zoom);
        expected.setDevicePixelRatio(scale);
        QCOMPARE(shown.size(), expected.size());
        const double drawnAt = scale * zoom;
        if (drawnAt == 1 || drawnAt == 2)
            QCOMPARE(shown, expected);
        else if (drawnAt == std::floor(drawnAt)) // from the SVG, as the SVG: never blown up
            QVERIFY2(meanDifference(shown, expected) < 0.1, "the picture is not the SVG's");
        else // stretched to whole pixels (16.5 to 17 rows) and laid over the background
            QVERIFY2(meanDifference(shown, expected) < 13, "the picture is not the SVG's");
    }

    // The title bar's and the task bar's sizes are drawn exactly as the SVG gives them.
    void theWindowIconIsTheSvgAtEachSize() {
        app::identify();
        auto* window = registry_.show<windows::frminizio>();
        QSvgRenderer picture(QStringLiteral(CIFROTTO_ICON_SVG));
        QVERIFY(picture.isValid());
        for (const int side : {16, 32, 48}) {
            QImage expected(side, side, QImage::Format_ARGB32_Premultiplied);
            expected.fill(Qt::transparent);
            QPainter painter(&expected);
            picture.render(&painter);
            painter.end();
            const QPixmap shown = window->windowIcon().pixmap(QSize(side, side), 1.0);
            QCOMPARE(shown.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     expected);
        }
    }
};

QTEST_MAIN(TstPictures)
#include "tst_pictures.moc"
