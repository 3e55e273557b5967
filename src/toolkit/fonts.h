// fonts.h: the fonts the layouts name, and captions that always fit their controls.
#pragma once

#include "toolkit/layout.h"

#include <QFont>
#include <QSize>
#include <QString>

class QWidget;

namespace toolkit {

// Every control's font is the game's own choice, complete in every attribute, so that nothing
// of the desktop's font (its family, size or weight) reaches the fixed-size controls: a
// desktop font of 11 points or more would cut "Ricomincia" short. The default face is DejaVu
// Sans at 8.25 points, 11 pixels at 96 DPI; the Comic face is "Comic Sans MS" where the machine
// has it, otherwise the look-alike Comic Neue that the program carries in its resources.
QFont fontFor(const FontSpec& wanted);

// The font, made smaller a quarter point at a time until text fits room (wrapped at its width
// when wrapped), so that no caption is cut whatever family the machine substitutes for the
// one asked for. The game's own faces fit their controls as they are.
QFont shrunkToFit(QFont font, const QString& text, QSize room, bool wrapped);

// The font a control's caption shows in: the one wanted, enlarged by the window's zoom, and
// shrunk where the caption it holds now would not fit inside it (within a button's bevel and
// margins, a label's frame, beside an option's indicator).
QFont fittedFont(const QWidget& control, const FontSpec& wanted, double zoom, bool wrapped);

} // namespace toolkit
