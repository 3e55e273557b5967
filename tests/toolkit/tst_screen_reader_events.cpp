// tst_screen_reader_events.cpp: what the toolkit's accessibility filter hands on. A handler
// installed before it (here the test's own, where a bridge would otherwise be) hears every
// event of a control that has been on screen, its hiding included, and nothing from a control
// that never was; a control hidden at run time leaves its window's tree; a new name reaches the
// AT-SPI bus as text, once, whichever Qt's bridge runs. Qt tells nothing while no screen
// reader's bus is there, so this runs on X11 with one.
#include "support/gui.h"
#include "test_form.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <array>

using toolkit::ControlKind;
using toolkit::ControlSpec;

namespace {

constexpr std::array<ControlSpec, 2> kControls{{
    {.kind = ControlKind::Button,
     .name = "cmdvisto",
     .rect = {120, 120, 1095, 375},
     .tabIndex = 0,
     .caption = "&Visto"},
    {.kind = ControlKind::Label,
     .name = "lblmai",
     .rect = {120, 720, 1095, 375},
     .visible = false,
     .caption = "Mai visto"},
}};

// Qt calls update handlers through a plain function pointer, so what they hear lives here.
QList<QPair<QString, QAccessible::Event>> heard;

void listen(QAccessibleEvent* event) {
    heard.append({event->object() ? event->object()->objectName() : QString(), event->type()});
}

bool heardFrom(const QString& name, QAccessible::Event type) {
    return heard.contains(QPair<QString, QAccessible::Event>{name, type});
}

QStringList childNames(QWidget* window) {
    QAccessibleInterface* form = QAccessible::queryAccessibleInterface(window);
    QStringList names;
    for (int i = 0; i < form->childCount(); ++i)
        names << form->child(i)->object()->objectName();
    return names;
}

} // namespace

class TstScreenReaderEvents : public QObject {
    Q_OBJECT

    toolkit::WindowRegistry registry_;
    QStringList propertiesTold_; // the new texts that name changes carried on the bus

public slots:
    void propertyChanged(const QDBusMessage& signal) {
        if (signal.arguments().value(0).toString() == QStringLiteral("accessible-name"))
            propertiesTold_
                << signal.arguments().value(3).value<QDBusVariant>().variant().toString();
    }

private slots:
    void initTestCase() {
        QAccessible::installUpdateHandler(listen);
        QTRY_VERIFY(QAccessible::isActive());
    }

    void aControlHiddenAtRunTimeSaysSoAndLeavesTheTree() {
        toolkit_test::TableForm window(registry_, kControls);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* button = support::control<QPushButton>(&window, "cmdvisto");
        QCOMPARE(childNames(&window), QStringList{"cmdvisto"});
        heard.clear();
        // The bus hears the new text once: from the bridge, or from the game's copy where the
        // bridge's own event carries none. A second change comes after every word of the first.
        QDBusConnection(QStringLiteral("a11y"))
            .connect({}, {}, QStringLiteral("org.a11y.atspi.Event.Object"),
                     QStringLiteral("PropertyChange"), this, SLOT(propertyChanged(QDBusMessage)));
        button->setAccessibleName(QStringLiteral("Visto"));
        button->setAccessibleName(QStringLiteral("Visto ancora"));
        QTRY_VERIFY(propertiesTold_.contains(QStringLiteral("Visto ancora")));
        QCOMPARE(propertiesTold_.count(QStringLiteral("Visto")), 1);
        button->hide();
        QVERIFY(heardFrom("cmdvisto", QAccessible::NameChanged));
        QVERIFY(heardFrom("cmdvisto", QAccessible::ObjectHide));
        QCOMPARE(childNames(&window), QStringList{});
    }

    void aControlNeverShownTellsNothing() {
        heard.clear();
        toolkit_test::TableForm window(registry_, kControls);
        auto* label = support::control<QLabel>(&window, "lblmai");
        label->setAccessibleName(QStringLiteral("Ancora mai visto"));
        // Nor does anything in a window still being built.
        support::control<QPushButton>(&window, "cmdvisto")
            ->setAccessibleName(QStringLiteral("Prima"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        label->setAccessibleName(QStringLiteral("Sempre nascosto"));
        QVERIFY(!heardFrom("lblmai", QAccessible::NameChanged));
        QVERIFY(!heardFrom("cmdvisto", QAccessible::NameChanged));
        QVERIFY(!childNames(&window).contains("lblmai"));
    }
};

QTEST_MAIN(TstScreenReaderEvents)
#include "tst_screen_reader_events.moc"
