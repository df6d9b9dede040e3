#include "media/wave_writer.h"

namespace quorbel {

namespace {

void Put16(std::string &out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string &out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::string Encode(int sampleRate, int channels, int bits, const std::string &data) {
  const auto blockAlign = static_cast<uint32_t>(channels * bits / 8);
  std::string out = "RIFF";
  Put32(out, static_cast<uint32_t>(4 + 8 + 16 + 8 + data.size() + data.size() % 2));
  out += "WAVEfmt ";
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(channels));
  Put32(out, static_cast<uint32_t>(sampleRate));
  Put32(out, static_cast<uint32_t>(sampleRate) * blockAlign);
  Put16(out, blockAlign);
  Put16(out, static_cast<uint32_t>(bits));
  out += "data";
  Put32(out, static_cast<uint32_t>(data.size()));
  out += data;
  if (data.size() % 2 == 1)
    out += '\0';
  return out;
}

} // namespace

std::string EncodePcmWave(int sampleRate, int channels, const std::vector<int16_t> &samples) {
  std::string data;
  data.reserve(samples.size() * 2);
  for (const int16_t sample : samples)
    Put16(data, static_cast<uint16_t>(sample));
  return Encode(sampleRate, channels, 16, data);
}

std::string EncodePcmWave8(int sampleRate, int channels, const std::vector<uint8_t> &samples) {
  return Encode(sampleRate, channels, 8, std::string(samples.begin(), samples.end()));
}

} // namespace quorbel
