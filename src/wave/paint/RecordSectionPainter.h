#pragma once
// Paints a record section with a QPainter on any device (window, image, printer): the traces as
// normalised wiggles at their distances, the travel-time curves with their phase names, the
// picks, both axes and the station names beside the traces.

#include <QFont>
#include <QRect>

#include "wave/RecordSection.h"

class QPainter;

namespace zel {

struct SectionStyle {
    bool transformed = true;  // the transformed signal where a trace has one
    Reduction reduction;
    QFont font;
};

// Where the traces go inside the area: room left for the title, the axes and the station names.
PlotRect RecordSectionPlot(const QRect& area, const QFont& font);

void PaintRecordSection(QPainter& painter, const QRect& area, const RecordSection& section,
                        const SectionStyle& style);

}  // namespace zel
