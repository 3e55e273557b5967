// circle_drawing.h: an antialiased circle, drawn once for each look at the scale its window
// shows and copied for every circle that looks alike.
#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace toolkit {

struct CircleStyle {
    QColor outline; // drawn inside the edge, `pen` pixels wide; invalid: none
    QColor fill;    // inside the outline; invalid: none
    int pen = 1;    // device-independent pixels
};

// Paints the circle that fills the square `box` (device-independent pixels) of a window at
// `zoom`. At zoom 1 it is drawn where the layout puts it, by QPainter, as the opening size has
// always shown it. Enlarged, its centre goes to the nearest half device pixel (a quarter pixel
// away at most), so that the circles of a board share a handful of drawings and concentric
// circles stay concentric.
void paintCircle(QPainter& painter, const QRectF& box, const CircleStyle& style, double zoom);

} // namespace toolkit
