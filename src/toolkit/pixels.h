// pixels.h: pictures drawn at build time and kept in the resources as raw pixels, packed in
// bands of rows, so that showing one never holds more than a band unpacked.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>

namespace toolkit {

// What comes first: then, band after band of `bandRows` rows (the last may have fewer), each
// as a 32-bit byte count followed by that many bytes of the rows' pixels in runs. Rows are
// `width` 32-bit pixels, top first, one after the other. A run starts with a byte n: below
// 128, n + 1 pixels follow as they are; from 128, one pixel follows that stands for n - 127
// pixels alike. Unpacking is a copy or a fill per run, a tenth of what zlib's inflating cost.
struct PixelsHeader {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t format; // a QImage::Format
    std::uint32_t bandRows;
};

// A picture in the resources, read where it lies.
class PackedPixels {
public:
    explicit PackedPixels(const QString& path);

    bool isNull() const { return header_.width == 0; }
    QSize size() const { return {int(header_.width), int(header_.height)}; }

    // Unpacks the bands in turn, top first, handing each to `use` with the row it starts at;
    // each band is gone once `use` returns. False if the data is damaged.
    bool forEachBand(const std::function<void(const QImage& band, int top)>& use) const;

    // The whole picture as one image of its own; a null image if the data is damaged.
    QImage image() const;

private:
    PixelsHeader header_{};
    const uchar* bands_ = nullptr;
    qsizetype bandBytes_ = 0;
};

// Where the build puts `svg` drawn at `scale`: ":/artwork/inizio.svg" at 2 is
// ":/artwork/inizio@2x.pixels".
QString pixelsOf(const QString& svg, int scale);

} // namespace toolkit
