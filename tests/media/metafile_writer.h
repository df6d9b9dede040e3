// Metafiles written by the tests themselves: a placeable WMF or an EMF header, then records
// as given (fields in the order the files store them), then the end record.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "tests/media/bmp_fixture.h"

namespace quorbel::test {

constexpr uint32_t ColourRef(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 | static_cast<uint32_t>(blue) << 16;
}

// A bitmap as metafile records carry it: the BMP without its file header.
inline std::vector<uint8_t> PackedDib(const BmpLayout &layout) {
  const std::vector<uint8_t> file = MakeBmp(layout);
  return std::vector<uint8_t>(file.begin() + 14, file.end());
}

// A 16-bit point of an EMF's small records, as one 32-bit field.
constexpr int32_t Point16(int16_t x, int16_t y) {
  return static_cast<int32_t>(static_cast<uint16_t>(x) | static_cast<uint32_t>(static_cast<uint16_t>(y))
                                                             << 16);
}

// Records of a placeable WMF whose box is (0, 0) to (right, bottom) in its own units.
class WmfWriter {
public:
  WmfWriter(int16_t right, int16_t bottom, uint16_t unitsPerInch, uint16_t objects = 16)
      : right_(right), bottom_(bottom), unitsPerInch_(unitsPerInch), objects_(objects) {}

  // Parameters as 16-bit words (a colour or a 32-bit value is two, low word first).
  WmfWriter &Record(uint16_t function, std::initializer_list<int32_t> words) {
    std::vector<uint8_t> parameters;
    for (const int32_t w : words)
      Put16(parameters, static_cast<uint32_t>(w) & 0xFFFF);
    return Raw(function, parameters);
  }
  WmfWriter &Raw(uint16_t function, const std::vector<uint8_t> &parameters) {
    Put32(records_, static_cast<uint32_t>(3 + (parameters.size() + 1) / 2));
    Put16(records_, function);
    records_.insert(records_.end(), parameters.begin(), parameters.end());
    if (parameters.size() % 2)
      records_.push_back(0);
    return *this;
  }
  WmfWriter &Colour(uint16_t function, uint32_t colourRef) {
    return Record(function,
                  {static_cast<int32_t>(colourRef & 0xFFFF), static_cast<int32_t>(colourRef >> 16)});
  }

  std::vector<uint8_t> Bytes(bool goodSum = true) const {
    std::vector<uint8_t> file;
    Put32(file, 0x9AC6CDD7);
    Put16(file, 0);
    for (const int16_t v : {int16_t{0}, int16_t{0}, right_, bottom_})
      Put16(file, static_cast<uint16_t>(v));
    Put16(file, unitsPerInch_);
    Put32(file, 0);
    uint16_t sum = 0;
    for (size_t k = 0; k < 10; ++k)
      sum ^= static_cast<uint16_t>(file[2 * k] | file[2 * k + 1] << 8);
    Put16(file, goodSum ? sum : static_cast<uint16_t>(sum ^ 1));
    const size_t words = 9 + records_.size() / 2 + 3;
    Put16(file, 1); // in memory
    Put16(file, 9);
    Put16(file, 0x300);
    Put32(file, static_cast<uint32_t>(words));
    Put16(file, objects_);
    Put32(file, 0);
    Put16(file, 0);
    file.insert(file.end(), records_.begin(), records_.end());
    Put32(file, 3); // the end
    Put16(file, 0);
    return file;
  }

private:
  int16_t right_;
  int16_t bottom_;
  uint16_t unitsPerInch_;
  uint16_t objects_;
  std::vector<uint8_t> records_;
};

// Records of an EMF of `right` x `bottom` device pixels of 96 dpi: its bounds, which hold their
// last pixels, are (0, 0) to (right - 1, bottom - 1).
class EmfWriter {
public:
  EmfWriter(int32_t right, int32_t bottom, uint16_t objects = 16)
      : right_(right), bottom_(bottom), objects_(objects) {}

  // 32-bit fields after the type and size.
  EmfWriter &Record(uint32_t type, std::initializer_list<int32_t> fields) {
    std::vector<uint8_t> bytes;
    for (const int32_t f : fields)
      Put32(bytes, static_cast<uint32_t>(f));
    return Raw(type, bytes);
  }
  EmfWriter &Raw(uint32_t type, std::vector<uint8_t> fields) {
    while (fields.size() % 4)
      fields.push_back(0);
    Put32(records_, type);
    Put32(records_, static_cast<uint32_t>(8 + fields.size()));
    records_.insert(records_.end(), fields.begin(), fields.end());
    return *this;
  }

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> file;
    Put32(file, 1);
    Put32(file, 88);
    for (const int32_t v : {0, 0, right_ - 1, bottom_ - 1}) // bounds
      Put32(file, static_cast<uint32_t>(v));
    for (const int32_t v :
         {0, 0, right_ * 2540 / 96 - 1, bottom_ * 2540 / 96 - 1}) // frame, hundredths of a millimetre
      Put32(file, static_cast<uint32_t>(v));
    Put32(file, 0x464D4520);
    Put32(file, 0x10000);
    Put32(file, static_cast<uint32_t>(88 + records_.size() + 20));
    Put32(file, 0); // records: not read
    Put16(file, objects_);
    Put16(file, 0);
    for (int k = 0; k < 3; ++k) // description and palette
      Put32(file, 0);
    for (const int32_t v : {960, 960, 254, 254}) // the device: 960 pixels on 254 mm
      Put32(file, static_cast<uint32_t>(v));
    file.insert(file.end(), records_.begin(), records_.end());
    for (const uint32_t v : {14u, 20u, 0u, 16u, 20u}) // the end record
      Put32(file, v);
    return file;
  }

private:
  int32_t right_;
  int32_t bottom_;
  uint16_t objects_;
  std::vector<uint8_t> records_;
};

} // namespace quorbel::test
