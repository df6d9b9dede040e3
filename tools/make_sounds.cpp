// Synthesises the program's sound effects (16-bit mono PCM WAVE files in data/Sounds/) and writes
// the sound list data/MySound.dat that names them slot by slot; with --tune, writes our music's
// tune as a WAVE file instead (tools/make_music.sh encodes it). The sounds are ours and can be
// made again:
//
//     make_sounds [data folder]
//     make_sounds --tune file.wav
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "media/wave_writer.h"

namespace {

constexpr int kRate = 22050;
constexpr double kTau = 2 * std::numbers::pi;

using Samples = std::vector<double>;

// A note: partials of a base frequency, each with its own level, under an attack and an
// exponential decay (per second).
struct Note {
  double Start;
  double Frequency;
  double Length;
  double Level = 0.5;
  double Decay = 6.0;
  std::vector<double> Partials = {1.0, 0.35, 0.12};
};

size_t Frames(double seconds) { return static_cast<size_t>(seconds * kRate); }

void Add(Samples &out, const Note &note) {
  const size_t first = Frames(note.Start);
  const size_t count = Frames(note.Length);
  if (out.size() < first + count)
    out.resize(first + count, 0.0);
  const double attack = 0.004;
  for (size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double envelope = std::min(1.0, t / attack) * std::exp(-note.Decay * t) *
                            std::min(1.0, (note.Length - t) / 0.01); // no click at the end
    double value = 0;
    for (size_t p = 0; p < note.Partials.size(); ++p)
      value += note.Partials[p] * std::sin(kTau * note.Frequency * static_cast<double>(p + 1) * t);
    out[first + i] += note.Level * envelope * value;
  }
}

// Noise from a small congruential generator, so the files come out the same every time.
void AddNoise(Samples &out, double start, double length, double level, double decay) {
  uint32_t state = 12345;
  const size_t first = Frames(start);
  const size_t count = Frames(length);
  if (out.size() < first + count)
    out.resize(first + count, 0.0);
  double smooth = 0;
  for (size_t i = 0; i < count; ++i) {
    state = state * 1103515245u + 12345u;
    const double white = static_cast<double>((state >> 16) & 0x7FFF) / 16384.0 - 1.0;
    smooth += 0.45 * (white - smooth); // a gentle low-pass takes the hiss off
    out[first + i] += level * smooth * std::exp(-decay * static_cast<double>(i) / kRate);
  }
}

// A buzz: two square waves a little apart, which beat.
void AddBuzz(Samples &out, double start, double length, double frequency, double level) {
  const size_t first = Frames(start);
  const size_t count = Frames(length);
  if (out.size() < first + count)
    out.resize(first + count, 0.0);
  for (size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double a = std::sin(kTau * frequency * t) > 0 ? 1.0 : -1.0;
    const double b = std::sin(kTau * frequency * 1.06 * t) > 0 ? 1.0 : -1.0;
    const double envelope = std::min(1.0, t / 0.01) * std::min(1.0, (length - t) / 0.03);
    out[first + i] += level * envelope * (a + b) / 2;
  }
}

double Pitch(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

// A fanfare: the notes (semitones from A4, start, length) played as brass-like notes.
Samples Fanfare(const std::vector<std::array<double, 3>> &notes, double level = 0.3) {
  Samples out;
  for (const auto &[pitch, start, length] : notes)
    Add(out, {start, Pitch(static_cast<int>(pitch)), length, level, 1.5, {1.0, 0.6, 0.45, 0.3, 0.15}});
  return out;
}

struct Sound {
  std::string File;
  std::string Purpose;
  std::function<Samples()> Make;
};

const std::vector<Sound> &Sounds() {
  static const std::vector<Sound> sounds = {
      {"Pick.wav", "a value or piece picked up or dropped",
       [] {
         Samples s;
         AddNoise(s, 0, 0.03, 0.5, 120);
         Add(s, {0, 2400, 0.03, 0.25, 90, {1.0}});
         return s;
       }},
      {"Place.wav", "a value placed",
       [] {
         Samples s;
         Add(s, {0, 880, 0.12, 0.5, 30, {1.0, 0.2}});
         return s;
       }},
      {"Complete.wav", "a value placed in all its cells",
       [] {
         Samples s;
         Add(s, {0, Pitch(15), 0.35, 0.4, 8});
         Add(s, {0.09, Pitch(19), 0.35, 0.4, 8});
         return s;
       }},
      {"Solved.wav", "the grid solved",
       [] {
         Samples s;
         const int notes[] = {3, 7, 10, 15};
         for (int i = 0; i < 4; ++i)
           Add(s, {0.09 * i, Pitch(notes[i]), 0.5, 0.35, 5});
         return s;
       }},
      {"Wrong.wav", "a wrong value",
       [] {
         Samples s;
         AddBuzz(s, 0, 0.3, 110, 0.3);
         return s;
       }},
      {"TurnMine.wav", "a flash on the board, the turn passing to a local player",
       [] {
         Samples s;
         Add(s, {0, Pitch(7), 0.3, 0.4, 6, {1.0, 0.5, 0.25, 0.1}});
         Add(s, {0.18, Pitch(3), 0.4, 0.4, 5, {1.0, 0.5, 0.25, 0.1}});
         return s;
       }},
      {"Tick.wav", "a refusal, a cell lost to the clock, a button released",
       [] {
         Samples s;
         Add(s, {0, 1800, 0.02, 0.35, 200, {1.0, 0.3}});
         return s;
       }},
      {"TurnChange.wav", "a double click, a change of turn",
       [] {
         Samples s;
         Add(s, {0, 1320, 0.07, 0.35, 25, {1.0}});
         Add(s, {0.09, 1320, 0.07, 0.35, 25, {1.0}});
         return s;
       }},
      {"Clock.wav", "the timed game's clock tick",
       [] {
         Samples s;
         Add(s, {0, 620, 0.05, 0.5, 80, {1.0, 0.0, 0.4}});
         AddNoise(s, 0, 0.015, 0.2, 200);
         return s;
       }},
      {"Status.wav", "the score falls to zero",
       [] {
         Samples s;
         Add(s, {0, Pitch(-2), 0.18, 0.4, 12});
         Add(s, {0.12, Pitch(-7), 0.25, 0.4, 10});
         return s;
       }},
      {"FanfareLow.wav", "end of game, mark below 2",
       [] {
         return Fanfare({{-5, 0, 0.45}, {-6, 0.4, 0.45}, {-7, 0.8, 0.45}, {-8, 1.2, 0.9}});
       }},
      {"FanfareSmall.wav", "end of game, mark 2 to 9",
       [] {
         return Fanfare({{-9, 0, 0.25}, {-5, 0.22, 0.25}, {-2, 0.44, 0.6}});
       }},
      {"FanfareGrand.wav", "end of game, mark 15 and more",
       [] {
         return Fanfare({{-9, 0, 0.16},
                         {-9, 0.15, 0.16},
                         {-9, 0.3, 0.16},
                         {-5, 0.45, 0.35},
                         {-2, 0.8, 0.16},
                         {3, 0.95, 0.9},
                         {-2, 0.95, 0.9},
                         {-9, 0.95, 0.9}});
       }},
      {"FanfareGood.wav", "end of game, mark 10 to 14",
       [] {
         return Fanfare({{-9, 0, 0.2}, {-5, 0.18, 0.2}, {-2, 0.36, 0.2}, {3, 0.54, 0.7}});
       }},
      {"Bell.wav", "a spare bell",
       [] {
         Samples s;
         Add(s, {0, Pitch(12), 0.8, 0.35, 4, {1.0, 0.0, 0.5, 0.0, 0.25}});
         return s;
       }},
      {"Pop.wav", "a spare pop",
       [] {
         Samples s;
         Add(s, {0, 300, 0.06, 0.5, 40, {1.0}});
         return s;
       }},
  };
  return sounds;
}

std::vector<int16_t> ToPcm(const Samples &samples) {
  double peak = 0;
  for (const double value : samples)
    peak = std::max(peak, std::abs(value));
  const double scale = peak > 0.9 ? 0.9 / peak : 1.0; // never clip
  std::vector<int16_t> pcm;
  pcm.reserve(samples.size());
  for (const double value : samples)
    pcm.push_back(static_cast<int16_t>(std::lround(value * scale * 32767)));
  return pcm;
}

// A calm tune of sixteen bars in C major, a bell over a soft bass, that loops without a seam.
Samples Tune() {
  constexpr double kBeat = 0.5;
  // Semitones from A4 for each beat of the melody; 99 rests.
  const int melody[] = {3,  7,  10, 7,  5, 3, 2, 99, 0,  3,  7, 5,  3,  2,  3,  99, 3, 7,  10, 15, 14, 10,
                        12, 99, 10, 7,  8, 5, 7, 3,  2,  99, 7, 10, 15, 14, 12, 10, 8, 99, 5,  8,  12, 10,
                        8,  7,  5,  99, 3, 5, 7, 8,  10, 7,  3, 99, 2,  5,  8,  7,  5, 2,  3,  99};
  const int bass[] = {-21, -16, -19, -14, -21, -16, -14, -21, -21, -16, -19, -14, -17, -16, -14, -21};
  Samples out;
  for (size_t beat = 0; beat < std::size(melody); ++beat)
    if (melody[beat] != 99)
      Add(out, {kBeat * static_cast<double>(beat),
                Pitch(melody[beat]),
                kBeat * 1.8,
                0.28,
                3.5,
                {1.0, 0.0, 0.3, 0.0, 0.1}});
  for (size_t bar = 0; bar < std::size(bass); ++bar)
    Add(out, {kBeat * 4 * static_cast<double>(bar), Pitch(bass[bar]), kBeat * 4, 0.3, 1.2, {1.0, 0.4, 0.2}});
  out.resize(Frames(kBeat * static_cast<double>(std::size(melody))));
  return out;
}

} // namespace

int main(int argc, char **argv) {
  if (argc == 3 && std::string(argv[1]) == "--tune") {
    std::ofstream(argv[2], std::ios::binary) << quorbel::EncodePcmWave(kRate, 1, ToPcm(Tune()));
    return 0;
  }
  const std::filesystem::path data = argc > 1 ? argv[1] : "data";
  std::filesystem::create_directories(data / "Sounds");
  std::ofstream list(data / "MySound.dat", std::ios::binary);
  list << "; Quorbel's sound effects: one playable ('O') line per slot, from slot 0.\n"
          "; number, state (O plays, N does not), file beside the program.\n";
  int slot = 0;
  for (const Sound &sound : Sounds()) {
    const std::string relative = "Sounds/" + sound.File;
    std::ofstream(data / relative, std::ios::binary) << quorbel::EncodePcmWave(kRate, 1, ToPcm(sound.Make()));
    list << ";" << slot << ": " << sound.Purpose << "\n" << slot << " O " << relative << "\n";
    ++slot;
  }
  std::printf("%d sounds written to %s\n", slot, data.string().c_str());
  return 0;
}
