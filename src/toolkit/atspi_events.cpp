// atspi_events.cpp: name and description changes in AT-SPI's own shape, for the bridges that
// send them in another (versions::bridgeSendsChangedTexts). Sent on the bridge's own connection,
// they come from the same application and object paths as everything else the bridge says.
#include "toolkit/atspi_events.h"

#include "toolkit/versions.h"

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
} // namespace

bool versions::bridgeSendsChangedTexts() {
    static const bool fixed =
        QVersionNumber::fromString(QString::fromLatin1(qVersion())) >= QVersionNumber(6, 8);
    return fixed;
}

bool sendPropertyChange(QAccessibleEvent& event) {
    const bool name = event.type() == QAccessible::NameChanged;
    if ((!name && event.type() != QAccessible::DescriptionChanged) ||
        versions::bridgeSendsChangedTexts())
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
