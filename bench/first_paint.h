// first_paint.h: notices when a window's first paint has been handled, for every timing here.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <utility>

namespace bench {

// Installed on the application, it watches the paint events of top-level widgets. Once a
// window it waits for receives one, it arranges for `painted` to run on the next turn of the
// event loop: a window's paint event is sent from inside the paint pass that paints its
// children and then flushes the backing store to the platform window (on xcb, the image
// goes to the X server), so the callback runs once that whole pass has returned.
class FirstPaint : public QObject {
public:
    using Wanted = std::function<bool(const QWidget&)>;
    using Painted = std::function<void(QWidget&)>;

    FirstPaint() { QCoreApplication::instance()->installEventFilter(this); }
    ~FirstPaint() override { QCoreApplication::instance()->removeEventFilter(this); }
    FirstPaint(const FirstPaint&) = delete;
    FirstPaint& operator=(const FirstPaint&) = delete;

    // Waits for the next paint of a window that `wanted` accepts; calls `painted` once.
    void arm(Wanted wanted, Painted painted) {
        wanted_ = std::move(wanted);
        painted_ = std::move(painted);
        armed_ = true;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (armed_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && wanted_(*widget)) {
                armed_ = false;
                QMetaObject::invokeMethod(
                    this,
                    [this, window = QPointer<QWidget>(widget)] {
                        if (painted_ && window)
                            painted_(*window);
                    },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    bool armed_ = false;
    Wanted wanted_;
    Painted painted_;
};

} // namespace bench
