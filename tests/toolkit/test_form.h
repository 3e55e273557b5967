// test_form.h: a small window made from its own layout table, so that the toolkit is tested
// apart from the game's windows.
#pragma once

#include "toolkit/builder.h"
#include "toolkit/form.h"
#include "toolkit/registry.h"

#include <QMetaType>
#include <span>

namespace toolkit_test {

// A colour no control of these tests uses, so that "nothing painted here" is easy to see.
inline constexpr colour::ColourValue kBackground = 0x408060;

class TableForm : public toolkit::Form {
public:
    TableForm(toolkit::WindowRegistry& registry, std::span<const toolkit::ControlSpec> layout,
              int widthTwips = 3000, int heightTwips = 2010)
        : Form(registry, {"frmprova", "Prova", widthTwips, heightTwips, kBackground}) {
        toolkit::buildControls(*this, layout);
    }
    void Form_Load() override {}
};

} // namespace toolkit_test

Q_DECLARE_METATYPE(toolkit::TwipRect)
