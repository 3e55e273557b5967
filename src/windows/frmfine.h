// frmfine.h: the end-of-game window: how the game ended, and another game or not.
#pragma once

#include "toolkit/form.h"

class QLabel;

namespace windows {

class frmfine final : public toolkit::Form {
    Q_OBJECT
public:
    static inline const QString kWon = QStringLiteral("Hai vinto!");
    static inline const QString kLost = QStringLiteral("Hai perso!");
    static constexpr int kQuestionTop = 840;       // twips
    static constexpr int kRaisedQuestionTop = 480; // after the solution, with no message

    explicit frmfine(toolkit::WindowRegistry& registry);

    void Form_Load() override;
    void cmdsi_Click();
    void cmdno_Click();

    void setMessage(const QString& message);
    void setQuestionTop(int twips);

private:
    QLabel* lblmessaggio_ = nullptr;
    QLabel* lbldomanda_ = nullptr;
};

} // namespace windows
