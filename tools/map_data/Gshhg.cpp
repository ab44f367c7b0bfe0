// GSHHG's binned netCDF files (shorelines, rivers, borders at one resolution each) rewritten as the
// map's binned line files: the same bins and the same 16-bit offsets, without netCDF at run time.

#include "Gshhg.h"

#include <netcdf.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "map/BinnedLines.h"

namespace fs = std::filesystem;

namespace {

bool Fail(const std::string& text) {
    std::fprintf(stderr, "zel_map_data: %s\n", text.c_str());
    return false;
}

class NetCdf {
  public:
    explicit NetCdf(const fs::path& path) { ok_ = nc_open(path.string().c_str(), NC_NOWRITE, &id_) == NC_NOERR; }
    ~NetCdf() {
        if (ok_) nc_close(id_);
    }
    NetCdf(const NetCdf&) = delete;
    NetCdf& operator=(const NetCdf&) = delete;
    bool ok() const { return ok_; }

    bool has(const char* name) const {
        int var = 0;
        return nc_inq_varid(id_, name, &var) == NC_NOERR;
    }
    template <typename T>
    bool read(const char* name, std::vector<T>& values) {
        int var = 0, dims = 0, dim[NC_MAX_VAR_DIMS];
        if (nc_inq_varid(id_, name, &var) != NC_NOERR || nc_inq_varndims(id_, var, &dims) != NC_NOERR ||
            dims != 1 || nc_inq_vardimid(id_, var, dim) != NC_NOERR)
            return Fail(std::string("no variable ") + name);
        std::size_t n = 0;
        nc_inq_dimlen(id_, dim[0], &n);
        values.resize(n);
        int status;
        if constexpr (sizeof(T) == 4)
            status = nc_get_var_int(id_, var, reinterpret_cast<int*>(values.data()));
        else
            status = nc_get_var_short(id_, var, reinterpret_cast<short*>(values.data()));
        return status == NC_NOERR || Fail(std::string("cannot read ") + name);
    }
    int scalar(const char* name) {
        std::vector<std::int32_t> v;
        return read(name, v) && !v.empty() ? v[0] : -1;
    }

  private:
    int id_ = 0;
    bool ok_ = false;
};

template <typename T>
void Put(std::vector<char>& out, T value) {
    const auto* bytes = reinterpret_cast<const char*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof(T));
}

}  // namespace

bool ConvertGshhgFile(const fs::path& input, const fs::path& output) {
    NetCdf nc(input);
    if (!nc.ok()) return Fail("cannot open " + input.string());
    const int binMinutes = nc.scalar("Bin_size_in_minutes");
    const int binsLon = nc.scalar("N_bins_in_360_longitude_range");
    const int binsLat = nc.scalar("N_bins_in_180_degree_latitude_range");
    std::vector<std::int32_t> firstSegment, firstPoint;
    std::vector<std::int16_t> segmentsInBin, dx, dy;
    std::vector<std::uint32_t> counts, levels;
    // Shorelines pack the point count above bit 9 and the level in bits 6-8 (the entry and exit
    // sides below matter only for filling polygons); rivers and borders keep both apart.
    bool segments = false;
    if (nc.has("Embedded_npts_levels_exit_entry_for_a_segment")) {
        std::vector<std::int32_t> info;
        segments = nc.read("Embedded_npts_levels_exit_entry_for_a_segment", info);
        for (std::int32_t i : info) {
            counts.push_back(std::uint32_t(i) >> 9);
            levels.push_back((std::uint32_t(i) >> 6) & 7);
        }
    } else {
        std::vector<std::int16_t> n, level;
        segments = nc.read("N_points_for_a_segment", n) && nc.read("Hierarchial_level_of_a_segment", level) &&
                   n.size() == level.size();
        for (std::size_t s = 0; s < n.size(); ++s) {
            counts.push_back(std::uint16_t(n[s]));
            levels.push_back(std::uint16_t(level[s]));
        }
    }
    if (binMinutes <= 0 || binsLon <= 0 || binsLat <= 0 || !segments ||
        !nc.read("Id_of_first_segment_in_a_bin", firstSegment) || !nc.read("N_segments_in_a_bin", segmentsInBin) ||
        !nc.read("Id_of_first_point_in_a_segment", firstPoint) ||
        !nc.read("Relative_longitude_from_SW_corner_of_bin", dx) ||
        !nc.read("Relative_latitude_from_SW_corner_of_bin", dy))
        return Fail("not a GSHHG binned file: " + input.string());
    const std::size_t bins = std::size_t(binsLon) * std::size_t(binsLat);
    if (firstSegment.size() != bins || segmentsInBin.size() != bins || counts.size() != firstPoint.size() ||
        dx.size() != dy.size())
        return Fail("inconsistent GSHHG file: " + input.string());

    std::vector<char> out(zel::kBinnedLinesMagic, zel::kBinnedLinesMagic + 8);
    Put<std::int32_t>(out, binMinutes);
    Put<std::int32_t>(out, binsLon);
    Put<std::int32_t>(out, binsLat);
    for (std::size_t b = 0; b < bins; ++b) {
        Put<std::uint32_t>(out, std::uint32_t(firstSegment[b]));
        Put<std::uint32_t>(out, std::uint16_t(segmentsInBin[b]));
    }
    Put<std::int32_t>(out, std::int32_t(counts.size()));
    for (std::size_t s = 0; s < counts.size(); ++s) {
        const std::uint32_t count = counts[s];
        if (count > 0xffff || levels[s] > 0xff || std::size_t(firstPoint[s]) + count > dx.size())
            return Fail("segment out of range in " + input.string());
        Put<std::uint32_t>(out, std::uint32_t(firstPoint[s]));
        Put<std::uint16_t>(out, std::uint16_t(count));
        Put<std::uint8_t>(out, std::uint8_t(levels[s]));
        Put<std::uint8_t>(out, 0);
    }
    Put<std::int32_t>(out, std::int32_t(dx.size()));
    for (std::size_t p = 0; p < dx.size(); ++p) {
        Put<std::uint16_t>(out, std::uint16_t(dx[p]));
        Put<std::uint16_t>(out, std::uint16_t(dy[p]));
    }
    const fs::path temporary = output.string() + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(out.data(), std::streamsize(out.size()));
        if (!file) return Fail("cannot write " + temporary.string());
    }
    std::error_code error;
    fs::rename(temporary, output, error);
    return !error || Fail("cannot rename " + temporary.string());
}
