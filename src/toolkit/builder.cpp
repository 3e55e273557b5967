// builder.cpp: one function that turns any window's layout table into controls.
#include "toolkit/builder.h"

#include "toolkit/click_area.h"
#include "toolkit/fonts.h"
#include "toolkit/form.h"
#include "toolkit/line.h"
#include "toolkit/picture.h"
#include "toolkit/system_colours.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace toolkit {

namespace {

void place(QWidget& widget, const ControlSpec& spec) {
    widget.setObjectName(QString::fromLatin1(spec.name.view()));
    widget.setGeometry(toWholePixels(spec.rect));
    if (spec.font.face != FontFace::Default || spec.font.points > 0 || spec.font.italic)
        widget.setFont(fontFor(spec.font, widget.font()));
    widget.setEnabled(spec.enabled);
    widget.setVisible(spec.visible);
}

QWidget* makeButton(Form& form, const ControlSpec& spec) {
    auto* button = new QPushButton(QString::fromUtf8(spec.caption), &form);
    // Return presses the button that has the focus, as Space does.
    button->setAutoDefault(true);
    if (spec.cancel)
        form.setCancelButton(button);
    return button;
}

QWidget* makeLabel(Form& form, const ControlSpec& spec) {
    auto* label = new QLabel(QString::fromUtf8(spec.caption), &form);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(spec.wordWrap);
    label->setTextFormat(Qt::PlainText);
    if (spec.border) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
    }
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, screenColour(spec.foreground, colours));
    colours.setColor(QPalette::Window, screenColour(spec.background, colours));
    label->setPalette(colours);
    label->setAutoFillBackground(true);
    return label;
}

QWidget* makeOption(Form& form, const ControlSpec& spec) {
    auto* option = new QRadioButton(QString::fromUtf8(spec.caption), &form);
    // A lone option button used as a true/false value must be able to go back to false.
    option->setAutoExclusive(false);
    return option;
}

QWidget* makePicture(Form& form, const ControlSpec& spec) {
    auto* picture = new Picture(&form, QString::fromLatin1(spec.picture));
    QPalette colours = picture->palette();
    colours.setColor(QPalette::Window, screenColour(spec.background, colours));
    picture->setPalette(colours);
    picture->setAutoFillBackground(true);
    return picture;
}

QObject* makeControl(Form& form, const ControlSpec& spec) {
    const QString name = QString::fromLatin1(spec.name.view());
    const TwipRect& r = spec.rect;
    QWidget* widget = nullptr;
    switch (spec.kind) {
    case ControlKind::Shape:
        return new Shape(form, name, r, spec.visible, spec.shape);
    case ControlKind::ClickArea:
        return new ClickArea(form, name, r, spec.visible);
    case ControlKind::Line:
        return new Line(form, name, r.left, r.top, r.width, r.height);
    case ControlKind::Button:
        widget = makeButton(form, spec);
        break;
    case ControlKind::Label:
        widget = makeLabel(form, spec);
        break;
    case ControlKind::Option:
        widget = makeOption(form, spec);
        break;
    case ControlKind::Picture:
        widget = makePicture(form, spec);
        break;
    }
    place(*widget, spec);
    return widget;
}

} // namespace

std::vector<QObject*> buildControls(Form& form, std::span<const ControlSpec> layout) {
    std::vector<QObject*> controls;
    controls.reserve(layout.size());
    std::vector<std::pair<int, QWidget*>> tabStops;
    for (const ControlSpec& spec : layout) {
        QObject* control = makeControl(form, spec);
        controls.push_back(control);
        if (spec.tabIndex >= 0)
            tabStops.emplace_back(spec.tabIndex, static_cast<QWidget*>(control));
    }
    std::ranges::sort(tabStops, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    return controls;
}

} // namespace toolkit
