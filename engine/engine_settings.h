// The settings values the engine reads. The application fills this plain record from
// its settings block whenever they change; the engine never touches the settings store.
#pragma once

#include <cstdint>

#include "engine/cell_image.h"
#include "engine/geometry.h"
#include "engine/variant_bits.h"

namespace quorbel {

// The stored interface language codes. The enum has no type name of its own: app/language.h
// owns the type `Language`, and both headers meet in every file of the application.
enum : int32_t { kLanguageNotChosen = -1, kLanguageFrench = 0, kLanguageEnglish = 1 };

constexpr PictureOrderTable IdentityPictureOrder() {
  PictureOrderTable order{};
  for (int v = 0; v < static_cast<int>(order.size()); ++v)
    order[v] = static_cast<int16_t>(v);
  return order;
}

struct EngineSettings {
  int32_t Language = kLanguageEnglish;
  int32_t AnimatedImages = 1; // GENERAL/ANIMGIF: cell pictures are animated
  int32_t PuzzleRotation = 1; // GENERAL/PUZZLEROTATION: puzzle pieces may rotate
  // GENERAL/PUZZLEPIECEUNIQ: each generated piece or boat fits the solution in one place only.
  int32_t PuzzlePieceUnique = 0;
  // GENERAL/GRIDCURRVARIENT-PART1 and -PART2: the variant words new grids take.
  VariantWords CurrentVariant;
  // GENERAL/GRIDCURRSIZE: the shape code of new grids. StoreGridCurrSize writes it;
  // the application copies it back into its settings block before saving.
  int32_t GridCurrSize = kDefaultShape;
  PictureOrderTable PictureOrder = IdentityPictureOrder();
  int32_t MaxSearchSave = 100; // PARAMETER/MAXSEARCHSAVE: search solutions kept and shown
  int32_t TimeOver = 2048;     // PARAMETER/TIMEOVER: ms one search step may take, -1 no limit
  int32_t MaxSearchGrid = 200; // PARAMETER/MAXSEARCHGRID: the most solutions a full count looks for
  // 1: every search propagates the whole grid at each node, even where the classic grids'
  // own route would do (slower; it exists so that the two routes can be compared).
  int32_t SearchByPropagation = 0;
  // 1 while the generator asks only whether a grid has one solution: rules that can only take
  // solutions away from the plain rows, columns and blocks (the Magic Sentence, the Tiled and
  // Battle Ship pieces) may then be left to the classic route, whose count is never below theirs.
  int32_t UniquenessOnly = 0;
  int32_t DebugUndo = 0; // PARAMETER/DEBUGUNDO: the undo stack traces its steps
  // The methods panel's display switches that the candidate update reads: the variant
  // filters of the default filter mode, and the probables (used when PROBTYPE is 3).
  int32_t VariantFilterSwitch = 0;
  int32_t ProbablesSwitch = 0;
  int32_t ProbType = 1;    // GENERAL/PROBTYPE: 3 shows candidates and probables
  int32_t DebugSearch = 0; // the developer's search trace ("mydebug/debugSearch.txt")
};

} // namespace quorbel
