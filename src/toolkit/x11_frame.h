// x11_frame.h: the frame an X11 window manager will draw round a window, learnt before the
// window is mapped, so that the window is placed by its outer size from its first frame.
#pragma once

#include <QMargins>
#include <optional>

class QWindow;

namespace toolkit {

// Asks the window manager for the frame it will give the created but unmapped window
// (_NET_REQUEST_FRAME_EXTENTS) and reads its answer (_NET_FRAME_EXTENTS), waiting a moment
// at most. Nothing when the platform is not X11 or no window manager answers such requests.
std::optional<QMargins> x11FrameBeforeMapping(const QWindow& window);

} // namespace toolkit
