// tst_form.cpp: what every window does by itself: its controls reached by name and kind,
// centring its frame on the screen, Esc for the cancel button, Alt+letter accelerators, their
// late clicks, and Return on the focused button.
#include "support/gui.h"
#include "test_form.h"
#include "toolkit/x11_frame.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <cmath>
#include <stdexcept>

using toolkit::ControlKind;
using toolkit::ControlSpec;
using toolkit::WindowRegistry;

namespace {

int raiseOnLoad = 0; // twips; what the next frmcentrata raises itself by as it loads

// 3015 x 2025 twips, an odd number of pixels each way, so that on an even screen the free
// space around the frame does not halve into whole pixels.
class frmcentrata final : public toolkit::Form {
public:
    explicit frmcentrata(WindowRegistry& registry)
        : Form(registry, {"frmcentrata", "Centrata", 3015, 2025, toolkit_test::kBackground}) {}
    void Form_Load() override { centreOnScreen(raiseOnLoad); }
};

constexpr std::array<ControlSpec, 2> kButtons{{
    {.kind = ControlKind::Button,
     .name = "cmdesci",
     .rect = {120, 120, 1095, 375},
     .cancel = true,
     .tabIndex = 0,
     .caption = "&Esci"},
    {.kind = ControlKind::Button,
     .name = "cmdaltro",
     .rect = {1320, 120, 1095, 375},
     .tabIndex = 1,
     .caption = "&Altro"},
}};

// A window whose "&Altro" runs a handler connected as every window connects its buttons.
class frmcontata final : public toolkit::Form {
public:
    explicit frmcontata(WindowRegistry& registry)
        : Form(registry, {"frmcontata", "Contata", 3000, 2010, toolkit_test::kBackground}) {
        const toolkit::Controls controls = toolkit::buildControls(*this, kButtons);
        toolkit::onClick(controls.get<QPushButton>("cmdaltro"), this, &frmcontata::cmdaltro_Click);
    }
    void Form_Load() override {}
    void cmdaltro_Click() { ++runs; }
    int runs = 0;
};

} // namespace

class TstForm : public QObject {
    Q_OBJECT

    WindowRegistry registry_;
    std::unique_ptr<toolkit_test::TableForm> window_;
    std::unique_ptr<QSignalSpy> esci_;
    std::unique_ptr<QSignalSpy> altro_;

    QPushButton* button(const QString& name) const {
        return support::control<QPushButton>(window_.get(), name);
    }
    QString presses() const {
        return QStringLiteral("esci %1, altro %2").arg(esci_->count()).arg(altro_->count());
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() {
        window_ = std::make_unique<toolkit_test::TableForm>(registry_, kButtons);
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        esci_ = std::make_unique<QSignalSpy>(button("cmdesci"), &QPushButton::clicked);
        altro_ = std::make_unique<QSignalSpy>(button("cmdaltro"), &QPushButton::clicked);
    }
    void cleanup() {
        esci_.reset();
        altro_.reset();
        window_.reset();
    }

    // A window asks for its controls as it is built: a wrong name or kind fails at once.
    void controlsAreReachedByTheirNameAndKindOnly() {
        toolkit_test::TableForm window(registry_, {});
        const toolkit::Controls controls = toolkit::buildControls(window, kButtons);
        QCOMPARE(controls.get<QPushButton>("cmdaltro")->text(), QStringLiteral("&Altro"));
        QCOMPARE(controls.get<QAbstractButton>("cmdesci"),
                 support::control<QAbstractButton>(&window, "cmdesci"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, controls.get<QLabel>("cmdesci"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, controls.get<QPushButton>("cmdok"));
        const std::array<ControlSpec, 2> twice{{kButtons[0], kButtons[0]}};
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, toolkit::buildControls(window, twice));
    }

    // Asked where a control it never placed stands, a window stops the program in every build,
    // naming both: it has no place to give. The question is asked in a run of its own.
    void anUnplacedControlStopsTheProgram() {
        if (qEnvironmentVariableIsSet("TOOLKIT_UNPLACED")) {
            QLabel stray(window_.get());
            stray.setObjectName(QStringLiteral("lblrandagio"));
            window_->placeOf(stray);
            return;
        }
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TOOLKIT_UNPLACED"), QStringLiteral("1"));
        environment.insert(QStringLiteral("QTEST_DISABLE_STACK_DUMP"), QStringLiteral("1"));
        run.setProcessEnvironment(environment);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QCoreApplication::applicationFilePath(), {QTest::currentTestFunction()});
        QVERIFY(run.waitForFinished(60000));
        const QByteArray said = run.readAll();
        QVERIFY2(run.exitStatus() == QProcess::CrashExit, said.constData());
        QVERIFY2(said.contains("lblrandagio was never placed on frmprova"), said.constData());
    }

    // The frame, not only the client area, is centred; the halves are not rounded to whole
    // pixels before the raise (170 twips = 11 1/3 pixels) is taken off.
    void centreOnScreenPlacesTheFrameInTheMiddleRaisedByTwips_data() {
        QTest::addColumn<int>("raise");
        QTest::addColumn<bool>("whileLoading");
        QTest::newRow("centred as it loads") << 0 << true;
        QTest::newRow("raised 170 twips as it loads") << 170 << true;
        QTest::newRow("centred once shown") << 0 << false;
        QTest::newRow("raised 170 twips once shown") << 170 << false;
    }
    void centreOnScreenPlacesTheFrameInTheMiddleRaisedByTwips() {
        QFETCH(int, raise);
        QFETCH(bool, whileLoading);
        WindowRegistry registry;
        raiseOnLoad = whileLoading ? raise : 0;
        auto* window = registry.show<frmcentrata>();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        if (!whileLoading)
            window->centreOnScreen(raise);

        const QRect screen = window->screen()->geometry();
        const QRect frame = window->frameGeometry();
        const int spareWidth = screen.width() - frame.width();
        const int spareHeight = screen.height() - frame.height();
        QVERIFY2(spareWidth % 2 == 1 && spareHeight % 2 == 1,
                 "the test needs an odd spare space around the frame");
        const long left = std::lround(spareWidth / 2.0);
        const long top = std::lround(spareHeight / 2.0 - raise / 15.0);
        QCOMPARE(frame.topLeft(), screen.topLeft() + QPoint(int(left), int(top)));
    }

    // Off X11 (here offscreen; Wayland too) there is no window manager to ask.
    void theFrameQueryAnswersNothingOffX11() {
        window_->winId(); // a native window, unmapped, as the query wants it
        QCOMPARE(toolkit::x11FrameBeforeMapping(*window_->windowHandle()), std::nullopt);
    }

    // Half a pixel above the top of the screen rounds away from zero, as below it would.
    void aWindowTallerThanTheScreenRisesAboveItsTop() {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        toolkit_test::TableForm window(registry_, {}, 3015, (screen.height() + 15) * 15);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.centreOnScreen();
        const int spareHeight = screen.height() - window.frameGeometry().height();
        QVERIFY2(spareHeight < 0 && spareHeight % 2 != 0,
                 "the test needs an odd negative spare height");
        QCOMPARE(window.frameGeometry().top() - screen.top(), (spareHeight - 1) / 2);
    }

    void escPressesTheCancelButtonOnlyWhileItIsEnabled() {
        button("cmdaltro")->setFocus();
        support::key(window_.get(), Qt::Key_Escape);
        QCOMPARE(presses(), QStringLiteral("esci 1, altro 0"));

        button("cmdesci")->setEnabled(false);
        support::key(window_.get(), Qt::Key_Escape);
        QCOMPARE(presses(), QStringLiteral("esci 1, altro 0"));

        button("cmdesci")->setEnabled(true);
        support::key(window_.get(), Qt::Key_Escape);
        QCOMPARE(presses(), QStringLiteral("esci 2, altro 0"));
    }

    void altAndTheMarkedLetterPressTheButtonUnlessDisabled_data() {
        QTest::addColumn<Qt::Key>("letter");
        QTest::addColumn<QString>("disable");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("Alt+E") << Qt::Key_E << ""
                               << "esci 1, altro 0";
        QTest::newRow("Alt+A") << Qt::Key_A << ""
                               << "esci 0, altro 1";
        QTest::newRow("Alt+A with its button disabled") << Qt::Key_A << "cmdaltro"
                                                        << "esci 0, altro 0";
        QTest::newRow("Alt+E with its button disabled") << Qt::Key_E << "cmdesci"
                                                        << "esci 0, altro 0";
        QTest::newRow("Alt+X, no button's letter") << Qt::Key_X << ""
                                                   << "esci 0, altro 0";
    }
    void altAndTheMarkedLetterPressTheButtonUnlessDisabled() {
        QFETCH(Qt::Key, letter);
        QFETCH(QString, disable);
        QFETCH(QString, pressed);
        if (!disable.isEmpty())
            button(disable)->setEnabled(false);
        support::key(window_.get(), letter, Qt::AltModifier);
        // An accelerator shows the button going down and clicks it as it comes back up.
        QTRY_VERIFY(!button("cmdesci")->isDown() && !button("cmdaltro")->isDown());
        QCOMPARE(presses(), pressed);
    }

    // Qt clicks the button some 100 ms after its Alt+letter, whether or not it is still
    // enabled; a key that disabled it meanwhile must win.
    void aButtonDisabledBeforeItsLateClickRunsNoHandler() {
        WindowRegistry registry;
        auto* window = registry.show<frmcontata>();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* altro = support::control<QPushButton>(window, "cmdaltro");
        QSignalSpy clicked(altro, &QPushButton::clicked);
        support::key(window, Qt::Key_A, Qt::AltModifier);
        QVERIFY(altro->isDown());
        QCOMPARE(clicked.count(), 0);
        altro->setEnabled(false);
        QVERIFY(clicked.wait());
        QCOMPARE(window->runs, 0);
        // Enabled again, the same press runs it.
        altro->setEnabled(true);
        support::key(window, Qt::Key_A, Qt::AltModifier);
        QVERIFY(clicked.wait());
        QCOMPARE(window->runs, 1);
    }

    void returnPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("first button") << "cmdesci"
                                      << "esci 1, altro 0";
        QTest::newRow("second button") << "cmdaltro"
                                       << "esci 0, altro 1";
    }
    void returnPressesTheFocusedButton() {
        QFETCH(QString, focused);
        QFETCH(QString, pressed);
        button(focused)->setFocus();
        QVERIFY(button(focused)->hasFocus());
        support::key(window_.get(), Qt::Key_Return);
        QCOMPARE(presses(), pressed);
    }
};

QTEST_MAIN(TstForm)
#include "tst_form.moc"
