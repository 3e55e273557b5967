// builder.h: creating a window's controls from its layout table, and reaching them by name.
#pragma once

#include "toolkit/layout.h"

#include <QObject>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace toolkit {

class Form;

// The controls a table built, reached by name and kind. A name the table does not hold, or
// a control of another kind, throws std::invalid_argument naming both: a window asks for
// every control it uses as it is built, so a table and its code that disagree fail at once.
class Controls {
public:
    template <class T> T* get(std::string_view name) const {
        auto* typed = qobject_cast<T*>(find(name));
        if (!typed)
            refuse(name, T::staticMetaObject.className());
        return typed;
    }

    void add(std::string_view name, QObject* control);

private:
    QObject* find(std::string_view name) const;
    [[noreturn]] void refuse(std::string_view name, const char* kind) const;

    std::unordered_map<std::string, QObject*> byName_;
};

// Creates every control of the table on the form, items in stacking order, native
// controls in tab order.
Controls buildControls(Form& form, std::span<const ControlSpec> layout);

} // namespace toolkit
