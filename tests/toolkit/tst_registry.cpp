// tst_registry.cpp: window lifetime: load on first show with Form_Load inside the call,
// unload and fresh re-creation, a handler that unloads and re-shows its own window, and the
// end of the program.
#include "support/gui.h"
#include "test_form.h"

#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <array>

using toolkit::ControlKind;
using toolkit::ControlSpec;
using toolkit::Form;
using toolkit::WindowRegistry;

namespace {

// What happened, in order, across every window of a test.
QStringList journal;

constexpr std::array<ControlSpec, 1> kLayout{{
    {.kind = ControlKind::Button,
     .name = "cmdricomincia",
     .rect = {120, 120, 1095, 375},
     .caption = "&Ricomincia"},
}};

// A window whose button unloads it and shows it again, as a "restart" command does.
class frmuno final : public Form {
public:
    explicit frmuno(WindowRegistry& registry)
        : Form(registry, {"frmuno", "Uno", 1500, 1005, toolkit_test::kBackground}),
          serial_(++built) {
        toolkit::buildControls(*this, kLayout);
        button_ = support::control<QPushButton>(this, "cmdricomincia");
        connect(button_, &QPushButton::clicked, this, &frmuno::cmdricomincia_Click);
        journal << QStringLiteral("built %1").arg(serial_);
    }
    void Form_Load() override {
        journal
            << QStringLiteral("Form_Load %1 with its button %2").arg(serial_).arg(button_->text());
    }

    void cmdricomincia_Click() {
        const QPointer<frmuno> self(this);
        registry().unload(*this);
        // Still ours to use until the handler returns: members, controls, the registry.
        journal << QStringLiteral("%1 after unload: %2, %3")
                       .arg(serial_)
                       .arg(self ? "still there" : "gone")
                       .arg(isVisible() ? "visible" : "hidden");
        button_->setText(QStringLiteral("Usato"));
        frmuno* fresh = registry().show<frmuno>();
        journal << QStringLiteral("%1 showed %2, its button %3")
                       .arg(serial_)
                       .arg(fresh ? fresh->serial_ : 0)
                       .arg(button_->text());
    }

    int serial() const { return serial_; }
    static inline int built = 0;

private:
    int serial_;
    QPushButton* button_ = nullptr;
};

class frmdue final : public Form {
public:
    explicit frmdue(WindowRegistry& registry)
        : Form(registry, {"frmdue", "Due", 1500, 1005, toolkit_test::kBackground}) {}
    void Form_Load() override { journal << QStringLiteral("Form_Load due"); }
};

} // namespace

class TstRegistry : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() {
        journal.clear();
        frmuno::built = 0;
    }

    void showLoadsOnFirstUseAndRunsFormLoadInsideTheCall() {
        WindowRegistry registry;
        QVERIFY(!registry.find<frmuno>());
        journal << "before show";
        frmuno* window = registry.show<frmuno>();
        journal << "after show";
        QCOMPARE(journal, QStringList({"before show", "built 1",
                                       "Form_Load 1 with its button &Ricomincia", "after show"}));
        QCOMPARE(registry.find<frmuno>(), window);
        QVERIFY(window->isVisible());
    }

    void showOfALoadedWindowReturnsItWithoutLoadingAgain() {
        WindowRegistry registry;
        frmuno* window = registry.show<frmuno>();
        QCOMPARE(registry.show<frmuno>(), window);
        window->hide();
        QCOMPARE(registry.show<frmuno>(), window);
        QVERIFY(window->isVisible());
        QCOMPARE(frmuno::built, 1);
        QCOMPARE(journal.filter("Form_Load").size(), 1);
    }

    void unloadDestroysTheWindowAndTheNextShowBuildsItAfresh() {
        WindowRegistry registry;
        registry.show<frmdue>(); // keeps the program running meanwhile
        QPointer<frmuno> first = registry.show<frmuno>();
        first->setWindowTitle("changed by the player");

        registry.unload(*first);
        QVERIFY(!registry.find<frmuno>());
        QVERIFY(first && !first->isVisible()); // gone from the screen, destroyed later
        support::settle();
        QVERIFY(first.isNull());

        frmuno* second = registry.show<frmuno>();
        QVERIFY(second);
        QCOMPARE(second->serial(), 2);
        QCOMPARE(second->windowTitle(), QStringLiteral("Uno"));
        QCOMPARE(journal.filter("Form_Load").size(), 3); // due, uno 1, uno 2
        QVERIFY(!registry.hasEnded());
    }

    // Run under AddressSanitizer too: the handler goes on using its window after unloading it.
    void handlerMayUnloadItsOwnWindowAndShowAFreshOne() {
        WindowRegistry registry;
        QSignalSpy ended(&registry, &WindowRegistry::applicationEnded);
        QPointer<frmuno> first = registry.show<frmuno>();
        QVERIFY(QTest::qWaitForWindowExposed(first));

        support::click(first, "cmdricomincia");
        QCOMPARE(journal.mid(2), QStringList({"1 after unload: still there, hidden", "built 2",
                                              "Form_Load 2 with its button &Ricomincia",
                                              "1 showed 2, its button Usato"}));
        support::settle();
        QVERIFY(first.isNull());
        frmuno* second = registry.find<frmuno>();
        QVERIFY(second && second->isVisible());
        QCOMPARE(second->serial(), 2);
        QVERIFY(!registry.hasEnded());
        QCOMPARE(ended.count(), 0);
    }

    void programEndsWhenTheLastWindowGoes_data() {
        QTest::addColumn<bool>("byClosing");
        QTest::newRow("windows unloaded") << false;
        QTest::newRow("windows closed") << true;
    }
    void programEndsWhenTheLastWindowGoes() {
        QFETCH(bool, byClosing);
        WindowRegistry registry;
        QSignalSpy ended(&registry, &WindowRegistry::applicationEnded);
        const auto remove = [&](Form* window) {
            if (byClosing)
                window->close();
            else
                registry.unload(*window);
        };
        QPointer<frmuno> uno = registry.show<frmuno>();
        QPointer<frmdue> due = registry.show<frmdue>();

        remove(uno);
        support::settle();
        QVERIFY(uno.isNull());
        QVERIFY(!registry.hasEnded());
        QCOMPARE(ended.count(), 0);

        remove(due);
        support::settle();
        QVERIFY(due.isNull());
        QVERIFY(registry.hasEnded());
        QCOMPARE(ended.count(), 1);
        QVERIFY(!registry.show<frmuno>());
        support::settle();
        QCOMPARE(ended.count(), 1);
    }

    void endApplicationClosesEveryWindowAtOnce() {
        WindowRegistry registry;
        QSignalSpy ended(&registry, &WindowRegistry::applicationEnded);
        QPointer<frmuno> uno = registry.show<frmuno>();
        QPointer<frmdue> due = registry.show<frmdue>();

        registry.endApplication();
        QVERIFY(registry.hasEnded());
        QCOMPARE(ended.count(), 1);
        QVERIFY(!uno->isVisible());
        QVERIFY(!due->isVisible());
        QVERIFY(!registry.find<frmuno>());
        QVERIFY(!registry.find<frmdue>());
        QVERIFY(!registry.show<frmuno>());
        QCOMPARE(frmuno::built, 1);

        support::settle();
        QVERIFY(uno.isNull());
        QVERIFY(due.isNull());
        registry.endApplication();
        QCOMPARE(ended.count(), 1);
    }
};

QTEST_MAIN(TstRegistry)
#include "tst_registry.moc"
