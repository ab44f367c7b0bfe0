#pragma once
// Exchange of waveforms with other seismological software in the CSS 3.0 form: a wfdisc index
// of fixed-width lines pointing into binary sample files. The import copies every segment of a
// folder's wfdisc files into the disk loop as a "[ZEL4.0]" file with its FILELIST row; the
// export writes channels as a wfdisc file with one sample file per block.

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "data/CXChanArray.h"
#include "data/StationModel.h"
#include "data/ZELDataBlockArray.h"

namespace zel {

namespace Db {
class Connection;
}

// One line of the wfdisc relation. Defaults are the relation's null values.
struct WfdiscRecord {
    std::string sta = "-";
    std::string chan = "-";
    double time = -9999999999.999;
    long long wfid = -1;
    long long chanid = -1;
    long long jdate = -1;
    double endtime = -9999999999.999;
    long long nsamp = -1;
    double samprate = -1.0;
    double calib = 0.0;
    double calper = -1.0;
    std::string instype = "-";
    char segtype = '-';
    std::string datatype = "-";
    char clip = '-';
    std::string dir = "-";
    std::string dfile = "-";
    long long foff = 0;
    long long commid = -1;
    std::string lddate = "-";
};

inline constexpr std::size_t kWfdiscLineLength = 283;  // without the line feed

// A line without its line feed; nullopt unless it is exactly one wfdisc line with readable
// numbers. Text fields lose their trailing blanks.
std::optional<WfdiscRecord> ParseWfdiscLine(std::string_view line);
// The record as 283 characters and a line feed; text fields are cut at their width.
std::string FormatWfdiscLine(const WfdiscRecord& record);

// Bytes per sample of a CSS datatype code, 0 for a code without a size.
int WfdiscSampleSize(const std::string& datatype);
// True when the import can turn samples of this datatype into floats.
bool IsConvertibleWfdiscType(const std::string& datatype);
// Samples of bytes (a whole number of samples) as floats. Throws ZelError "Не могу
// конвертировать данные типа %s" for a datatype the import does not convert.
std::vector<float> ConvertWfdiscSamples(const std::string& datatype, std::string_view bytes);

// How the Russian texts of two refusals begin; the file's path follows. The texts are made from
// their own templates, so that a translation may word them whole.
inline constexpr const char* kNotARegularFile = "Файл не является обычным файлом: ";
inline constexpr const char* kOutsideWfdiscFolder = "Файл данных лежит вне каталога файла wfdisc: ";

// The samples of a wfdisc line from its sample file: dir and dfile joined under the wfdisc file's
// folder, and taken only from inside that folder's tree (a "..", an absolute name or a link that
// leads out of it is refused with kOutsideWfdiscFolder), and only from a regular file
// (kNotARegularFile: a pipe is never waited on). Throws ZelError with the analyst's text also when
// the datatype cannot be converted or the file does not hold nsamp samples from foff on.
std::vector<float> ReadWfdiscSamples(const std::string& wfdiscDir, const WfdiscRecord& line);

// The wfdisc files a folder import takes: every file whose name holds ".wfd", in name order
// (one that is not a regular file is listed, and the import names and skips it). ec tells when
// the folder could not be listed.
std::vector<std::string> WfdiscFilesOf(const std::string& folder, std::error_code& ec);

// Disk-loop file of a segment relative to the data directory: "STA/hhmmss-ddmmyyyy.chan" (whole
// second of the start); a non-zero variant goes before the extension as "_variant".
std::string ImportFileName(const std::string& station, const std::string& channel, double start,
                           int variant = 0);

struct CssImportReport {
    int segments = 0;                 // segments written and catalogued
    std::vector<std::string> errors;  // the analyst's texts, in the order met
    bool stopped = false;             // the import ended before the last line
};

// Copies wfdisc segments into the disk loop. One importer serves one import command, so two
// segments of one channel starting in the same second get files of their own.
class CssWaveformImporter {
  public:
    // Asked with the analyst's question when a catalogue row cannot be inserted; true goes on.
    using InsertFailureQuestion = std::function<bool(const std::string& question)>;

    CssWaveformImporter(Db::Connection& work, const std::vector<Station>& stations, std::string dataDir,
                        bool useTend, InsertFailureQuestion continueAfterInsertFailure);

    // Every file of the folder whose name holds ".wfd", then every SAC file, in name order.
    CssImportReport ImportDirectory(const std::string& folder, CXChanArray& spans);
    CssImportReport ImportWfdisc(const std::string& wfdiscPath, CXChanArray& spans);
    // One binary SAC file as one segment (data/SacFile.h); a station or channel the table lacks
    // is reported.
    CssImportReport ImportSac(const std::string& sacPath, CXChanArray& spans);

  private:
    void ImportWfdisc(const std::string& wfdiscPath, CXChanArray& spans, CssImportReport& report);
    void ImportSac(const std::string& sacPath, CXChanArray& spans, CssImportReport& report);
    // False when the whole import must stop.
    bool ImportSegment(const std::string& wfdiscDir, const WfdiscRecord& line, const Station& station,
                       CXChanArray& spans, CssImportReport& report);
    std::string FreeFileName(const std::string& station, const std::string& channel, double start);
    bool Catalogue(const std::string& relativePath, const std::string& station, const std::string& channel,
                   const WfdiscRecord& line, double duration);

    Db::Connection& work_;
    const std::vector<Station>& stations_;
    std::string dataDir_;
    bool useTend_;
    InsertFailureQuestion continueAfterInsertFailure_;
    std::set<std::string> written_;  // relative paths written by this importer
};

// Sample formats of the export.
enum class WfdiscExportFormat { Int32Le = 0, Float32Le = 1, Int32Be = 2 };

// Writes the wfdisc file (replacing one that exists) and one sample file per block beside it.
// Samples outside what the format holds are clamped to it, NaN becomes 0. Throws ZelError "Ошибка
// записи файла wfdisc" on a file error; the files written before it stay.
void ExportWfdisc(const std::string& wfdiscPath, const XZELDataBlockArrays& channels,
                  WfdiscExportFormat format);

}  // namespace zel
