// libFuzzer target for the DSP workspace's files: worksheets (formulas in private-profile form),
// data files of numbers and the clipboard text. Any file gives formulas, numbers or nothing.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "base/ZelError.h"
#include "dsp/DspClipboardText.h"
#include "dsp/DspDataFile.h"
#include "dsp/DspWorksheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto formulas = zel::LoadWorksheet(zel::fuzz::ScratchFile("sheet.wks", text))) {
        if (formulas->empty() || formulas->size() > 64) __builtin_trap();
        for (const std::string& f : *formulas)
            if (f.size() > 1024) __builtin_trap();
    }
    try {
        // Sizes, not values: a file may hold "nan".
        if (zel::ReadDataFile(zel::fuzz::ScratchFile("data.txt", text)).size() != zel::ParseDataText(text).size())
            __builtin_trap();
    } catch (const zel::ZelError&) {
        __builtin_trap();  // the file is there and readable
    }
    if (const auto clip = zel::ParseClipboardText(text))
        if (clip->samples.empty() || !(clip->dx > 0)) __builtin_trap();
    return 0;
}
