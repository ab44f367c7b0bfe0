#pragma once
// What made a pane's transformed signal, typed: a filter with its settings, a seismograph
// simulation, or a formula. Drawing, captions, picks and the registry read it from the pane
// instead of keeping their own copies of a bare code.

#include <string>

namespace zel {

// ChannelFilterSettings: one per pane, copied as a whole between the filter page and the panes.
struct ChannelFilterSettings {
    float low = 0.7f;
    float high = 1.4f;
    std::string lowText = "0.7";  // as typed (the page accepts 7 characters)
    std::string highText = "1.4";
    int type = 0;  // 0 BP, 1 LP, 2 BR, 3 HP, 4 SPWWSS; 1000 and above: a simulation
    int order = 3;
    bool zeroPhase = true;

    bool operator==(const ChannelFilterSettings&) const = default;
};

struct Transformation {
    enum class Kind { Filter, Simulation, Formula };
    Kind kind = Kind::Filter;
    ChannelFilterSettings filter;  // Kind::Filter
    int simulation = 0;            // Kind::Simulation: its code, 1000 and above
    std::string formula;           // Kind::Formula: its text

    static Transformation Filtered(const ChannelFilterSettings& settings);
    static Transformation Simulated(int code);
    static Transformation ByFormula(std::string text);
    // What filter-page settings (or a stored preset) stand for: a type code of 1000 and above is
    // a simulation, anything else a filter.
    static Transformation OfFilterSettings(const ChannelFilterSettings& settings);

    // The code the registry and the channel lists store: the filter type, the simulation code, or
    // -1 for a formula.
    int code() const;
};

// What a pick records of the transformation its amplitude was measured on ("Нижних частот 1.4 Гц,
// порядок 3, нулевая фаза", "Симуляция Wood-Anderson"); "" for a formula or an unknown filter.
std::string PickFilterText(const Transformation& transformation);

}  // namespace zel
