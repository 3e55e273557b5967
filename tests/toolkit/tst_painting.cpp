// tst_painting.cpp: what shapes and lines show: circles in their box, fill, outline, what a
// transparent shape lets through, hidden shapes, system colours and lines.
#include "support/gui.h"
#include "test_form.h"
#include "toolkit/shape.h"

#include <QPixmapCache>
#include <QTest>
#include <array>
#include <memory>

using toolkit::ControlKind;
using toolkit::ControlSpec;
using toolkit::ShapeForm;

namespace {

constexpr colour::ColourValue kRed = 0x0000FF;
constexpr colour::ColourValue kGreen = 0x00FF00;
constexpr colour::ColourValue kYellow = 0x00FFFF;
// The desktop's text colour in these windows, a dark scheme's: outlines and lines must still
// read as text on the game's light backgrounds.
const QColor kText(Qt::white);

// The points of `image` whose colour `fits` refuses.
template <class Fits>
QString mismatches(const QImage& image, const QList<QPoint>& points, const Fits& fits) {
    QString found;
    for (const QPoint& p : points)
        if (const QColor seen = image.pixelColor(p); !fits(seen))
            found += QStringLiteral(" (%1,%2) is %3;").arg(p.x()).arg(p.y()).arg(seen.name());
    return found;
}
// The points of `image` whose colour is not `expected`, each channel within `tolerance`.
QString mismatches(const QImage& image, const QList<QPoint>& points, const QColor& expected,
                   int tolerance = 0) {
    const QString found = mismatches(image, points, [&](const QColor& seen) {
        return std::abs(seen.red() - expected.red()) <= tolerance &&
               std::abs(seen.green() - expected.green()) <= tolerance &&
               std::abs(seen.blue() - expected.blue()) <= tolerance;
    });
    return found.isEmpty() ? found : found + QStringLiteral(" not ") + expected.name();
}

} // namespace

// Fails naming every point that does not show the colour.
#define EXPECT_COLOURS(...)                                                                        \
    do {                                                                                           \
        const QString wrong = mismatches(__VA_ARGS__);                                             \
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));                                              \
    } while (false)

Q_DECLARE_METATYPE(ShapeForm)

class TstPainting : public QObject {
    Q_OBJECT

    toolkit::WindowRegistry registry_;

    std::unique_ptr<toolkit_test::TableForm> open(std::span<const ControlSpec> layout) {
        auto window = std::make_unique<toolkit_test::TableForm>(registry_, layout, 3000, 3000);
        QPalette colours = window->palette();
        colours.setColor(QPalette::WindowText, kText);
        window->setPalette(colours);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("the test window did not show");
        return window;
    }

    static QColor background() { return support::rgb(toolkit_test::kBackground); }

private slots:
    // A size a test gave its window by the frame is not the next test's.
    void cleanup() { support::chooseZoom(registry_, 1); }

    void circleInABoxThatIsNotSquareTakesTheSmallerSideAndIsCentred_data() {
        QTest::addColumn<toolkit::TwipRect>("box");
        QTest::addColumn<QList<QPoint>>("inCircle");
        QTest::addColumn<QList<QPoint>>("inBoxOutsideCircle");
        // 160 x 80 pixels from (40, 20): the circle is 80 across, from x 80 to 160.
        QTest::newRow("wide box")
            << toolkit::TwipRect{600, 300, 2400, 1200}
            << QList<QPoint>{{120, 60}, {85, 60}, {154, 60}, {120, 25}, {120, 94}}
            << QList<QPoint>{{45, 25}, {75, 60}, {165, 60}, {194, 94}};
        // 80 x 160 pixels from (40, 20): the circle is 80 across, from y 60 to 140.
        QTest::newRow("tall box")
            << toolkit::TwipRect{600, 300, 1200, 2400}
            << QList<QPoint>{{80, 100}, {45, 100}, {114, 100}, {80, 65}, {80, 134}}
            << QList<QPoint>{{80, 55}, {80, 145}, {45, 25}, {114, 174}};
    }
    void circleInABoxThatIsNotSquareTakesTheSmallerSideAndIsCentred() {
        QFETCH(toolkit::TwipRect, box);
        QFETCH(QList<QPoint>, inCircle);
        QFETCH(QList<QPoint>, inBoxOutsideCircle);
        const std::array<ControlSpec, 1> layout{{
            {.kind = ControlKind::Shape,
             .name = "shpcerchio",
             .rect = box,
             .shape = {.form = ShapeForm::Circle, .fill = kYellow}},
        }};
        const auto window = open(layout);
        const QImage image = support::grab(window.get());
        EXPECT_COLOURS(image, inCircle, support::rgb(kYellow));
        EXPECT_COLOURS(image, inBoxOutsideCircle, background());
    }

    // A green shape over a red one of the same box, 60 x 60 pixels from (40, 20).
    void shapePaintsOutlineAndInteriorAsStyled_data() {
        QTest::addColumn<ShapeForm>("form");
        QTest::addColumn<bool>("opaque");
        QTest::addColumn<bool>("outlined");
        QTest::newRow("outlined opaque rectangle") << ShapeForm::Rectangle << true << true;
        QTest::newRow("opaque rectangle without outline") << ShapeForm::Rectangle << true << false;
        QTest::newRow("outlined transparent rectangle") << ShapeForm::Rectangle << false << true;
        QTest::newRow("outlined opaque circle") << ShapeForm::Circle << true << true;
        QTest::newRow("opaque circle without outline") << ShapeForm::Circle << true << false;
        QTest::newRow("outlined transparent circle") << ShapeForm::Circle << false << true;
    }
    void shapePaintsOutlineAndInteriorAsStyled() {
        QFETCH(ShapeForm, form);
        QFETCH(bool, opaque);
        QFETCH(bool, outlined);
        const std::array<ControlSpec, 2> layout{{
            {.kind = ControlKind::Shape,
             .name = "shpsotto",
             .rect = {600, 300, 900, 900},
             .shape = {.fill = kRed, .outlined = false}},
            {.kind = ControlKind::Shape,
             .name = "shpprova",
             .rect = {600, 300, 900, 900},
             .shape = {.form = form, .fill = kGreen, .opaque = opaque, .outlined = outlined}},
        }};
        const auto window = open(layout);
        const QImage image = support::grab(window.get());

        const QColor interior = support::rgb(opaque ? kGreen : kRed);
        // Circles are smoothed: their edge pixels may mix a little with what lies beside.
        const int tolerance = form == ShapeForm::Circle ? 40 : 0;
        const QList<QPoint> edges{{40, 50}, {99, 50}, {70, 20}, {70, 79}};
        const QList<QPoint> insideEdges{{41, 50}, {98, 50}, {70, 21}, {70, 78}, {70, 50}};
        const QList<QPoint> outside{{39, 50}, {100, 50}, {70, 19}, {70, 80}};
        if (outlined)
            EXPECT_COLOURS(image, edges, support::readsAsText);
        else
            EXPECT_COLOURS(image, edges, interior, tolerance);
        EXPECT_COLOURS(image, insideEdges, interior, tolerance);
        EXPECT_COLOURS(image, outside, background());
    }

    void hiddenShapeDrawsNothing() {
        const std::array<ControlSpec, 1> layout{{
            {.kind = ControlKind::Shape,
             .name = "shpnascosta",
             .rect = {600, 300, 900, 900},
             .shape = {.fill = kRed},
             .visible = false},
        }};
        const auto window = open(layout);
        auto* shape = support::control<toolkit::Shape>(window.get(), "shpnascosta");
        const QList<QPoint> box{{40, 20}, {40, 50}, {70, 50}, {99, 79}};

        EXPECT_COLOURS(support::grab(window.get()), box, background());
        shape->setVisible(true);
        QCOMPARE(support::colourAt(window.get(), {70, 50}).name(), support::rgb(kRed).name());
        shape->setVisible(false);
        EXPECT_COLOURS(support::grab(window.get()), box, background());
    }

    // The button face as an empty hole, the window background as white, for the bianco swatch.
    void systemColourFillReadsBackAsStoredAndPaintsTheGamesColourWhateverTheDesktops_data() {
        QTest::addColumn<colour::ColourValue>("fill");
        QTest::addColumn<QPalette::ColorRole>("role");
        QTest::newRow("button face") << colour::ColourValue{0x8000000F} << QPalette::Button;
        QTest::newRow("window background") << colour::ColourValue{0x80000005} << QPalette::Base;
    }
    void systemColourFillReadsBackAsStoredAndPaintsTheGamesColourWhateverTheDesktops() {
        QFETCH(colour::ColourValue, fill);
        QFETCH(QPalette::ColorRole, role);
        const std::array<ControlSpec, 1> layout{{
            {.kind = ControlKind::Shape,
             .name = "shpsistema",
             .rect = {600, 300, 900, 900},
             .shape = {.fill = fill, .outlined = false}},
        }};
        const auto window = open(layout);
        auto* shape = support::control<toolkit::Shape>(window.get(), "shpsistema");
        const QPoint centre(70, 50);

        QCOMPARE(shape->fill(), fill);
        const QColor shown = support::colourAt(window.get(), centre);
        QVERIFY2(role == QPalette::Button ? support::looksEmpty(shown) : shown == Qt::white,
                 qPrintable(shown.name()));

        // The desktop changes its scheme: neither the shape nor its stored value follows.
        QPalette colours = window->palette();
        colours.setColor(role, QColor(0x12, 0x9A, 0x56));
        window->setPalette(colours);
        QCOMPARE(support::colourAt(window.get(), centre).name(), shown.name());
        QCOMPARE(shape->fill(), fill);

        shape->setFill(kRed);
        QCOMPARE(shape->fill(), kRed);
        QCOMPARE(support::colourAt(window.get(), centre).name(), support::rgb(kRed).name());
        shape->setFill(fill);
        QCOMPARE(shape->fill(), fill);
        QCOMPARE(support::colourAt(window.get(), centre).name(), shown.name());
    }

    // Circles that look alike at a zoom share one drawing, which shows what each drawn alone
    // would: alike but for the fraction of a pixel they fall on, for their fill, for their
    // outline, or for their size about one centre.
    void circlesSharingADrawingShowWhatEachDrawnAloneWould_data() {
        QTest::addColumn<double>("zoom");
        for (const double zoom : {1.0, 1.255, 1.5, 2.37, 4.0})
            QTest::addRow("at %g", zoom) << zoom;
    }
    void circlesSharingADrawingShowWhatEachDrawnAloneWould() {
        QFETCH(double, zoom);
        const auto circle = [](const char* name, toolkit::TwipRect rect, colour::ColourValue fill,
                               bool opaque = true, bool outlined = true) {
            return ControlSpec{.kind = ControlKind::Shape,
                               .name = name,
                               .rect = rect,
                               .shape = {ShapeForm::Circle, fill, opaque, outlined}};
        };
        const std::array<ControlSpec, 7> layout{{
            circle("shpanello", {180, 180, 615, 615}, kGreen, false),
            circle("shpuno", {300, 300, 375, 375}, kGreen),
            circle("shpdue", {760, 397, 375, 375}, kGreen),
            circle("shptre", {1220, 494, 375, 375}, kGreen),
            circle("shpquattro", {1680, 591, 375, 375}, kGreen),
            circle("shprosso", {760, 997, 375, 375}, kRed),
            circle("shppieno", {1500, 1500, 600, 600}, kRed, true, false),
        }};
        const auto window = open(layout);
        QVERIFY(support::enlarge(window.get(), QSizeF(zoom, zoom)).isValid());
        const QImage shared = support::grab(window.get());
        const int limit = QPixmapCache::cacheLimit();
        QPixmapCache::clear();
        QPixmapCache::setCacheLimit(0); // nothing kept: every circle drawn anew
        const QImage alone = support::grab(window.get());
        QPixmapCache::setCacheLimit(limit);
        QCOMPARE(shared, alone);
    }

    void lineIsOnePixelReadingAsTextWhereTheLayoutPutsIt_data() {
        QTest::addColumn<toolkit::TwipRect>("ends"); // x1, y1, x2, y2
        QTest::addColumn<QList<QPoint>>("onLine");
        QTest::addColumn<QList<QPoint>>("besideLine");
        // y 900 twips is pixel row 60; x 600 to 2400 twips are pixels 40 to 160.
        const QList<QPoint> row60{{45, 60}, {100, 60}, {154, 60}};
        const QList<QPoint> beside60{{100, 59}, {100, 61}, {30, 60}, {170, 60}};
        QTest::newRow("horizontal") << toolkit::TwipRect{600, 900, 2400, 900} << row60 << beside60;
        QTest::newRow("horizontal, drawn right to left")
            << toolkit::TwipRect{2400, 900, 600, 900} << row60 << beside60;
        // x 900 twips is pixel column 60; y 300 to 1800 twips are pixels 20 to 120.
        QTest::newRow("vertical") << toolkit::TwipRect{900, 300, 900, 1800}
                                  << QList<QPoint>{{60, 25}, {60, 70}, {60, 114}}
                                  << QList<QPoint>{{59, 70}, {61, 70}, {60, 10}, {60, 130}};
    }
    void lineIsOnePixelReadingAsTextWhereTheLayoutPutsIt() {
        QFETCH(toolkit::TwipRect, ends);
        QFETCH(QList<QPoint>, onLine);
        QFETCH(QList<QPoint>, besideLine);
        const std::array<ControlSpec, 1> layout{{
            {.kind = ControlKind::Line, .name = "Line1", .rect = ends},
        }};
        const auto window = open(layout);
        const QImage image = support::grab(window.get());
        EXPECT_COLOURS(image, onLine, support::readsAsText);
        EXPECT_COLOURS(image, besideLine, background());
    }
};

QTEST_MAIN(TstPainting)
#include "tst_painting.moc"
