// pixels.h: pictures drawn at build time and kept in the resources as raw pixels, packed in
// bands of rows, so that showing one never holds more than a band unpacked.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>

namespace toolkit {

// How a band's bytes hold its rows, `width` 32-bit pixels each, top first, one after the other.
enum class Packing : std::uint32_t {
    // Runs: a byte n, then below 128 the n + 1 pixels as they are, from 128 one pixel that
    // stands for n - 127 alike. Unpacking is a copy or a fill per run, a tenth of zlib's cost:
    // the pictures of scale 1, which every start shows, and the icon.
    Runs,
    // qCompress: half the runs' size, for the pictures of scale 2, four times larger, which
    // only screens of that scale and enlarged windows show.
    Zlib,
};

// What comes first: then, band after band of `bandRows` rows (the last may have fewer), each
// as a 32-bit byte count followed by that many bytes of the band's rows, packed.
struct PixelsHeader {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t format; // a QImage::Format
    std::uint32_t bandRows;
    Packing packing;
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
