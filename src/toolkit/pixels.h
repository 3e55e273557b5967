// pixels.h: pictures drawn at build time and kept, packed, in the resources as raw pixels.
#pragma once

#include <QByteArray>
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

// The header and pixels in the resource `path`, unpacked; empty when there is none.
QByteArray pixelsData(const QString& path);

// An image on `data` without a copy: it and every image or pixmap made from it without a
// deep copy are valid while `data` lives and is not changed. A null image when `data` holds
// no picture.
QImage imageOn(const QByteArray& data);

// Where the build puts `svg` drawn at `scale`: ":/artwork/inizio.svg" at 2 is
// ":/artwork/inizio@2x.pixels".
QString pixelsOf(const QString& svg, int scale);

} // namespace toolkit
