// tst_twips.cpp: layouts are in twips, 15 to a pixel: every kind of control and the window
// itself land on the pixels their twips give.
#include "support/gui.h"
#include "test_form.h"

#include <QTest>
#include <array>

using toolkit::ControlKind;
using toolkit::ControlSpec;

class TstTwips : public QObject {
    Q_OBJECT

private slots:
    void layoutRectangleBecomesPixelRectangle_data() {
        QTest::addColumn<toolkit::TwipRect>("twips");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("a hole") << toolkit::TwipRect{2040, 840, 375, 375} << QRect(136, 56, 25, 25);
        QTest::newRow("a button") << toolkit::TwipRect{4800, 7560, 1095, 375}
                                  << QRect(320, 504, 73, 25);
        QTest::newRow("one pixel at the corner")
            << toolkit::TwipRect{0, 0, 15, 15} << QRect(0, 0, 1, 1);
    }
    void layoutRectangleBecomesPixelRectangle() {
        QFETCH(toolkit::TwipRect, twips);
        QFETCH(QRect, pixels);
        const std::array<ControlSpec, 4> layout{{
            {.kind = ControlKind::Shape, .name = "shp", .rect = twips},
            {.kind = ControlKind::ClickArea, .name = "img", .rect = twips},
            {.kind = ControlKind::Button, .name = "cmd", .rect = twips, .caption = "&OK"},
            {.kind = ControlKind::Label, .name = "lbl", .rect = twips, .caption = "Testo"},
        }};
        toolkit::WindowRegistry registry;
        toolkit_test::TableForm window(registry, layout, 9000, 9000);
        QCOMPARE(support::control<toolkit::Item>(&window, "shp")->pixelRect(), QRectF(pixels));
        QCOMPARE(support::control<toolkit::Item>(&window, "img")->pixelRect(), QRectF(pixels));
        QCOMPARE(support::control<QWidget>(&window, "cmd")->geometry(), pixels);
        QCOMPARE(support::control<QWidget>(&window, "lbl")->geometry(), pixels);
    }

    void windowClientAreaIsGivenInTwips() {
        toolkit::WindowRegistry registry;
        toolkit_test::TableForm window(registry, {}, 6015, 8025);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), QSize(401, 535));
        QCOMPARE(window.minimumSize(), QSize(401, 535)); // it never shrinks below that
    }
};

QTEST_MAIN(TstTwips)
#include "tst_twips.moc"
