// probe.h: what each start-up program reports once its first window is on screen: when it
// was mapped and painted, the CPU time spent, and the memory it holds at that moment.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace bench {

// Installed on the application before any window exists. Times are nanoseconds of the
// steady clock, the clock the driver reads just before it starts the program.
class StartupProbe : public QObject {
public:
    StartupProbe() { QCoreApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A window is mapped when the platform first reports it exposed.
        if (mappedNs_ == 0 && event->type() == QEvent::Expose && watched->isWindowType() &&
            static_cast<QWindow*>(watched)->isExposed())
            mappedNs_ = now();
        // A top-level widget's paint event comes from inside the pass that paints its
        // children and then flushes the backing store, so the report waits for the event
        // loop's next turn.
        if (mappedNs_ != 0 && !reported_ && event->type() == QEvent::Paint &&
            watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
            reported_ = true;
            QMetaObject::invokeMethod(this, &StartupProbe::report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    static long long now() {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    // A "Name:  1234 kB" line of /proc/self/status, in KiB.
    static long statusKib(const std::string& name) {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line))
            if (line.starts_with(name + ":"))
                return std::strtol(line.c_str() + name.size() + 1, nullptr, 10);
        return -1;
    }

    // Prints and leaves at once: what comes after the first frame is not start-up.
    void report() {
        const long long painted = now();
        const double cpuMs = 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
        std::printf("mapped_ns=%lld\npainted_ns=%lld\ncpu_ms=%.3f\nvmhwm_kib=%ld\n"
                    "rssanon_kib=%ld\nplatform=%s\n",
                    mappedNs_, painted, cpuMs, statusKib("VmHWM"), statusKib("RssAnon"),
                    qPrintable(QGuiApplication::platformName()));
        std::fflush(stdout);
        std::_Exit(0);
    }

    long long mappedNs_ = 0;
    bool reported_ = false;
};

} // namespace bench
