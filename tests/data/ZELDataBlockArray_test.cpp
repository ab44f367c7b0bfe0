#include "data/ZELDataBlockArray.h"

#include <gtest/gtest.h>

#include <limits>

#include "base/ZelError.h"

namespace zel {
namespace {

ZELDataBlock Block(double begin, double sps, std::vector<float> samples) {
    return ZELDataBlock(begin, sps, std::move(samples));
}

TEST(ZELDataBlockArray, ScalarFormAndBookkeeping) {
    ZELDataBlockArray ch("ABC", "SHZ");
    EXPECT_FALSE(ch.isScalar);
    ch.Append(Block(0, 10, {1, 2, 3}));
    ch.Append(Block(5, 10, {4, 5}));
    EXPECT_EQ(ch.TotalCount(), 5u);

    ZELDataBlockArray copy = ch;  // deep: changing the copy leaves the original alone
    copy.blocks[0].samples[0] = 99;
    copy.station = "XYZ";
    EXPECT_EQ(ch.blocks[0].samples[0], 1.0f);
    EXPECT_EQ(ch.station, "ABC");

    ch.SetScalar(2.5);
    EXPECT_TRUE(ch.IsScalarValue(2.5));
    EXPECT_FALSE(ch.IsScalarValue(2.0));
    EXPECT_EQ(ch.TotalCount(), 0u);
    ch.Append(Block(0, 10, {1}));  // a channel with data is no longer a number
    EXPECT_FALSE(ch.IsScalarValue(2.5));
    ch.Clear();
    EXPECT_TRUE(ch.blocks.empty());
    EXPECT_EQ(ch.channel, "SHZ");
}

TEST(ZELDataBlockArray, MinMax) {
    ZELDataBlockArray ch;
    EXPECT_EQ(ch.MinMax().min, -1.0);
    EXPECT_EQ(ch.MinMax().max, 1.0);
    ch.Append(Block(0, 10, {}));
    EXPECT_EQ(ch.MinMax().min, -1.0);  // blocks without samples: still nothing to measure
    EXPECT_EQ(ch.MinMax().max, 1.0);
    ch.Append(Block(0, 10, {3, -2, 7}));
    ch.Append(Block(5, 10, {-9, std::numeric_limits<float>::infinity(), 4}));
    EXPECT_EQ(ch.MinMax().min, -9.0);
    EXPECT_EQ(ch.MinMax().max, 7.0);
}

TEST(ZELDataBlockArray, CutAppendsThePiecesInTheWindow) {
    ZELDataBlockArray ch;
    ch.Append(Block(0, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));  // 0 .. 1 s
    ch.Append(Block(2, 10, {20, 21, 22, 23, 24}));            // 2 .. 2.5 s
    ch.Append(Block(5, 10, {50, 51}));                        // outside
    ZELDataBlockArray target;
    target.Append(Block(-10, 10, {-1}));
    ch.Cut(target, 0.5, 2.3);
    ASSERT_EQ(target.blocks.size(), 3u);
    EXPECT_EQ(target.blocks[1].samples, (std::vector<float>{5, 6, 7, 8, 9}));
    EXPECT_EQ(target.blocks[1].begin, 0.5);
    EXPECT_EQ(target.blocks[2].samples, (std::vector<float>{20, 21, 22}));
}

TEST(ZELDataBlockArray, ArithmeticWithNumbers) {
    ZELDataBlockArray ch("ABC", "SHZ");
    ch.Append(Block(100, 20, {1, -2, 0}));
    ch.Append(Block(200, 20, {4}));

    ZELDataBlockArray same = ch + ZELDataBlockArray::Scalar(0.0);
    ASSERT_EQ(same.blocks.size(), 2u);
    EXPECT_EQ(same.blocks[0].samples, ch.blocks[0].samples);
    EXPECT_EQ(same.blocks[0].begin, 100.0);
    EXPECT_EQ(same.blocks[0].sps, 20.0);
    EXPECT_EQ(same.blocks[1].samples, ch.blocks[1].samples);
    EXPECT_EQ(same.station, "");  // the caller names results

    for (const ZELDataBlockArray& a : {ch, ZELDataBlockArray(), ZELDataBlockArray::Scalar(3.0)}) {
        try {
            (void)(a / ZELDataBlockArray::Scalar(0.0));
            ADD_FAILURE() << "no error";
        } catch (const ZelError& e) {
            EXPECT_STREQ(e.what(), "Zero Divide");
        }
    }

    ZELDataBlockArray inv = ZELDataBlockArray::Scalar(8.0) / ch;
    ASSERT_EQ(inv.blocks.size(), 2u);
    EXPECT_EQ(inv.blocks[0].samples, (std::vector<float>{8, -4, 0}));
    EXPECT_EQ(inv.blocks[1].samples, (std::vector<float>{2}));
    EXPECT_EQ((ZELDataBlockArray::Scalar(1.0) - ch).blocks[0].samples, (std::vector<float>{0, 3, 1}));
    EXPECT_EQ((ch * ZELDataBlockArray::Scalar(-3.0)).blocks[0].samples, (std::vector<float>{-3, 6, 0}));

    EXPECT_TRUE((ZELDataBlockArray::Scalar(6.0) / ZELDataBlockArray::Scalar(4.0)).IsScalarValue(1.5));
    EXPECT_TRUE((ZELDataBlockArray::Scalar(6.0) - ZELDataBlockArray::Scalar(4.0)).IsScalarValue(2.0));

    ZELDataBlockArray neg = ch.Negate();
    EXPECT_EQ(neg.blocks[0].samples, (std::vector<float>{-1, 2, -0.0f}));
    EXPECT_EQ(neg.station, "ABC");
    EXPECT_TRUE(ZELDataBlockArray::Scalar(2.0).Negate().IsScalarValue(-2.0));
}

TEST(ZELDataBlockArray, ChannelByChannelPairsEveryBlock) {
    ZELDataBlockArray a;
    a.Append(Block(0, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));  // 0..2
    a.Append(Block(5, 10, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}));                      // 5..6
    ZELDataBlockArray b;
    b.Append(Block(1.5, 10, std::vector<float>(40, 1.0f)));  // 1.5..5.5
    b.Append(Block(0, 5, std::vector<float>(50, 1.0f)));     // another rate: pairs with nothing

    ZELDataBlockArray r = a + b;
    ASSERT_EQ(r.blocks.size(), 2u);
    EXPECT_EQ(r.blocks[0].begin, 1.5);
    EXPECT_EQ(r.blocks[0].samples, (std::vector<float>{17, 18, 19, 20, 21}));
    EXPECT_EQ(r.blocks[1].begin, 5.0);
    EXPECT_EQ(r.blocks[1].samples, (std::vector<float>{101, 201, 301, 401, 501}));

    EXPECT_TRUE((a * ZELDataBlockArray()).blocks.empty());
}

}  // namespace
}  // namespace zel
