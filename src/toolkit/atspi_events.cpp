// atspi_events.cpp: name and description changes in AT-SPI's own shape.
//
// Qt 6.4's bridge sends these two events with a reference to the object where AT-SPI puts the
// new text. libatspi then only forgets what it had cached, but Orca reads the data as the new
// name or description, fails on it and says nothing, so a peg put in a hole or a colour chosen
// went unspoken. Sent here on the bridge's own connection, they come from the same application
// and object paths as everything else the bridge says.
#include "toolkit/atspi_events.h"

#include <QAccessibleEvent>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>
#include <QVersionNumber>

namespace toolkit {

namespace {
// The names Qt's bridge gives its connection and its objects.
const QString kBridgeConnection = QStringLiteral("a11y");
const QString kObjectPathPrefix = QStringLiteral("/org/a11y/atspi/accessible/");

// Qt 6.8's bridge sends these two events in AT-SPI's shape, the new text as their data
// (atspiadaptor.cpp, checked with 6.8.2; 6.4.2 sends the object's reference). The earliest
// release with the change could not be told from the sources at hand, so 6.8 is where the
// game stops sending its own. The bridge is the Qt library the game runs with, which may be
// newer than the one it was built with, so the version is asked at run time.
bool bridgeSendsTheText() {
    static const bool fixed =
        QVersionNumber::fromString(QString::fromLatin1(qVersion())) >= QVersionNumber(6, 8);
    return fixed;
}
} // namespace

bool sendPropertyChange(QAccessibleEvent& event) {
    const bool name = event.type() == QAccessible::NameChanged;
    if ((!name && event.type() != QAccessible::DescriptionChanged) || bridgeSendsTheText())
        return false;
    QDBusConnection bus(kBridgeConnection);
    if (!bus.isConnected())
        return false;
    QAccessibleInterface* source = event.accessibleInterface();
    if (!source || !source->isValid())
        return true;
    QDBusMessage signal = QDBusMessage::createSignal(
        kObjectPathPrefix + QString::number(QAccessible::uniqueId(source)),
        QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("PropertyChange"));
    const QString text = source->text(name ? QAccessible::Name : QAccessible::Description);
    signal << (name ? QStringLiteral("accessible-name") : QStringLiteral("accessible-description"))
           << 0 << 0 << QVariant::fromValue(QDBusVariant(text)) << QVariantMap();
    bus.send(signal);
    return true;
}

} // namespace toolkit
