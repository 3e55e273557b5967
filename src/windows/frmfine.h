// frmfine.h: the end-of-game window: how the game ended, and another game or not.
#pragma once

#include "toolkit/form.h"

class QLabel;
class QPushButton;

namespace windows {

class frmfine final : public toolkit::Form {
    Q_OBJECT
public:
    explicit frmfine(toolkit::WindowRegistry& registry);

    void Form_Load() override;
    void describeForScreenReaders() override;
    void cmdsi_Click();
    void cmdno_Click();

    // The game window's outcome flag as "Hai vinto!" or "Hai perso!" above the question.
    void showOutcome();
    // No message; the question alone, raised towards the top of the window.
    void showQuestionOnly();

private:
    void standOverGame();
    void setQuestionTop(int twips);
    void setMessage(const QString& message);

    QLabel* lblmessaggio_ = nullptr;
    QLabel* lbldomanda_ = nullptr;
};

} // namespace windows
