// tst_transitions.cpp: how the four windows follow each other, by click, by close control
// and by keyboard, from the start window to the end of the program.
#include "flow.h"

#include <QSignalSpy>
#include <QTest>

using namespace windows;
using namespace kinds;

namespace {

toolkit::Form* loaded(const toolkit::WindowRegistry& registry, const QString& kind) {
    for (toolkit::Form* window : registry.loadedWindows())
        if (window->objectName() == kind)
            return window;
    return nullptr;
}

// One step of a script: "frminizio:cmdcomincia" clicks a button, "frmfine:close" uses the
// window's close control, "frmcifrotto:win" and "frmcifrotto:lose" play the game out.
void perform(toolkit::WindowRegistry& registry, const QString& step) {
    const QString kind = step.section(QLatin1Char(':'), 0, 0);
    const QString action = step.section(QLatin1Char(':'), 1);
    toolkit::Form* window = loaded(registry, kind);
    if (!window)
        QFAIL(qPrintable(QStringLiteral("no %1 open for %2").arg(kind, step)));
    if (action == QLatin1String("close"))
        window->close();
    else if (action == QLatin1String("win"))
        play::win(qobject_cast<frmcifrotto*>(window));
    else if (action == QLatin1String("lose"))
        play::lose(qobject_cast<frmcifrotto*>(window));
    else
        support::click(window, action);
    support::settle();
}

void performAll(toolkit::WindowRegistry& registry, const QStringList& steps) {
    for (const QString& step : steps) {
        perform(registry, step);
        if (QTest::currentTestFailed())
            return;
    }
}

// The start window, as the program opens, then the steps; false once one has failed.
bool fromTheStart(toolkit::WindowRegistry& registry, const QStringList& steps) {
    registry.show<frminizio>();
    performAll(registry, steps);
    return !QTest::currentTestFailed();
}

} // namespace

class TstTransitions : public QObject {
    Q_OBJECT
private slots:
    void eachMoveLeavesTheExpectedWindows_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("ended");

        const QString comincia = QStringLiteral("frminizio:cmdcomincia");
        const QString soluzione = QStringLiteral("frmcifrotto:cmdsoluzione");

        QTest::newRow("the program starts on the start window")
            << QStringList{} << QStringList{kStart} << false;
        QTest::newRow("Comincia opens a game")
            << QStringList{comincia} << QStringList{kGame} << false;
        QTest::newRow("Istruzioni opens the instructions")
            << QStringList{"frminizio:cmdistruzioni"} << QStringList{kRules} << false;
        QTest::newRow("Esci ends the program")
            << QStringList{"frminizio:cmdesci"} << QStringList{} << true;
        QTest::newRow("OK returns to the start window")
            << QStringList{"frminizio:cmdistruzioni", "frmistruzioni:cmdok"} << QStringList{kStart}
            << false;
        QTest::newRow("Fine returns to the start window")
            << QStringList{comincia, "frmcifrotto:cmdesci"} << QStringList{kStart} << false;
        QTest::newRow("Ricomincia reopens the game window")
            << QStringList{comincia, "frmcifrotto:cmdricomincia"} << QStringList{kGame} << false;
        QTest::newRow("Soluzione opens the end window beside the game")
            << QStringList{comincia, soluzione} << QStringList{kGame, kEnd} << false;
        QTest::newRow("a won row opens the end window beside the game")
            << QStringList{comincia, "frmcifrotto:win"} << QStringList{kGame, kEnd} << false;
        QTest::newRow("a lost twelfth row opens the end window beside the game")
            << QStringList{comincia, "frmcifrotto:lose"} << QStringList{kGame, kEnd} << false;
        QTest::newRow("Si leaves one game window and no end window")
            << QStringList{comincia, "frmcifrotto:win", "frmfine:cmdsi"} << QStringList{kGame}
            << false;
        QTest::newRow("No ends the program")
            << QStringList{comincia, "frmcifrotto:lose", "frmfine:cmdno"} << QStringList{} << true;

        // The end window lives beside the others until it is answered or closed.
        QTest::newRow("Soluzione twice keeps one end window")
            << QStringList{comincia, soluzione, soluzione} << QStringList{kGame, kEnd} << false;
        QTest::newRow("Fine beside the end window keeps it open")
            << QStringList{comincia, "frmcifrotto:win", "frmcifrotto:cmdesci"}
            << QStringList{kEnd, kStart} << false;
        QTest::newRow("Ricomincia beside the end window keeps it open")
            << QStringList{comincia, soluzione, "frmcifrotto:cmdricomincia"}
            << QStringList{kGame, kEnd} << false;
        QTest::newRow("Comincia beside a left-over end window")
            << QStringList{comincia, soluzione, "frmcifrotto:cmdesci", comincia}
            << QStringList{kGame, kEnd} << false;
        QTest::newRow("Si with no game window opens one")
            << QStringList{comincia, soluzione, "frmcifrotto:cmdesci", "frmfine:cmdsi"}
            << QStringList{kGame, kStart} << false;

        // The close control closes one window; the program ends with the last one.
        QTest::newRow("closing the game beside the end window leaves the end window")
            << QStringList{comincia, soluzione, "frmcifrotto:close"} << QStringList{kEnd} << false;
        QTest::newRow("closing the end window leaves the game")
            << QStringList{comincia, "frmcifrotto:lose", "frmfine:close"} << QStringList{kGame}
            << false;
        QTest::newRow("closing the start window ends the program")
            << QStringList{"frminizio:close"} << QStringList{} << true;
        QTest::newRow("closing the instructions ends the program")
            << QStringList{"frminizio:cmdistruzioni", "frmistruzioni:close"} << QStringList{}
            << true;
        QTest::newRow("closing the game window alone ends the program")
            << QStringList{comincia, "frmcifrotto:close"} << QStringList{} << true;
        QTest::newRow("closing the last of two windows ends the program")
            << QStringList{comincia, soluzione, "frmcifrotto:close", "frmfine:close"}
            << QStringList{} << true;
    }
    void eachMoveLeavesTheExpectedWindows() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        QFETCH(bool, ended);

        play::SeededRegistry registry;
        QSignalSpy endings(&registry, &toolkit::WindowRegistry::applicationEnded);
        if (!fromTheStart(registry, steps))
            return;
        support::settle();

        QCOMPARE(flow::loadedKinds(registry), expected);
        QCOMPARE(registry.hasEnded(), ended);
        QCOMPARE(endings.count(), ended ? 1 : 0);
        // Nothing unloaded lingers, and what is loaded is on screen.
        QCOMPARE(flow::existingWindows(), static_cast<int>(expected.size()));
        for (const toolkit::Form* window : registry.loadedWindows())
            QVERIFY2(window->isVisible(), qPrintable(window->objectName()));
    }

    // "&Esci" and "&No" end the program with the press, closing the other windows too, and
    // nothing opens after that.
    void explicitEndClosesEveryWindow_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("button");
        QTest::newRow("Esci beside the end window")
            << QStringList{"frminizio:cmdcomincia", "frmcifrotto:cmdsoluzione",
                           "frmcifrotto:cmdesci"}
            << kStart << QStringLiteral("cmdesci");
        QTest::newRow("No beside the game window")
            << QStringList{"frminizio:cmdcomincia", "frmcifrotto:cmdsoluzione"} << kEnd
            << QStringLiteral("cmdno");
    }
    void explicitEndClosesEveryWindow() {
        QFETCH(QStringList, steps);
        QFETCH(QString, kind);
        QFETCH(QString, button);

        play::SeededRegistry registry;
        QSignalSpy endings(&registry, &toolkit::WindowRegistry::applicationEnded);
        if (!fromTheStart(registry, steps))
            return;
        QList<QPointer<toolkit::Form>> windows;
        for (toolkit::Form* window : registry.loadedWindows())
            windows << window;
        QCOMPARE(windows.size(), 2);

        support::click(loaded(registry, kind), button);

        QVERIFY(registry.hasEnded());
        QCOMPARE(endings.count(), 1);
        QVERIFY(registry.loadedWindows().empty());
        for (const auto& window : windows)
            QVERIFY(!window || !window->isVisible());
        // Once ended, nothing opens any more.
        QVERIFY(!registry.show<frminizio>());
        support::settle();
        QCOMPARE(flow::existingWindows(), 0);
        QCOMPARE(endings.count(), 1);
    }

    // A window brought back is built anew: the old object is gone, and the new one is centred
    // even though the player had moved the old one away.
    void returningToTheStartBuildsANewCentredStartWindow_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("Fine") << QStringList{"frminizio:cmdcomincia", "frmcifrotto:cmdesci"};
        QTest::newRow("OK") << QStringList{"frminizio:cmdistruzioni", "frmistruzioni:cmdok"};
    }
    void returningToTheStartBuildsANewCentredStartWindow() {
        QFETCH(QStringList, steps);
        play::SeededRegistry registry;
        QPointer<frminizio> first = registry.show<frminizio>();
        first->move(0, 0);
        performAll(registry, steps);
        if (QTest::currentTestFailed())
            return;
        support::settle();

        QVERIFY(first.isNull());
        frminizio* again = registry.find<frminizio>();
        QVERIFY(again);
        QVERIFY(again->isVisible());
        const QPointF offset = flow::frameCentre(again) - flow::screenCentre();
        QVERIFY2(
            qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
            qPrintable(QStringLiteral("off centre by %1, %2").arg(offset.x()).arg(offset.y())));
    }

    void instructionsOpenedTwiceLookTheSame() {
        play::SeededRegistry registry;
        QVERIFY(fromTheStart(registry, {"frminizio:cmdistruzioni"}));
        QPointer<frmistruzioni> first = registry.find<frmistruzioni>();
        QVERIFY(first);
        const QRect frame = first->frameGeometry();
        const QString text = support::control<QLabel>(first, "Label1")->text();
        const QImage look = support::grab(first);

        performAll(registry, {"frmistruzioni:cmdok", "frminizio:cmdistruzioni"});
        QVERIFY(first.isNull());
        frmistruzioni* second = registry.find<frmistruzioni>();
        QVERIFY(second);
        QCOMPARE(flow::loadedKinds(registry), QStringList{kRules});
        QCOMPARE(second->frameGeometry(), frame);
        QCOMPARE(support::control<QLabel>(second, "Label1")->text(), text);
        QCOMPARE(support::grab(second), look);
    }

    // Every accelerator and Esc, sent to the active window through its QWindow.
    void keysPressTheirButtons_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("alt");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("ended");

        const QStringList atStart;
        const QStringList atRules{"frminizio:cmdistruzioni"};
        const QStringList atGame{"frminizio:cmdcomincia"};
        const QStringList atEnd{"frminizio:cmdcomincia", "frmcifrotto:cmdsoluzione"};

        QTest::newRow("start Alt+C Comincia")
            << atStart << kStart << int(Qt::Key_C) << true << QStringList{kGame} << false;
        QTest::newRow("start Alt+I Istruzioni")
            << atStart << kStart << int(Qt::Key_I) << true << QStringList{kRules} << false;
        QTest::newRow("start Alt+E Esci")
            << atStart << kStart << int(Qt::Key_E) << true << QStringList{} << true;
        QTest::newRow("start Esc Esci")
            << atStart << kStart << int(Qt::Key_Escape) << false << QStringList{} << true;
        QTest::newRow("instructions Alt+O OK")
            << atRules << kRules << int(Qt::Key_O) << true << QStringList{kStart} << false;
        QTest::newRow("instructions Esc OK")
            << atRules << kRules << int(Qt::Key_Escape) << false << QStringList{kStart} << false;
        QTest::newRow("end Alt+S Si")
            << atEnd << kEnd << int(Qt::Key_S) << true << QStringList{kGame} << false;
        QTest::newRow("end Alt+N No")
            << atEnd << kEnd << int(Qt::Key_N) << true << QStringList{} << true;
        QTest::newRow("end Esc No")
            << atEnd << kEnd << int(Qt::Key_Escape) << false << QStringList{} << true;
        QTest::newRow("game Alt+S Soluzione")
            << atGame << kGame << int(Qt::Key_S) << true << QStringList{kGame, kEnd} << false;
        QTest::newRow("game Alt+R Ricomincia")
            << atGame << kGame << int(Qt::Key_R) << true << QStringList{kGame} << false;
        QTest::newRow("game Alt+F Fine")
            << atGame << kGame << int(Qt::Key_F) << true << QStringList{kStart} << false;
        QTest::newRow("game Esc Fine")
            << atGame << kGame << int(Qt::Key_Escape) << false << QStringList{kStart} << false;
    }
    void keysPressTheirButtons() {
        QFETCH(QStringList, steps);
        QFETCH(QString, kind);
        QFETCH(int, key);
        QFETCH(bool, alt);
        QFETCH(QStringList, expected);
        QFETCH(bool, ended);

        play::SeededRegistry registry;
        if (!fromTheStart(registry, steps))
            return;
        QPointer<toolkit::Form> window = loaded(registry, kind);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowActive(window));

        const std::vector<toolkit::Form*> before = registry.loadedWindows();
        support::key(window, static_cast<Qt::Key>(key), alt ? Qt::AltModifier : Qt::NoModifier);
        // An accelerator presses its button the way a click does, with a short animation.
        QTRY_VERIFY(registry.hasEnded() || registry.loadedWindows() != before);
        support::settle();

        QCOMPARE(flow::loadedKinds(registry), expected);
        QCOMPARE(registry.hasEnded(), ended);
        // Only "&Soluzione" keeps the window the key went to; even "&Ricomincia" replaces it.
        const bool stays = kind == kGame && key == Qt::Key_S;
        QCOMPARE(window.isNull(), !stays);
    }

    // Alt+C reaches "&Conferma" only once the open row is full.
    void altCConfirmsOnlyAFullRow() {
        play::SeededRegistry registry;
        QVERIFY(fromTheStart(registry, {"frminizio:cmdcomincia"}));
        auto* game = registry.find<frmcifrotto>();
        QVERIFY(game);
        QVERIFY(QTest::qWaitForWindowActive(game));
        const auto secret = play::secretOf(game);
        const int wrong = play::absentFrom(secret).front();

        auto* conferma = support::control<QPushButton>(game, "cmdconferma");

        // A disabled button does not even start to go down.
        support::key(game, Qt::Key_C, Qt::AltModifier);
        QVERIFY(!conferma->isDown());
        support::settle();
        QCOMPARE(game->board().riga, 0);

        play::fillRow(game, 1, {wrong, wrong, wrong, secret[3]});
        QVERIFY(conferma->isEnabled());
        // The focus goes elsewhere so that only the accelerator can press the button.
        support::control<QPushButton>(game, "cmdricomincia")->setFocus();
        support::key(game, Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(game->board().riga, 1);
        QCOMPARE(support::control<toolkit::Shape>(game, "shpp11")->fill(), pegs::kRed);

        QVERIFY(!conferma->isEnabled());
        support::key(game, Qt::Key_C, Qt::AltModifier);
        QVERIFY(!conferma->isDown());
        support::settle();
        QCOMPARE(game->board().riga, 1);
        QCOMPARE(flow::loadedKinds(registry), QStringList{kGame});
    }
};

QTEST_MAIN(TstTransitions)
#include "tst_transitions.moc"
