// zel_fk_module WFDISC RESULTS WINDOW
// Reads the wfdisc the workstation wrote (f4 samples) and the site file beside it, runs the
// slowness grid search over each channel's whole span and writes "slowness back_azimuth".

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "base/ZelError.h"
#include "data/CssWaveformImport.h"
#include "dsp/Fk.h"
#include "dsp/FkExchange.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: zel_fk_module WFDISC RESULTS WINDOW\n";
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path wfdisc = argv[1];
    try {
        const auto sites = zel::ReadFkSiteFile((wfdisc.parent_path() / "0.site").string());
        std::ifstream in(wfdisc, std::ios::binary);
        std::string text;
        std::vector<zel::FkChannel> channels;
        while (std::getline(in, text)) {
            const auto line = zel::ParseWfdiscLine(text);
            if (!line || line->nsamp <= 0 || !(line->samprate > 0)) continue;
            std::ifstream data(wfdisc.parent_path() / line->dfile, std::ios::binary);
            std::string bytes(static_cast<std::size_t>(line->nsamp) * 4, '\0');
            if (!data.seekg(line->foff) ||
                !data.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
                throw zel::ZelError("cannot read " + line->dfile);
            zel::FkChannel c{zel::ConvertWfdiscSamples(line->datatype, bytes),
                             line->time,
                             line->samprate,
                             line->time,
                             line->time + static_cast<double>(line->nsamp) / line->samprate,
                             0.0,
                             0.0};
            for (const zel::FkSiteOffsets& s : sites)
                if (s.station == line->sta) c.dnorth = s.dnorth, c.deast = s.deast;
            channels.push_back(std::move(c));
        }
        if (channels.empty()) throw zel::ZelError("no channels in " + wfdisc.string());
        const zel::FkResult r = zel::FkGridSearch(channels, channels.front().sps, zel::FkGrid{});
        std::ofstream out(argv[2], std::ios::trunc);
        out << std::fixed << r.slowness << " " << r.azimuth << "\n";
        if (!out) throw zel::ZelError("cannot write " + std::string(argv[2]));
    } catch (const zel::ZelError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
