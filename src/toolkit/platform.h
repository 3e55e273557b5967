// platform.h: which windowing platform the game runs on, asked in this one place. Where the
// answer matters, the question decides there which of X11 and Wayland offscreen stands for.
#pragma once

#include <QGuiApplication>

namespace toolkit {

// Offscreen is the tests' platform, and stands for any other that Qt may be given (minimal).
enum class Platform { X11, Wayland, Offscreen };

inline Platform platform() {
    const QString name = QGuiApplication::platformName();
    if (name == QLatin1String("xcb"))
        return Platform::X11;
    // "wayland", or one of the plugin's variants ("wayland-egl")
    return name.startsWith(QLatin1String("wayland")) ? Platform::Wayland : Platform::Offscreen;
}

} // namespace toolkit
