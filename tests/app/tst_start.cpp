// tst_start.cpp: --segni starts the run with the marks on; the player's Ctrl+M holds for the
// new games that follow, and without the option the marks are off.
#include "app/command_line.h"
#include "app/start.h"
#include "support/play.h"
#include "toolkit/shape.h"

#include <QApplication>
#include <QTest>

class StartTest : public QObject {
    Q_OBJECT
private slots:
    void theMarksChoiceHoldsForTheRun_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("marks");
        QTest::newRow("plain") << QStringList{"cifrotto"} << false;
        QTest::newRow("--segni") << QStringList{"cifrotto", "--segni"} << true;
    }

    void theMarksChoiceHoldsForTheRun() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, marks);
        std::vector<QByteArray> bytes;
        std::vector<const char*> argv;
        for (const QString& argument : arguments)
            bytes.push_back(argument.toLocal8Bit());
        for (const QByteArray& argument : bytes)
            argv.push_back(argument.constData());
        const app::CommandLine commandLine(int(argv.size()), argv.data());
        QVERIFY(!commandLine.answer());

        toolkit::WindowRegistry registry;
        app::start(*qApp, registry, commandLine.marks());
        auto* game = play::startGame(registry);
        QVERIFY(game);
        QCOMPARE(game->marksShown(), marks);
        const auto swatchMark = [](const QWidget* window) {
            return play::shape(window, play::swatch(7))->mark();
        };
        QCOMPARE(swatchMark(game), marks ? QStringLiteral("7") : QString());

        // The player turns them over; "&Ricomincia" keeps the choice.
        support::key(game, Qt::Key_M, Qt::ControlModifier);
        support::click(game, QStringLiteral("cmdricomincia"));
        support::settle();
        game = registry.find<windows::frmcifrotto>();
        QVERIFY(game);
        QCOMPARE(game->marksShown(), !marks);
        QCOMPARE(swatchMark(game), marks ? QString() : QStringLiteral("7"));
        registry.endApplication();
        support::settle();
    }
};

QTEST_MAIN(StartTest)
#include "tst_start.moc"
