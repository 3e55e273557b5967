// frminizio.h: the start window, where the program begins and where the other windows return.
#pragma once

#include "toolkit/form.h"

namespace windows {

class frminizio final : public toolkit::Form {
    Q_OBJECT
public:
    explicit frminizio(toolkit::WindowRegistry& registry);

    void Form_Load() override;
    void cmdcomincia_Click();
    void cmdistruzioni_Click();
    void cmdesci_Click();
};

} // namespace windows
