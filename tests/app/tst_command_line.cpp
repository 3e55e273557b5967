// tst_command_line.cpp: the program answers --help, --version and a wrong argument on the
// terminal and ends, without a window or a display.
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void answersWithoutAWindow_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // patterns for the whole of stdout and stderr
        QTest::addColumn<QString>("err");

        // Qt's own arguments are Qt's business and stay out of the help.
        const QString help = QStringLiteral(
            "(?s)^(?!.*platform)Usage: cifrotto \\[options\\]\n"
            ".*\n  -h, --help +\\S.*\n  -v, --version +\\S[^\n]*\n  --segni +\\S.*\n$");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << help << "";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << help << "";
        const QString version = "^Cifrotto " CIFROTTO_VERSION "\n$";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << version << "";
        QTest::newRow("Qt's arguments pass")
            << QStringList{"-platform", "xcb", "-style=fusion", "-reverse", "--version"} << 0
            << version << "";

        const auto wrong = [](const QString& problem) {
            return "^cifrotto: " + QRegularExpression::escape(problem) +
                   " Try 'cifrotto --help'\\.\n$";
        };
        QTest::newRow("unknown option")
            << QStringList{"--segno"} << 2 << "^$" << wrong("Unknown option 'segno'.");
        QTest::newRow("argument") << QStringList{"partita"} << 2 << "^$"
                                  << wrong("Unexpected argument 'partita'.");
        QTest::newRow("missing value") << QStringList{"--version", "-platform"} << 2 << "^$"
                                       << wrong("Missing value after '-platform'.");
    }

    void answersWithoutAWindow() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);

        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        // Were the program to make its QApplication, this platform would abort it.
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(CIFROTTO_PROGRAM), arguments);
        QVERIFY(program.waitForFinished(60000));
        const QString stdoutText = QString::fromLocal8Bit(program.readAllStandardOutput());
        const QString stderrText = QString::fromLocal8Bit(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY2(QRegularExpression(out).match(stdoutText).hasMatch(), qPrintable(stdoutText));
        QVERIFY2(QRegularExpression(err).match(stderrText).hasMatch(), qPrintable(stderrText));
        QCOMPARE(program.exitCode(), exitCode);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_command_line.moc"
