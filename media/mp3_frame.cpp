#include "media/mp3_frame.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quorbel {

namespace {

// kbit/s by [MPEG-1?][layer - 1][index]; index 0 is free format, 15 is invalid.
constexpr int kBitrates[2][3][16] = {
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, -1},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, -1},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, -1}},
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, -1},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, -1},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, -1}},
};
constexpr int kMpeg1Rates[3] = {44100, 48000, 32000};

uint32_t BigEndian32(std::span<const uint8_t> bytes, size_t at) {
  return (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) | (uint32_t{bytes[at + 2]} << 8) |
         uint32_t{bytes[at + 3]};
}

// Where the XING header sits in the frame: behind the header and the side information.
size_t XingOffset(const Mp3FrameHeader &header) {
  if (header.Version == MpegVersion::Mpeg1)
    return 4 + (header.Channels == 1 ? 17 : 32);
  return 4 + (header.Channels == 1 ? 9 : 17);
}

} // namespace

std::optional<Mp3FrameHeader> ParseFrameHeader(std::span<const uint8_t> bytes) {
  if (bytes.size() < 4 || bytes[0] != 0xFF || (bytes[1] & 0xE0) != 0xE0)
    return std::nullopt;
  const int versionBits = (bytes[1] >> 3) & 3;
  const int layerBits = (bytes[1] >> 1) & 3;
  const int bitrateIndex = bytes[2] >> 4;
  const int rateIndex = (bytes[2] >> 2) & 3;
  if (versionBits == 1 || layerBits == 0 || bitrateIndex == 15 || rateIndex == 3)
    return std::nullopt;
  Mp3FrameHeader header;
  header.Version = versionBits == 3   ? MpegVersion::Mpeg1
                   : versionBits == 2 ? MpegVersion::Mpeg2
                                      : MpegVersion::Mpeg25;
  header.Layer = 4 - layerBits;
  const bool mpeg1 = header.Version == MpegVersion::Mpeg1;
  const int divisor = mpeg1 ? 1 : header.Version == MpegVersion::Mpeg2 ? 2 : 4;
  header.SampleRate = kMpeg1Rates[rateIndex] / divisor;
  header.Channels = (bytes[3] >> 6) == 3 ? 1 : 2;
  header.Padding = (bytes[2] >> 1) & 1;
  header.Bitrate = kBitrates[mpeg1 ? 1 : 0][header.Layer - 1][bitrateIndex];
  if (header.Layer == 1)
    header.SamplesPerFrame = 384;
  else if (header.Layer == 2 || mpeg1)
    header.SamplesPerFrame = 1152;
  else
    header.SamplesPerFrame = 576;
  if (header.Bitrate > 0) {
    if (header.Layer == 1)
      header.FrameLength = (12 * header.Bitrate * 1000 / header.SampleRate + header.Padding) * 4;
    else
      header.FrameLength =
          header.SamplesPerFrame / 8 * header.Bitrate * 1000 / header.SampleRate + header.Padding;
  }
  return header;
}

int64_t Id3v2Size(std::span<const uint8_t> head) {
  if (head.size() < 10 || std::memcmp(head.data(), "ID3", 3) != 0)
    return 0;
  int64_t size = 0;
  for (int i = 6; i < 10; ++i) {
    if (head[static_cast<size_t>(i)] & 0x80)
      return 0; // not a syncsafe size: not a tag
    size = (size << 7) | head[static_cast<size_t>(i)];
  }
  const bool footer = (head[5] & 0x10) != 0;
  return 10 + size + (footer ? 10 : 0);
}

bool HasId3v1Tag(std::span<const uint8_t> last128) {
  return last128.size() == 128 && std::memcmp(last128.data(), "TAG", 3) == 0;
}

std::optional<size_t> FindFirstFrame(std::span<const uint8_t> bytes) {
  for (size_t at = 0; at + 4 <= bytes.size(); ++at) {
    const auto header = ParseFrameHeader(bytes.subspan(at));
    if (!header || header->FrameLength <= 4)
      continue;
    const size_t next = at + static_cast<size_t>(header->FrameLength);
    if (next + 4 > bytes.size())
      return at;
    const auto following = ParseFrameHeader(bytes.subspan(next));
    if (following && following->SameStream(*header))
      return at;
  }
  return std::nullopt;
}

std::optional<XingHeader> ParseXingHeader(std::span<const uint8_t> frame, const Mp3FrameHeader &header) {
  const size_t at = XingOffset(header);
  if (frame.size() < at + 8)
    return std::nullopt;
  if (std::memcmp(frame.data() + at, "Xing", 4) != 0 && std::memcmp(frame.data() + at, "Info", 4) != 0)
    return std::nullopt;
  const uint32_t flags = BigEndian32(frame, at + 4);
  size_t next = at + 8;
  XingHeader xing;
  if ((flags & 1) && next + 4 <= frame.size()) {
    xing.Frames = BigEndian32(frame, next);
    next += 4;
  }
  if ((flags & 2) && next + 4 <= frame.size()) {
    xing.Bytes = BigEndian32(frame, next);
    next += 4;
  }
  if ((flags & 4) && next + 100 <= frame.size()) {
    std::copy_n(frame.begin() + static_cast<std::ptrdiff_t>(next), 100, xing.Toc.begin());
    xing.HasToc = true;
  }
  return xing;
}

int64_t Mp3LengthMs(const Mp3FrameHeader &first, const std::optional<XingHeader> &xing, int64_t audioBytes) {
  if (xing && xing->Frames > 0 && first.SampleRate > 0)
    return static_cast<int64_t>(xing->Frames) * first.SamplesPerFrame * 1000 / first.SampleRate;
  if (first.Bitrate <= 0)
    return 0;
  return audioBytes * 8 / first.Bitrate;
}

int64_t Mp3SeekOffset(const Mp3FrameHeader &first, const std::optional<XingHeader> &xing, int64_t audioBytes,
                      int64_t lengthMs, int seconds) {
  if (xing && xing->HasToc && lengthMs > 0) {
    // The table gives, for each percent of the time, the position in 256ths of the bytes.
    const double percent = std::clamp(seconds * 100000.0 / static_cast<double>(lengthMs), 0.0, 99.999);
    const auto index = static_cast<size_t>(percent);
    const double low = xing->Toc[index];
    const double high = index < 99 ? xing->Toc[index + 1] : 256.0;
    const double share = (low + (high - low) * (percent - static_cast<double>(index))) / 256.0;
    const int64_t bytes = xing->Bytes > 0 ? xing->Bytes : audioBytes;
    return static_cast<int64_t>(share * static_cast<double>(bytes));
  }
  if (first.SamplesPerFrame <= 0)
    return 0;
  return static_cast<int64_t>(seconds) * first.SampleRate / first.SamplesPerFrame * first.FrameLength;
}

int MulDiv(int a, int b, int c) {
  if (c == 0)
    return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const int64_t divisor = c < 0 ? -static_cast<int64_t>(c) : c;
  const int64_t quotient = ((product < 0 ? -product : product) + divisor / 2) / divisor;
  return static_cast<int>(negative ? -quotient : quotient);
}

Mp3BufferPlan PlanMp3Buffers(const Mp3FrameHeader &first) {
  Mp3BufferPlan plan;
  plan.FramesPerBuffer = std::max(1, MulDiv(100, first.SampleRate, first.SamplesPerFrame * 1000));
  plan.BufferMs = MulDiv(plan.FramesPerBuffer * 1000 + 1000, first.SamplesPerFrame, first.SampleRate);
  plan.BufferCount = std::max(2, MulDiv(2000, 1, plan.BufferMs));
  return plan;
}

} // namespace quorbel
