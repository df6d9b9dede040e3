// A PCM WAVE file's bytes: what our sound-making tool writes, and what tests feed the reader.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorbel {

// 16-bit samples, interleaved when there are several channels.
std::string EncodePcmWave(int sampleRate, int channels, const std::vector<int16_t> &samples);
// 8-bit unsigned samples.
std::string EncodePcmWave8(int sampleRate, int channels, const std::vector<uint8_t> &samples);

} // namespace quorbel
