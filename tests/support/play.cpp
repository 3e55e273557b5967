// play.cpp: the play helpers behind the window tests.
#include "support/play.h"

#include "toolkit/shape.h"
#include "windows/frminizio.h"

#include <QTest>

#include <algorithm>

namespace play {

SeededRegistry::SeededRegistry(std::vector<std::uint64_t> seeds) : seeds_(std::move(seeds)) {
    provide<windows::frmcifrotto>([this](toolkit::WindowRegistry& registry) {
        const auto listed = std::size_t(opened_++);
        const std::uint64_t seed =
            listed < seeds_.size() ? seeds_[listed] : seeds_.back() + (listed - seeds_.size() + 1);
        return std::make_unique<windows::frmcifrotto>(registry,
                                                      std::make_unique<rules::SeededRandom>(seed));
    });
}

SeededRegistry::~SeededRegistry() {
    if (!QTest::currentTestFailed())
        return;
    QStringList listed;
    for (const std::uint64_t seed : seeds_)
        listed << QString::number(seed);
    qWarning("%d games drew their secrets from the seeds %s, then one up from the last", opened_,
             qPrintable(listed.join(u' ')));
}

QString hole(int row, int column) { return QStringLiteral("img%1%2").arg(row).arg(column); }
QString disc(int row, int column) { return QStringLiteral("shp%1%2").arg(row).arg(column); }
QString square(int row, int k) { return QStringLiteral("shpp%1%2").arg(row).arg(k); }
QString secretShape(int k) { return QStringLiteral("shpn%1").arg(k); }
QString marker(int code) { return QStringLiteral("shps") + nameOf(code); }
QString swatch(int code) { return QStringLiteral("shp") + nameOf(code); }
QString paletteArea(int code) { return QStringLiteral("img") + nameOf(code); }

toolkit::Shape* shape(const QWidget* window, const QString& name) {
    return support::control<toolkit::Shape>(window, name);
}

windows::frmcifrotto* startGame(toolkit::WindowRegistry& registry) {
    auto* start = registry.show<windows::frminizio>();
    support::settle();
    support::click(start, QStringLiteral("cmdcomincia"));
    support::settle();
    return registry.find<windows::frmcifrotto>();
}

windows::frmcifrotto* openGame(toolkit::WindowRegistry& registry) {
    auto* game = registry.show<windows::frmcifrotto>();
    if (!game || !QTest::qWaitForWindowActive(game))
        qFatal("the game window did not open");
    return game;
}

std::array<int, 4> secretOf(const QWidget* game) {
    std::array<int, 4> codes{};
    for (int k = 1; k <= 4; ++k)
        codes[std::size_t(k - 1)] = codeOf(shape(game, secretShape(k))->fill());
    return codes;
}

std::vector<int> absentFrom(const std::array<int, 4>& secret) {
    std::vector<int> absent;
    for (int code = 1; code <= 11; ++code)
        if (std::find(secret.begin(), secret.end(), code) == secret.end())
            absent.push_back(code);
    return absent;
}

void pick(QWidget* game, int code) { support::click(game, paletteArea(code)); }

void fillRow(QWidget* game, int row, const std::array<int, 4>& codes) {
    for (int column = 1; column <= 4; ++column) {
        pick(game, codes[std::size_t(column - 1)]);
        support::click(game, hole(row, column));
    }
}

void confirm(QWidget* game) { support::click(game, QStringLiteral("cmdconferma")); }

void playRow(QWidget* game, int row, const std::array<int, 4>& codes) {
    fillRow(game, row, codes);
    confirm(game);
}

void win(windows::frmcifrotto* game) { playRow(game, game->board().riga + 1, secretOf(game)); }

void lose(windows::frmcifrotto* game) {
    const int wrong = absentFrom(secretOf(game)).front();
    for (int row = game->board().riga + 1; row <= 12; ++row)
        playRow(game, row, {wrong, wrong, wrong, wrong});
}

QString squaresOf(const QWidget* game, int row) {
    QString text;
    for (int k = 1; k <= 4; ++k)
        text += squareLetter(shape(game, square(row, k))->fill());
    return text;
}

QColor onScreen(const QWidget* window, unsigned value) {
    if (value == kButtonFace)
        return window->palette().color(QPalette::Button);
    if (value == kWindowBackground)
        return window->palette().color(QPalette::Base);
    return support::rgb(value);
}

void BoardTest::init() {
    registry = std::make_unique<SeededRegistry>();
    registry->setScreenReaderListening(screenReader);
    game = openGame(*registry);
}

void BoardTest::cleanup() {
    registry.reset();
    support::settle();
}

} // namespace play
