// button.h: the windows' push button, drawn by the desktop's style with its border and focus as
// thick as its window's zoom, and pressed by a fresh Return as by Space.
#pragma once

#include <QPushButton>

class QStyleOptionButton;

namespace toolkit {

class Form;

class Button final : public QPushButton {
public:
    Button(Form& form, const QString& caption);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage bevel(const QStyleOptionButton& option, int stroke) const;

    const Form& form_;
};

} // namespace toolkit
