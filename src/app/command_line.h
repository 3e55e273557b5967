// command_line.h: what Cifrotto answers on its command line before any window or display.
#pragma once

#include <QCommandLineParser>

#include <optional>

namespace app {

// The program's arguments, read before QApplication exists so that --help, --version and a
// mistake are answered without a display.
class CommandLine {
public:
    CommandLine(int argc, const char* const* argv);

    // For --help and --version, prints the answer on stdout and gives 0; for anything else it
    // does not know, prints one line on stderr and gives 2. Nothing means: start the game.
    [[nodiscard]] std::optional<int> answer() const;

    // --segni: the game starts with every colour's mark shown.
    bool marks() const;

private:
    QCommandLineParser parser_;
    bool parsed_ = false;
    QString program_;
};

} // namespace app
