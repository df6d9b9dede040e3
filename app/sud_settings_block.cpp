#include "app/sud_settings_block.h"

#include <algorithm>

#include "app/settings_schema.h"
#include "platform/memory_profile_store.h"
#include "platform/paths.h"

namespace quorbel {

namespace {

using IntKey = int32_t GeneralSettings::*;

constexpr std::array<IntKey, 19> kLayoutKeys = {
    &GeneralSettings::longCase,       &GeneralSettings::hautCase,       &GeneralSettings::interCaseX,
    &GeneralSettings::interCaseY,     &GeneralSettings::interBlockX,    &GeneralSettings::interBlockY,
    &GeneralSettings::haut19,         &GeneralSettings::borderCell,     &GeneralSettings::borderBlock,
    &GeneralSettings::absolute,       &GeneralSettings::autoSize,       &GeneralSettings::displayLines,
    &GeneralSettings::displayComment, &GeneralSettings::displayBarArea, &GeneralSettings::displayBarAreaIdem,
    &GeneralSettings::displayMatAll,  &GeneralSettings::displayMatFond, &GeneralSettings::displayMatAuto,
    &GeneralSettings::displayComDy,
};

constexpr std::array<IntKey, 17> kDisplayKeys = {
    &GeneralSettings::deltaFontCom,  &GeneralSettings::deltaFontCell,      &GeneralSettings::deltaFontLc,
    &GeneralSettings::deltaFontProb, &GeneralSettings::deltaFontMatrix,    &GeneralSettings::blockLimit,
    &GeneralSettings::blockColors,   &GeneralSettings::blockBars,          &GeneralSettings::cellSquare,
    &GeneralSettings::keepRatio,     &GeneralSettings::probType,           &GeneralSettings::transparency,
    &GeneralSettings::delayBgImage,  &GeneralSettings::bgRandom,           &GeneralSettings::gridCurrSize,
    &GeneralSettings::gridCurrDisp,  &GeneralSettings::gridCurrDifficulty,
};

constexpr std::array<IntKey, 8> kPlayKeys = {
    &GeneralSettings::animGif,         &GeneralSettings::resetIfFalse,
    &GeneralSettings::animAction,      &GeneralSettings::drag,
    &GeneralSettings::parasit,         &GeneralSettings::puzzleRotation,
    &GeneralSettings::puzzlePieceUniq, &GeneralSettings::autoNoBoat,
};

constexpr size_t kFirstMatrixKey = 15;
constexpr size_t kMatrixKeys = 3;

bool IsMatrixKey(size_t index) { return index >= kFirstMatrixKey && index < kFirstMatrixKey + kMatrixKeys; }

void FromGeneral(const GeneralSettings &g, SudSettingsBlock &block) {
  for (size_t i = 0; i < kLayoutKeys.size(); ++i)
    block.LayoutKeys[i] = g.*kLayoutKeys[i];
  for (size_t i = 0; i < kDisplayKeys.size(); ++i)
    block.DisplayKeys[i] = g.*kDisplayKeys[i];
  for (size_t i = 0; i < kPlayKeys.size(); ++i)
    block.PlayKeys[i] = g.*kPlayKeys[i];
  block.DisplayBarDx = g.displayBarDx;
  block.GridCurrVariant = g.gridCurrVariant;
}

// The keys the block holds, into `g`.
void ToGeneral(const SudSettingsBlock &block, GeneralSettings &g) {
  for (size_t i = 0; i < kLayoutKeys.size(); ++i)
    if (block.HasDisplayMatrixKeys || !IsMatrixKey(i))
      g.*kLayoutKeys[i] = block.LayoutKeys[i];
  for (size_t i = 0; i < kDisplayKeys.size(); ++i)
    g.*kDisplayKeys[i] = block.DisplayKeys[i];
  for (size_t i = 0; i < kPlayKeys.size(); ++i)
    g.*kPlayKeys[i] = block.PlayKeys[i];
  g.displayBarDx = block.DisplayBarDx;
  g.gridCurrVariant = block.GridCurrVariant;
}

} // namespace

SudSettingsBlock CaptureSudSettings(const AppSettings &settings,
                                    const std::array<int32_t, 16> &pictureOrder) {
  SudSettingsBlock block;
  FromGeneral(settings.general, block);
  block.ImageName = MakeRelativePath(settings.general.imageName);
  block.BackgroundImage = MakeRelativePath(settings.general.backgroundImage);
  block.CatalogBaseType = settings.catalog.baseType;
  block.CatalogBaseGrid = settings.catalog.baseGrid;
  block.PictureOrder = pictureOrder;
  return block;
}

std::array<int32_t, 16> ApplySudSettings(const SudSettingsBlock &block, AppSettings &settings) {
  AppSettings merged = settings;
  ToGeneral(block, merged.general);
  merged.general.imageName = block.ImageName;
  merged.general.backgroundImage = MakeAbsolutePath(block.BackgroundImage);
  merged.catalog.baseType = block.CatalogBaseType;
  merged.catalog.baseGrid = block.CatalogBaseGrid;
  // The schema's repair rules apply on loading: pass the values through a profile, then
  // take back only the keys the block holds.
  MemoryProfileStore store;
  SaveSettings(store, merged);
  AppSettings repaired = merged;
  LoadSettings(store, repaired, SettingsLoad::Reload);
  SudSettingsBlock checked = block;
  FromGeneral(repaired.general, checked);
  ToGeneral(checked, settings.general);
  settings.general.imageName = repaired.general.imageName;
  settings.general.backgroundImage = repaired.general.backgroundImage;
  settings.catalog.baseType = repaired.catalog.baseType;
  settings.catalog.baseGrid = repaired.catalog.baseGrid;

  std::array<int32_t, 16> order = block.PictureOrder;
  if (std::any_of(order.begin(), order.end(), [](int32_t picture) { return picture < 0 || picture > 15; }))
    for (int v = 0; v < 16; ++v)
      order[v] = v;
  return order;
}

} // namespace quorbel
