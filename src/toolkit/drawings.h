// drawings.h: what Qt's pixmap cache keeps, drawings made for the scale the windows show.
#pragma once

namespace toolkit {

// Called as a window paints at `scale` (its zoom times the screen's pixel ratio). At another
// scale than the last, Qt's pixmap cache is emptied: the circles and the style's button faces
// drawn for a maximised window would otherwise stay, megabytes of them, once it is smaller.
void paintingAtScale(double scale);

} // namespace toolkit
