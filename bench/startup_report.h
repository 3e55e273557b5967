// startup_report.h: what a start-up probe prints once its first window has been painted.
#pragma once

#include "first_paint.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace bench {

// The process's peak resident set so far, in KiB, or -1 when /proc cannot say.
inline long peakResidentKib() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    long kib = -1;
    char line[256];
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, "VmHWM:", 6) == 0) {
            kib = std::strtol(line + 6, nullptr, 10);
            break;
        }
    std::fclose(status);
    return kib;
}

// Once the first top-level window's first paint pass is over, prints the monotonic clock
// (the same clock the parent read before spawning this process), the peak resident memory
// and whether the window was exposed, then quits the event loop.
inline void reportFirstFrame(FirstPaint& probe) {
    probe.arm([](const QWidget&) { return true; },
              [](QWidget& window) {
                  timespec now{};
                  clock_gettime(CLOCK_MONOTONIC, &now);
                  const long kib = peakResidentKib();
                  const QWindow* handle = window.windowHandle();
                  std::printf("painted_ns=%lld\nvmhwm_kib=%ld\nexposed=%d\nplatform=%s\n",
                              static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, kib,
                              handle && handle->isExposed() ? 1 : 0,
                              qPrintable(QGuiApplication::platformName()));
                  std::fflush(stdout);
                  QCoreApplication::exit(0);
              });
}

} // namespace bench
