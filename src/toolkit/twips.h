// twips.h: layout units. Layouts stay in twips; Qt gets device-independent pixels, so a
// 2x screen draws the same layout twice as sharp.
#pragma once

#include <QRect>
#include <QRectF>

namespace toolkit {

inline constexpr double kTwipsPerPixel = 15.0; // 1440 twips to the inch at 96 DPI

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr double toPixels(double twips) { return twips / kTwipsPerPixel; }
constexpr int toWholePixels(double twips) {
    const double pixels = toPixels(twips);
    return static_cast<int>(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}
constexpr double toTwips(double pixels) { return pixels * kTwipsPerPixel; }

inline QRectF toPixels(const TwipRect& r) {
    return {toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)};
}
inline QRect toWholePixels(const TwipRect& r) {
    return {toWholePixels(r.left), toWholePixels(r.top), toWholePixels(r.width),
            toWholePixels(r.height)};
}

} // namespace toolkit
