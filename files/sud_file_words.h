// The word-by-word machinery behind the fixed layouts of grid files (variant block, cell
// records, cell images): a layout is one walk over named fields, run by a writer, by a
// reader that checks every value before it stores it, or by a lister that documents it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "files/archive_reader.h"
#include "files/archive_writer.h"

namespace quorbel {

constexpr size_t kFileWordBytes = 4;

// An inclusive range of accepted values; the default accepts whatever fits the field.
struct WordRange {
  int64_t Lo = std::numeric_limits<int64_t>::min();
  int64_t Hi = std::numeric_limits<int64_t>::max();
};
constexpr WordRange kAnyWord{};

// A field's name, with the item and positions of one word of it (-1 when not indexed).
struct WordAt {
  const char *Name;
  int Item = -1;
  int Pos = -1;
  int Pos2 = -1;
};
std::string DescribeWordAt(const WordAt &at);

// One named field of a layout. An interleaved field is one of the fields of a record that
// repeats (a puzzle piece): its offset is its first word, in the record of item 0.
struct LayoutField {
  std::string Name;
  size_t Offset = 0; // bytes from the start of the layout
  size_t Words = 0;
  bool Interleaved = false;
};

class WordWriter {
public:
  explicit WordWriter(ArchiveWriter &out) : out_(out) {}
  template <class T> void Word(const WordAt &, T &value, bool, WordRange) {
    if constexpr (std::is_unsigned_v<T>)
      out_.WriteUInt32(value);
    else
      out_.WriteInt32(value);
  }
  // Counts are written clamped, so that what we write is always readable.
  void Count(const WordAt &, int32_t &count, int capacity) {
    out_.WriteInt32(std::clamp<int32_t>(count, 0, capacity));
  }

private:
  ArchiveWriter &out_;
};

// Reads at most `words` words (an older, shorter layout leaves the later fields as they
// were). A value must fit its field; a used entry must also lie in its range.
class WordReader {
public:
  WordReader(ArchiveReader &in, size_t words, std::string context)
      : in_(in), words_(words), context_(std::move(context)) {}

  template <class T> void Word(const WordAt &at, T &field, bool used, WordRange range) {
    if (!in_.Ok() || taken_ >= words_)
      return;
    ++taken_;
    const int32_t raw = in_.ReadInt32(context_);
    if (!in_.Ok())
      return;
    const int64_t value = std::is_unsigned_v<T> ? static_cast<int64_t>(static_cast<uint32_t>(raw)) : raw;
    using Limits = std::numeric_limits<T>;
    const WordRange fits{static_cast<int64_t>(Limits::min()), static_cast<int64_t>(Limits::max())};
    if (value < fits.Lo || value > fits.Hi)
      return Refuse(at, value, fits);
    if (used && (value < range.Lo || value > range.Hi))
      return Refuse(at, value, range);
    field = static_cast<T>(value);
  }
  void Count(const WordAt &at, int32_t &count, int capacity) {
    Word(at, count, true, WordRange{0, capacity});
  }

  size_t WordsTaken() const { return taken_; }

private:
  void Refuse(const WordAt &at, int64_t value, WordRange range) {
    in_.FailWith(context_ + ", " + DescribeWordAt(at) + ": " + std::to_string(value) + " is outside " +
                 std::to_string(range.Lo) + ".." + std::to_string(range.Hi));
  }

  ArchiveReader &in_;
  size_t words_;
  size_t taken_ = 0;
  std::string context_;
};

class LayoutLister {
public:
  template <class T> void Word(const WordAt &at, T &, bool, WordRange) {
    auto field =
        std::find_if(fields_.begin(), fields_.end(), [&](const LayoutField &f) { return f.Name == at.Name; });
    if (field == fields_.end()) {
      fields_.push_back({at.Name, offset_, 0, false});
      field = fields_.end() - 1;
    } else if (field != fields_.end() - 1) {
      field->Interleaved = true;
    }
    ++field->Words;
    offset_ += kFileWordBytes;
  }
  void Count(const WordAt &at, int32_t &count, int) { Word(at, count, true, kAnyWord); }

  std::vector<LayoutField> Take() { return std::move(fields_); }

private:
  std::vector<LayoutField> fields_;
  size_t offset_ = 0;
};

} // namespace quorbel
