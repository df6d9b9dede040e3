// The block of settings a grid file carries (mostly GENERAL keys, the picture order and the
// grid's two comment texts): its encoding in version 5 and the shorter one of version 2. The
// passage between it and the application's settings is app/sud_settings_block.h.
#pragma once

#include <array>
#include <cstdint>

#include "files/sud_file_state.h"

namespace quorbel {

class ArchiveReader;
class ArchiveWriter;

void WriteSudSettings(ArchiveWriter &out, const SudSettingsBlock &block, const SudGameState &game);
// Version 2 stores neither the three display-matrix keys, nor the comments, and the
// variant word of new grids as one int32; versions 3 to 5 store the full block.
bool ReadSudSettings(ArchiveReader &in, int version, SudSettingsBlock &block, SudGameState &game);

} // namespace quorbel
