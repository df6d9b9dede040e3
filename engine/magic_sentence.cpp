// Reading the magic sentence files and scrambling the letter field. The files are
// Latin-1, so each byte is one character; inside the program the fields are UTF-8 and
// the letter field is worked on character by character, never byte by byte.
#include "engine/magic_sentence.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <vector>

#include "engine/engine_context.h"
#include "engine/grid_set.h"
#include "platform/ascii_text.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "platform/regular_file.h"

namespace quorbel {

namespace {

constexpr size_t kMaxSentenceLine = 254; // longer lines are cut, as the reader's buffer did
constexpr char32_t kSwapMark = U';';     // never inside the letter field: it ends the field
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string &out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text)
    AppendUtf8(out, c);
  return out;
}

// A malformed sequence becomes one replacement character per byte.
std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80           ? 0
                      : (lead >> 5) == 0x6  ? 1
                      : (lead >> 4) == 0xE  ? 2
                      : (lead >> 3) == 0x1E ? 3
                                            : -1;
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    bool valid = extra >= 0 && i + extra < text.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    out += valid ? c : kReplacement;
    i += valid ? extra + 1 : 1;
  }
  return out;
}

std::string Latin1ToFieldText(std::string_view latin1) {
  std::string out;
  for (char byte : latin1)
    AppendUtf8(out, static_cast<unsigned char>(byte));
  return out;
}

// The number on a size line, read from its third character on; 0 when there is none.
int SizeOfLine(std::string_view line) {
  std::string_view digits = line.size() > 2 ? line.substr(2) : std::string_view{};
  while (!digits.empty() && (digits.front() == ' ' || digits.front() == '\t'))
    digits.remove_prefix(1);
  int size = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), size);
  return size;
}

// Far above every sentence of every size.
constexpr uint64_t kMostSentenceFileBytes = uint64_t{16} << 20;

// The sentences of one size, in file order, with their line ends removed.
bool ReadSentencesOfSize(const std::string &path, int width, std::vector<std::string> &out) {
  const RegularFileText read = ReadRegularFileText(path, kMostSentenceFileBytes);
  if (!read.Ok)
    return false;
  std::istringstream file(read.Text);
  constexpr int kNoSize = 0;
  int size = kNoSize;
  std::string line;
  while (std::getline(file, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
      line.pop_back();
    if (line.size() > kMaxSentenceLine)
      line.resize(kMaxSentenceLine);
    if (line.empty() || line.front() == '!')
      continue;
    if (line.front() == 'G')
      size = SizeOfLine(line);
    else if (size == width)
      out.push_back(Latin1ToFieldText(line));
  }
  return true;
}

} // namespace

MagicSentenceText SplitMagicSentence(std::string_view line) {
  MagicSentenceText sentence;
  const size_t first = line.find(';');
  if (first == std::string_view::npos) {
    sentence.Second = std::string(line);
    return sentence;
  }
  sentence.Letters = std::string(line.substr(0, first));
  const std::string_view rest = line.substr(first + 1);
  const size_t second = rest.find(';');
  sentence.Second = std::string(rest.substr(0, second));
  if (second != std::string_view::npos)
    sentence.Third = std::string(rest.substr(second + 1));
  return sentence;
}

int ReplaceCharInSentence(EngineContext &ctx, char32_t from, char32_t to) {
  std::string &letters = ctx.MagicSentence.Letters;
  if (from == to || letters.empty())
    return 0;
  std::u32string text = DecodeUtf8(letters);
  int replaced = 0;
  for (char32_t &c : text) {
    if (c == from) {
      c = to;
      ++replaced;
    }
  }
  letters = EncodeUtf8(text);
  return replaced;
}

int PickMagicSentenceFrom(EngineContext &ctx, const std::string &path) {
  std::vector<std::string> sentences;
  if (!ReadSentencesOfSize(path, ctx.Geo.GridWidth, sentences))
    return 0;
  if (sentences.empty()) {
    ctx.MagicSentence = {};
    return 0;
  }
  ctx.MagicSentence =
      SplitMagicSentence(sentences[RandomBelow(ctx.Random, static_cast<int>(sentences.size()))]);

  // Exchanging two letters everywhere keeps the field a permutation of its letters.
  const int n = static_cast<int>(DecodeUtf8(ctx.MagicSentence.Letters).size());
  for (int i = 0; i < n; ++i) {
    const int j = RandomBelow(ctx.Random, n);
    const std::u32string letters = DecodeUtf8(ctx.MagicSentence.Letters);
    const char32_t a = letters[i];
    const char32_t b = letters[j];
    ReplaceCharInSentence(ctx, a, kSwapMark);
    ReplaceCharInSentence(ctx, b, a);
    ReplaceCharInSentence(ctx, kSwapMark, b);
  }
  return n;
}

int PickMagicSentence(EngineContext &ctx) {
  const char *name = ctx.Settings.Language == kLanguageFrench ? "MSentFr.dat" : "MSentEn.dat";
  return PickMagicSentenceFrom(ctx, MakeAbsolutePath(name));
}

std::string MagicSentenceLetters(const GridSet &set, int width) {
  for (int slot = 0; slot < std::clamp(set.MainCount, 0, kMaxGrids); ++slot) {
    const GridRecord &grid = set.Main[static_cast<size_t>(slot)];
    if (!Meets(grid.GridVar, kVarMagicSentence))
      continue;
    std::string letters(static_cast<size_t>(std::clamp(width, 0, kMaxWidth)), '?');
    bool any = false;
    for (size_t k = 0; k < grid.Lists.MagicSentence.LetterTable.size(); ++k)
      if (const int v = grid.Lists.MagicSentence.LetterTable[k];
          v >= 1 && v <= static_cast<int>(letters.size())) {
        letters[static_cast<size_t>(v - 1)] = static_cast<char>('A' + k);
        any = true;
      }
    if (any)
      return letters;
  }
  return {};
}

int MagicLetterValue(const std::string &letters, char key) {
  const char upper = AsciiUpper(key);
  if (upper < 'A' || upper > 'Z')
    return 0;
  const size_t at = letters.find(upper);
  return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

} // namespace quorbel
