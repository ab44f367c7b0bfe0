#include "wave/paint/PhaseColors.h"

#include <functional>
#include <map>

namespace zel {

QColor PhaseColor(const std::string& phase) {
    static const std::map<std::string, QColor> known = {
        {"P", QColor(0, 70, 210)},    {"Pn", QColor(0, 150, 220)}, {"Pg", QColor(110, 60, 220)},
        {"S", QColor(210, 20, 20)},   {"Sn", QColor(235, 120, 0)}, {"Sg", QColor(180, 0, 130)},
        {"pP", QColor(0, 120, 120)},  {"sP", QColor(0, 120, 120)}, {"sS", QColor(150, 70, 40)},
        {"PcP", QColor(40, 110, 40)}, {"ScS", QColor(120, 90, 0)},
    };
    if (const auto it = known.find(phase); it != known.end()) return it->second;
    static const QColor palette[] = {QColor(0, 140, 60),  QColor(150, 100, 0), QColor(90, 90, 90),
                                     QColor(160, 0, 200), QColor(0, 110, 160), QColor(190, 60, 90)};
    return palette[std::hash<std::string>{}(phase) % std::size(palette)];
}

}  // namespace zel
