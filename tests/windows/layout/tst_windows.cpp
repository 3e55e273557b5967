// tst_windows.cpp: the start, instructions and end windows as the player sees them: place on
// the screen, captions, sizes, controls, colours and the rules text.
#include "windows/flow/flow.h"

#include "app/start.h"
#include "toolkit/view_preferences.h"

#include <QAccessible>
#include <QFile>
#include <QTest>

namespace {

// Twips as the pixels a layout rectangle becomes: 15 twips to the pixel.
QRect twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

constexpr unsigned kLightOrange = 0x80C0FF;
constexpr unsigned kLightYellow = 0x80FFFF;

// The rules as the player reads them, typed in once for every test that checks them; a null
// text if the file cannot be read, which no label shows.
QString rulesText() {
    QFile file(QStringLiteral(CIFROTTO_RULES_TEXT));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool isInk(const QColor& colour) { return colour.lightness() < 100; }

// Controls of each window whose place, extent and lines an enlarged window keeps: where each
// stands in twips, and where a screen reader is told it is when that differs.
struct EnlargedControl {
    QString name;
    QRect twips;
    QRect spoken;
};
std::vector<EnlargedControl> enlargedControlsOf(const QString& kind) {
    if (kind == kinds::kStart)
        return {{"cmdistruzioni", {2280, 5520, 1455, 495}, {}},
                {"Picture1", {1080, 240, 3855, 5055}, {}}};
    if (kind == kinds::kRules)
        return {{"Label1", {480, 1800, 5055, 3135}, {}}, {"cmdok", {2520, 5880, 1095, 375}, {}}};
    if (kind == kinds::kEnd)
        return {{"cmdno", {1680, 1200, 855, 375}, {}},
                {"lbldomanda", {480, kinds::kQuestionTop * 15, 1935, 255}, {}}};
    return {{"cmdconferma", {4200, 4080, 1575, 495}, {}},
            {"shp124", {2040 + 3 * 480, 840, 375, 375}, {}},
            {"shpp124", {1560, 840, 135, 135}, {}},
            // A row's answer speaks for its block of four squares.
            {"shpp121", {1320, 1080, 135, 135}, {1320, 840, 375, 375}},
            {"Line14", {1200, 1320 + 600 * 10, 2760, 15}, {}}};
}

} // namespace

class TstWindows : public QObject {
    Q_OBJECT
private slots:
    // The icon is the application's, which every window shows.
    void initTestCase() { app::identify(); }

    // The outer frame is centred; the game window stands 170 twips higher.
    void everyWindowIsCentredOnTheScreen_data() { flow::addWindowPlaces(); }
    void everyWindowIsCentredOnTheScreen() {
        QFETCH(QString, kind);
        QFETCH(double, raise);
        play::SeededRegistry registry;
        toolkit::Form* window = flow::reachShown(registry, kind);
        QVERIFY(window);

        const QPointF offset = flow::frameCentre(window) - flow::screenCentre();
        QVERIFY2(qAbs(offset.x()) <= 1.0 && qAbs(offset.y() + raise) <= 1.0,
                 qPrintable(QStringLiteral("frame %1,%2 %3x%4: centre off by %5, %6")
                                .arg(window->frameGeometry().x())
                                .arg(window->frameGeometry().y())
                                .arg(window->frameGeometry().width())
                                .arg(window->frameGeometry().height())
                                .arg(offset.x())
                                .arg(offset.y() + raise)));
    }

    void windowsHaveTheirCaptionSizeAndBackground_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::newRow("start") << kinds::kStart << "Cifrotto" << QSize(6030 / 15, 6495 / 15);
        QTest::newRow("instructions")
            << kinds::kRules << "Istruzioni" << QSize(6030 / 15, 6495 / 15);
        QTest::newRow("end") << kinds::kEnd << "Cifrotto" << QSize(2940 / 15, 1755 / 15);
    }
    void windowsHaveTheirCaptionSizeAndBackground() {
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        play::SeededRegistry registry;
        toolkit::Form* window = flow::reachShown(registry, kind);
        QVERIFY(window);

        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(window->size(), client);
        // It opens at its size, and can then grow but not shrink.
        QCOMPARE(window->minimumSize(), client);
        QTRY_VERIFY(window->maximumWidth() > 2 * client.width() &&
                    window->maximumHeight() > 2 * client.height());
        QVERIFY(!window->windowIcon().isNull());
        // The top-left corner is free of controls in all three windows.
        QCOMPARE(support::colourAt(window, QPoint(3, 3)), support::rgb(kLightOrange));
        QCOMPARE(support::colourAt(window, QPoint(client.width() - 3, client.height() - 3)),
                 support::rgb(kLightOrange));
    }

    // Rectangles in pixels from the twips of each window's layout; text as the player reads it
    // (a null text is not checked).
    void controlsStandWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("rect");

        using kinds::kStart, kinds::kRules, kinds::kEnd;
        // The start window's buttons stand in one row, 1455 wide and 705 apart.
        QTest::newRow("start Comincia")
            << kStart << "cmdcomincia" << "&Comincia" << twips(120, 5520, 1455, 495);
        QTest::newRow("start Istruzioni") << kStart << "cmdistruzioni" << "&Istruzioni"
                                          << twips(120 + 1455 + 705, 5520, 1455, 495);
        QTest::newRow("start Esci")
            << kStart << "cmdesci" << "&Esci" << twips(120 + 2 * (1455 + 705), 5520, 1455, 495);
        QTest::newRow("start picture")
            << kStart << "Picture1" << QString() << twips(1080, 240, 3855, 5055);
        QTest::newRow("start strip")
            << kStart << "Image1" << QString() << twips(120, 6240, 1230, 165);
        QTest::newRow("instructions OK")
            << kRules << "cmdok" << "&OK" << twips(2520, 5880, 1095, 375);
        QTest::newRow("instructions text")
            << kRules << "Label1" << rulesText() << twips(480, 1800, 5055, 3135);
        QTest::newRow("instructions picture")
            << kRules << "Picture1" << QString() << twips(1560, 240, 2895, 855);
        QTest::newRow("end Si") << kEnd << "cmdsi" << "&S\u00ec" << twips(360, 1200, 855, 375);
        QTest::newRow("end No") << kEnd << "cmdno" << "&No" << twips(1680, 1200, 855, 375);
        QTest::newRow("end message after a win")
            << kEnd << "lblmessaggio" << kinds::kWon << twips(360, 120, 2175, 495);
        QTest::newRow("end question") << kEnd << "lbldomanda" << kinds::kQuestion
                                      << QRect(480 / 15, kinds::kQuestionTop, 1935 / 15, 255 / 15);
    }
    void controlsStandWhereTheLayoutPutsThem() {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, rect);
        play::SeededRegistry registry;
        toolkit::Form* window = flow::reach(registry, kind);
        QVERIFY(window);

        auto* control = support::control<QWidget>(window, name);
        QCOMPARE(control->geometry(), rect);
        QVERIFY(control->isVisible());
        QVERIFY(control->isEnabled());
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            QCOMPARE(button->text(), text);
        else if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), text);
        else
            QVERIFY(text.isNull());
    }

    // Enlarged by its frame, a window shows its whole layout at the largest zoom that fits,
    // centred, on its own background; a caption still fits its control.
    void enlargedWindowsKeepTheirLayout_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QSizeF>("stretch"); // the client's width and height over the opening's
        for (const QSizeF stretch : {QSizeF(2, 2), QSizeF(1.5, 1.5), QSizeF(1.3, 2.5)})
            for (const QString& kind : {kinds::kStart, kinds::kRules, kinds::kEnd, kinds::kGame})
                QTest::addRow("%s at %gx%g", qPrintable(kind), stretch.width(), stretch.height())
                    << kind << stretch;
    }
    void enlargedWindowsKeepTheirLayout() {
        QFETCH(QString, kind);
        QFETCH(QSizeF, stretch);
        play::SeededRegistry registry;
        toolkit::Form* window = flow::reachShown(registry, kind);
        QVERIFY(window);
        const QSize client = support::enlarge(window, stretch);
        QVERIFY(client.isValid());
        QCOMPARE(toolkit::ViewPreferences::of(registry).zoom(), window->zoom().factor);
        const std::optional<toolkit::Zoom> zoom = support::fittedZoom(window);
        QVERIFY(zoom);

        // The margins round the layout are the window's own colour.
        const QColor background = support::rgb(kLightOrange);
        QCOMPARE(support::colourAt(window, QPoint(1, 1)), background);
        QCOMPARE(support::colourAt(window, QPoint(client.width() - 2, client.height() - 2)),
                 background);
        const QImage image = support::grab(window);
        for (const auto& [name, twips, spoken] : enlargedControlsOf(kind)) {
            // Where the player sees the control, and where a screen reader is told it is, so
            // that its mouse review finds it.
            QObject* control = support::controlOf(window, name);
            const QRectF expected = support::zoomed(twips, *zoom);
            const QRect told = QAccessible::queryAccessibleInterface(control)->rect().translated(
                -window->mapToGlobal(QPoint()));
            for (const auto& [seen, want] :
                 {std::pair(support::pixelRectOf(control), expected),
                  std::pair(told, support::zoomed(spoken.isNull() ? twips : spoken, *zoom))}) {
                QString text;
                QDebug(&text) << name << seen << "for" << want;
                QVERIFY2(qAbs(seen.left() - want.left()) <= 1 &&
                             qAbs(seen.top() - want.top()) <= 1 &&
                             qAbs(seen.right() + 1 - want.right()) <= 1 &&
                             qAbs(seen.bottom() + 1 - want.bottom()) <= 1,
                         qPrintable(text));
            }
            // A line, an answer square's outline, the rules' border and a button's are as thick
            // as the zoom in whole pixels: across it, that many pixels alike, then another
            // colour.
            const bool line = name.startsWith(QLatin1String("Line"));
            if (!line && !name.startsWith(QLatin1String("shpp")) &&
                !name.startsWith(QLatin1String("cmd")) && name != QLatin1String("Label1"))
                continue;
            const QRect box = support::pixelRectOf(control);
            const QPoint edge =
                line ? QPoint(box.center().x(), box.top()) : QPoint(box.left(), box.center().y());
            int run = 1;
            while (toolkit::contrastRatio(image.pixelColor(edge + QPoint(!line, line) * run),
                                          image.pixelColor(edge)) < 1.1)
                ++run;
            QVERIFY2(run == std::max(1, qRound(zoom->factor)),
                     qPrintable(QStringLiteral("%1: %2 pixels").arg(name).arg(run)));
            QVERIFY(name.startsWith(QLatin1String("cmd")) ||
                    support::readsAsText(image.pixelColor(edge)));
        }
    }

    // Ctrl+plus (or Ctrl+=) and Ctrl+minus step the zoom in steps that show, never past the
    // screen's available area; Ctrl+0 goes back to the opening size and its very pixels.
    void keysZoomWithinTheScreen_data() {
        QTest::addColumn<QString>("kind");
        for (const QString& kind : {kinds::kStart, kinds::kRules, kinds::kEnd, kinds::kGame})
            QTest::newRow(qPrintable(kind)) << kind;
    }
    void keysZoomWithinTheScreen() {
        QFETCH(QString, kind);
        play::SeededRegistry registry;
        toolkit::Form* window = flow::reachShown(registry, kind);
        QVERIFY(window);
        const QSize opening = window->size();
        const QImage seen = support::grab(window);
        const QRect room = window->screen()->availableGeometry();

        support::key(window, Qt::Key_Plus, Qt::ControlModifier);
        QTRY_VERIFY(window->width() >= opening.width() * 1.1);
        for (int i = 0; i < 12; ++i)
            support::key(window, Qt::Key_Equal, Qt::ControlModifier);
        const QRect largest = window->frameGeometry();
        QVERIFY(room.contains(largest));
        QVERIFY(largest.width() >= room.width() - 1 || largest.height() >= room.height() - 1);
        QCOMPARE(toolkit::ViewPreferences::of(registry).zoom(), window->zoom().factor);
        support::key(window, Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(window->width() < largest.width());
        support::key(window, Qt::Key_0, Qt::ControlModifier);
        support::key(window, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(window->size(), opening);
        QCOMPARE(support::grab(window), seen);
    }

    // The zoom goes with the player for the rest of the run, chosen by the keys, by the frame
    // (an edge dragged), by maximising or by full screen: each window opened later opens at
    // it, as far as the screen holds it, and Ctrl+0 still takes it to its opening size.
    void laterWindowsOpenAtTheChosenZoom_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"keys", "frame", "maximised", "full screen"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void laterWindowsOpenAtTheChosenZoom() {
        QFETCH(QString, how);
        play::SeededRegistry registry;
        toolkit::Form* start = flow::reachShown(registry, kinds::kStart);
        QVERIFY(start);
        QTRY_VERIFY(start->maximumWidth() == QWIDGETSIZE_MAX);
        const QSize startOpening = start->size();
        const QImage startSeen = support::grab(start);
        if (how == "keys")
            support::key(start, Qt::Key_Plus, Qt::ControlModifier);
        else if (how == "frame")
            QCOMPARE(support::enlarge(start, QSizeF(552.0 / 402, 633.0 / 433)), QSize(552, 633));
        else if (how == "maximised")
            start->showMaximized();
        else
            start->showFullScreen();
        QTRY_VERIFY(start->width() > startOpening.width() * 1.1);
        const double chosen = start->zoom().factor;
        // At the chosen zoom, or as large as the screen's available area holds it.
        const auto keeps = [chosen](const toolkit::Form* w) {
            const QSize spare =
                w ? w->screen()->availableGeometry().size() - w->frameGeometry().size() : QSize();
            return w && (qAbs(w->zoom().factor - chosen) < 0.01 ||
                         std::min(spare.width(), spare.height()) <= 1);
        };
        const auto open = [&registry](toolkit::Form* from, const char* button) {
            support::click(from, QString::fromLatin1(button));
            support::settle();
            toolkit::Form* opened = registry.loadedWindows().back();
            return QTest::qWaitForWindowExposed(opened) ? opened : nullptr;
        };
        toolkit::Form* rules = open(start, "cmdistruzioni");
        QVERIFY(keeps(rules));
        start = open(rules, "cmdok");
        QVERIFY(keeps(start));

        toolkit::Form* game = open(start, "cmdcomincia");
        QVERIFY(keeps(game) && game->width() > game->openingSize().width());
        const QSize enlarged = game->size();
        game = open(game, "cmdricomincia");
        QVERIFY(game);
        QCOMPARE(game->size(), enlarged);
        QVERIFY(keeps(open(game, "cmdsoluzione")));
        start = open(game, "cmdesci");
        QVERIFY(keeps(start));
        // Ctrl+0 takes a window that opened larger to the layout's own size and pixels.
        support::key(start, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(start->size(), startOpening);
        QCOMPARE(support::grab(start), startSeen);
    }

    // The rules text: wrapped at the label's width, each line centred, on light yellow inside
    // a one-line border; it grows with its window.
    void instructionsShowTheRulesCentredOnLightYellow() {
        play::SeededRegistry registry;
        toolkit::Form* window = flow::reachShown(registry, kinds::kRules);
        QVERIFY(window);
        auto* label = support::control<QLabel>(window, "Label1");
        QCOMPARE(label->text(), rulesText());
        QVERIFY(label->wordWrap());
        QVERIFY(label->alignment() & Qt::AlignHCenter);

        const QRect area = twips(480, 1800, 5055, 3135);
        const QImage image = support::grab(window);
        // Inside the border, the corners are background.
        QCOMPARE(image.pixelColor(area.left() + 2, area.top() + 2), support::rgb(kLightYellow));
        QCOMPARE(image.pixelColor(area.right() - 2, area.bottom() - 2), support::rgb(kLightYellow));
        // The border itself is drawn in the text colour, on all four sides.
        QVERIFY(isInk(image.pixelColor(area.left(), area.center().y())));
        QVERIFY(isInk(image.pixelColor(area.right(), area.center().y())));
        QVERIFY(isInk(image.pixelColor(area.center().x(), area.top())));
        QVERIFY(isInk(image.pixelColor(area.center().x(), area.bottom())));
        // Just outside, the window's own colour.
        QCOMPARE(image.pixelColor(area.left() - 2, area.center().y()), support::rgb(kLightOrange));

        // Every line of text is centred: its ink is balanced about the label's middle, and
        // wrapping keeps it inside the border.
        const QRect inside = area.adjusted(1, 1, -1, -1);
        int lines = 0;
        bool inLine = false;
        int lineLeft = 0, lineRight = 0;
        const auto endLine = [&] {
            ++lines;
            const double middle = (lineLeft + lineRight) / 2.0;
            QVERIFY2(qAbs(middle - (inside.left() + inside.right()) / 2.0) <= 4.0,
                     qPrintable(QStringLiteral("line %1 spans %2..%3")
                                    .arg(lines)
                                    .arg(lineLeft)
                                    .arg(lineRight)));
        };
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            int left = -1, right = -1;
            for (int x = inside.left(); x <= inside.right(); ++x)
                if (isInk(image.pixelColor(x, y))) {
                    if (left < 0)
                        left = x;
                    right = x;
                }
            if (left >= 0) {
                lineLeft = inLine ? qMin(lineLeft, left) : left;
                lineRight = inLine ? qMax(lineRight, right) : right;
                inLine = true;
            } else if (inLine) {
                inLine = false;
                endLine();
                if (QTest::currentTestFailed())
                    return;
            }
        }
        if (inLine)
            endLine();
        QVERIFY2(lines >= 5, qPrintable(QStringLiteral("%1 lines of text").arg(lines)));

        // Enlarged twice, the text is twice as large: four times the ink.
        const auto ink = [window, label] {
            const QImage text =
                support::grab(window).copy(label->contentsRect().translated(label->pos()));
            int count = 0;
            for (int y = 0; y < text.height(); ++y)
                for (int x = 0; x < text.width(); ++x)
                    count += isInk(text.pixelColor(x, y)) ? 1 : 0;
            return count;
        };
        const int opening = ink();
        QVERIFY(support::enlarge(window, QSizeF(2, 2)).isValid());
        QVERIFY2(qAbs(ink() / (4.0 * opening) - 1) < 0.2, qPrintable(QString::number(opening)));
    }
};

QTEST_MAIN(TstWindows)
#include "tst_windows.moc"
