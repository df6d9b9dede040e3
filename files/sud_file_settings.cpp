// The settings block of grid files, key by key in the order the file holds them.
#include "files/sud_file_settings.h"

#include <algorithm>

#include "files/archive_reader.h"
#include "files/archive_writer.h"

namespace quorbel {

namespace {

constexpr size_t kFirstMatrixKey = 15; // DISPLAYMATALL, DISPLAYMATFOND, DISPLAYMATAUTO
constexpr size_t kMatrixKeys = 3;

bool IsMatrixKey(size_t index) { return index >= kFirstMatrixKey && index < kFirstMatrixKey + kMatrixKeys; }

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
  for (size_t i = 0; i < block.LayoutKeys.size(); ++i)
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

} // namespace quorbel
