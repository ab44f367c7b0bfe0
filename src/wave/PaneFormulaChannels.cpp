#include "wave/PaneFormulaChannels.h"

#include <algorithm>
#include <cctype>

#include "wave/PaneSet.h"

namespace zel {
namespace {

bool SameCode(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

const FormulaChannel* PaneFormulaChannels::describe(const TracePane& pane) {
    FormulaChannel& ch = described_[&pane];
    ch = FormulaChannel{};
    ch.raw = pane.data().blocks.empty() ? nullptr : &pane.data();
    ch.spanStart = pane.start();
    ch.spanLength = pane.duration();
    if (const auto& t = pane.transformed()) {
        ch.transformed = t->samples;
        ch.transformedRate = t->sps;
    }
    if (pane.intervalMark) ch.marks = TimeSpan{pane.intervalMark->first, pane.intervalMark->second};
    return &ch;
}

const FormulaChannel* PaneFormulaChannels::ChannelByNumber(int n) {
    if (!panes_) return nullptr;
    for (std::size_t i = 0; i < panes_->size(); ++i)
        if ((*panes_)[i].number() == n) return describe((*panes_)[i]);
    return nullptr;
}

const FormulaChannel* PaneFormulaChannels::ChannelByCode(const std::string& station, const std::string& channel) {
    if (!panes_) return nullptr;
    for (std::size_t i = 0; i < panes_->size(); ++i) {
        const TracePane& pane = (*panes_)[i];
        if (SameCode(pane.channel().station, station) && SameCode(pane.channel().channel, channel))
            return describe(pane);
    }
    return nullptr;
}

}  // namespace zel
