// What the summed mix passes through on its way to the device: a peak
// limiter and band-limited rate conversion.
#pragma once
#include <cstdint>
#include <vector>

namespace platform {

// A polyphase windowed-sinc filter: going from the sounds' rate to the
// device's adds no mirror images above the sounds' own band (a hiss that
// linear interpolation leaves about 40 dB down).
class Resampler {
 public:
  static constexpr int kTaps = 48;  // input frames each output frame is made of
  // Equal rates pass the mix through untouched.
  void configure(int inRate, int outRate);
  bool passThrough() const { return phases_ == 0; }
  // New input frames needed before the next `frames` output frames.
  int inputFor(int frames) const;
  // Takes inFrames input frames (interleaved stereo; exactly inputFor(frames))
  // and makes `frames` output frames (interleaved stereo).
  void run(const float* in, int inFrames, float* out, int frames);

 private:
  // Each output frame moves on step_ / phases_ input frames.
  uint32_t phases_ = 0;
  uint32_t step_ = 0;
  uint32_t phase_ = 0;              // of the next output frame, 0 .. L-1
  std::vector<float> table_;        // phases_ rows of kTaps coefficients
  // Input frames from the start of the next output frame's window on.
  std::vector<float> left_, right_;
};

// Holds the mix below a ceiling: the gain drops at once to what the
// loudest frame needs and comes back over about a tenth of a second, so a
// pile-up of cues never reaches full scale and music alone is never
// touched. No latency: what is late is out of step with the picture.
class PeakLimiter {
 public:
  void configure(int rate, float ceiling);
  void run(float* stereo, int frames);

 private:
  float ceiling_ = 32767.0f;
  float release_ = 0.0f;  // per-frame decay of the envelope
  float envelope_ = 0.0f;
};

}  // namespace platform
