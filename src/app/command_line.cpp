// command_line.cpp: Cifrotto's options, and Qt's own, which QApplication takes later.
#include "app/command_line.h"

#include <QFileInfo>

#include <cstdio>

namespace app {

namespace {

const QString helpName = QStringLiteral("help");
const QString versionName = QStringLiteral("version");
const QString marksName = QStringLiteral("segni");

// The game's own options beyond --help and --version; a new option is one more line here.
QList<QCommandLineOption> gameOptions() {
    return {QCommandLineOption(marksName,
                               QStringLiteral("Start with each colour's number drawn on its pegs "
                                              "(Ctrl+M turns the numbers on and off)."))};
}

// The arguments every Qt program accepts (-platform xcb, -style fusion, -reverse ...). They are
// let through for QApplication, which reads them, and kept out of --help.
QList<QCommandLineOption> qtOptions() {
    QList<QCommandLineOption> options;
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display",
                             "geometry", "style", "stylesheet", "qmljsdebugger"}) {
        options.append(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    }
    for (const char* name : {"reverse", "widgetcount"}) {
        options.append(QCommandLineOption(QString::fromLatin1(name)));
    }
    for (QCommandLineOption& option : options) {
        option.setFlags(QCommandLineOption::HiddenFromHelp);
    }
    return options;
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

CommandLine::CommandLine(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    program_ = QFileInfo(arguments.value(0, QStringLiteral("cifrotto"))).fileName();
    // Qt writes its arguments with one dash (-platform xcb); so may the player (-help).
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.setApplicationDescription(
        QStringLiteral("Cifrotto, a colour code-breaking game in Italian: find the four hidden "
                       "colours in twelve rows."));
    parser_.addOption(QCommandLineOption({QStringLiteral("h"), helpName},
                                         QStringLiteral("Show this help and exit.")));
    parser_.addOption(QCommandLineOption({QStringLiteral("v"), versionName},
                                         QStringLiteral("Show the version and exit.")));
    parser_.addOptions(gameOptions());
    parser_.addOptions(qtOptions());
    parsed_ = parser_.parse(arguments);
}

bool CommandLine::marks() const { return parsed_ && parser_.isSet(marksName); }

std::optional<int> CommandLine::answer() const {
    if (!parsed_ || !parser_.positionalArguments().isEmpty()) {
        const QString problem = parsed_ ? QStringLiteral("Unexpected argument '%1'.")
                                              .arg(parser_.positionalArguments().constFirst())
                                        : parser_.errorText();
        print(stderr, QStringLiteral("%1: %2 Try '%1 --help'.\n").arg(program_, problem));
        return 2;
    }
    if (parser_.isSet(helpName)) {
        // Without an application object Qt cannot know the program's name for the usage line.
        QString help = parser_.helpText();
        help.replace(QStringLiteral("<executable_name>"), program_);
        print(stdout, help);
        return 0;
    }
    if (parser_.isSet(versionName)) {
        print(stdout, QStringLiteral("Cifrotto " CIFROTTO_VERSION "\n"));
        return 0;
    }
    return std::nullopt;
}

} // namespace app
