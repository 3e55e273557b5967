// frmistruzioni.h: the rules of the game, and the way back to the start window.
#pragma once

#include "toolkit/form.h"

namespace windows {

class frmistruzioni final : public toolkit::Form {
    Q_OBJECT
public:
    explicit frmistruzioni(toolkit::WindowRegistry& registry);

    void Form_Load() override;
    void cmdok_Click();
};

} // namespace windows
