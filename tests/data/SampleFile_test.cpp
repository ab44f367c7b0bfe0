#include "data/SampleFile.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

// Decodes from a separate buffer and, as the reader does, in place from the tail of the sample
// buffer: both must give the same samples.
std::vector<float> Decode(int encoding, const std::string& bytes) {
    std::vector<float> out(bytes.size() / BytesPerSample(encoding));
    DecodeSamples(encoding, reinterpret_cast<const unsigned char*>(bytes.data()), out.size(), out.data());
    std::vector<float> inPlace(out.size());
    auto* tail =
        reinterpret_cast<unsigned char*>(inPlace.data()) + inPlace.size() * sizeof(float) - bytes.size();
    std::memcpy(tail, bytes.data(), bytes.size());
    DecodeSamples(encoding, tail, inPlace.size(), inPlace.data());
    EXPECT_EQ(std::memcmp(inPlace.data(), out.data(), out.size() * sizeof(float)), 0)
        << "encoding " << encoding;
    return out;
}

// Little-endian float32 samples 0, 1, 2, ... after a 512-byte header, so a value names its index.
std::string RampFile(int count, std::size_t headerBytes = 512) {
    std::string s(headerBytes, 'H');
    for (int i = 0; i < count; ++i) {
        const auto u = std::bit_cast<std::uint32_t>(static_cast<float>(i));
        for (int b = 0; b < 4; ++b) s += static_cast<char>(u >> (8 * b) & 0xFF);
    }
    return s;
}

TEST(SampleFile, EveryEncodingDecodesItsOwnLayout) {
    EXPECT_EQ(Decode(kEncodingInt32Be, Bytes({0x01, 0x02, 0x03, 0x04})), std::vector<float>{16909060.0f});
    EXPECT_EQ(Decode(kEncodingInt24Be, Bytes({0xFF, 0xFF, 0xFE, 0x7F, 0xFF, 0xFF, 0x80, 0x00, 0x00})),
              (std::vector<float>{-2.0f, 8388607.0f, -8388608.0f}));
    EXPECT_EQ(Decode(kEncodingInt8, Bytes({0x7F, 0x80, 0xFF})), (std::vector<float>{127, -128, -1}));
    EXPECT_EQ(Decode(kEncodingInt16Le, Bytes({0x01, 0x02, 0xFF, 0xFF})), (std::vector<float>{513, -1}));
    EXPECT_EQ(Decode(kEncodingUInt16Le, Bytes({0xFF, 0xFF})), std::vector<float>{65535});
    EXPECT_EQ(Decode(kEncodingInt32Le, Bytes({0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF})),
              (std::vector<float>{16909060.0f, -2.0f}));
    // 0x3FC00000 is 1.5 in IEEE 754 single precision.
    EXPECT_EQ(Decode(kEncodingFloat32Le, Bytes({0x00, 0x00, 0xC0, 0x3F})), std::vector<float>{1.5f});

    // Long runs of every byte pattern, against the layouts' arithmetic written out sample by sample:
    // counts around the four-sample steps of the fast decoding, and its last partial step.
    struct Layout {
        int encoding;
        double (*value)(const unsigned char*);
    };
    const Layout layouts[] = {
        {kEncodingInt32Be,
         [](const unsigned char* p) {
             return ((p[0] * 256.0 + p[1]) * 256 + p[2]) * 256 + p[3] - (p[0] >= 128 ? 4294967296.0 : 0);
         }},
        {kEncodingInt24Be,
         [](const unsigned char* p) {
             return (p[0] * 256.0 + p[1]) * 256 + p[2] - (p[0] >= 128 ? 16777216.0 : 0);
         }},
        {kEncodingInt32Le,
         [](const unsigned char* p) {
             return ((p[3] * 256.0 + p[2]) * 256 + p[1]) * 256 + p[0] - (p[3] >= 128 ? 4294967296.0 : 0);
         }},
        {kEncodingInt16Le,
         [](const unsigned char* p) { return p[1] * 256.0 + p[0] - (p[1] >= 128 ? 65536.0 : 0); }},
    };
    std::uint32_t seed = 12345;
    for (const Layout& layout : layouts)
        for (std::size_t count : {5u, 6u, 7u, 8u, 9u, 1001u, 1536u}) {
            const std::size_t width = static_cast<std::size_t>(BytesPerSample(layout.encoding));
            std::string bytes(count * width, '\0');
            for (char& c : bytes) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
            const std::vector<float> decoded = Decode(layout.encoding, bytes);
            ASSERT_EQ(decoded.size(), count);
            for (std::size_t i = 0; i < count; ++i)
                ASSERT_EQ(decoded[i], static_cast<float>(layout.value(
                                          reinterpret_cast<const unsigned char*>(bytes.data()) + width * i)))
                    << "encoding " << layout.encoding << ", " << count << " samples, sample " << i;
        }

    EXPECT_EQ(BytesPerSample(kEncodingInt24Be), 3);
    EXPECT_EQ(BytesPerSample(kEncodingUInt16Le), 2);
    EXPECT_EQ(BytesPerSample(kEncodingUndecoded), 4);
    EXPECT_EQ(BytesPerSample(99), 4);
    EXPECT_FALSE(IsDecodableEncoding(kEncodingUndecoded));
    EXPECT_FALSE(IsDecodableEncoding(-1));
    EXPECT_FALSE(IsDecodableEncoding(8));
}

TEST(SampleFile, PathRules) {
    EXPECT_TRUE(IsAbsoluteCatalogPath("C:\\data\\x.bin"));
    EXPECT_TRUE(IsAbsoluteCatalogPath("\\\\server\\share\\x.bin"));
    EXPECT_TRUE(IsAbsoluteCatalogPath("//server/share/x.bin"));
    EXPECT_FALSE(IsAbsoluteCatalogPath("2013/06/14/x.bin"));
    EXPECT_FALSE(IsAbsoluteCatalogPath("\\2013\\x.bin"));
    EXPECT_FALSE(IsAbsoluteCatalogPath("/data/x.bin"));  // one slash is not the catalogue's absolute form
    EXPECT_FALSE(IsAbsoluteCatalogPath("x"));

    EXPECT_EQ(SampleFilePath("/loop", "2013/06/14/x.bin", true), "/loop/2013/06/14/x.bin");
    EXPECT_EQ(SampleFilePath("/loop/", "2013\\06\\14\\x.bin", true), "/loop/2013/06/14/x.bin");
    EXPECT_EQ(SampleFilePath("D:\\loop\\", "\\2013\\x.bin", true), "D:/loop/2013/x.bin");
    EXPECT_EQ(SampleFilePath("/loop", "\\\\server\\share\\x.bin", false), "//server/share/x.bin");
    EXPECT_EQ(SampleFilePath("/loop", "C:\\data\\x.bin", false), "C:/data/x.bin");
}

TEST(SampleFile, WindowAgainstSegment) {
    const double b = 1371204000.0;  // 2013-06-14 10:00:00
    // Half an hour in, ten seconds: 1000 samples from sample 180000.
    SegmentWindow w = WindowOfSegment(b, 3600, 100, b + 1800, b + 1810);
    EXPECT_EQ(w.first, 180000);
    EXPECT_EQ(w.count, 1000);
    EXPECT_EQ(w.begin, b + 1800);
    // A window opening between two samples starts at the earlier one.
    w = WindowOfSegment(b, 3600, 100, b + 1800.005, b + 1801);
    EXPECT_EQ(w.first, 180000);
    EXPECT_DOUBLE_EQ(w.begin, b + 1800);
    // A window that opens before the segment starts with its first sample and stops at the segment's end.
    w = WindowOfSegment(b, 3600, 100, b - 50, b + 7200);
    EXPECT_EQ(w.first, 0);
    EXPECT_EQ(w.count, 360000);
    // Apart, or touching at the segment's end: nothing.
    EXPECT_EQ(WindowOfSegment(b, 3600, 100, b + 3600, b + 3700).count, 0);
    EXPECT_EQ(WindowOfSegment(b, 3600, 100, b - 100, b - 1).count, 0);
    // A catalogue row with a negative length or rate, or no rate, has no samples to give.
    EXPECT_EQ(WindowOfSegment(b, -3600, 100, b - 10, b + 10).count, 0);
    EXPECT_EQ(WindowOfSegment(b, 3600, -100, b - 10, b + 10).count, 0);
    EXPECT_EQ(WindowOfSegment(b, 3600, 0, b - 10, b + 10).count, 0);
    EXPECT_EQ(WindowOfSegment(b, 3600, std::nan(""), b - 10, b + 10).count, 0);
}

TEST(SampleFile, ReadSegmentReadsExactlyTheWindowAndLeavesGapsForWhatIsNotThere) {
    TempDir dir;
    const double b = 1371204000.0;
    std::filesystem::create_directories(dir.path() / "2013/06/14");
    WriteFile(dir.file("2013/06/14/x.bin"), RampFile(360000));

    SegmentLocation seg{"2013\\06\\14\\x.bin", true, 512, b, 3600, 100, kEncodingFloat32Le};
    ZELDataBlock block;
    ReadResult r = ReadSegment(block, dir.path().string(), seg, b + 1800, b + 1810);
    ASSERT_EQ(r.status, ReadStatus::Complete);
    EXPECT_EQ(r.fullPath, dir.file("2013/06/14/x.bin"));
    ASSERT_EQ(block.Count(), 1000u);
    EXPECT_EQ(block.samples.front(), 180000.0f);  // FOFF + 180000 * 4 bytes
    EXPECT_EQ(block.samples.back(), 180999.0f);
    EXPECT_EQ(block.begin, b + 1800);
    EXPECT_EQ(block.sps, 100);

    // The offset is honoured: the same samples seen through a 4-byte-later FOFF move by one.
    seg.fileOffset = 516;
    ASSERT_EQ(ReadSegment(block, dir.path().string(), seg, b + 1800, b + 1810).status, ReadStatus::Complete);
    EXPECT_EQ(block.samples.front(), 180001.0f);

    // A file that ends early gives the samples it has, not zeros for the rest.
    seg.fileOffset = 512;
    WriteFile(dir.file("short.bin"), RampFile(180500));
    seg.path = "short.bin";
    r = ReadSegment(block, dir.path().string(), seg, b + 1800, b + 1810);
    EXPECT_EQ(r.status, ReadStatus::Short);
    EXPECT_EQ(r.expected, 1000u);
    ASSERT_EQ(block.Count(), 500u);
    EXPECT_EQ(block.samples.back(), 180499.0f);

    // A file that ends before the window, a missing file and an undecodable encoding give no block.
    ZELDataBlock untouched(5.0, 1.0, {7.0f});
    r = ReadSegment(untouched, dir.path().string(), seg, b + 3000, b + 3010);
    EXPECT_EQ(r.status, ReadStatus::MissingFile);
    seg.path = "nowhere.bin";
    r = ReadSegment(untouched, dir.path().string(), seg, b + 1800, b + 1810);
    EXPECT_EQ(r.status, ReadStatus::MissingFile);
    EXPECT_EQ(r.fullPath, dir.file("nowhere.bin"));
    seg.path = "2013/06/14/x.bin";
    seg.encoding = kEncodingUndecoded;
    EXPECT_EQ(ReadSegment(untouched, dir.path().string(), seg, b, b + 1).status, ReadStatus::UnknownEncoding);
    seg.encoding = 42;
    EXPECT_EQ(ReadSegment(untouched, dir.path().string(), seg, b, b + 1).status, ReadStatus::UnknownEncoding);
    // A directory where the file should be is not a file.
    seg.encoding = kEncodingFloat32Le;
    seg.path = "2013";
    EXPECT_EQ(ReadSegment(untouched, dir.path().string(), seg, b, b + 1).status, ReadStatus::MissingFile);
    EXPECT_EQ(untouched.samples, std::vector<float>{7.0f});

    // A row claiming an absurd length against a small file allocates only what the file holds.
    seg = SegmentLocation{"2013/06/14/x.bin", true, 512, b, 1e12, 1e6, kEncodingFloat32Le};
    r = ReadSegment(block, dir.path().string(), seg, b, b + 1e12);
    EXPECT_EQ(r.status, ReadStatus::Short);
    EXPECT_EQ(block.Count(), 360000u);
    // An absolute catalogue path is used as it is.
    seg = SegmentLocation{"//" + dir.file("2013/06/14/x.bin"), false, 512, b, 3600, 100, kEncodingFloat32Le};
    EXPECT_EQ(ReadSegment(block, "/elsewhere", seg, b, b + 1).status, ReadStatus::Complete);
}

TEST(SampleFile, ReadSegmentDecodesBigEndianAndInt24Files) {
    TempDir dir;
    WriteFile(dir.file("s4.bin"), Bytes({0x01, 0x02, 0x03, 0x04, 0xFF, 0xFF, 0xFF, 0xFE}));
    WriteFile(dir.file("s3.bin"), Bytes({0, 0, 0, 0xFF, 0xFF, 0xFE, 0x00, 0x00, 0x05}));
    ZELDataBlock block;
    ASSERT_EQ(
        ReadSegment(block, dir.path().string(), {"s4.bin", true, 0, 100.0, 0.2, 10, kEncodingInt32Be}, 0, 200)
            .status,
        ReadStatus::Complete);
    EXPECT_EQ(block.samples, (std::vector<float>{16909060.0f, -2.0f}));
    // The window opens after the first sample: one 3-byte sample is skipped.
    ASSERT_EQ(ReadSegment(block, dir.path().string(), {"s3.bin", true, 0, 100.0, 0.3, 10, kEncodingInt24Be},
                          100.15, 200)
                  .status,
              ReadStatus::Complete);
    EXPECT_EQ(block.samples, (std::vector<float>{-2.0f, 5.0f}));
    EXPECT_DOUBLE_EQ(block.begin, 100.1);
}

TEST(SampleFile, ZelHeaderByteForByte) {
    const std::string h = ZelHeader("ABC", "SHZ", 1371212423.5, 3600, 100);
    const std::string text =
        "[ZEL4.0]\r\nData offset=512\r\nStart time=12 20 23\r\nStart date=14 06 2013\r\n"
        "Time duration=01 00 00\r\nData Type=FLOAT\r\nSpS=100.000000\r\nStation=ABC\r\nChannels=\"SHZ\"\r\n";
    ASSERT_EQ(h.size(), 512u);
    EXPECT_EQ(h.substr(0, text.size()), text);
    EXPECT_EQ(h.find_first_not_of('\0', text.size()), std::string::npos);

    // Whole days of a duration drop out; a fractional rate keeps six decimals; a time before 1970.
    const std::string h2 = ZelHeader("A", "B", -1.5, 86400 + 3661.9, 0.1);
    EXPECT_NE(h2.find("Start time=23 59 58\r\nStart date=31 12 1969\r\n"), std::string::npos);
    EXPECT_NE(h2.find("Time duration=01 01 01\r\n"), std::string::npos);
    EXPECT_NE(h2.find("SpS=0.100000\r\n"), std::string::npos);

    EXPECT_THROW(ZelHeader(std::string(500, 'X'), "SHZ", 0, 1, 1), ZelError);
    EXPECT_THROW(ZelHeader("AB\r\nData offset=0", "SHZ", 0, 1, 1), ZelError);
    EXPECT_THROW(ZelHeader("ABC", "SHZ", 0, -1, 1), ZelError);
    // Found by fuzzing: a start beyond the calendar overflowed the day count.
    EXPECT_THROW(ZelHeader("ABC", "SHZ", -9.59107e+302, 1, 1), ZelError);
    EXPECT_THROW(ZelHeader("ABC", "SHZ", kEndEpoch, 1, 1), ZelError);
    EXPECT_NE(ZelHeader("ABC", "SHZ", kFirstEpoch, 1, 1).find("Start date=01 01 0001\r\n"),
              std::string::npos);
}

TEST(SampleFile, WrittenFileReadsBackThroughTheCatalogueRules) {
    TempDir dir;
    const std::vector<float> samples{1.5f, -2.25f, 3e-7f, 1e20f};
    WriteZelFile(dir.file("ABC/x.SHZ"), "ABC", "SHZ", 1000.0, 20.0, samples);
    const std::string bytes = ReadFile(dir.file("ABC/x.SHZ"));
    ASSERT_EQ(bytes.size(), 512u + 16u);
    EXPECT_NE(bytes.find("Time duration=00 00 00"), std::string::npos);  // 4 samples at 20 sps: 0.2 s
    EXPECT_FALSE(std::filesystem::exists(dir.file("ABC/x.SHZ.part")));
    ZELDataBlock block;
    ASSERT_EQ(ReadSegment(block, dir.path().string(),
                          {"ABC/x.SHZ", true, 512, 1000.0, 0.2, 20, kEncodingFloat32Le}, 0, 2000)
                  .status,
              ReadStatus::Complete);
    EXPECT_EQ(block.samples, samples);

    // A file that cannot be created is an error, and nothing is left behind.
    std::filesystem::create_directories(dir.path() / "taken");
    EXPECT_THROW(WriteZelFile(dir.file("taken"), "ABC", "SHZ", 0, 1, samples), ZelError);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "taken"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("taken.part")));
}

}  // namespace
}  // namespace zel
