#pragma once
// The channel filter of a trace pane: its settings record, the named presets of the registry
// store, the text that describes a pane's transformation, and filtering a pane's samples.

#include <optional>
#include <string>
#include <vector>

#include "wave/TracePane.h"
#include "wave/Transformation.h"

namespace zel {

class PrivateProfile;

// The registry key that holds one subkey per preset.
inline constexpr const char* kFilterPresetKey = "ZEL\\Butter Filter";
inline constexpr std::size_t kMaxPresetName = 128;

// Preset names in the store's order.
std::vector<std::string> FilterPresetNames(const PrivateProfile& registry);
// A preset with the documented default for every missing value (an unknown type reads as BP,
// anything but "TRUE" as not zero phase). A missing preset reads as all defaults.
ChannelFilterSettings LoadFilterPreset(const PrivateProfile& registry, const std::string& name);
// Throws ZelError for an empty name, one over 128 characters or one the store cannot hold.
void SaveFilterPreset(PrivateProfile& registry, const std::string& name,
                      const ChannelFilterSettings& settings);
void DeleteFilterPreset(PrivateProfile& registry, const std::string& name);
// The presets a fresh install offers on the toolbar: the band-passes and the high- and low-pass
// an analyst of local and regional events reaches for first.
void SaveDefaultFilterPresets(PrivateProfile& registry);

// Type code of a preset's "FilterType" text.
int FilterTypeFromText(const std::string& text);

// What the pane shows of its transformation: "ФВЧ 0.7-1.4 Гц, порядок 3, нулевая фаза" style for
// band filters, the command text for simulations, "" for none.
std::string TransformationCaption(const ChannelFilterSettings& settings);

// The page's check: order 1..10, edges not negative, and for band types the lower edge's whole
// part not above the upper edge. The text of the first fault, or nullopt.
std::optional<std::string> ValidateFilterPage(const ChannelFilterSettings& settings);

// Samples of the pane on its own grid: trunc(trunc(duration) * sps) samples from the pane start,
// each block placed by its time; samples no block covers take the mean of those that are.
// Throws ZelError when no sample lies in the interval.
std::vector<float> PaneSamples(const ZELDataBlockArray& data, double start, double duration, double sps);
// The same samples for a caller that gives the blocks up: the first block's storage becomes the
// result when it starts on the grid at or before the pane start. `data` is left empty.
std::vector<float> PaneSamples(ZELDataBlockArray&& data, double start, double duration, double sps);

// Filters a pane's samples with the settings: the upper edge is held below (sps / 2 - 0.1) Hz,
// the mean removed, then taper, design and application. Throws ZelError with the reason when the
// band is empty after that clamp or the settings cannot be designed.
TransformedSignal FilterPaneSignal(const ZELDataBlockArray& data, double start, double duration, double sps,
                                   const ChannelFilterSettings& settings);
// The same, filtering in the given-up blocks' storage where it can (see PaneSamples).
TransformedSignal FilterPaneSignal(ZELDataBlockArray&& data, double start, double duration, double sps,
                                   const ChannelFilterSettings& settings);

// The formula the filter wizard writes (edges printed with "%f"): a low-pass sets the lower edge
// to 0, a high-pass the upper one; zero phase filters, reverses, filters and reverses back. The
// band-reject is the sum of a low-pass at the lower edge and a high-pass at the upper edge: run
// one after the other they would pass nothing.
std::string FilterWizardFormula(int type, double lower, double upper, int order, bool zeroPhase);

}  // namespace zel
