#pragma once
// Drawing of one DSP workspace window, on the screen and on paper alike: caption with the window
// name and formula, the error text, the curve over its displayed index range, the overlays in
// their own colours and the axis labels.

#include <QColor>
#include <QRect>

class QPainter;

namespace zel {

struct DspWindow;

void PaintDspWindow(QPainter& painter, const QRect& area, const DspWindow& window, int index, bool current);

// The colour of overlay k (0 .. 7).
QColor DspOverlayColor(int k);

}  // namespace zel
