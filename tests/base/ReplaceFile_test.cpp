// Replacing a file's content: what an analyst's existing file keeps (its permissions, a link
// pointing at it) and what a failure leaves (no folder made, no temporary file).

#include "base/ReplaceFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <stdexcept>

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

}  // namespace
}  // namespace zel
