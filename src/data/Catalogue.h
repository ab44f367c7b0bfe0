#pragma once
// The catalogue of the disk loop (table FILELIST of the working database) and the CSS wfdisc
// table: finding the segments of a channel that cover a time window and reading them as data
// blocks, listing catalogue rows, and removing segments and their files.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/SampleFile.h"
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

// One channel and the window wanted of it.
struct ChannelRequest {
    std::string station;
    std::string channel;
    std::string lcode;  // "??" also matches rows without a location code
    double t1 = 0.0;
    double t2 = 0.0;
};

// A segment the catalogue lists for a request, with what reading it needs.
struct CataloguedSegment {
    SegmentLocation location;
    std::string encodingName;  // the catalogued code or wfdisc datatype, for the analyst's text
    std::optional<double> calib;
    std::optional<double> calper;
};

// Catalogue form for many channels: for each request the FILELIST rows of its station, channel
// and location code that start by its t2 and end at or after its t1, in the order of TBEGIN. One
// query serves up to 50 channels. Throws Db::Error (driver text, a line break and the statement).
std::vector<std::vector<CataloguedSegment>> FindSegments(Db::Connection& work,
                                                         const CatalogueSettings& settings,
                                                         const std::vector<ChannelRequest>& requests);
// wfdisc form of one request; the channel is compared without regard to case. Throws Db::Error.
std::vector<CataloguedSegment> FindWfdiscSegments(Db::Connection& css, const CatalogueSettings& settings,
                                                  const ChannelRequest& request);
// Reads the segments found for a request, cut to its window, into the target, noting what could
// not be read. The target is cleared and named first; its sample buffers are filled again where
// they fit.
SegmentLoadReport ReadSegments(const std::vector<CataloguedSegment>& segments, const std::string& dataDir,
                               const ChannelRequest& request, ZELDataBlockArray& target);

// Catalogue form: every FILELIST row of the station, channel and location code ("??" also
// matches rows without one) that starts by t2 and ends at or after t1, read and cut to the window.
// The target is cleared and named first (its sample buffers are filled again where they fit). A
// query error leaves it empty and is thrown as Db::Error
// (driver text, a line break and the statement).
SegmentLoadReport LoadSegments(Db::Connection& work, const CatalogueSettings& settings,
                               const std::string& station, const std::string& channel,
                               const std::string& lcode, double t1, double t2, ZELDataBlockArray& target);

// Catalogue form for many channels: one query for up to 50 of them (FindSegments), then each
// channel's files read into targets[i] on the machine's cores, as LoadChannelSegments does.
std::vector<SegmentLoadReport> LoadSegments(Db::Connection& work, const CatalogueSettings& settings,
                                            const std::vector<ChannelRequest>& requests,
                                            std::vector<ZELDataBlockArray>& targets);

// wfdisc form on the CSS database; the channel is compared without regard to case.
SegmentLoadReport LoadWfdiscSegments(Db::Connection& css, const CatalogueSettings& settings,
                                     const std::string& station, const std::string& channel, double t1,
                                     double t2, ZELDataBlockArray& target);

// The form the configuration asks for: wfdisc when useWfdisc is set and the CSS database is open.
SegmentLoadReport LoadChannelSegments(Databases& databases, const CatalogueSettings& settings,
                                      const std::string& station, const std::string& channel,
                                      const std::string& lcode, double t1, double t2,
                                      ZELDataBlockArray& target);

// The same for many channels: each channel's files read into targets[i] on the machine's cores,
// replacing what it held (its sample buffers are filled again where they fit). A query error
// leaves every target cleared and named and is thrown; a failed read is thrown after the other
// reads, each target keeping what was read.
std::vector<SegmentLoadReport> LoadChannelSegments(Databases& databases, const CatalogueSettings& settings,
                                                   const std::vector<ChannelRequest>& requests,
                                                   std::vector<ZELDataBlockArray>& targets);

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
