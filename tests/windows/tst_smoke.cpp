// tst_smoke.cpp: temporary
#include "support/gui.h"
#include "toolkit/shape.h"
#include "windows/frmcifrotto.h"
#include <QPushButton>
#include <QtTest>

class TstSmoke : public QObject {
    Q_OBJECT
private slots:
    void clickPaintsHole() {
        toolkit::WindowRegistry registry;
        auto* game = registry.show<windows::frmcifrotto>();
        QVERIFY(QTest::qWaitForWindowExposed(game));
        support::click(game, "imgrosso");
        support::click(game, "img11");
        QCOMPARE(support::control<toolkit::Shape>(game, "shp11")->fill(), 0x0000FFu);
        QCOMPARE(support::colourAt(game, support::centreOf(support::controlOf(game, "shp11"))), support::rgb(0x0000FF));
        support::click(game, "img21");
        QCOMPARE(support::control<toolkit::Shape>(game, "shp21")->fill(), 0x8000000Fu);
        support::click(game, "img12"); support::click(game, "img13"); support::click(game, "img14");
        auto* ok = support::control<QPushButton>(game, "cmdconferma");
        QVERIFY(ok->isEnabled());
        QVERIFY(ok->hasFocus());
        support::key(game, Qt::Key_Return);
        QCOMPARE(game->board().riga, 1);
        qDebug() << game->pos() << game->frameGeometry();
    }
};
QTEST_MAIN(TstSmoke)
#include "tst_smoke.moc"
