// bench_lifetime.cpp: resident memory after the first game and after two thousand more, the
// same games as the lifetime test; a number that keeps growing means something is kept.
#include "support/gui.h"
#include "support/new_games.h"
#include "support/play.h"

#include <QApplication>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr int kGames = 2000;

// VmRSS from /proc/self/status, in kB; -1 where there is no such line.
// (/proc files report a size of 0, so they are read as streams.)
long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    // No display is needed: the windows draw off screen unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    play::SeededRegistry registry;
    if (!play::startGame(registry) || !stress::nextGame(registry, stress::Route::Restart)) {
        std::fprintf(stderr, "the first game did not open\n");
        return 1;
    }
    support::settle();
    const long before = residentKilobytes();
    std::printf("new games: %d (half by Ricomincia, half by the end window's Si)\n", kGames);
    std::printf("VmRSS before: %ld kB\n", before);
    // The steps in between tell a cache that fills up from memory that goes on growing: Qt
    // keeps drawn button bevels (QPixmapCache, up to 10 MB), keyed by the button's palette.
    for (int n = 0; n < kGames; ++n) {
        if (!stress::nextGame(registry, stress::routeOf(n))) {
            std::fprintf(stderr, "new game %d did not open\n", n + 1);
            return 1;
        }
        if ((n + 1) % 500 == 0 && n + 1 < kGames) {
            support::settle();
            std::printf("VmRSS after %d games: %ld kB\n", n + 1, residentKilobytes());
        }
    }
    support::settle();
    const long after = residentKilobytes();
    std::printf("VmRSS after: %ld kB\n", after);
    std::printf("VmRSS growth: %ld kB\n", after - before);
    return 0;
}
