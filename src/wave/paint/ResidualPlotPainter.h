#pragma once
// Paints the residual plots of a location: residual against distance and against azimuth, one
// marker per pick (defining ones filled in their phase's colour, excluded ones hollow and grey),
// with the zero line, the axes and a legend of the phases.

#include <QFont>
#include <QRect>
#include <vector>

#include "events/ResidualRows.h"

class QPainter;

namespace zel {

void PaintResidualPlots(QPainter& painter, const QRect& area, const std::vector<ResidualRow>& rows,
                        const QFont& font);

}  // namespace zel
