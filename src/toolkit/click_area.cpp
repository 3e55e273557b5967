// click_area.cpp: the click area draws nothing; its window hit-tests it.
#include "toolkit/click_area.h"

namespace toolkit {

ClickArea::ClickArea(Form& form, const QString& name, TwipRect rect, bool visible)
    : Item(form, name, rect, visible, QAccessible::Button) {}

} // namespace toolkit
