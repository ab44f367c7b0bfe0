// Converts Debian's cartopy data (python-cartopy-data) into the map window's files:
//   map.pnt        from the coarse GSHHS coastline shapefile gshhs/c/GSHHS_c_L1
//   map00 ... 08   from the Natural Earth shaded-relief picture under raster/natural_earth/,
//                  resampled to 12 pixels per degree and cut into nine bands of 20° of latitude.
//   shore_?.zbl, river_?.zbl, border_?.zbl
//                  from GSHHG's binned files (gmt-gshhg-low, gmt-gshhg-high) when a third folder
//                  is given: shorelines with lakes, rivers and borders at four resolutions.
// Usage: zel_map_data CARTOPY_DATA_DIR OUTPUT_DIR [GSHHG_DIR]
// Each file is written under a temporary name and renamed, so a failed run leaves no torn file.

#include <shapefil.h>

#include <QImage>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Gshhg.h"
#include "map/BinnedLines.h"
#include "map/Coastline.h"
#include "map/MapDataFiles.h"
#include "map/MapView.h"
#include "map/ReliefBands.h"

namespace fs = std::filesystem;

namespace {

constexpr std::int16_t kContinueCode = 1;

bool Fail(const std::string& text) {
    std::fprintf(stderr, "zel_map_data: %s\n", text.c_str());
    return false;
}

bool Publish(const fs::path& temporary, const fs::path& target) {
    std::error_code error;
    fs::rename(temporary, target, error);
    return !error || Fail("cannot rename " + temporary.string() + ": " + error.message());
}

// Every ring of every polygon becomes one line; points that round to the same minute are merged.
bool ConvertCoastline(const fs::path& shapefile, const fs::path& output) {
    SHPHandle shp = SHPOpen(shapefile.string().c_str(), "rb");
    if (!shp) return Fail("cannot open the shapefile " + shapefile.string());
    int count = 0, type = 0;
    SHPGetInfo(shp, &count, &type, nullptr, nullptr);
    std::vector<unsigned char> bytes;
    for (int i = 0; i < count; ++i) {
        SHPObject* object = SHPReadObject(shp, i);
        if (!object) continue;
        for (int part = 0; part < object->nParts; ++part) {
            const int begin = object->panPartStart[part];
            const int end = part + 1 < object->nParts ? object->panPartStart[part + 1] : object->nVertices;
            long lastLat = 1L << 20, lastLon = 1L << 20;
            double previousLat = 0.0, previousLon = 0.0;
            for (int v = begin; v < end; ++v) {
                const double lat = object->padfY[v], lon = zel::NormalizeLongitude(object->padfX[v]);
                const long latMin = std::lround(lat * 60.0), lonMin = std::lround(lon * 60.0);
                if (latMin == lastLat && lonMin == lastLon) continue;
                // The cut along the date line and the closure over the pole are no coast.
                const bool starts = v == begin || zel::IsPolygonSeam(previousLat, previousLon, lat, lon);
                zel::AppendCoastRecord(bytes, starts ? zel::kCoastlineStartCode : kContinueCode, lat, lon);
                lastLat = latMin;
                lastLon = lonMin;
                previousLat = lat;
                previousLon = lon;
            }
        }
        SHPDestroyObject(object);
    }
    SHPClose(shp);
    if (bytes.empty()) return Fail("no coastline points in " + shapefile.string());
    const fs::path temporary = output.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) return Fail("cannot write " + temporary.string());
    }
    std::printf("%s: %zu points\n", output.string().c_str(), bytes.size() / zel::kCoastlineRecordSize);
    return Publish(temporary, output);
}

bool ConvertRelief(const fs::path& picture, const fs::path& outputDir) {
    QImage world(QString::fromStdString(picture.string()));
    if (world.isNull()) return Fail("cannot read the relief picture " + picture.string());
    world = world.convertToFormat(QImage::Format_RGB888)
                .scaled(zel::kReliefBandWidth, zel::kReliefBandHeight * zel::kReliefBandCount,
                        Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (int band = 0; band < zel::kReliefBandCount; ++band) {
        const QImage slice =
            world.copy(0, band * zel::kReliefBandHeight, zel::kReliefBandWidth, zel::kReliefBandHeight);
        const fs::path target = outputDir / zel::ReliefBandFileName(band);
        const fs::path temporary = target.string() + ".tmp";
        if (!slice.save(QString::fromStdString(temporary.string()), "BMP"))
            return Fail("cannot write " + temporary.string());
        if (!Publish(temporary, target)) return false;
    }
    std::printf("%s: %d relief bands\n", outputDir.string().c_str(), zel::kReliefBandCount);
    return true;
}

// The shaded-relief picture of the package (there is one, its name carries the resolution).
fs::path FindReliefPicture(const fs::path& dataDir) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dataDir / "raster" / "natural_earth", error))
        if (entry.path().extension() == ".png" &&
            entry.path().filename().string().find("natural-earth") != std::string::npos)
            return entry.path();
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: zel_map_data CARTOPY_DATA_DIR OUTPUT_DIR [GSHHG_DIR]\n");
        return 2;
    }
    const fs::path dataDir = argv[1], outputDir = argv[2];
    std::error_code error;
    fs::create_directories(outputDir, error);
    if (error) {
        Fail("cannot create " + outputDir.string());
        return 1;
    }
    const fs::path picture = FindReliefPicture(dataDir);
    bool ok = ConvertCoastline(dataDir / "shapefiles" / "gshhs" / "c" / "GSHHS_c_L1",
                               outputDir / zel::kCoastlineFileName);
    ok = (picture.empty()
              ? Fail("no Natural Earth picture under " + (dataDir / "raster" / "natural_earth").string())
              : ConvertRelief(picture, outputDir)) &&
         ok;
    if (argc == 4) {
        const fs::path gshhg = argv[3];
        const std::pair<zel::MapLayer, const char*> layers[] = {
            {zel::MapLayer::Shore, "GSHHS"}, {zel::MapLayer::River, "river"}, {zel::MapLayer::Border, "border"}};
        for (auto [layer, name] : layers)
            for (auto resolution : {zel::MapResolution::Crude, zel::MapResolution::Low,
                                    zel::MapResolution::Intermediate, zel::MapResolution::High}) {
                const std::string input =
                    std::string("binned_") + name + "_" + zel::ResolutionLetter(resolution) + ".nc";
                ok = ConvertGshhgFile(gshhg / input, outputDir / zel::BinnedLinesFileName(layer, resolution)) && ok;
            }
    }
    return ok ? 0 : 1;
}
