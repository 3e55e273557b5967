// tst_looks.cpp: the windows as a player sees them under a desktop look set through qt6ct (a
// dark scheme, high contrast, a 14-point serif font) or under none, at their opening size or
// enlarged by the player ("zoom2", "zoom1.5"), read back from the X server: empty holes stand
// out from the pegs, and every caption stands out from its background and fits its control.
// In "wide", the machine lacks DejaVu Sans and gives a wider family in its place.
// CIFROTTO_LOOK names the look, which the test checks took.
#include "toolkit/fonts.h"
#include "windows/flow/flow.h"

#include <QFontInfo>
#include <QTest>
#include <QtGui/qguiapplication_platform.h>

#include <map>

namespace {

// What the X server shows of a window once it shows what the window last painted: a window
// just mapped, or framed by the window manager, shows what lay beneath it until it repaints.
QImage shown(QWidget* window) {
    if (!QTest::qWaitForWindowExposed(window) || !QTest::qWaitForWindowActive(window))
        qFatal("%s never showed", qPrintable(window->objectName()));
    QImage seen;
    const auto showsItsPaint = [window, &seen] {
        seen = window->screen()
                   ->grabWindow(window->winId())
                   .toImage()
                   .convertToFormat(QImage::Format_RGB32);
        return seen == window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    if (!QTest::qWaitFor(showsItsPaint, 60000))
        qWarning("%s: the X server never showed what it painted", qPrintable(window->objectName()));
    return seen;
}

// Where a caption belongs: inside a label's frame, or inside the bevel of a button, which the
// desktop's style draws at most 3 pixels deep (Fusion, Windows), enlarged as the window's lines.
QRect insideOf(const QWidget& control, double zoom) {
    const int bevel = 3 * qRound(zoom);
    const QRect inside = qobject_cast<const QPushButton*>(&control)
                             ? control.rect().adjusted(bevel, bevel, -bevel, -bevel)
                             : control.contentsRect();
    return inside.translated(control.mapTo(control.window(), QPoint()));
}

struct Caption {
    QColor background; // the commonest colour inside
    QColor ink;        // the colour that stands out most from it
    QRect inkBox;      // where anything stands out at all, inside coordinates
};

Caption captionIn(const QImage& image) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    Caption seen;
    seen.background =
        QColor(std::ranges::max_element(counts, {}, [](auto& c) { return c.second; })->first);
    seen.ink = seen.background;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (toolkit::contrastRatio(pixel, seen.background) >
                toolkit::contrastRatio(seen.ink, seen.background))
                seen.ink = pixel;
            if (toolkit::contrastRatio(pixel, seen.background) >= 1.5)
                seen.inkBox |= QRect(x, y, 1, 1);
        }
    }
    return seen;
}

// The zoom the player chose before the windows opened, for the looks that enlarge them.
double chosenZoom() {
    const QByteArray look = qgetenv("CIFROTTO_LOOK");
    return look.startsWith("zoom") ? look.mid(4).toDouble() : 1;
}

} // namespace

class TstLooks : public QObject {
    Q_OBJECT

private slots:
    // Without the look the test would prove nothing.
    void initTestCase() {
        QVERIFY2(qGuiApp->nativeInterface<QNativeInterface::QX11Application>(),
                 "this test runs on the xcb platform, under with-openbox.sh");
        const QByteArray look = qgetenv("CIFROTTO_LOOK");
        const QPalette desktop = QGuiApplication::palette();
        if (look == "dark")
            QVERIFY(desktop.color(QPalette::Window).lightnessF() < 0.35);
        else if (look == "contrast")
            QVERIFY(desktop.color(QPalette::Window) == Qt::black &&
                    desktop.color(QPalette::WindowText) == Qt::white);
        else if (look == "font14")
            QCOMPARE(QGuiApplication::font().pointSizeF(), 14.0);
        else if (look.startsWith("zoom"))
            QVERIFY(chosenZoom() > 1);
        else if (look == "wide") {
            // Qt 6.8 still finds the DejaVu Sans that fontconfig is told to hide (fc-match
            // gives DejaVu Sans Mono): there the look cannot be given, and toolkit_fonts alone
            // checks the fitting.
            if (!QFontInfo(toolkit::fontFor({})).fixedPitch())
                QSKIP("this Qt keeps DejaVu Sans, which fontconfig hides");
        } else
            QCOMPARE(look, QByteArray("default"));
    }

    void emptyHolesStandOutFromWhiteBlackAndRedPegs() {
        play::SeededRegistry registry;
        support::chooseZoom(registry, chosenZoom());
        auto* game = play::openGame(registry);
        const int codes[] = {1, 2, 4}; // bianco, nero, rosso in columns 1 to 3; 4 stays empty
        for (int c = 1; c <= 3; ++c) {
            play::pick(game, codes[c - 1]);
            support::click(game, play::hole(1, c));
        }
        const QImage board = shown(game);
        const auto at = [&](const QString& name) {
            return board.pixelColor(support::centreOf(play::shape(game, name)));
        };
        const QColor empty = at(play::disc(1, 4));
        QVERIFY2(support::looksEmpty(empty), qPrintable(empty.name()));
        for (int c = 1; c <= 3; ++c)
            QCOMPARE(at(play::disc(1, c)), support::rgb(pegs::valueOf(codes[c - 1])));
        QCOMPARE(at(play::square(1, 1)), empty);
        QCOMPARE(at(play::swatch(1)), QColor(Qt::white));
        // Lines and outlines stand out from the light orange as text must.
        const QColor line = board.pixelColor(
            support::zoomed({1500, 1320, 15, 15}, game->zoom()).topLeft().toPoint());
        QVERIFY2(support::readsAsText(line), qPrintable(line.name()));
    }

    void captionStandsOutAndFits_data() {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("control");
        const auto row = [](const QString& place, const char* control) {
            QTest::addRow("%s %s", qPrintable(place), control) << place << QString(control);
        };
        for (const char* button : {"cmdcomincia", "cmdistruzioni", "cmdesci"})
            row(kinds::kStart, button);
        for (const char* control : {"Label1", "cmdok"})
            row(kinds::kRules, control);
        for (const char* button : {"cmdconferma", "cmdsoluzione", "cmdricomincia", "cmdesci"})
            row(flow::gameWithFullRow(1), button);
        for (const char* control : {"lblmessaggio", "lbldomanda", "cmdsi", "cmdno"})
            row(kinds::kEnd, control);
    }
    void captionStandsOutAndFits() {
        QFETCH(QString, place);
        QFETCH(QString, control);
        play::SeededRegistry registry;
        support::chooseZoom(registry, chosenZoom());
        toolkit::Form* window = flow::reach(registry, place);
        QVERIFY(window);
        // Enlarged as the player chose, as far as the screen holds it.
        QVERIFY(window->width() >= window->openingSize().width() * std::min(chosenZoom(), 1.4));
        const auto* widget = support::control<QWidget>(window, control);
        QVERIFY(widget->isEnabled());
        const QRect inside = insideOf(*widget, window->zoom().factor);
        const Caption seen = captionIn(shown(window).copy(inside));
        const QString what = QStringLiteral("%1 on %2, ink at %3,%4 %5x%6 in %7x%8")
                                 .arg(seen.ink.name(), seen.background.name())
                                 .arg(seen.inkBox.x())
                                 .arg(seen.inkBox.y())
                                 .arg(seen.inkBox.width())
                                 .arg(seen.inkBox.height())
                                 .arg(inside.width())
                                 .arg(inside.height());
        QVERIFY2(toolkit::contrastRatio(seen.ink, seen.background) >= 4.5, qPrintable(what));
        // A caption cut by its control runs into the edge of the control's inside.
        QVERIFY2(!seen.inkBox.isEmpty() &&
                     QRect(QPoint(), inside.size()).adjusted(1, 1, -1, -1).contains(seen.inkBox),
                 qPrintable(what));
    }
};

QTEST_MAIN(TstLooks)
#include "tst_looks.moc"
