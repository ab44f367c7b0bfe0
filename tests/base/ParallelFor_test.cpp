// Sharing independent items over the cores: every item once, in contiguous chunks, and a
// failure in any chunk reaches the caller, also when chunks share their work out again.

#include "base/ParallelFor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace zel {
namespace {

TEST(ParallelFor, CoversEveryItemOnceAndRethrowsAChunksFailure) {
    for (std::size_t count : {0u, 1u, 2u, 3u, 7u, 1000u}) {
        std::vector<int> hits(count, 0);  // each item written by its own chunk only
        std::atomic<std::size_t> chunks{0};
        ParallelFor(count, [&](std::size_t begin, std::size_t end) {
            EXPECT_LT(begin, end);
            for (std::size_t i = begin; i < end; ++i) ++hits[i];
            ++chunks;
        });
        EXPECT_EQ(hits, std::vector<int>(count, 1)) << count;
        EXPECT_EQ(chunks, ParallelWorkers(count)) << count;
    }
    // A chunk that shares its own items out again must not wait on the workers it occupies.
    std::vector<std::atomic<int>> nested(64);
    ParallelFor(8, [&](std::size_t begin, std::size_t end) {
        for (std::size_t outer = begin; outer < end; ++outer)
            ParallelFor(8, [&](std::size_t b, std::size_t e) {
                for (std::size_t inner = b; inner < e; ++inner) ++nested[outer * 8 + inner];
            });
    });
    for (const auto& hit : nested) EXPECT_EQ(hit, 1);
    EXPECT_THROW(ParallelFor(100,
                             [](std::size_t begin, std::size_t) {
                                 if (begin > 0 || ParallelWorkers(100) == 1)
                                     throw std::runtime_error("chunk");
                             }),
                 std::runtime_error);
}

}  // namespace
}  // namespace zel
