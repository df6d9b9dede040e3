// The constants of the .sud grid file shared by its writer and its readers: the header of
// each version, the twin variants that give old files a second grid, and the limits the
// readers hold files to.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/variant_bits.h"

namespace quorbel {

constexpr int kSudVersionCount = 5;
constexpr int kSudCurrentVersion = 5;
// Index v - 1 holds the header of version v.
constexpr std::array<std::string_view, kSudVersionCount> kSudHeaders = {
    "Quorbel Mode Sudo", "Quorbel Mode Sudo v2", "Quorbel Mode Sudo v3", "Quorbel Mode Sudo v4",
    "Quorbel Mode Sudo v5"};

// The first line of the text formats that share the file dialog, and how many bytes of a
// file are looked at to recognise them.
constexpr std::string_view kTextGridHeader = "Quorbel Mode Texte";

// Versions 1 to 4 hold a second grid when the variant words name one of these.
constexpr VariantWords kOldFileTwinVariants = {0x1C000C00, 0x01C10000};

// Snapshots of the undo history a file may hold; the undo stack keeps as many.
constexpr int32_t kMaxUndoSteps = 3000;

// Grid files are read whole into memory; anything larger is refused unread.
constexpr uint64_t kMaxSudFileBytes = uint64_t{1} << 30;

} // namespace quorbel
