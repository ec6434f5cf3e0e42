// Where the print area lands on its page: scaled down to fit the pages the setup asks for
// (never up), centred where it fits, at the margin where it does not; the paper and its
// orientation.
#include "engine/page/page_placement.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tallowmere::engine {
namespace {

// The cash-flow layout's setup: A4 landscape (842 x 595 points), margins 0.7 inch left and
// right, 0.5 inch top and bottom: the printable part is 741.2 x 523 points from (50.4, 36).
PageSetupData LayoutPage() {
  PageSetupData page;
  page.landscape = true;
  page.leftMargin = page.rightMargin = 0.7 * 72;
  page.topMargin = page.bottomMargin = 0.5 * 72;
  page.headerMargin = page.footerMargin = 0;
  page.fitToPages = true;
  return page;
}

struct PlacementCase {
  std::string name;
  std::function<void(PageSetupData&)> change;
  PageSize area;  // points at 100 %
  double scale;
  PagePoint origin;
};

class Placement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, ScalesAndPlacesTheArea) {
  PageSetupData page = LayoutPage();
  if (GetParam().change) GetParam().change(page);
  const PagePlacement placement = PlaceOnPage(page, GetParam().area);
  EXPECT_NEAR(placement.scale, GetParam().scale, 1e-12);
  EXPECT_NEAR(placement.origin.x, GetParam().origin.x, 1e-9);
  EXPECT_NEAR(placement.origin.y, GetParam().origin.y, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, Placement,
    ::testing::Values(PlacementCase{"SmallAreaIsNeverEnlargedAndIsCentred", nullptr, {100, 50}, 1.0, {371.0, 272.5}},
                      PlacementCase{"WideAreaFitsTheWidth", nullptr, {7412, 100}, 0.1, {50.4, 292.5}},
                      PlacementCase{"TallAreaFitsTheHeight", nullptr, {500, 1046}, 0.5, {296.0, 36}},
                      PlacementCase{"AreaOfThePagesShapeFillsIt", nullptr, {1482.4, 1046}, 0.5, {50.4, 36}},
                      PlacementCase{"AnyNumberOfPagesWideLeavesTheWidthAlone",
                                    [](PageSetupData& p) { p.fitWide = 0; },
                                    {7412, 100},
                                    1.0,
                                    {50.4, 247.5}},
                      PlacementCase{"TwoPagesWideShowTheFirstFromTheMargin",
                                    [](PageSetupData& p) { p.fitWide = 2; },
                                    {2964.8, 100},
                                    0.5,
                                    {50.4, 272.5}},
                      PlacementCase{"ZoomWithoutFitting",
                                    [](PageSetupData& p) {
                                      p.fitToPages = false;
                                      p.zoom = 50;
                                    },
                                    {100, 50},
                                    0.5,
                                    {396.0, 285}},
                      PlacementCase{"ZoomIsKeptWithinWhatASpreadsheetAllows",
                                    [](PageSetupData& p) {
                                      p.fitToPages = false;
                                      p.zoom = 0;
                                    },
                                    {1000, 50},
                                    0.1,
                                    {371.0, 295}}),
    [](const auto& test) { return test.param.name; });

TEST(PagePlacement, PaperFollowsTheCodeAndOrientation) {
  PageSetupData page = LayoutPage();
  EXPECT_EQ(PlaceOnPage(page, {}).paper, (PageSize{842, 595}));
  page.landscape = false;
  page.paperSize = 1;  // Letter
  EXPECT_EQ(PlaceOnPage(page, {}).paper, (PageSize{612, 792}));
  page.paperSize = 200;  // unknown: A4
  EXPECT_EQ(PlaceOnPage(page, {}).paper, (PageSize{595, 842}));
  page.leftMargin = page.rightMargin = 400;  // wider than the paper
  EXPECT_TRUE(PlaceOnPage(page, {100, 100}).printable.IsEmpty());
}

}  // namespace
}  // namespace tallowmere::engine
