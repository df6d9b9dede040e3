// Taking a grid out of a set of three: the links follow the grids that move down, a link to the
// grid taken out goes, and a rule left without any link goes with it.
#include <gtest/gtest.h>

#include "engine/grid_removal.h"
#include "engine/grid_set.h"
#include "engine/twins_editors.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShape4 = 0;
constexpr VariantWords kEveryLinkRule = kVarTwinsRelation | kVarTwinsRelationMultiple | kVarTwinsZone |
                                        kVarTwinsSubstitution | kVarTwinsSameInLine;

TEST(GridRemoval, LinksFollowTheGridsThatMoveDownAndLinksToTheGridTakenOutGo) {
  ShapedContext s{kShape4};
  ResetGridSet(s.Ctx, 3);
  GridRecord &holder = s.Main(1);
  VariantLists &lists = holder.Lists;
  ToggleTwinsRelation(holder, 5, 4, 2);
  ToggleTwinsRelation(holder, 7, 6, 0);
  lists.TwinsMultiple.Append({.NCells = 1, .OtherGrid = 0});
  lists.TwinsMultiple.Append({.NCells = 1, .OtherGrid = 2});
  lists.TwinsZone.Append({1, 2, 2});
  lists.TwinsZone.Append({0, 3, 0});
  lists.TwinsZone.Append({3, 0, 2});
  lists.TwinsPartner = 2;
  lists.SameInLine.PartnerGrid = 2;
  holder.GridVar |= kEveryLinkRule;

  ASSERT_EQ(RemoveGridFromSet(s.Ctx, 0), 2);
  const VariantLists &moved = s.Main(0).Lists;
  ASSERT_EQ(moved.TwinsRelation.Size(), 1);
  EXPECT_EQ(moved.TwinsRelation.Items[0], (TwinsRelationLink{4, 5, 1}));
  ASSERT_EQ(moved.TwinsMultiple.Size(), 1);
  EXPECT_EQ(moved.TwinsMultiple.Items[0].OtherGrid, 1);
  ASSERT_EQ(moved.TwinsZone.Size(), 2);
  EXPECT_EQ(moved.TwinsZone.Items[0], (TwinsZoneLink{1, 2, 1}));
  EXPECT_EQ(moved.TwinsZone.Items[1], (TwinsZoneLink{3, 0, 1}));
  EXPECT_EQ(moved.TwinsPartner, 1);
  EXPECT_EQ(moved.SameInLine.PartnerGrid, 1);
  EXPECT_EQ(s.Main(0).GridVar & kEveryLinkRule, kEveryLinkRule); // each rule keeps a link
}

TEST(GridRemoval, ARuleWhoseLastLinkWentGoesAndAnUnlinkedRuleStays) {
  ShapedContext s{kShape4};
  ResetGridSet(s.Ctx, 3);
  s.Main(0).Lists.TwinsPartner = 1; // a Twins Substitution pair, grids 0 and 1
  s.Main(0).GridVar |= kVarTwinsSubstitution;
  s.Main(1).GridVar |= kVarTwinsSubstitution;
  // Switched on, nothing linked yet: Twins Zone, and the rule whose link goes with grid 1.
  s.Main(2).GridVar |= kVarTwinsZone | kVarTwinsSubstitution;

  ASSERT_EQ(RemoveGridFromSet(s.Ctx, 1), 2);
  EXPECT_EQ(s.Main(0).Lists.TwinsPartner, -1);
  EXPECT_FALSE(Meets(s.Main(0).GridVar, kVarTwinsSubstitution));
  // Grid 2, now grid 1, is read as what it was, not as the grid taken out.
  constexpr VariantWords kSwitchedOn = kVarTwinsZone | kVarTwinsSubstitution;
  EXPECT_EQ(s.Main(1).GridVar & kSwitchedOn, kSwitchedOn);
}

} // namespace
