#include "music.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "instruments.h"

namespace sfx {
namespace {

constexpr double kBeat = 60.0 / kMusicTempo;
constexpr double kBar = 4 * kBeat;
constexpr double kSwing = 0.03;  // off-beat eighths come a little late

// Position of an eighth note inside the song, in seconds.
double EighthTime(int bar, int eighth) {
  return bar * kBar + eighth * kBeat / 2 + (eighth % 2 == 1 ? kSwing : 0.0);
}

struct Note {
  int midi;  // 0 = rest
  int eighths;
};
using Bar = std::vector<Note>;

// Melody of the first and last eight bars; the last one ends with a
// walk-up back into the first bar.
const std::vector<Bar> kVerse = {
    {{74, 2}, {71, 1}, {74, 1}, {79, 2}, {74, 2}},
    {{76, 2}, {79, 1}, {76, 1}, {72, 2}, {76, 2}},
    {{74, 1}, {72, 1}, {71, 1}, {72, 1}, {74, 2}, {71, 2}},
    {{69, 2}, {74, 2}, {72, 1}, {71, 1}, {69, 2}},
    {{74, 2}, {71, 1}, {74, 1}, {79, 2}, {81, 2}},
    {{79, 1}, {76, 1}, {79, 2}, {76, 2}, {72, 2}},
    {{74, 2}, {78, 2}, {76, 1}, {78, 1}, {81, 2}},
    {{79, 6}, {0, 2}},
};
const std::vector<Bar> kVerseEnding = {
    {{74, 2}, {78, 2}, {81, 2}, {78, 2}},
    {{79, 2}, {74, 2}, {0, 1}, {71, 1}, {72, 1}, {73, 1}},
};
const std::vector<Bar> kBridge = {
    {{76, 2}, {76, 1}, {74, 1}, {72, 2}, {67, 2}},
    {{71, 2}, {74, 2}, {79, 3}, {78, 1}},
    {{76, 2}, {72, 1}, {76, 1}, {79, 2}, {76, 2}},
    {{78, 4}, {76, 2}, {74, 2}},
    {{79, 2}, {76, 1}, {79, 1}, {83, 2}, {79, 2}},
    {{76, 2}, {72, 1}, {74, 1}, {76, 2}, {79, 2}},
    {{81, 2}, {79, 1}, {76, 1}, {72, 2}, {76, 2}},
    {{74, 4}, {78, 2}, {72, 2}},
};

// Chord of each half bar: root of the bass, fifth, and the strummed voicing.
struct Chord {
  int root, fifth;
  std::vector<int> voicing;
};
const Chord kG{43, 38, {55, 59, 62, 67}};
const Chord kC{48, 43, {55, 60, 64, 67}};
const Chord kD{38, 45, {57, 62, 66, 69}};
const Chord kD7{38, 45, {57, 60, 62, 66}};
const Chord kEm{40, 47, {55, 59, 64, 67}};
const Chord kAm{45, 40, {57, 60, 64, 69}};

// Two chords per bar (first and second half).
struct Harmony {
  const Chord* first;
  const Chord* second;
};
const std::vector<Harmony> kVerseChords = {{&kG, &kG}, {&kC, &kC}, {&kG, &kG}, {&kD, &kD},
                                           {&kG, &kG}, {&kC, &kC}, {&kD, &kD}, {&kG, &kG}};
const std::vector<Harmony> kBridgeChords = {{&kC, &kC},  {&kG, &kG}, {&kC, &kC}, {&kD, &kD},
                                            {&kEm, &kEm}, {&kC, &kC}, {&kAm, &kAm}, {&kD7, &kD7}};

enum class Lead { kMarimba, kPluck, kBoth };

// The song as a dry stereo loop; anything that rings past the end is
// folded back onto the start, exactly as a second pass would hear it.
class Loop {
 public:
  explicit Loop(size_t frames) : dry_{Mono(frames, 0.0f), Mono(frames, 0.0f)}, send_(frames, 0.0f) {}

  // pan -1 (left) .. 1 (right), constant power; send = share into the room.
  void Add(const Mono& note, double seconds, float gain, double pan, float send) {
    const double angle = (pan + 1.0) * kPi / 4.0;
    const float l = static_cast<float>(std::cos(angle)) * gain;
    const float r = static_cast<float>(std::sin(angle)) * gain;
    const size_t frames = send_.size();
    size_t at = static_cast<size_t>(std::max(0L, std::lround(seconds * kRate))) % frames;
    for (float v : note) {
      dry_.left[at] += v * l;
      dry_.right[at] += v * r;
      send_[at] += v * gain * send;
      if (++at == frames) at = 0;
    }
  }

  // Runs the room over the loop twice and keeps the second pass, so its
  // tail from the end is already ringing at the start.
  Stereo Finish() const {
    const size_t frames = send_.size();
    Stereo out = dry_;
    Reverb room;
    for (int pass = 0; pass < 2; ++pass) {
      for (size_t i = 0; i < frames; ++i) {
        float l = 0, r = 0;
        room.Process(send_[i], &l, &r);
        if (pass == 1) {
          out.left[i] += l;
          out.right[i] += r;
        }
      }
    }
    return out;
  }

 private:
  Stereo dry_;
  Mono send_;
};

void AddMelody(Loop& loop, const std::vector<Bar>& bars, int first_bar, Lead lead, Random& random) {
  for (size_t b = 0; b < bars.size(); ++b) {
    int eighth = 0;
    for (const Note& note : bars[b]) {
      if (note.midi != 0) {
        const int bar = first_bar + static_cast<int>(b);
        const double at = EighthTime(bar, eighth) + random.Range(-0.004, 0.004);
        const double hz = NoteHz(note.midi);
        const double velocity = (eighth % 2 == 0 ? 0.9 : 0.75) + random.Range(-0.05, 0.05);
        const double length = note.eighths * kBeat / 2;
        const uint64_t seed = static_cast<uint64_t>(bar * 16 + eighth + 1);
        if (lead != Lead::kPluck) loop.Add(Marimba(hz, velocity), at, 0.9f, -0.05, 0.25f);
        if (lead == Lead::kPluck)
          loop.Add(Pluck(hz, length + 0.15, 3200, seed), at, static_cast<float>(1.0 * velocity), 0.15, 0.25f);
        if (lead == Lead::kBoth)
          loop.Add(Pluck(hz / 2, length + 0.1, 2000, seed), at, static_cast<float>(0.35 * velocity), 0.35, 0.2f);
      }
      eighth += note.eighths;
    }
  }
}

void AddBand(Loop& loop, const std::vector<Harmony>& chords, int first_bar, bool pad, bool turnaround) {
  for (size_t b = 0; b < chords.size(); ++b) {
    const int bar = first_bar + static_cast<int>(b);
    const bool last = turnaround && b + 1 == chords.size();
    const Chord& one = *chords[b].first;
    const Chord& three = last ? kD7 : *chords[b].second;
    // Boom-chick: bass on one and three, strums on two and four, a walk
    // up into the next phrase at the end of every fourth bar.
    if (last) {
      loop.Add(Bass(NoteHz(43), kBeat * 0.9), EighthTime(bar, 0), 0.8f, 0.0, 0.05f);
      loop.Add(Bass(NoteHz(38), kBeat * 0.9), EighthTime(bar, 4), 0.8f, 0.0, 0.05f);
      loop.Add(Bass(NoteHz(42), kBeat * 0.9), EighthTime(bar, 6), 0.75f, 0.0, 0.05f);
    } else if (b % 4 == 3) {
      loop.Add(Bass(NoteHz(one.root), kBeat * 0.9), EighthTime(bar, 0), 0.8f, 0.0, 0.05f);
      loop.Add(Bass(NoteHz(one.root + 2), kBeat * 0.9), EighthTime(bar, 4), 0.75f, 0.0, 0.05f);
      loop.Add(Bass(NoteHz(one.root + 4), kBeat * 0.9), EighthTime(bar, 6), 0.75f, 0.0, 0.05f);
    } else {
      loop.Add(Bass(NoteHz(one.root), kBeat * 1.6), EighthTime(bar, 0), 0.8f, 0.0, 0.05f);
      loop.Add(Bass(NoteHz(three.fifth), kBeat * 1.6), EighthTime(bar, 4), 0.75f, 0.0, 0.05f);
    }
    for (int beat : {1, 3}) {
      const Chord& chord = beat == 1 ? one : three;
      for (size_t s = 0; s < chord.voicing.size(); ++s) {
        const uint64_t seed = static_cast<uint64_t>(1000 + bar * 64 + beat * 8 + static_cast<int>(s));
        loop.Add(Pluck(NoteHz(chord.voicing[s]), 0.18, 2500, seed),
                 EighthTime(bar, beat * 2) + 0.008 * static_cast<double>(s), 0.22f, 0.4, 0.3f);
      }
    }
    if (pad) {
      for (int note : one.voicing) {
        loop.Add(Pad(NoteHz(note + 12), kBar - 0.3, 4.0), EighthTime(bar, 0), 0.045f, -0.6, 0.4f);
        loop.Add(Pad(NoteHz(note + 12), kBar - 0.3, -4.0), EighthTime(bar, 0), 0.045f, 0.6, 0.4f);
      }
    }
  }
}

void AddDrums(Loop& loop, int bars) {
  const Mono kick = Kick();
  for (int bar = 0; bar < bars; ++bar) {
    loop.Add(kick, EighthTime(bar, 0), 0.55f, 0.0, 0.0f);
    loop.Add(kick, EighthTime(bar, 4), 0.45f, 0.0, 0.0f);
    for (int eighth = 0; eighth < 8; ++eighth) {
      const float accent = eighth % 2 == 1 ? 0.16f : 0.09f;
      loop.Add(Shaker(static_cast<uint64_t>(7000 + bar * 8 + eighth)), EighthTime(bar, eighth), accent,
               eighth % 2 == 1 ? -0.3 : 0.1, 0.1f);
    }
  }
}

// Scales to the target loudness. The few peaks where kick, bass and
// melody land together are rounded off smoothly below -3 dBFS, leaving
// headroom for the cues played on top.
void Master(Stereo& s, double rms_target) {
  double sum = 0;
  for (size_t i = 0; i < s.left.size(); ++i) sum += s.left[i] * s.left[i] + s.right[i] * s.right[i];
  const double rms = std::sqrt(sum / (2.0 * static_cast<double>(s.left.size())));
  const double gain = rms > 0 ? rms_target / rms : 1.0;
  constexpr double kKnee = 0.5, kCeiling = 0.7;
  auto shape = [gain](float& v) {
    double x = v * gain;
    if (std::fabs(x) > kKnee) {
      const double over = std::fabs(x) - kKnee;
      x = std::copysign(kKnee + (kCeiling - kKnee) * std::tanh(over / (kCeiling - kKnee)), x);
    }
    v = static_cast<float>(x);
  };
  std::for_each(s.left.begin(), s.left.end(), shape);
  std::for_each(s.right.begin(), s.right.end(), shape);
}

}  // namespace

Stereo Music() {
  const size_t frames = static_cast<size_t>(std::lround(kMusicBars * kBar * kRate));
  Loop loop(frames);
  Random random(77);
  AddMelody(loop, kVerse, 0, Lead::kMarimba, random);
  AddMelody(loop, kBridge, 8, Lead::kPluck, random);
  std::vector<Bar> last_verse(kVerse.begin(), kVerse.end() - 2);
  last_verse.insert(last_verse.end(), kVerseEnding.begin(), kVerseEnding.end());
  AddMelody(loop, last_verse, 16, Lead::kBoth, random);
  AddBand(loop, kVerseChords, 0, false, false);
  AddBand(loop, kBridgeChords, 8, true, false);
  AddBand(loop, kVerseChords, 16, false, true);
  AddDrums(loop, kMusicBars);
  Stereo out = loop.Finish();
  Master(out, std::pow(10.0, -16.0 / 20.0));
  return out;
}

}  // namespace sfx
