#pragma once
// Painting of the picking layer of a pane: the interval mark, the pick lines with their name
// labels, and the pick being made while its dialog is open.

#include <QFont>
#include <QRect>
#include <vector>

#include "wave/Picking.h"

class QPainter;

namespace zel {

// The label of a pick: left edge at the pick's column, as wide as its text plus 10 pixels, top 1
// pixel below the plot top.
QRect PickLabelRect(const QFont& font, const PlotRect& plot, const PickMark& mark);

// Two dotted olive lines, two pixels wide; a line whose time is not strictly inside the pane's
// interval is left out.
void PaintIntervalMark(QPainter& p, const TraceMapping& mapping, const IntervalMark& mark);
// Lines from the plot bottom up to each label, then the labels. "P" red, others green; included
// picks solid, excluded dotted.
void PaintPickMarks(QPainter& p, const QFont& font, const PlotRect& plot, const std::vector<PickMark>& marks);
// The pick under way: a white line at its time and, at mid-height, a double arrow as wide as
// its uncertainty.
void PaintPendingPick(QPainter& p, const TraceMapping& mapping, const PickSpan& span);

}  // namespace zel
