// pixels.h: pictures drawn at build time and kept in the resources as raw pixels, shown from
// where they lie, without decoding or copying.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

namespace toolkit {

// What comes before the pixels: then `height` rows of `width` 32-bit pixels, top first.
struct PixelsHeader {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t format; // a QImage::Format
};

// The picture in the resource `path`, or a null image when there is none.
QImage pixels(const QString& path);

// Where the build puts `svg` drawn at `scale`: ":/artwork/inizio.svg" at 2 is
// ":/artwork/inizio@2x.pixels".
QString pixelsOf(const QString& svg, int scale);

} // namespace toolkit
