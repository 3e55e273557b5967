// atspi_events.h: a changed name or description told to screen readers over AT-SPI in the
// shape that AT-SPI defines, which an older Qt's own bridge does not use.
#pragma once

class QAccessibleEvent;

namespace toolkit {

// Sends a NameChanged or DescriptionChanged event as AT-SPI's PropertyChange signal with the
// new text as its data, on the connection of Qt's AT-SPI bridge. Returns false, having sent
// nothing, when the bridge has no connection to an AT-SPI bus, sends the text itself
// (versions::bridgeSendsChangedTexts) or the event is of another kind.
bool sendPropertyChange(QAccessibleEvent& event);

} // namespace toolkit
