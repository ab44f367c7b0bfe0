#include "wave/Transformation.h"

#include "dsp/Simulation.h"

namespace zel {

Transformation Transformation::OfFilterSettings(const ChannelFilterSettings& settings) {
    return settings.type >= 1000 ? Simulated(settings.type) : Filtered(settings);
}

Transformation Transformation::Filtered(const ChannelFilterSettings& settings) {
    Transformation t;
    t.filter = settings;
    return t;
}

Transformation Transformation::Simulated(int code) {
    Transformation t;
    t.kind = Kind::Simulation;
    t.simulation = code;
    t.filter.type = code;
    return t;
}

Transformation Transformation::ByFormula(std::string text) {
    Transformation t;
    t.kind = Kind::Formula;
    t.formula = std::move(text);
    return t;
}

int Transformation::code() const {
    switch (kind) {
        case Kind::Filter:
            return filter.type;
        case Kind::Simulation:
            return simulation;
        case Kind::Formula:
            break;
    }
    return -1;
}

std::string PickFilterText(const Transformation& t) {
    if (t.kind == Transformation::Kind::Simulation) return SimulationText(t.simulation);
    if (t.kind != Transformation::Kind::Filter) return {};
    const ChannelFilterSettings& s = t.filter;
    static const char* const names[] = {"Полосовой", "Нижних частот", "Режекторный", "Верхних частот", "SPWWSS"};
    if (s.type < 0 || s.type > 4) return {};
    std::string text = names[s.type];
    if (s.type == 1)
        text += " " + s.highText;
    else if (s.type == 3)
        text += " " + s.lowText;
    else
        text += " " + s.lowText + "-" + s.highText;
    text += " Гц, порядок " + std::to_string(s.order);
    if (s.zeroPhase) text += ", нулевая фаза";
    return text;
}

}  // namespace zel
