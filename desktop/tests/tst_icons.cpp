// tst_icons.cpp: the PNG icons drawn at build time have the theme's sizes and show the icon's
// picture.
#include <QImage>
#include <QTest>

namespace {

// A point of the icon's 32 x 32 drawing, as the pixel that covers it in an icon of `size`.
QPoint pixelAt(int size, double x, double y) {
    return {static_cast<int>(x * size / 32), static_cast<int>(y * size / 32)};
}

QString describe(const QColor& c) {
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue())
        .arg(c.alpha());
}

} // namespace

class IconTest : public QObject {
    Q_OBJECT

private slots:
    void eachThemeSizeShowsTheIcon_data();
    void eachThemeSizeShowsTheIcon();
};

void IconTest::eachThemeSizeShowsTheIcon_data() {
    QTest::addColumn<int>("size");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

void IconTest::eachThemeSizeShowsTheIcon() {
    QFETCH(int, size);
    const QString file = QStringLiteral(ICON_DIR "/%1x%1/apps/" APP_ID ".png").arg(size);
    const QImage image(file);
    QVERIFY2(!image.isNull(), qPrintable(file + QStringLiteral(" is missing or unreadable")));
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());

    // The tile has rounded corners: the very corner stays see-through.
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);

    // The first peg of the guessed row is red (below its highlight).
    const QColor peg = image.pixelColor(pixelAt(size, 6.6, 11));
    QVERIFY2(peg.red() >= 200 && peg.green() <= 60 && peg.blue() <= 60 && peg.alpha() >= 250,
             qPrintable(describe(peg)));

    // The feedback block's lower left square is white.
    const QColor square = image.pixelColor(pixelAt(size, 6.1, 23.4));
    QVERIFY2(square.red() >= 230 && square.green() >= 230 && square.blue() >= 230 &&
                 square.alpha() >= 250,
             qPrintable(describe(square)));

    // Between the feedback block and the question mark the tile shows, dark blue and opaque.
    const QColor tile = image.pixelColor(pixelAt(size, 15, 27));
    QVERIFY2(tile.blue() > tile.red() + 40 && tile.blue() > tile.green() + 20 &&
                 tile.alpha() == 255,
             qPrintable(describe(tile)));
}

QTEST_GUILESS_MAIN(IconTest)
#include "tst_icons.moc"
