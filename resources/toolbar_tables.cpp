// The toolbar layout and our own button pictures.
#include "resources/toolbar_tables.h"

namespace quorbel {

namespace {

constexpr ColorRef kBlack = MakeColorRef(0, 0, 0);
constexpr ColorRef kWhite = MakeColorRef(255, 255, 255);
constexpr ColorRef kGrey = MakeColorRef(128, 128, 128);
constexpr ColorRef kBlue = MakeColorRef(0, 64, 192);
constexpr ColorRef kDarkBlue = MakeColorRef(0, 0, 128);
constexpr ColorRef kGreen = MakeColorRef(0, 150, 0);
constexpr ColorRef kRed = MakeColorRef(200, 0, 0);
constexpr ColorRef kYellow = MakeColorRef(255, 220, 0);
constexpr ColorRef kPurple = MakeColorRef(128, 0, 160);
constexpr ColorRef kTeal = MakeColorRef(0, 140, 140);

using S = PictureShape;
using K = ShapeKind;

// A small 3 x 3 board in the top-left part of the box, under three of the pictures.
constexpr S kMiniGrid[] = {{K::FillRect, kWhite, {1, 3, 14, 14}},
                           {K::Line, kGrey, {6, 3, 6, 16}},
                           {K::Line, kGrey, {10, 3, 10, 16}},
                           {K::Line, kGrey, {1, 8, 14, 8}},
                           {K::Line, kGrey, {1, 12, 14, 12}}};

constexpr S kNewGame[] = {{K::Triangle, kGreen, {9, 13, 9, 23, 19, 18}}};
constexpr S kNewGrid[] = {{K::Text, kRed, {8, 11, 12, 13, 16}, "+"}};
constexpr S kSave[] = {{K::FillRect, kDarkBlue, {2, 4, 16, 17}},
                       {K::FillRect, kWhite, {5, 4, 10, 7}},
                       {K::FillRect, kGrey, {6, 14, 8, 7}}};
constexpr S kBackToStart[] = {{K::FillRect, kRed, {9, 14, 2, 8}},
                              {K::Triangle, kRed, {11, 18, 18, 14, 18, 22}}};
constexpr S kUndo[] = {{K::Arc, kBlue, {4, 8, 13, 12, 0, 180}}, {K::Triangle, kBlue, {1, 13, 8, 13, 4, 18}}};
constexpr S kRedo[] = {{K::Arc, kBlue, {3, 8, 13, 12, 0, 180}},
                       {K::Triangle, kBlue, {12, 13, 19, 13, 16, 18}}};
constexpr S kWarning[] = {{K::Triangle, kYellow, {10, 3, 19, 21, 1, 21}},
                          {K::Text, kBlack, {1, 8, 18, 13, 12}, "!"}};
constexpr S kLevel1[] = {{K::Rect, kGrey, {3, 5, 14, 14}}, {K::Text, kBlue, {3, 5, 14, 14, 12}, "1"}};
constexpr S kLevel2[] = {{K::Rect, kGrey, {3, 5, 14, 14}}, {K::Text, kBlue, {3, 5, 14, 14, 12}, "2"}};
constexpr S kLevel3[] = {{K::Rect, kGrey, {3, 5, 14, 14}}, {K::Text, kBlue, {3, 5, 14, 14, 12}, "3"}};
constexpr S kLevel4[] = {{K::Rect, kGrey, {3, 5, 14, 14}}, {K::Text, kBlue, {3, 5, 14, 14, 12}, "4"}};
constexpr S kLevel5[] = {{K::Rect, kGrey, {3, 5, 14, 14}}, {K::Text, kBlue, {3, 5, 14, 14, 12}, "5"}};
constexpr S kLinesColumns[] = {{K::Rect, kGrey, {1, 5, 18, 14}}, {K::Text, kGreen, {1, 5, 18, 14, 10}, "LC"}};
constexpr S kProbables[] = {{K::Rect, kGrey, {3, 5, 14, 14}}, {K::Text, kPurple, {3, 5, 14, 14, 12}, "P"}};
constexpr S kFound[] = {
    {K::Rect, kGrey, {3, 5, 14, 14}}, {K::Line, kGreen, {5, 12, 8, 16}}, {K::Line, kGreen, {8, 16, 15, 7}}};
constexpr S kFilter[] = {{K::Triangle, kTeal, {2, 5, 18, 5, 10, 14}}, {K::FillRect, kTeal, {9, 13, 3, 8}}};
constexpr S kColouring[] = {{K::Line, kBlack, {5, 10, 15, 16}},
                            {K::FillEllipse, kRed, {1, 6, 8, 8}},
                            {K::FillEllipse, kBlue, {11, 12, 8, 8}}};
constexpr S kPropose[] = {{K::FillEllipse, kYellow, {3, 2, 14, 14}},
                          {K::FillRect, kGrey, {7, 16, 6, 5}},
                          {K::Text, kBlack, {3, 2, 14, 14, 11}, "?"}};
constexpr S kMethods[] = {{K::FillRect, kWhite, {3, 4, 14, 17}},
                          {K::Line, kBlue, {5, 8, 14, 8}},
                          {K::Line, kBlue, {5, 12, 14, 12}},
                          {K::Line, kBlue, {5, 16, 14, 16}}};
constexpr S kFontLarger[] = {{K::Text, kBlack, {0, 6, 14, 17, 15}, "A"},
                             {K::Text, kRed, {11, 1, 9, 10, 11}, "+"}};
constexpr S kFontSmaller[] = {{K::Text, kBlack, {0, 8, 14, 15, 11}, "A"},
                              {K::Text, kRed, {11, 1, 9, 10, 11}, "-"}};
constexpr S kFontDefault[] = {{K::Text, kBlack, {0, 7, 14, 16, 13}, "A"},
                              {K::Text, kRed, {11, 1, 9, 10, 11}, "="}};
constexpr S kDisplayType[] = {{K::Text, kBlue, {0, 5, 10, 15, 12}, "1"},
                              {K::Text, kGreen, {9, 5, 11, 15, 12}, "A"}};
constexpr S kHideVariants[] = {{K::Text, kPurple, {1, 4, 18, 17, 15}, "V"}, {K::Line, kRed, {2, 20, 18, 5}}};
constexpr S kAbout[] = {{K::FillEllipse, kBlue, {2, 4, 16, 16}}, {K::Text, kWhite, {2, 4, 16, 16, 13}, "i"}};
constexpr S kContextHelp[] = {{K::Triangle, kBlack, {1, 3, 1, 17, 10, 12}},
                              {K::Text, kBlue, {8, 7, 12, 16, 14}, "?"}};

constexpr ToolbarEntry kSeparator{0, 0, {}, {}};

// clang-format off
constexpr ToolbarEntry kEntries[kToolbarEntryCount] = {
    {57600, 32888, kNewGame, kMiniGrid}, {33118, 33119, kNewGrid, kMiniGrid}, {57603, 32890, kSave}, {32806, 32909, kBackToStart, kMiniGrid},
    kSeparator,
    {57643, 32891, kUndo}, {57644, 32892, kRedo},
    kSeparator,
    {32856, 32857, kWarning},
    {32773, 32903, kLevel1}, {32774, 32904, kLevel2}, {32775, 32905, kLevel3}, {32776, 32906, kLevel4},
    {32777, 32907, kLevel5},
    {32813, 32896, kLinesColumns}, {32853, 32897, kProbables}, {32854, 32898, kFound},
    {33022, 33023, kFilter}, {33030, 33032, kColouring},
    kSeparator,
    {32779, 32910, kPropose}, {33029, 33028, kMethods},
    kSeparator,
    {32818, 32931, kFontLarger}, {32819, 32932, kFontSmaller}, {32871, 32933, kFontDefault},
    {32939, 32940, kDisplayType}, {33063, 33065, kHideVariants},
    kSeparator,
    {57664, 32919, kAbout}, {57669, 32934, kContextHelp},
};
// clang-format on

} // namespace

std::span<const ToolbarEntry> ToolbarTable() { return kEntries; }

} // namespace quorbel
