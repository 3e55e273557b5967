// builder.cpp: one function that turns any window's layout table into controls.
#include "toolkit/builder.h"

#include "toolkit/button.h"
#include "toolkit/click_area.h"
#include "toolkit/form.h"
#include "toolkit/line.h"
#include "toolkit/picture.h"
#include "toolkit/system_colours.h"

#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>
#include <stdexcept>

namespace toolkit {

namespace {

void place(Form& form, QWidget& widget, const ControlSpec& entry) {
    widget.setObjectName(QString::fromLatin1(entry.name.view()));
    form.place(widget, entry.rect, entry.font, entry.wordWrap);
    widget.setEnabled(entry.enabled);
    widget.setVisible(entry.visible);
}

QWidget* makeButton(Form& form, const ControlSpec& entry) {
    auto* button = new Button(form, QString::fromUtf8(entry.caption));
    button->setAutoDefault(true);
    if (entry.cancel)
        form.setCancelButton(button);
    return button;
}

QWidget* makeLabel(Form& form, const ControlSpec& entry) {
    auto* label = new QLabel(QString::fromUtf8(entry.caption), &form);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(entry.wordWrap);
    label->setTextFormat(Qt::PlainText);
    if (entry.border)
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, screenColour(entry.foreground));
    colours.setColor(QPalette::Window, screenColour(entry.background));
    label->setPalette(colours);
    label->setAutoFillBackground(true);
    return label;
}

QWidget* makeOption(Form& form, const ControlSpec& entry) {
    auto* option = new QRadioButton(QString::fromUtf8(entry.caption), &form);
    // A lone option button used as a true/false value must be able to go back to false.
    option->setAutoExclusive(false);
    return option;
}

QWidget* makePicture(Form& form, const ControlSpec& entry) {
    auto* picture = new Picture(form, QString::fromLatin1(entry.picture));
    QPalette colours = picture->palette();
    colours.setColor(QPalette::Window, screenColour(entry.background));
    picture->setPalette(colours);
    picture->setAutoFillBackground(true);
    // A picture box in the tab order is a tab stop (an image is not): where it comes first,
    // it holds the window's first focus, so that Return and Space press nothing. Its focus
    // is not drawn; the picture is decoration.
    if (entry.tabIndex >= 0)
        picture->setFocusPolicy(Qt::TabFocus);
    return picture;
}

QObject* makeControl(Form& form, const ControlSpec& entry) {
    const QString name = QString::fromLatin1(entry.name.view());
    const TwipRect& r = entry.rect;
    QWidget* widget = nullptr;
    switch (entry.kind) {
    case ControlKind::Shape:
        return new Shape(form, name, r, entry.visible, entry.shape);
    case ControlKind::ClickArea:
        return new ClickArea(form, name, r, entry.visible);
    case ControlKind::Line:
        return new Line(form, name, r.left, r.top, r.width, r.height);
    case ControlKind::Button:
        widget = makeButton(form, entry);
        break;
    case ControlKind::Label:
        widget = makeLabel(form, entry);
        break;
    case ControlKind::Option:
        widget = makeOption(form, entry);
        break;
    case ControlKind::Picture:
        widget = makePicture(form, entry);
        break;
    }
    place(form, *widget, entry);
    return widget;
}

} // namespace

void Controls::add(std::string_view name, QObject* control) {
    if (!byName_.emplace(std::string(name), control).second)
        throw std::invalid_argument("two controls are named " + std::string(name));
}

QObject* Controls::find(std::string_view name) const {
    const auto it = byName_.find(std::string(name));
    return it == byName_.end() ? nullptr : it->second;
}

void Controls::refuse(std::string_view name, const char* kind) const {
    const QObject* found = find(name);
    throw std::invalid_argument(
        found ? std::string(name) + " is a " + found->metaObject()->className() + ", not a " + kind
              : "no control is named " + std::string(name) + " (wanted a " + kind + ")");
}

Controls buildControls(Form& form, std::span<const ControlSpec> layout) {
    Controls controls;
    std::vector<std::pair<int, QWidget*>> tabStops;
    for (const ControlSpec& entry : layout) {
        QObject* control = makeControl(form, entry);
        controls.add(entry.name.view(), control);
        if (entry.tabIndex >= 0)
            tabStops.emplace_back(entry.tabIndex, qobject_cast<QWidget*>(control));
    }
    std::ranges::sort(tabStops, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    return controls;
}

} // namespace toolkit
