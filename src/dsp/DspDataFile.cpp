#include "dsp/DspDataFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/ZelError.h"
#include "data/SampleFile.h"
#include "dsp/DspNumberText.h"

namespace zel {

UserText DataFileOpenError(const std::string& path) { return Tr("Ошибка открытия файла %1").arg(path); }
UserText DataFileEmpty(const std::string& path) { return Tr("Файл %1 пуст").arg(path); }

std::string DataFileText(std::span<const double> samples) {
    std::string text;
    for (double v : samples) {
        text += FormatFixed(v);
        text += '\n';
    }
    return text;
}

void WriteDataFile(const std::string& path, std::span<const double> samples) {
    try {
        WriteFileAtomically(path, DataFileText(samples));
    } catch (const ZelError&) {
        throw ZelError(DataFileOpenError(path));
    }
}

std::vector<double> ParseDataText(const std::string& text) {
    std::vector<double> values;
    std::size_t at = 0;
    double v = 0;
    while (ReadNumber(text, at, v)) values.push_back(v);
    return values;
}

std::vector<double> ReadDataFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ZelError(DataFileOpenError(path));
    std::ostringstream text;
    text << in.rdbuf();
    return ParseDataText(text.str());
}

}  // namespace zel
