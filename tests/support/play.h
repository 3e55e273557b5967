// play.h: playing the game window as a person would: a registry whose games draw seeded
// secrets, the board's control names, reading the secret off the board, filling and
// confirming rows, winning and losing; and the fixture of the board tests.
#pragma once

#include "support/gui.h"
#include "support/pegs.h"
#include "toolkit/registry.h"
#include "windows/frmcifrotto.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace play {

// The program's windows, each new game drawing its secret from the next listed seed, then
// from the seeds that follow the last one. When the running test has failed, the seeds it drew from
// are printed, so that the same secrets can be replayed.
class SeededRegistry : public toolkit::WindowRegistry {
public:
    explicit SeededRegistry(std::vector<std::uint64_t> seeds = {2024});
    ~SeededRegistry() override;
    SeededRegistry(const SeededRegistry&) = delete;
    SeededRegistry& operator=(const SeededRegistry&) = delete;

    int gamesOpened() const { return opened_; }

private:
    std::vector<std::uint64_t> seeds_;
    int opened_ = 0;
};

// The board's controls, named as HACKING's "The game in brief" names them.
QString hole(int row, int column); // img<r><c>
QString disc(int row, int column); // shp<r><c>
QString square(int row, int k);    // shpp<r><k>
QString secretShape(int k);        // shpn<k>
QString marker(int code);          // shps<name>
QString swatch(int code);          // shp<name>
QString paletteArea(int code);     // img<name>

toolkit::Shape* shape(const QWidget* window, const QString& name);

// As the player starts: the start window, then "&Comincia". The game's window, or nullptr.
windows::frmcifrotto* startGame(toolkit::WindowRegistry& registry);

// Shows the game window and waits until it takes input.
windows::frmcifrotto* openGame(toolkit::WindowRegistry& registry);

// The secret as the four secret shapes hold it, as palette codes (0 for a non-peg colour).
std::array<int, 4> secretOf(const QWidget* game);
// The colours the secret does not hold, in palette order.
std::vector<int> absentFrom(const std::array<int, 4>& secret);

void pick(QWidget* game, int code);
// Picks each column's colour in the palette and clicks the hole, left to right.
void fillRow(QWidget* game, int row, const std::array<int, 4>& codes);
void confirm(QWidget* game);
void playRow(QWidget* game, int row, const std::array<int, 4>& codes);
// The next row holds the secret: four reds.
void win(windows::frmcifrotto* game);
// Every remaining row holds one colour the secret lacks, up to row 12.
void lose(windows::frmcifrotto* game);

// What differs from a game window as it opens, or nothing: empty holes, unlit squares, row 1
// alone taking clicks, no colour picked, the cover on, a disabled "&Conferma", untouched
// outcome carriers, no row confirmed and a secret of four different peg colours.
QString departureFromOpening(const windows::frmcifrotto* game);

// Whether a control with that description holds news: the description of what holds the
// focus, or with announcements (toolkit::versions) the last one since the last look, which
// nothing keeps ("" for none), heard only where a screen reader listens.
bool holdsNews(const QString& description, const char* news);

// A row's feedback squares as the controls hold them, square 1 first (see squareLetter).
QString squaresOf(const QWidget* game, int row);

// The fixture of the board tests: a fresh game window before every test function, and
// nothing left of it after.
class BoardTest : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<SeededRegistry> registry;
    windows::frmcifrotto* game = nullptr;
    // Whether the windows behave as when a screen reader listens.
    bool screenReader = false;

protected slots:
    void init();
    void cleanup();
};

} // namespace play
