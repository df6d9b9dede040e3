#include "app/colours.h"

namespace quorbel {

namespace {

constexpr std::string_view kColourSection = "COLOR";

// The two colours derived from the board background's own default, not from the stored one.
constexpr ColorRef kDefaultBoardBackground = 4094711;
constexpr double kSeparationFactor = 1.4;
constexpr double kHighlightFactor = 0.5;

} // namespace

const std::array<BoardColourKey, kBoardColourCount> BoardColourKeys = {{
    {"COLINIT", &BoardColours::ColInit, 0},
    {"COLINPUT", &BoardColours::ColInput, 12255232},
    {"COLPOSSIBLE", &BoardColours::ColPossible, 32768},
    {"COLFIND", &BoardColours::ColFind, 9569019},
    {"COLSEARCH", &BoardColours::ColSearch, 24768},
    {"COLBAD", &BoardColours::ColBad, 255},
    {"COLBGCASE", &BoardColours::ColBgCase, 12109779},
    {"COLBGSINGLE", &BoardColours::ColBgSingle, 13012864},
    {"COLBGBAD", &BoardColours::ColBgBad, 2237047},
    {"COLBGCOMMENT", &BoardColours::ColBgComment, 10072266},
    {"COLBGECRAN", &BoardColours::ColBgEcran, kDefaultBoardBackground},
    {"COLBGSEPARATION", &BoardColours::ColBgSeparation,
     ScaleColour(kDefaultBoardBackground, kSeparationFactor)},
    {"COLBGHIGHLIGHT", &BoardColours::ColBgHighlight, ScaleColour(kDefaultBoardBackground, kHighlightFactor)},
    {"COLBORDER", &BoardColours::ColBorder, 0},
}};

BoardColours DefaultColours() {
  BoardColours colours;
  for (const BoardColourKey &entry : BoardColourKeys)
    colours.*entry.field = entry.fallback;
  return colours;
}

void LoadColors(AbstractProfileStore &store, BoardColours &colours) {
  for (const BoardColourKey &entry : BoardColourKeys)
    colours.*entry.field =
        static_cast<ColorRef>(store.GetInt(kColourSection, entry.key, static_cast<int32_t>(entry.fallback)));
}

void SaveColors(AbstractProfileStore &store, const BoardColours &colours) {
  for (const BoardColourKey &entry : BoardColourKeys)
    store.WriteInt(kColourSection, entry.key, static_cast<int32_t>(colours.*entry.field));
}

} // namespace quorbel
