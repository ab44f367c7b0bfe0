// Which part of which relief band lands where on the map.

#include "map/ReliefBands.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

const MapArea kArea{0, 0, 720, 360};

TEST(ReliefBands, NamesAndEdges) {
    EXPECT_EQ(ReliefBandFileName(0), "map00.bmp");
    EXPECT_EQ(ReliefBandFileName(8), "map08.bmp");
    EXPECT_DOUBLE_EQ(ReliefBandNorth(8), -70.0);
}

TEST(ReliefBands, WholeWorldStretchesEveryBandOnce) {
    const std::vector<ReliefPiece> pieces = ReliefPieces(MapProjection(MapView{}, kArea));
    ASSERT_EQ(pieces.size(), 9u);
    for (int band = 0; band < 9; ++band) {
        const ReliefPiece& p = pieces[band];
        EXPECT_EQ(p.band, band);
        EXPECT_DOUBLE_EQ(p.source.x, 0);
        EXPECT_DOUBLE_EQ(p.source.width, 4320);
        EXPECT_DOUBLE_EQ(p.source.height, 240);
        EXPECT_DOUBLE_EQ(p.target.width, 720);
        EXPECT_DOUBLE_EQ(p.target.y, 40.0 * band);
        EXPECT_DOUBLE_EQ(p.target.height, 40.0);
    }
}

TEST(ReliefBands, ViewAcrossTheDateLineTakesTwoStretchesPerBand) {
    // 170° ... -170°, latitudes 0 ... 20: the lower half of band 3 and the upper half of band 4.
    const std::vector<ReliefPiece> pieces =
        ReliefPieces(MapProjection(MapView{0.0, 20.0, 170.0, -170.0, 20.0}, kArea));
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].band, 3);
    EXPECT_DOUBLE_EQ(pieces[0].source.x, 350 * 12);
    EXPECT_DOUBLE_EQ(pieces[0].source.y, 10 * 12);
    EXPECT_DOUBLE_EQ(pieces[0].source.width, 120);
    EXPECT_DOUBLE_EQ(pieces[0].source.height, 120);
    EXPECT_DOUBLE_EQ(pieces[0].target.x, 0);
    EXPECT_DOUBLE_EQ(pieces[0].target.width, 360);
    EXPECT_DOUBLE_EQ(pieces[0].target.height, 180);
    EXPECT_EQ(pieces[1].band, 3);
    EXPECT_DOUBLE_EQ(pieces[1].source.x, 0);
    EXPECT_DOUBLE_EQ(pieces[1].target.x, 360);
    EXPECT_EQ(pieces[3].band, 4);
    EXPECT_DOUBLE_EQ(pieces[3].source.y, 0);
    EXPECT_DOUBLE_EQ(pieces[3].target.y, 180);
}

TEST(ReliefBands, WholeWorldFromZeroStartsAtTheMiddleOfTheBand) {
    const std::vector<ReliefPiece> pieces = ReliefPieces(MapProjection(MapView{-90, 90, 0, 0, 360}, kArea));
    ASSERT_EQ(pieces.size(), 18u);
    EXPECT_DOUBLE_EQ(pieces[0].source.x, 2160);
    EXPECT_DOUBLE_EQ(pieces[1].target.x, 360);
    EXPECT_TRUE(ReliefPieces(MapProjection(MapView{10, 10, 0, 10, 10}, kArea)).empty());
}

}  // namespace
}  // namespace zel
