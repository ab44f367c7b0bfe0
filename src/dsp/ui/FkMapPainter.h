#pragma once
// The pictures of the F-K dialog: the power of every grid point as a coloured cell over the
// slowness plane, and the colour scale beside it.

#include <QImage>

#include "dsp/Fk.h"

namespace zel {

// Px grows to the right, Py upwards, both over [grid.min, grid.max]; black axes through 0
// labelled "Px" and "Py" with the limits written "%0.4f". An empty result gives the bare axes.
QImage DrawFkMap(const FkResult& result, const FkGrid& grid, QSize size);

// The ten colours from the lowest (bottom) to the highest power, each band labelled "%0.4f"
// with the power where it begins, the top with the largest.
QImage DrawFkScale(double minPower, double maxPower, QSize size);

}  // namespace zel
