// The block of settings a grid file carries (mostly GENERAL keys, the picture order and the
// grid's two comment texts): its encoding in version 5 and the shorter one of version 2, and
// the passage between it and the application's settings.
#pragma once

#include <array>
#include <cstdint>

#include "files/sud_file_state.h"

namespace quorbel {

class ArchiveReader;
class ArchiveWriter;
struct AppSettings;

void WriteSudSettings(ArchiveWriter &out, const SudSettingsBlock &block, const SudGameState &game);
// Version 2 stores neither the three display-matrix keys, nor the comments, and the
// variant word of new grids as one int32; versions 3 to 5 store the full block.
bool ReadSudSettings(ArchiveReader &in, int version, SudSettingsBlock &block, SudGameState &game);

// The block to save, from the application's settings and picture order; the picture paths
// are made relative to the start directory.
SudSettingsBlock CaptureSudSettings(const AppSettings &settings, const std::array<int32_t, 16> &pictureOrder);
// Takes the block's keys into `settings`, each repaired by the settings schema's own rules
// as if it had been loaded from the profile; the background picture becomes absolute.
// Returns the picture order to use: the block's, or the identity when an entry is outside 0..15.
std::array<int32_t, 16> ApplySudSettings(const SudSettingsBlock &block, AppSettings &settings);

} // namespace quorbel
