// click_area.h: a transparent rectangle that takes clicks while it is shown; hidden, a click
// there reaches nothing at all.
#pragma once

#include "toolkit/item.h"

namespace toolkit {

class ClickArea final : public Item {
    Q_OBJECT
public:
    ClickArea(Form& form, const QString& name, TwipRect rect, bool visible);

    void paint(QPainter&) const override {}
    bool draws() const override { return false; }
    bool hiddenMeansUnavailable() const override { return true; }

signals:
    void clicked();
};

} // namespace toolkit
