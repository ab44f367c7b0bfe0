#include "data/SacFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "base/TimeConversions.h"
#include "base/ZelError.h"

namespace zel {
namespace fs = std::filesystem;

namespace {

// Header words: floats 0..69, integers 70..109 (logicals from 105), text from byte 440.
constexpr int kDelta = 0, kScale = 3, kBegin = 5;
constexpr int kYear = 70, kDay = 71, kHour = 72, kMinute = 73, kSecond = 74, kMillisecond = 75, kVersion = 76,
              kNpts = 79, kFileType = 85, kEven = 105;
constexpr int kTimeSeries = 1;  // IFTYPE ITIME
constexpr int kUndefined = -12345;

class Header {
  public:
    explicit Header(const std::string& bytes) : bytes_(bytes) {}
    bool SetOrder() {
        for (bool swap : {false, true}) {
            swap_ = swap;
            if (Int(kVersion) == 6) return true;
        }
        return false;
    }
    bool Swapped() const { return swap_; }
    std::uint32_t Word(int index) const {
        std::uint32_t u;
        std::memcpy(&u, bytes_.data() + 4 * index, 4);
        return swap_ ? __builtin_bswap32(u) : u;
    }
    std::int32_t Int(int index) const { return static_cast<std::int32_t>(Word(index)); }
    float Float(int index) const { return std::bit_cast<float>(Word(index)); }
    std::string Text(int offset, int width) const {
        std::string t = bytes_.substr(offset, width);
        t.erase(std::find(t.begin(), t.end(), '\0'), t.end());
        while (!t.empty() && t.back() == ' ') t.pop_back();
        return t == "-12345" ? std::string() : t;
    }

  private:
    const std::string& bytes_;
    bool swap_ = false;
};

}  // namespace

WfdiscRecord SacAsWfdiscLine(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ZelError(Tr("Ошибка открытия файла %1").arg(path));
    std::string bytes(kSacHeaderBytes, '\0');
    if (!in.read(bytes.data(), kSacHeaderBytes)) throw ZelError(Tr("Файл не в формате SAC: %1").arg(path));
    Header h(bytes);
    if (!h.SetOrder()) throw ZelError(Tr("Файл не в формате SAC: %1").arg(path));
    if (h.Int(kFileType) != kTimeSeries || h.Int(kEven) != 1)
        throw ZelError(Tr("Файл SAC не содержит равномерного временного ряда: %1").arg(path));
    const float delta = h.Float(kDelta);
    const std::int32_t npts = h.Int(kNpts);
    if (!(delta > 0) || !std::isfinite(delta) || npts <= 0)
        throw ZelError(Tr("Неверный заголовок файла SAC: %1").arg(path));
    for (int field : {kYear, kDay, kHour, kMinute, kSecond, kMillisecond})
        if (h.Int(field) == kUndefined)
            throw ZelError(Tr("В заголовке файла SAC нет времени начала: %1").arg(path));
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec || static_cast<long long>(size) < kSacHeaderBytes + 4LL * npts)
        throw ZelError(Tr("Файл SAC короче, чем указано в заголовке: %1").arg(path));
    const float begin = h.Float(kBegin) == kUndefined ? 0.0f : h.Float(kBegin);
    const float scale = h.Float(kScale);

    WfdiscRecord line;
    line.sta = h.Text(440, 8);
    line.chan = h.Text(600, 8);
    if (line.sta.empty() || line.chan.empty())
        throw ZelError(Tr("В заголовке файла SAC нет станции или канала: %1").arg(path));
    line.time = YdhmsToEpoch(h.Int(kYear), h.Int(kDay), h.Int(kHour), h.Int(kMinute), h.Int(kSecond),
                             h.Int(kMillisecond)) +
                static_cast<double>(begin);
    line.nsamp = npts;
    line.samprate = 1.0 / static_cast<double>(delta);
    line.endtime = line.time + static_cast<double>(npts - 1) * static_cast<double>(delta);
    line.datatype = h.Swapped() == (std::endian::native == std::endian::little) ? "t4" : "f4";
    line.calib = scale > 0 && scale != kUndefined ? scale : 1.0;
    line.calper = 1.0;
    line.dir = ".";
    line.dfile = fs::path(path).filename().string();
    line.foff = kSacHeaderBytes;
    return line;
}

std::vector<std::string> SacFilesOf(const std::string& folder, std::error_code& ec) {
    std::vector<std::string> files;
    ec.clear();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        if (ext == ".sac" && !it->is_directory(ec)) files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace zel
