// Replacing a file's content: what an analyst's existing file keeps (its permissions, a link
// pointing at it), what a failure leaves (no folder made, no temporary file), and what planted
// links, devices and pipes get.

#include "base/ReplaceFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "data/SampleFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

TEST(ReplaceFile, KeepsPermissionsAndLinksAndLeavesNothingBehindAFailure) {
    test::TempDir dir;
    const std::string shared = dir.file("shared.txt");
    test::WriteFile(shared, "old");
    ::chmod(shared.c_str(), 0640);
    EXPECT_FALSE(ReplaceFile(shared, "new content"));
    EXPECT_EQ(test::ReadFile(shared), "new content");
    struct stat st {};
    ASSERT_EQ(::stat(shared.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    fs::create_symlink("shared.txt", dir.file("link.txt"));
    EXPECT_FALSE(ReplaceFile(dir.file("link.txt"), "through the link"));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(test::ReadFile(shared), "through the link");

    const auto missing = ReplaceFile(dir.file("no/such/folder.txt"), "x");
    ASSERT_TRUE(missing);
    EXPECT_FALSE(missing->opened);
    EXPECT_EQ(missing->error, ENOENT);
    EXPECT_FALSE(fs::exists(dir.file("no")));

    const auto full = test::FailureWithFileSizeLimit(4, [&] {
        if (const auto f = ReplaceFile(shared, "longer than the limit"); f && f->opened && f->error == EFBIG)
            throw std::runtime_error("EFBIG");
    });
    EXPECT_EQ(full, "EFBIG");
    EXPECT_EQ(test::ReadFile(shared), "through the link");
    EXPECT_EQ(test::FolderListing(dir.path().string()), "link.txt\nshared.txt\n");
}

// Each entry point the program writes through: a link planted beside the target never redirects
// the write, a device or a pipe named as the target stays what it is and gets the bytes, and the
// mode is the old file's or the one the umask gives.
TEST(ReplaceFile, PlantedLinksDevicesAndPipesAreNeitherFollowedNorReplaced) {
    const std::vector<std::pair<const char*, std::function<void(const std::string&, const std::string&)>>>
        writers = {
            {"ReplaceFile", [](const std::string& path,
                               const std::string& bytes) { ASSERT_FALSE(ReplaceFile(path, bytes)); }},
            {"WriteFileAtomically",
             [](const std::string& path, const std::string& bytes) { WriteFileAtomically(path, bytes); }},
        };
    for (const auto& [name, write] : writers) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        // The fixed temporary name the writers once used, pointing at a file of someone else's.
        test::WriteFile(dir.file("victim"), "secret");
        fs::create_symlink(dir.file("victim"), dir.file("out.txt.part"));
        write(dir.file("out.txt"), "new");
        EXPECT_EQ(test::ReadFile(dir.file("out.txt")), "new");
        EXPECT_EQ(test::ReadFile(dir.file("victim")), "secret");

        // A device node of the test's own (where the test may make one): the same device after.
        if (::mknod(dir.file("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
            write(dir.file("null"), "into the device");
            EXPECT_TRUE(fs::is_character_file(dir.file("null")));
        }
        // A pipe with a reader gets the bytes and stays a pipe.
        ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
        const int reader = ::open(dir.file("pipe").c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        write(dir.file("pipe"), "through the pipe");
        char got[64] = {};
        EXPECT_EQ(::read(reader, got, sizeof got), 16);
        EXPECT_STREQ(got, "through the pipe");
        ::close(reader);
        EXPECT_TRUE(fs::is_fifo(dir.file("pipe")));

        // A private file stays private; a new one gets what the umask leaves of 0666.
        test::WriteFile(dir.file("private"), "old");
        ::chmod(dir.file("private").c_str(), 0600);
        write(dir.file("private"), "new");
        const mode_t umask = ::umask(027);
        write(dir.file("fresh"), "new");
        ::umask(umask);
        struct stat st {};
        ASSERT_EQ(::stat(dir.file("private").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
        ASSERT_EQ(::stat(dir.file("fresh").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
        EXPECT_EQ(test::FolderListing(dir.path().string()),
                  std::string("fresh\n") + (fs::exists(dir.file("null")) ? "null\n" : "") +
                      "out.txt\nout.txt.part\npipe\nprivate\nvictim\n");
    }
}

}  // namespace
}  // namespace zel
