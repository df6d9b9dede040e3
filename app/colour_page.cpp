#include "app/colour_page.h"

#include <optional>
#include <string>

#include "app/colour_file.h"
#include "files/file_bytes.h"

namespace quorbel {

namespace {

constexpr uint64_t kLargestColourFile = 64 * 1024;

} // namespace

void ColourPage::ClickSwatch(int slot) {
  if (slot < 0 || slot >= kBoardColourCount)
    return;
  ColorRef &colour = Slots.*BoardColourKeys[static_cast<size_t>(slot)].field;
  if (const std::optional<ColorRef> chosen = effects_.ChooseColour(colour))
    colour = *chosen;
  // Cancelled or not, the board shows the page's colours.
  StoreColours();
  effects_.RedrawBoard(true);
  effects_.ClearMagicSelection();
}

void ColourPage::SetDefaultColours() {
  Slots = DefaultColours();
  StoreColours();
  effects_.RedrawBoard(true);
}

bool ColourPage::LoadColourFile() {
  const std::string path = effects_.ChooseColourFile(false);
  if (path.empty())
    return false;
  const FileBytesResult read = ReadFileBytes(path, kLargestColourFile);
  if (!read.Ok)
    return false;
  ReadColourFile(std::string_view(reinterpret_cast<const char *>(read.Bytes.data()), read.Bytes.size()),
                 Slots);
  StoreColours();
  effects_.RedrawBoard(true);
  effects_.ClearMagicSelection();
  return true;
}

bool ColourPage::SaveColourFile() {
  const std::string path = effects_.ChooseColourFile(true);
  return !path.empty() && WriteFileReplacing(path, WriteColourFile(Slots)).Ok();
}

} // namespace quorbel
