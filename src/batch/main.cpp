#include <iostream>

#include "base/LargeBuffer.h"
#include "batch/BatchMain.h"
#include "i18n/InterfaceTranslation.h"

int main(int argc, char** argv) {
    zel::KeepFreedSampleBuffers();
    // A command-line tool speaks English unless the locale asks for Russian.
    const zel::InterfaceTranslation language(
        zel::LocaleInterfaceLanguage().value_or(zel::InterfaceLanguage::English), zel::TranslatedProgram::Batch);
    std::vector<std::string> args(argv + 1, argv + argc);
    return zel::batch::RunBatch(args, std::cin, std::cout, std::cerr);
}
