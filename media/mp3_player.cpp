#include "media/mp3_player.h"

#include <mpg123.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>

namespace quorbel {

namespace {

// Room for the longest frame there is.
constexpr size_t kMaxFrameBytes = 5761;
// How far into the audio the first frame is looked for.
constexpr size_t kFirstFrameSearch = 256 * 1024;
// Junk between frames is searched a window at a time: a long run of it costs few reads, and a
// stop is heard between two windows.
constexpr int64_t kSyncWindowBytes = 64 * 1024;

mpg123_handle *NewDecoder(const Mp3FrameHeader &first) {
  int error = MPG123_OK;
  mpg123_handle *decoder = mpg123_new(nullptr, &error);
  if (decoder == nullptr)
    return nullptr;
  mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  mpg123_format_none(decoder);
  mpg123_format(decoder, first.SampleRate, first.Channels == 1 ? MPG123_MONO : MPG123_STEREO,
                MPG123_ENC_SIGNED_16);
  if (mpg123_open_feed(decoder) != MPG123_OK) {
    mpg123_delete(decoder);
    return nullptr;
  }
  return decoder;
}

// Feeds `input` (none: only takes what the decoder holds) and takes what comes out, up to
// `capacity` bytes; the bytes taken.
size_t DecodeInto(mpg123_handle *&decoder, const Mp3FrameHeader &first, const std::vector<uint8_t> &input,
                  unsigned char *out, size_t capacity) {
  size_t total = 0;
  size_t done = 0;
  int result =
      mpg123_decode(decoder, input.empty() ? nullptr : input.data(), input.size(), out, capacity, &done);
  total += done;
  while (total < capacity && (result == MPG123_OK || result == MPG123_NEW_FORMAT)) {
    result = mpg123_decode(decoder, nullptr, 0, out + total, capacity - total, &done);
    total += done;
    if (done == 0 && result == MPG123_OK)
      break;
  }
  if (result == MPG123_ERR) {
    mpg123_delete(decoder);
    decoder = NewDecoder(first);
  }
  return total;
}

} // namespace

int VuLevel(double meanAbsolute) {
  if (meanAbsolute < 54.12)
    return 0;
  return static_cast<int>(38.0 * std::log10(meanAbsolute / 23169.0) + 100.0);
}

CMp3Player::CMp3Player(AudioOutputFactory makeOutput, Mp3Report report)
    : makeOutput_(std::move(makeOutput)), report_(std::move(report)) {}

CMp3Player::~CMp3Player() { CloseMp3File(); }

void CMp3Player::Fail(const std::string &text) const {
  if (report_)
    report_(text);
}

void CMp3Player::Signal() {
  {
    std::lock_guard lock(eventLock_);
    eventSet_ = true;
  }
  event_.notify_all();
}

int CMp3Player::OpenMp3File(const std::string &name) {
  if (stream_) {
    Fail("You need to close mp3 file before open new one");
    return 0;
  }
  auto stream = std::make_unique<CMp3Stream>();
  if (!stream->OpenFile(name).empty()) {
    // The file named, and why: a FIFO or a folder in its place is passed over, not waited on.
    Fail("CMp3Player::OpenMp3File\n\nCan't open file\n" + name + " (" + stream->OpenFailure() + ")");
    return 0;
  }
  stream_ = std::move(stream);
  fileName_ = name;
  if (Open() == 0) {
    stream_.reset();
    fileName_.clear();
    return 0;
  }
  return 1;
}

int CMp3Player::Open() {
  // An ID3v2 tag in front and a "TAG" block behind are not audio.
  uint8_t head[10] = {};
  size_t read = 0;
  if (!stream_->Seek(0, CMp3Stream::kBegin).empty()) {
    Fail("CMp3Player::_GetID3Version\n\nCan't seek to stream begin!");
    return 0;
  }
  if (!stream_->Read(sizeof head, head, read).empty()) {
    Fail("CMp3Player::_GetID3Version\n\nCan't read ID3!");
    return 0;
  }
  audioStart_ = std::min(Id3v2Size({head, read}), stream_->Size());
  audioLength_ = stream_->Size() - audioStart_;
  if (audioLength_ >= 128) {
    uint8_t tail[128];
    if (!stream_->Seek(-128, CMp3Stream::kEnd).empty()) {
      Fail("CMp3Player::_GetID3Version\n\nCan't seek to stream end!");
      return 0;
    }
    if (!stream_->Read(sizeof tail, tail, read).empty() || read != sizeof tail) {
      Fail("CMp3Player::_GetID3Version\n\nCan't read TAG!");
      return 0;
    }
    if (HasId3v1Tag(tail))
      audioLength_ -= 128;
  }

  std::vector<uint8_t> search(static_cast<size_t>(std::min<int64_t>(audioLength_, kFirstFrameSearch)));
  if (!stream_->Seek(audioStart_, CMp3Stream::kBegin).empty()) {
    Fail("CMp3Player::_Open\n\nCan't seek !");
    return 0;
  }
  stream_->Read(search.size(), search.data(), read);
  search.resize(read);
  const std::optional<size_t> found = FindFirstFrame(search);
  if (!found) {
    Fail("CMp3Player::_Open   *** Can't find first valid mp3 frame");
    return 0;
  }
  first_ = *ParseFrameHeader(std::span(search).subspan(*found));
  const size_t frameEnd = std::min(search.size(), *found + static_cast<size_t>(first_.FrameLength));
  xing_ = ParseXingHeader(std::span(search).subspan(*found, frameEnd - *found), first_);
  lengthMs_ = Mp3LengthMs(first_, xing_, audioLength_);
  if (!stream_->Seek(audioStart_, CMp3Stream::kBegin).empty()) {
    Fail("CMp3Player::_Open\n\nCan't seek!!!!!");
    return 0;
  }
  plan_ = PlanMp3Buffers(first_);
  waveOut_ = std::make_unique<CWaveOut>(makeOutput_);
  waveOut_->Initialize(first_.Channels, first_.SampleRate, plan_.BufferCount, plan_.BufferMs);
  waveOut_->SetVolume(left_, right_);
  // Runs on the output's thread: it only counts, names the next buffer and wakes the player.
  waveOut_->OnDone = [this](int index) {
    nextBuffer_ = (index + 1) % plan_.BufferCount;
    bufferFinished_ = true;
    Signal();
  };
  input_.clear();
  input_.reserve(static_cast<size_t>(plan_.FramesPerBuffer) * kMaxFrameBytes);
  seekSeconds_ = 0;
  return 1;
}

int CMp3Player::Play() {
  if (!stream_) {
    Fail("CMp3Player::Play\n\nStrean isn't open!");
    return 0;
  }
  if (paused_)
    return Resume();
  if (playing_)
    return 1;
  JoinThread(); // a thread that ended with the music
  if (!waveOut_->OpenAudioOutput()) {
    Fail("CWaveOut::OpenAudioOutput  *** No device driver is present");
    return 0;
  }
  playing_ = true;
  paused_ = false;
  waveOut_->ResetPlayed();
  nextBuffer_ = 0;
  bufferFinished_ = false;
  thread_ = std::thread([this] { ThreadMain(); });
  Signal();
  return 1;
}

void CMp3Player::JoinThread() {
  if (thread_.joinable())
    thread_.join();
}

int CMp3Player::Stop() {
  if (!stream_) {
    Fail("CMp3Player::Play\n\nStream isn't open!");
    return 0;
  }
  if (playing_) {
    playing_ = false;
    paused_ = false;
    waveOut_->Reset();
    waveOut_->Restart();
    Signal();
  }
  JoinThread();
  std::lock_guard lock(streamLock_);
  stream_->Seek(audioStart_, CMp3Stream::kBegin);
  seekSeconds_ = 0;
  nextBuffer_ = 0;
  waveOut_->ResetPlayed();
  return 1;
}

int CMp3Player::Pause() {
  if (!stream_) {
    Fail("CMp3Player::Play\n\nStrean isn't open!");
    return 0;
  }
  waveOut_->Pause();
  paused_ = true;
  return 1;
}

int CMp3Player::Resume() {
  if (!stream_) {
    Fail("CMp3Player::Play\n\nStrean isn't open!");
    return 0;
  }
  waveOut_->Restart();
  paused_ = false;
  return 1;
}

int CMp3Player::GetStatus() const {
  if (paused_)
    return kPaused;
  return playing_ ? kPlaying : kStopped;
}

int CMp3Player::GetPosition() const {
  if (!stream_ || first_.SampleRate <= 0)
    return 0;
  const int64_t samples = waveOut_->PlayedBytes() / (2 * first_.Channels);
  return seekSeconds_ + static_cast<int>(samples / first_.SampleRate);
}

int CMp3Player::SeekPosition(int seconds) {
  if (!stream_)
    return 0;
  if (playing_)
    Stop();
  seconds = std::clamp(seconds, 0, LengthSeconds());
  const int64_t offset =
      std::min(Mp3SeekOffset(first_, xing_, audioLength_, lengthMs_, seconds), audioLength_);
  std::lock_guard lock(streamLock_);
  stream_->Seek(audioStart_ + offset, CMp3Stream::kBegin);
  seekSeconds_ = seconds;
  waveOut_->ResetPlayed();
  return 1;
}

int CMp3Player::Replay() {
  if (!stream_)
    return 0;
  return SeekPosition(0) == 1 ? Play() : 0;
}

int CMp3Player::SetVolume(int left, int right) {
  if (left < 0 || left > 100 || right < 0 || right > 100)
    return 0;
  left_ = left;
  right_ = right;
  if (waveOut_)
    waveOut_->SetVolume(left, right);
  return 1;
}

void CMp3Player::GetVuLevels(int &left, int &right) const {
  left = right = 0;
  if (!stream_ || !playing_ || !bufferFinished_)
    return;
  const int channels = first_.Channels;
  const std::vector<int16_t> window = waveOut_->PlayingWindow(static_cast<size_t>(first_.SampleRate) *
                                                              static_cast<size_t>(channels) * 2 / 50);
  if (window.empty())
    return;
  double sum[2] = {0, 0};
  for (size_t i = 0; i < window.size(); ++i)
    sum[i % static_cast<size_t>(channels)] += std::abs(static_cast<int>(window[i]));
  const double frames = static_cast<double>(window.size() / static_cast<size_t>(channels));
  left = VuLevel(sum[0] / frames);
  right = channels == 1 ? left : VuLevel(sum[1] / frames);
}

int CMp3Player::CloseMp3File() {
  if (!stream_)
    return 0;
  Stop();
  waveOut_->Close();
  waveOut_.reset();
  input_.clear();
  stream_.reset();
  fileName_.clear();
  return 1;
}

bool CMp3Player::SeekNextSync(int64_t from, int64_t end) {
  std::array<uint8_t, kSyncWindowBytes> window;
  for (int64_t at = from; at + 4 <= end && playing_;) {
    size_t read = 0;
    if (!stream_->Seek(at, CMp3Stream::kBegin).empty() ||
        !stream_
             ->Read(static_cast<size_t>(std::min<int64_t>(end - at, kSyncWindowBytes)), window.data(), read)
             .empty() ||
        read < 2)
      return false;
    for (size_t i = 0; i + 1 < read; ++i)
      if (window[i] == 0xFF && (window[i + 1] & 0xE0) == 0xE0)
        return stream_->Seek(at + static_cast<int64_t>(i), CMp3Stream::kBegin).empty();
    at += static_cast<int64_t>(read) - 1; // its last byte may begin a header
  }
  return false;
}

bool CMp3Player::ReadFrame(std::vector<uint8_t> &input) {
  const int64_t end = audioStart_ + audioLength_;
  uint8_t header[4];
  while (playing_ && stream_->Position() + 4 <= end) {
    size_t read = 0;
    if (!stream_->Read(4, header, read).empty() || read < 4)
      return false;
    const auto parsed = ParseFrameHeader(header);
    if (parsed && parsed->SameStream(first_) && parsed->FrameLength > 4 &&
        stream_->Position() - 4 + parsed->FrameLength <= end) {
      const size_t at = input.size();
      input.resize(at + static_cast<size_t>(parsed->FrameLength));
      std::copy(header, header + 4, input.begin() + static_cast<std::ptrdiff_t>(at));
      const auto rest = static_cast<size_t>(parsed->FrameLength - 4);
      stream_->Read(rest, input.data() + at + 4, read);
      input.resize(at + 4 + read);
      return read == rest;
    }
    // Not a frame of this stream: look again from the next byte that could begin a header.
    if (!SeekNextSync(stream_->Position() - 3, end))
      return false;
  }
  return false;
}

size_t CMp3Player::Refill(int i, mpg123_handle *&decoder) {
  auto *out = reinterpret_cast<unsigned char *>(waveOut_->BufferData(i));
  const size_t capacity = waveOut_->BufferBytes();
  // The decoder gives no sound for the first frames of a file, and at 8 to 12 kHz a buffer holds
  // only one or two: frames are fed until sound comes out, and only a file read to its end, with
  // nothing left in the decoder, ends the music.
  std::vector<uint8_t> &input = input_;
  for (;;) {
    input.clear();
    {
      std::lock_guard lock(streamLock_);
      for (int frame = 0; frame < plan_.FramesPerBuffer && ReadFrame(input); ++frame) {
      }
    }
    const size_t total = DecodeInto(decoder, first_, input, out, capacity);
    if (total > 0 || input.empty() || !playing_ || decoder == nullptr)
      return total;
  }
}

void CMp3Player::ThreadMain() {
  mpg123_handle *decoder = NewDecoder(first_);
  waveOut_->MarkAllDone();
  bool readAll = false;
  while (playing_ && decoder != nullptr) {
    {
      std::unique_lock lock(eventLock_);
      event_.wait_for(lock, std::chrono::milliseconds(200), [this] { return eventSet_; });
      eventSet_ = false;
    }
    for (int i = 0; i < plan_.BufferCount && playing_; ++i) {
      if (!waveOut_->IsDone(i) || readAll)
        continue;
      const size_t bytes = Refill(i, decoder);
      if (bytes == 0) {
        readAll = true;
        break;
      }
      waveOut_->PlayBuffer(i, bytes);
    }
    if (readAll && waveOut_->AllDone())
      playing_ = false; // the music has ended
  }
  if (decoder != nullptr)
    mpg123_delete(decoder);
  playing_ = false;
  paused_ = false;
}

} // namespace quorbel
