// libFuzzer target for the locator exchange read back by columns: the configuration, the arrival
// file and the origin file. Any text gives values or a clear error.

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/ZelError.h"
#include "events/LoqFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const zel::LoqConfig ours = zel::ParseLoqConfiguration(zel::LoqConfiguration());
    const std::string text(reinterpret_cast<const char*>(data), size);
    const zel::LoqConfig theirs = zel::ParseLoqConfiguration(text);
    for (const zel::LoqConfig* config : {&ours, &theirs}) {
        try {
            zel::ReadLoqArrivals(text, *config);
        } catch (const zel::ZelError&) {
        }
        try {
            zel::ReadLoqOrigin(text, *config);
        } catch (const zel::ZelError&) {
        }
    }
    return 0;
}
