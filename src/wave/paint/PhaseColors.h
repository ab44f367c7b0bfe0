#pragma once
// One colour per phase name in every plot: P waves in blues, S waves in reds, the rest from a
// small palette, so that a phase reads the same on the record section and the residual plots.

#include <QColor>
#include <string>

namespace zel {

QColor PhaseColor(const std::string& phase);

}  // namespace zel
