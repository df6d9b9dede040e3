// MPEG audio frames as the music player walks them: the 4-byte frame header, the ID3v2 tag in
// front of the audio and the 128-byte "TAG" block behind it, the XING header of a variable-rate
// file, and the buffer plan that follows from the first frame.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace quorbel {

enum class MpegVersion { Mpeg1, Mpeg2, Mpeg25 };

struct Mp3FrameHeader {
  MpegVersion Version = MpegVersion::Mpeg1;
  int Layer = 3;
  int SampleRate = 0;
  int Channels = 0;
  int SamplesPerFrame = 0;
  int Bitrate = 0; // kbit/s; 0 for a free-format frame
  int Padding = 0;
  int FrameLength = 0; // bytes, header included; 0 when the bit rate is free
  // Whether another header is of the same stream: version, layer, rate and channels.
  bool SameStream(const Mp3FrameHeader &other) const {
    return Version == other.Version && Layer == other.Layer && SampleRate == other.SampleRate &&
           Channels == other.Channels;
  }
};

// The header at the start of `bytes` (at least 4), or nothing when it is not a valid one.
std::optional<Mp3FrameHeader> ParseFrameHeader(std::span<const uint8_t> bytes);

// The bytes an ID3v2 tag at the start of the file takes (0 when there is none).
int64_t Id3v2Size(std::span<const uint8_t> head);
// Whether the file's last 128 bytes are an ID3v1 "TAG" block.
bool HasId3v1Tag(std::span<const uint8_t> last128);

// Where the first frame starts in `bytes`: a valid header of known length, followed by another
// of the same stream when the bytes reach that far. Each try moves on one byte; nothing when
// no frame is found in the bytes given.
std::optional<size_t> FindFirstFrame(std::span<const uint8_t> bytes);

struct XingHeader {
  uint32_t Frames = 0; // 0 when the header does not give it
  uint32_t Bytes = 0;
  bool HasToc = false;
  std::array<uint8_t, 100> Toc{};
};
// The XING (or "Info") header inside the first frame, when there is one.
std::optional<XingHeader> ParseXingHeader(std::span<const uint8_t> frame, const Mp3FrameHeader &header);

// Playing length in milliseconds: from the XING frame count when known, else from the bytes at
// the first frame's bit rate.
int64_t Mp3LengthMs(const Mp3FrameHeader &first, const std::optional<XingHeader> &xing, int64_t audioBytes);
// The byte offset from the audio start of a position in seconds.
int64_t Mp3SeekOffset(const Mp3FrameHeader &first, const std::optional<XingHeader> &xing, int64_t audioBytes,
                      int64_t lengthMs, int seconds);

// a x b / c rounded to the nearest, as the Windows MulDiv does; -1 when c is 0.
int MulDiv(int a, int b, int c);

// How the player cuts the sound into buffers: about 100 ms of frames each, about two seconds in all.
struct Mp3BufferPlan {
  int FramesPerBuffer = 0;
  int BufferMs = 0;
  int BufferCount = 0;
};
Mp3BufferPlan PlanMp3Buffers(const Mp3FrameHeader &first);

} // namespace quorbel
