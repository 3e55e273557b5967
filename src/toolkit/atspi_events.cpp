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

namespace toolkit {

namespace {
// The names Qt's bridge gives its connection and its objects.
const QString kBridgeConnection = QStringLiteral("a11y");
const QString kObjectPathPrefix = QStringLiteral("/org/a11y/atspi/accessible/");
} // namespace

bool sendPropertyChange(QAccessibleEvent& event) {
    const bool name = event.type() == QAccessible::NameChanged;
    if (!name && event.type() != QAccessible::DescriptionChanged)
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
