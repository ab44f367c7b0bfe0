#pragma once
// Data files of the DSP workspace: plain text, one sample per line written with "%f"; read back
// as numbers separated by any white space, up to the end of the file or the first thing that is
// not a number. No header: the sample interval is not stored.

#include <span>
#include <string>
#include <vector>

#include "base/UserText.h"

namespace zel {

// The file's text for the samples (empty for none).
std::string DataFileText(std::span<const double> samples);

// Writes the samples (an empty list makes an empty file) through a temporary file and a rename,
// so a failed write leaves an existing file as it was. Throws ZelError with
// "Ошибка открытия файла %1" when the file cannot be written.
void WriteDataFile(const std::string& path, std::span<const double> samples);

// The numbers at the start of the text.
std::vector<double> ParseDataText(const std::string& text);

// The numbers of a data file. Throws ZelError with "Ошибка открытия файла %1" when it cannot be read.
std::vector<double> ReadDataFile(const std::string& path);

// The messages of the data commands.
UserText DataFileOpenError(const std::string& path);
UserText DataFileEmpty(const std::string& path);
inline constexpr const char* kEmptyDataSet = ZEL_TR_NOOP("Набор данных пуст");  // translated where shown

}  // namespace zel
