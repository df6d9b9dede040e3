// The passage between the settings block a grid file carries and the application's settings.
#pragma once

#include <array>
#include <cstdint>

#include "files/sud_file_state.h"

namespace quorbel {

struct AppSettings;

// The block to save, from the application's settings and picture order; the picture paths
// are made relative to the start directory.
SudSettingsBlock CaptureSudSettings(const AppSettings &settings, const std::array<int32_t, 16> &pictureOrder);
// Takes the block's keys into `settings`, each repaired by the settings schema's own rules
// as if it had been loaded from the profile; the background picture becomes absolute.
// Returns the picture order to use: the block's, or the identity when an entry is outside 0..15.
std::array<int32_t, 16> ApplySudSettings(const SudSettingsBlock &block, AppSettings &settings);

} // namespace quorbel
