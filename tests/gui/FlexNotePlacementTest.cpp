#include <gtest/gtest.h>

#include "gui/rules/FlexNotePlacement.h"

namespace varnel {
namespace {

// A 1920 x 1080 pixel screen at 15 twips a pixel, a grid of 1800 x 1200 twip cells.
NotePlacementInput Cell(int gridLeft, int gridTop, int col, int row, int noteWidth, int textHeight) {
    NotePlacementInput in;
    in.gridLeft = gridLeft;
    in.gridTop = gridTop;
    in.colPos = col * 1800;
    in.colWidth = 1800;
    in.rowPos = 215 + (row - 1) * 1200;
    in.noteWidth = noteWidth;
    in.textHeight = textHeight;
    in.screenWidth = 28800;
    in.screenHeight = 16200;
    return in;
}

// The note is its text and margins in size (3050 = 2500 + 550 twips).
TEST(FlexNotePlacement, BesideTheCellWhenItFits) {
    const NotePlacement p = PlaceNote(Cell(300, 900, 2, 1, 4300, 2500));
    EXPECT_EQ(p.left, 300 + 3600 + 1800 + 200);
    EXPECT_EQ(p.top, 900 + 215 + 300);
    EXPECT_EQ(p.width, 4300);
    EXPECT_EQ(p.height, 3050);
}

TEST(FlexNotePlacement, FlipsLeftAtTheRightEdge) {
    // Last column of a grid whose right edge is near the screen's right edge.
    const NotePlacementInput in = Cell(16000, 900, 6, 2, 4300, 2500);
    const NotePlacement p = PlaceNote(in);
    const int cellLeft = in.gridLeft + in.colPos;
    EXPECT_EQ(p.left + p.width, cellLeft);  // right edge meets the cell's left edge
    EXPECT_EQ(p.top, 900 + 215 + 1200 + 300);
    // Exactly touching the right edge still fits.
    NotePlacementInput edge = Cell(0, 0, 0, 1, 0, 100);
    edge.noteWidth = edge.screenWidth - (1800 + 200);
    EXPECT_EQ(PlaceNote(edge).left, 2000);
    edge.noteWidth += 1;
    EXPECT_EQ(PlaceNote(edge).left, -edge.noteWidth);
}

TEST(FlexNotePlacement, LiftedAboveTheBottomEdge) {
    const NotePlacementInput in = Cell(300, 900, 1, 6, 4300, 9000);
    const NotePlacement p = PlaceNote(in);
    EXPECT_EQ(p.top + p.height, in.screenHeight - 300);
    EXPECT_EQ(p.left, 300 + 1800 + 1800 + 200);
    // Bottom right corner: both rules apply.
    const NotePlacementInput corner = Cell(16000, 900, 6, 6, 4300, 9000);
    const NotePlacement q = PlaceNote(corner);
    EXPECT_EQ(q.left + q.width, corner.gridLeft + corner.colPos);
    EXPECT_EQ(q.top + q.height, corner.screenHeight - 300);
}

TEST(FlexNotePlacement, ScreensAwayFromTheOrigin) {
    NotePlacementInput in = Cell(28800 + 16000, 900, 6, 6, 4300, 9000);
    in.screenLeft = 28800;
    const NotePlacement p = PlaceNote(in);
    EXPECT_EQ(p.left + p.width, in.gridLeft + in.colPos);
    EXPECT_EQ(p.top + p.height, in.screenHeight - 300);
    NotePlacementInput low = Cell(300, 16200 + 900, 1, 1, 4300, 2500);
    low.screenTop = 16200;
    EXPECT_EQ(PlaceNote(low).top, 16200 + 900 + 215 + 300);
}

}  // namespace
}  // namespace varnel
