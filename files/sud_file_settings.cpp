// The settings block of grid files, key by key in the order the file holds them.
#include "files/sud_file_settings.h"

#include <algorithm>

#include "app/memory_profile_store.h"
#include "app/settings_schema.h"
#include "files/archive_reader.h"
#include "files/archive_writer.h"
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
constexpr size_t kFirstMatrixKey = 15;
constexpr size_t kMatrixKeys = 3;

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

void WriteSudSettings(ArchiveWriter &out, const SudSettingsBlock &block, const SudGameState &game) {
  for (int32_t key : block.LayoutKeys)
    out.WriteInt32(key);
  out.WriteDouble(block.DisplayBarDx);
  for (int32_t key : block.DisplayKeys)
    out.WriteInt32(key);
  out.WriteInt64(static_cast<int64_t>(block.GridCurrVariant));
  for (int32_t key : block.PlayKeys)
    out.WriteInt32(key);
  out.WriteString(block.ImageName);
  out.WriteString(block.BackgroundImage);
  out.WriteInt32(block.CatalogBaseType);
  out.WriteInt32(block.CatalogBaseGrid);
  out.WriteString(game.CommentEnglish);
  out.WriteString(game.CommentFrench);
  for (int32_t picture : block.PictureOrder)
    out.WriteInt32(picture);
}

bool ReadSudSettings(ArchiveReader &in, int version, SudSettingsBlock &block, SudGameState &game) {
  constexpr int kShortBlockVersion = 2;
  const bool full = version > kShortBlockVersion;
  block.HasDisplayMatrixKeys = full;
  for (size_t i = 0; i < kLayoutKeys.size(); ++i)
    if (full || !IsMatrixKey(i))
      block.LayoutKeys[i] = in.ReadInt32("settings");
  block.DisplayBarDx = in.ReadDouble("settings");
  for (int32_t &key : block.DisplayKeys)
    key = in.ReadInt32("settings");
  block.GridCurrVariant = full ? static_cast<uint64_t>(in.ReadInt64("settings")) : in.ReadUInt32("settings");
  for (int32_t &key : block.PlayKeys)
    key = in.ReadInt32("settings");
  block.ImageName = in.ReadString("picture set name");
  block.BackgroundImage = in.ReadString("background picture name");
  block.CatalogBaseType = in.ReadInt32("settings");
  block.CatalogBaseGrid = in.ReadInt32("settings");
  if (full) {
    game.CommentEnglish = in.ReadString("English comment");
    game.CommentFrench = in.ReadString("French comment");
  }
  for (int32_t &picture : block.PictureOrder)
    picture = in.ReadInt32("picture order");
  return in.Ok();
}

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
