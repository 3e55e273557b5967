// twips.h: layout units. Layouts stay in twips; Qt gets device-independent pixels, so a
// 2x screen draws the same layout twice as sharp, and a window the player enlarges draws it
// larger by its zoom.
#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <algorithm>
#include <cmath>

namespace toolkit {

inline constexpr double kTwipsPerPixel = 15.0; // 1440 twips to the inch at 96 DPI

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The smallest rectangle that holds both.
constexpr TwipRect united(const TwipRect& a, const TwipRect& b) {
    const int left = std::min(a.left, b.left);
    const int top = std::min(a.top, b.top);
    return {left, top, std::max(a.left + a.width, b.left + b.width) - left,
            std::max(a.top + a.height, b.top + b.height) - top};
}

// Half a pixel away from zero, as the layouts were always rounded.
constexpr int rounded(double pixels) {
    return static_cast<int>(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}
// The screen's own conversions, which no window's zoom enters: a window's opening size, and
// where on the screen a window stands.
constexpr int unzoomedWholePixels(double twips) { return rounded(twips / kTwipsPerPixel); }
constexpr double toTwips(double pixels) { return pixels * kTwipsPerPixel; }

// Where a window's twips land in its pixels: the layout enlarged by `factor` and moved by
// `origin`, so that it stands centred in a client area larger than the layout. At factor 1
// and no origin it is the unzoomed conversion above, to the pixel.
struct Zoom {
    double factor = 1;
    QPoint origin;

    double toPixels(double twips) const { return twips / kTwipsPerPixel * factor; }
    QRectF toPixels(const TwipRect& r) const {
        return {origin.x() + toPixels(r.left), origin.y() + toPixels(r.top), toPixels(r.width),
                toPixels(r.height)};
    }
    // Each of the four rounded on its own.
    QRect toWholePixels(const TwipRect& r) const {
        return {origin.x() + rounded(toPixels(r.left)), origin.y() + rounded(toPixels(r.top)),
                rounded(toPixels(r.width)), rounded(toPixels(r.height))};
    }
    // A length of `pixels` at the opening size (a line's width, a gap), enlarged as the layout
    // is, in whole pixels and never shorter.
    int enlarged(int pixels) const { return std::max(pixels, rounded(pixels * factor)); }

    // The largest factor at which a layout of `layout` pixels fits `client`, centred there.
    static Zoom toFit(QSize layout, QSize client);
};

inline Zoom Zoom::toFit(QSize layout, QSize client) {
    const double factor = std::min(double(client.width()) / layout.width(),
                                   double(client.height()) / layout.height());
    const auto spare = [factor](int room, int used) {
        return static_cast<int>(std::floor((room - used * factor) / 2));
    };
    return {factor,
            {spare(client.width(), layout.width()), spare(client.height(), layout.height())}};
}

} // namespace toolkit
