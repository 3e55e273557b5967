// play.cpp: the play helpers behind the window tests.
#include "support/play.h"

#include "toolkit/accessibility.h"
#include "toolkit/click_area.h"
#include "toolkit/shape.h"
#include "toolkit/versions.h"
#include "windows/frminizio.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <utility>

namespace play {

namespace {

// The last announcement not yet checked. Qt takes a bare function as the update handler,
// so what it hears has nowhere else to go.
QString& lastAnnouncement() {
    static QString news;
    return news;
}

void hearAnnouncement(QAccessibleEvent* event) {
    if (QString news = toolkit::announcementText(*event); !news.isEmpty())
        lastAnnouncement() = news;
}

// The game's filter keeps the handler installed before it and hands every event on to it;
// installed after, this one would replace the filter.
void listenForAnnouncements() {
    static const bool installed = [] {
        if (QAccessible::installUpdateHandler(hearAnnouncement))
            qFatal("a window opened before the announcements were listened for");
        return true;
    }();
    Q_UNUSED(installed);
    lastAnnouncement().clear();
}

} // namespace

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
QString marker(int code) { return QStringLiteral("shps") + pegs::nameOf(code); }
QString swatch(int code) { return QStringLiteral("shp") + pegs::nameOf(code); }
QString paletteArea(int code) { return QStringLiteral("img") + pegs::nameOf(code); }

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
        codes[std::size_t(k - 1)] = pegs::codeOf(shape(game, secretShape(k))->fill());
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
        text += pegs::squareLetter(shape(game, square(row, k))->fill());
    return text;
}

QString departureFromOpening(const windows::frmcifrotto* game) {
    for (int r = 1; r <= 12; ++r) {
        for (int c = 1; c <= 4; ++c) {
            if (shape(game, disc(r, c))->fill() != pegs::kButtonFace)
                return disc(r, c) + QStringLiteral(" holds a peg");
            if (shape(game, square(r, c))->fill() != pegs::kButtonFace)
                return square(r, c) + QStringLiteral(" is lit");
            if (support::control<toolkit::Item>(game, hole(r, c))->isVisible() != (r == 1))
                return hole(r, c) + QStringLiteral(" has the wrong activity");
        }
    }
    for (int k = 1; k <= 11; ++k)
        if (shape(game, marker(k))->isVisible())
            return pegs::nameOf(k) + QStringLiteral(" is picked");
    if (!shape(game, QStringLiteral("shpschermo"))->isVisible())
        return QStringLiteral("the secret is uncovered");
    if (support::control<QWidget>(game, QStringLiteral("cmdconferma"))->isEnabled())
        return QStringLiteral("Conferma is enabled");
    if (!support::control<QLabel>(game, QStringLiteral("lblmessaggio"))->text().isEmpty())
        return QStringLiteral("the outcome marker is set");
    if (support::control<QAbstractButton>(game, QStringLiteral("opt1"))->isChecked())
        return QStringLiteral("the outcome flag is set");
    if (game->board().riga != 0)
        return QStringLiteral("rows were confirmed");
    const auto secret = secretOf(game);
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = 0; j < 4; ++j)
            if (secret[i] == 0 || (i != j && secret[i] == secret[j]))
                return QStringLiteral("the secret is not four different peg colours");
    return {};
}

void BoardTest::init() {
    if (toolkit::versions::kAnnouncements && screenReader)
        listenForAnnouncements();
    registry = std::make_unique<SeededRegistry>();
    registry->setScreenReaderListening(screenReader);
    game = openGame(*registry);
}

void BoardTest::cleanup() {
    registry.reset();
    support::settle();
}

bool holdsNews(const QString& description, const char* news) {
    if (toolkit::versions::kAnnouncements)
        return description.isEmpty() &&
               std::exchange(lastAnnouncement(), {}) == QString::fromUtf8(news);
    return description == QString::fromUtf8(news);
}

} // namespace play
