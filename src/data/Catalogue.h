#pragma once
// The catalogue of the disk loop (table FILELIST of the working database) and the CSS wfdisc
// table: finding the segments of a channel that cover a time window and reading them as data
// blocks, listing catalogue rows, and removing segments and their files.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/ZELDataBlockArray.h"

namespace zel {

namespace Db {
class Connection;
}
class Databases;
class MessageSink;

// The configuration the catalogue works with.
struct CatalogueSettings {
    std::string dataDir;     // base of relative catalogue paths
    bool useTend = false;    // segment ends from column TEND instead of TBEGIN+TQTY
    bool useWfdisc = false;  // look segments up in the CSS wfdisc table
    // Directory as written in wfdisc rows -> directory holding those files on this machine.
    std::vector<std::pair<std::string, std::string>> directoryMap;
};

// A segment the load could not (fully) turn into data. Its time is a gap in the channel.
struct LoadProblem {
    enum Kind { MissingFile, ShortFile, UnknownEncoding };
    Kind kind = MissingFile;
    std::string path;      // file on this machine
    std::string encoding;  // the catalogued code or wfdisc datatype, for UnknownEncoding
};

struct SegmentLoadReport {
    std::vector<LoadProblem> problems;  // each file, kind and encoding once, in the order met
    std::size_t blocks = 0;             // blocks appended to the channel

    // The analyst's text: one line per problem; empty when there is none.
    std::string Text() const;
};

// Catalogue form: every FILELIST row of the station, channel and location code ("??" also
// matches rows without one) that starts by t2 and ends at or after t1, read and cut to the window.
// The target is cleared and named first. A query error leaves it empty and is thrown as Db::Error
// (driver text, a line break and the statement).
SegmentLoadReport LoadSegments(Db::Connection& work, const CatalogueSettings& settings,
                               const std::string& station, const std::string& channel,
                               const std::string& lcode, double t1, double t2, ZELDataBlockArray& target);

// wfdisc form on the CSS database; the channel is compared without regard to case.
SegmentLoadReport LoadWfdiscSegments(Db::Connection& css, const CatalogueSettings& settings,
                                     const std::string& station, const std::string& channel, double t1,
                                     double t2, ZELDataBlockArray& target);

// The form the configuration asks for: wfdisc when useWfdisc is set and the CSS database is open.
SegmentLoadReport LoadChannelSegments(Databases& databases, const CatalogueSettings& settings,
                                      const std::string& station, const std::string& channel,
                                      const std::string& lcode, double t1, double t2,
                                      ZELDataBlockArray& target);

// Encoding code of a CSS datatype, nullopt for one the reader cannot decode.
std::optional<int> EncodingOfWfdiscType(const std::string& datatype);

// Deletes the FILELIST rows of exactly this path, whichever separator ("/" or "\") each row was
// stored with. True when a row was deleted. Throws ZelError with the analyst's text on a
// database error.
bool DeleteCatalogueRowsByPath(Db::Connection& work, const std::string& path);

// Removes one segment: its FILELIST rows (path and offset, or path with a null offset) in one
// transaction, then, after the commit and only when no other row still uses the file, the file.
// Problems are shown through messages (a file that cannot be removed keeps its row); false then.
bool DeleteSegment(Db::Connection& work, const std::string& dataDir, const std::string& cpath,
                   std::optional<std::int64_t> foff, MessageSink& messages);

// The disk-loop cleaning command: asks, then removes every segment of the station that starts
// in [t1, t2) (whole seconds). Returns the number of segments removed, or -1 when the analyst
// declined. Throws Db::Error when the rows cannot be listed.
int CleanDiskLoop(Db::Connection& work, const std::string& dataDir, const std::string& station, double t1,
                  double t2, MessageSink& messages);

// One row of the waveform file list.
struct CatalogueFile {
    std::string station;
    std::string channel;
    double begin = 0.0;
    double duration = 0.0;
    double sps = 0.0;
    std::string path;
    int encoding = 0;
    std::optional<std::int64_t> foff;
};

// FILELIST rows of one station, newest first; with a day range only rows starting in it (whole
// seconds, both ends included); with channel codes only those channels. Throws Db::Error.
std::vector<CatalogueFile> ListCatalogueFiles(Db::Connection& work, const std::string& station,
                                              std::optional<std::pair<double, double>> range,
                                              const std::vector<std::string>& channels);
// The earliest start and the latest end of the catalogued files; nullopt when the catalogue is
// empty or cannot be read.
std::optional<std::pair<double, double>> CataloguedSpan(Db::Connection& work);

// wfdisc rows of one station starting in [t1, t2] (whole seconds), newest first. Throws Db::Error.
std::vector<CatalogueFile> ListWfdiscFiles(Db::Connection& css, const std::string& station, double t1,
                                           double t2);

}  // namespace zel
