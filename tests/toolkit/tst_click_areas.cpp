// tst_click_areas.cpp: clicks through the window reach the topmost shown click area and
// nothing else: not hidden areas, not shapes, not a press that is released elsewhere.
#include "support/gui.h"
#include "test_form.h"
#include "toolkit/shape.h"

#include <QSignalSpy>
#include <QTest>
#include <array>
#include <map>
#include <memory>

using toolkit::ControlKind;
using toolkit::ControlSpec;

namespace {

// Pixels (twips / 15): imgsotto 40,20 100x60; imgsopra 100,40 100x60, created later so it lies
// above imgsotto where they overlap (x 100..140, y 40..80); imgnascosta 40,100 60x20, hidden;
// shpcoperchio 40,20 40x30 over a corner of imgsotto; shpsola 160,100 30x20 over nothing.
constexpr std::array<ControlSpec, 5> kLayout{{
    {.kind = ControlKind::ClickArea, .name = "imgsotto", .rect = {600, 300, 1500, 900}},
    {.kind = ControlKind::ClickArea, .name = "imgsopra", .rect = {1500, 600, 1500, 900}},
    {.kind = ControlKind::ClickArea,
     .name = "imgnascosta",
     .rect = {600, 1500, 900, 300},
     .visible = false},
    {.kind = ControlKind::Shape,
     .name = "shpcoperchio",
     .rect = {600, 300, 600, 450},
     .shape = {.fill = 0x0000FF}},
    {.kind = ControlKind::Shape,
     .name = "shpsola",
     .rect = {2400, 1500, 450, 300},
     .shape = {.fill = 0x0000FF}},
}};

const QStringList kAreas{"imgsotto", "imgsopra", "imgnascosta"};

} // namespace

class TstClickAreas : public QObject {
    Q_OBJECT

    toolkit::WindowRegistry registry_;
    std::unique_ptr<toolkit_test::TableForm> window_;
    std::map<QString, std::unique_ptr<QSignalSpy>> spies_;

    toolkit::ClickArea* area(const QString& name) const {
        return support::control<toolkit::ClickArea>(window_.get(), name);
    }

    // The areas that raised clicked(), with how many times.
    QString clicks() const {
        QString heard;
        for (const auto& [name, spy] : spies_)
            if (spy->count() > 0)
                heard += QStringLiteral("%1 x%2 ").arg(name).arg(spy->count());
        return heard.trimmed();
    }

private slots:
    void init() {
        window_ = std::make_unique<toolkit_test::TableForm>(registry_, kLayout);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        for (const QString& name : kAreas)
            spies_[name] = std::make_unique<QSignalSpy>(area(name), &toolkit::ClickArea::clicked);
    }
    void cleanup() {
        spies_.clear();
        window_.reset();
    }

    void clickReachesOnlyTheTopmostShownAreaUnderIt_data() {
        QTest::addColumn<QStringList>("hide");
        QTest::addColumn<QStringList>("show");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("heard");
        QTest::newRow("shown area")
            << QStringList{} << QStringList{} << QPoint(70, 65) << "imgsotto x1";
        QTest::newRow("overlap goes to the upper area")
            << QStringList{} << QStringList{} << QPoint(120, 60) << "imgsopra x1";
        QTest::newRow("overlap with the upper area hidden")
            << QStringList{"imgsopra"} << QStringList{} << QPoint(120, 60) << "imgsotto x1";
        QTest::newRow("hidden area") << QStringList{} << QStringList{} << QPoint(70, 110) << "";
        QTest::newRow("hidden area shown again")
            << QStringList{} << QStringList{"imgnascosta"} << QPoint(70, 110) << "imgnascosta x1";
        QTest::newRow("shown area hidden")
            << QStringList{"imgsotto"} << QStringList{} << QPoint(70, 65) << "";
        QTest::newRow("shape over an area lets the click through")
            << QStringList{} << QStringList{} << QPoint(50, 30) << "imgsotto x1";
        QTest::newRow("shape over nothing")
            << QStringList{} << QStringList{} << QPoint(175, 110) << "";
    }
    void clickReachesOnlyTheTopmostShownAreaUnderIt() {
        QFETCH(QStringList, hide);
        QFETCH(QStringList, show);
        QFETCH(QPoint, at);
        QFETCH(QString, heard);
        for (const QString& name : hide)
            area(name)->setVisible(false);
        for (const QString& name : show)
            area(name)->setVisible(true);

        support::clickAt(window_.get(), at);
        QCOMPARE(clicks(), heard);
    }

    void pressAndReleaseMustBothFallOnTheSameArea_data() {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::newRow("released outside every area") << QPoint(70, 65) << QPoint(20, 125);
        QTest::newRow("released on another area") << QPoint(70, 65) << QPoint(170, 90);
        QTest::newRow("pressed outside, released inside") << QPoint(20, 125) << QPoint(70, 65);
        QTest::newRow("pressed on a shape over nothing") << QPoint(175, 110) << QPoint(70, 65);
    }
    void pressAndReleaseMustBothFallOnTheSameArea() {
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        QTest::mousePress(window_->windowHandle(), Qt::LeftButton, Qt::NoModifier, press);
        QTest::mouseRelease(window_->windowHandle(), Qt::LeftButton, Qt::NoModifier, release);
        QCOMPARE(clicks(), QString());

        // The next whole click counts as one, with nothing left over from the split one.
        support::clickAt(window_.get(), QPoint(70, 65));
        QCOMPARE(clicks(), QStringLiteral("imgsotto x1"));
    }

    void areaHiddenBetweenPressAndReleaseIsNotClicked() {
        QTest::mousePress(window_->windowHandle(), Qt::LeftButton, Qt::NoModifier, {70, 65});
        area("imgsotto")->setVisible(false);
        QTest::mouseRelease(window_->windowHandle(), Qt::LeftButton, Qt::NoModifier, {70, 65});
        QCOMPARE(clicks(), QString());
    }
};

QTEST_MAIN(TstClickAreas)
#include "tst_click_areas.moc"
