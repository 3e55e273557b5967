// circle_drawing.cpp: circles antialiased into Qt's pixmap cache, by QPainter at a window's
// opening size and by a coverage rule of their own when it is enlarged.
#include "toolkit/circle_drawing.h"

#include "toolkit/drawings.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace toolkit {

namespace {

// Everything that decides a drawing's pixels, kept as its bytes lie in memory: formatting the
// numbers as text cost a new board more than copying its circles.
struct Look {
    double left, top; // where the circle's box starts within its first pixel
    double side, pen; // the pen in device-independent pixels
    double ratio;     // device pixels per device-independent pixel
    QRgb outline, fill;
    std::uint32_t byPainter; // 1: QPainter's drawing at the layout's own place
    std::uint32_t unused;    // so that the struct has no padding: every byte is set
};
static_assert(sizeof(Look) == 56);

QString keyOf(const Look& look) {
    return QStringLiteral("cifrotto-circle ") +
           QLatin1String(reinterpret_cast<const char*>(&look), sizeof look);
}

// As the opening size always had it: one antialiased QPainter pass, the pen along the inside
// of the box. Logical pixels.
QPixmap drawnByPainter(const Look& look, const CircleStyle& style) {
    const QRectF local(look.left, look.top, look.side, look.side);
    const QSizeF extent(std::ceil(local.right()), std::ceil(local.bottom()));
    QPixmap circle((extent * look.ratio).toSize());
    circle.setDevicePixelRatio(look.ratio);
    circle.fill(Qt::transparent);
    QPainter draw(&circle);
    draw.setRenderHint(QPainter::Antialiasing, true);
    draw.setPen(style.outline.isValid() ? QPen(style.outline, style.pen) : QPen(Qt::NoPen));
    draw.setBrush(style.fill.isValid() ? QBrush(style.fill) : QBrush(Qt::NoBrush));
    const double half = style.pen / 2.0;
    draw.drawEllipse(style.outline.isValid() ? local.adjusted(half, half, -half, -half) : local);
    return circle;
}

// A pixel is covered by an edge as far as its centre lies inside it, from half a pixel outside
// (nothing) to half a pixel inside (whole): the same for every circle of one size, and a tenth
// of QPainter's cost for a thick outline. Device pixels, premultiplied.
class Coverage {
public:
    explicit Coverage(const Look& look)
        : radius_(look.side * look.ratio / 2),
          inner_(radius_ - (look.outline != 0 ? look.pen * look.ratio : 0)),
          centreX_(look.left * look.ratio + radius_), centreY_(look.top * look.ratio + radius_),
          outline_(qPremultiply(look.outline)), fill_(qPremultiply(look.fill)) {}

    QImage draw() const {
        QImage image(int(std::ceil(centreX_ + radius_)), int(std::ceil(centreY_ + radius_)),
                     QImage::Format_ARGB32_Premultiplied);
        image.fill(0);
        auto* rows = reinterpret_cast<QRgb*>(image.bits());
        const int width = image.width();
        for (int y = 0; y < image.height(); ++y)
            drawRow(rows + qsizetype(y) * width, width, y + 0.5 - centreY_);
        return image;
    }

private:
    // The pixels of a row whose centres lie within `reach` of the centre, or none.
    struct Span {
        int first = 0, last = -1;
        bool holds(int x) const { return x >= first && x <= last; }
    };
    Span within(double reach, double dy) const {
        const double squared = reach * reach - dy * dy;
        if (reach <= 0 || squared < 0)
            return {};
        const double half = std::sqrt(squared);
        return {int(std::ceil(centreX_ - half - 0.5)), int(std::floor(centreX_ + half - 0.5))};
    }

    QRgb pixel(double dx, double dy) const {
        const double distance = std::sqrt(dx * dx + dy * dy);
        const double disc = std::clamp(radius_ - distance + 0.5, 0.0, 1.0);
        const double inside = std::clamp(inner_ - distance + 0.5, 0.0, 1.0);
        // The outline's ring and the fill within it, whose covers add up to the disc's.
        const double ring = outline_ != 0 ? disc - inside : 0;
        const double core = outline_ != 0 ? inside : disc;
        const auto mixed = [ring, core](int outline, int fill) {
            return int(outline * ring + fill * core + 0.5);
        };
        return qRgba(mixed(qRed(outline_), qRed(fill_)), mixed(qGreen(outline_), qGreen(fill_)),
                     mixed(qBlue(outline_), qBlue(fill_)), mixed(qAlpha(outline_), qAlpha(fill_)));
    }

    // Solid runs are filled whole; only the pixels an edge crosses are worked out one by one.
    void drawRow(QRgb* row, int width, double dy) const {
        const Span all = within(radius_ + 0.5, dy);
        const Span core = within(inner_ - 0.5, dy);  // wholly inside the outline
        const Span ring = within(radius_ - 0.5, dy); // wholly inside the disc
        const Span hole = within(inner_ + 0.5, dy);  // touched by the inside of the outline
        for (int x = std::max(all.first, 0); x <= std::min(all.last, width - 1); ++x) {
            if (core.holds(x)) {
                std::fill(row + x, row + core.last + 1, fill_);
                x = core.last;
            } else if (outline_ != 0 && ring.holds(x) && !hole.holds(x)) {
                const int end = x < hole.first ? std::min(ring.last, hole.first - 1) : ring.last;
                std::fill(row + x, row + end + 1, outline_);
                x = end;
            } else {
                row[x] = pixel(x + 0.5 - centreX_, dy);
            }
        }
    }

    double radius_, inner_, centreX_, centreY_;
    QRgb outline_, fill_;
};

} // namespace

void paintCircle(QPainter& painter, const QRectF& box, const CircleStyle& style, double zoom) {
    const qreal ratio = painter.device()->devicePixelRatioF();
    const bool exact = zoom == 1;
    QPointF corner(std::floor(box.left()), std::floor(box.top()));
    QPointF offset = box.topLeft() - corner;
    if (!exact) {
        // The centre on the nearest half device pixel, and the drawing from the device pixel
        // where the box starts.
        const auto snapped = [ratio, side = box.width() * ratio](double start, double& whole) {
            const double centre = std::round((start * ratio + side / 2) * 2) / 2;
            whole = std::floor(centre - side / 2);
            return (centre - side / 2 - whole) / ratio;
        };
        double left = 0, top = 0;
        offset = {snapped(box.left(), left), snapped(box.top(), top)};
        corner = QPointF(left, top) / ratio;
    }
    const Look look{offset.x(),
                    offset.y(),
                    box.width(),
                    double(style.pen),
                    ratio,
                    style.outline.isValid() ? style.outline.rgba() : 0u,
                    style.fill.isValid() ? style.fill.rgba() : 0u,
                    exact ? 1u : 0u,
                    0u};

    paintingAtScale(zoom * ratio);
    const QString key = keyOf(look);
    QPixmap circle;
    if (!QPixmapCache::find(key, &circle)) {
        if (exact) {
            circle = drawnByPainter(look, style);
        } else {
            circle = QPixmap::fromImage(Coverage(look).draw());
            circle.setDevicePixelRatio(ratio);
        }
        QPixmapCache::insert(key, circle);
    }
    painter.drawPixmap(corner, circle);
}

} // namespace toolkit
