#include "platform/audio_mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <new>

#include "platform/mix_bus.h"

namespace platform {

StereoGain GainsFromAttenuation(int volume, int pan) {
  volume = std::clamp(volume, kVolumeSilent, kVolumeFull);
  pan = std::clamp(pan, kPanLeft, kPanRight);
  // Pan attenuates the far side on top of the volume.
  const int leftDb = volume - std::max(pan, 0);
  const int rightDb = volume + std::min(pan, 0);
  auto gain = [](int hundredthsDb) {
    if (hundredthsDb <= kVolumeSilent) return 0.0f;
    if (hundredthsDb == 0) return 1.0f;
    return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
  };
  return {gain(leftDb), gain(rightDb)};
}

namespace detail {

struct Voice {
  std::shared_ptr<std::vector<uint8_t>> data;
  PcmFormat format;
  uint32_t bytes = 0;
  uint32_t frames = 0;
  uint32_t flags = 0;

  bool playing = false;
  bool looping = false;
  bool listed = false;
  uint32_t frame = 0;  // play cursor in whole frames
  uint32_t frac = 0;   // and the fraction of the next one, in 2^-32

  int volume = kVolumeFull;
  int pan = 0;
  uint32_t frequency = kFrequencyOriginal;
  StereoGain gain;

  std::vector<NotifyPosition> notify;

  bool locked = false;
  uint32_t lockOffset = 0, lockFirst = 0, lockSecond = 0;

  uint32_t rate() const { return frequency ? frequency : static_cast<uint32_t>(format.rate); }
};

struct MixerCore {
  mutable std::mutex mutex;
  AudioFormat output;
  PcmFormat primary{22050, 2, 16};
  std::vector<Voice*> playing;

  // The voices are mixed at the primary rate (the sounds' own), limited
  // there and then converted to the device's rate.
  int busIn = 0, busOut = 0;
  // The limiter works at the sounds' rate, so the converter smooths its
  // gain changes; the guard catches the converter's own ripple on top.
  Resampler resampler;
  PeakLimiter limiter, guard;
  std::vector<float> mix, converted;
  int quietFrames = 0;  // input frames of silence since the last voice

  void list(Voice& voice) {
    if (!voice.listed) {
      playing.push_back(&voice);
      voice.listed = true;
    }
  }
  void unlist(Voice& voice) {
    if (voice.listed) {
      playing.erase(std::find(playing.begin(), playing.end(), &voice));
      voice.listed = false;
    }
  }
};

}  // namespace detail

namespace {

using detail::Voice;

void SignalStop(const Voice& voice) {
  for (const auto& n : voice.notify)
    if (n.offset == kNotifyAtStop) n.event->set();
}

// Signals the positions whose frame lies among the advanced frames counted
// from the frame the step began at.
void SignalPassed(const Voice& voice, uint32_t startFrame, uint64_t advanced) {
  if (advanced == 0) return;
  const uint32_t block = static_cast<uint32_t>(voice.format.blockAlign());
  for (const auto& n : voice.notify) {
    if (n.offset == kNotifyAtStop) continue;
    const uint32_t at = std::min(n.offset / block, voice.frames - 1);
    const uint64_t distance = (static_cast<uint64_t>(at) + voice.frames - startFrame) % voice.frames;
    if (distance < advanced) n.event->set();
  }
}

template <int Bits, int Channels>
inline void LoadFrame(const uint8_t* data, uint32_t index, float& left, float& right) {
  if constexpr (Bits == 16) {
    int16_t s[Channels];
    std::memcpy(s, data + static_cast<size_t>(index) * 2 * Channels, sizeof s);
    left = s[0];
    right = s[Channels - 1];
  } else {
    const uint8_t* p = data + static_cast<size_t>(index) * Channels;
    left = static_cast<float>((p[0] - 128) * 256);
    right = static_cast<float>((p[Channels - 1] - 128) * 256);
  }
}

struct MixOutcome {
  uint64_t advanced = 0;  // whole frames the cursor moved on
  bool ended = false;     // a buffer played once reached its end
};

// Adds n output frames of one voice to the stereo accumulator, resampling
// from the voice's rate by linear interpolation.
template <int Bits, int Channels>
MixOutcome MixVoice(Voice& v, float* acc, int n, uint32_t outRate) {
  const uint8_t* data = v.data->data();
  const uint32_t frames = v.frames;
  const uint64_t end = static_cast<uint64_t>(frames) << 32;
  const uint64_t step = (static_cast<uint64_t>(v.rate()) << 32) / outRate;
  const float gl = v.gain.left, gr = v.gain.right;
  const uint32_t startFrame = v.frame;
  uint64_t pos = (static_cast<uint64_t>(v.frame) << 32) | v.frac;
  uint64_t wraps = 0;
  MixOutcome outcome;

  for (int k = 0; k < n; ++k) {
    if (pos >= end) {
      if (!v.looping) {
        outcome.ended = true;
        break;
      }
      wraps += pos / end;
      pos %= end;
    }
    const uint32_t index = static_cast<uint32_t>(pos >> 32);
    const uint32_t frac = static_cast<uint32_t>(pos);
    float l, r;
    LoadFrame<Bits, Channels>(data, index, l, r);
    if (frac != 0) {
      float l1 = 0.0f, r1 = 0.0f;
      if (index + 1 < frames)
        LoadFrame<Bits, Channels>(data, index + 1, l1, r1);
      else if (v.looping)
        LoadFrame<Bits, Channels>(data, 0, l1, r1);
      const float t = static_cast<float>(frac) * (1.0f / 4294967296.0f);
      l += (l1 - l) * t;
      r += (r1 - r) * t;
    }
    acc[2 * k] += l * gl;
    acc[2 * k + 1] += r * gr;
    pos += step;
  }
  if (pos >= end) {
    if (v.looping) {
      wraps += pos / end;
      pos %= end;
    } else {
      outcome.ended = true;
    }
  }
  if (outcome.ended) {
    outcome.advanced = frames - startFrame;
    v.frame = 0;
    v.frac = 0;
  } else {
    outcome.advanced = wraps * frames + (pos >> 32) - startFrame;
    v.frame = static_cast<uint32_t>(pos >> 32);
    v.frac = static_cast<uint32_t>(pos);
  }
  return outcome;
}

MixOutcome Mix(Voice& v, float* acc, int n, uint32_t outRate) {
  const bool stereo = v.format.channels == 2;
  if (v.format.bits == 16)
    return stereo ? MixVoice<16, 2>(v, acc, n, outRate) : MixVoice<16, 1>(v, acc, n, outRate);
  return stereo ? MixVoice<8, 2>(v, acc, n, outRate) : MixVoice<8, 1>(v, acc, n, outRate);
}

bool ValidFormat(const PcmFormat& f) {
  return (f.channels == 1 || f.channels == 2) && (f.bits == 8 || f.bits == 16) &&
         f.rate >= static_cast<int>(kFrequencyMin) && f.rate <= static_cast<int>(kFrequencyMax);
}

int16_t ToSample(float x, bool eightBit) {
  const float rounded = x >= 0.0f ? x + 0.5f : x - 0.5f;
  int s = static_cast<int>(std::clamp(rounded, -32768.0f, 32767.0f));
  if (eightBit) s = (s >> 8) * 256;
  return static_cast<int16_t>(s);
}

void Report(AudioResult* result, AudioResult value) {
  if (result) *result = value;
}

// The volume and pan controls: each only on a buffer made with it, each
// within its range, and both make the voice's stereo gains.
AudioResult SetLevel(Voice& v, int Voice::*level, uint32_t control, int low, int high, int value) {
  if (!(v.flags & control)) return AudioResult::kControlUnavailable;
  if (value < low || value > high) return AudioResult::kInvalidParam;
  v.*level = value;
  v.gain = GainsFromAttenuation(v.volume, v.pan);
  return AudioResult::kOk;
}

AudioResult GetLevel(const Voice& v, int Voice::*level, uint32_t control, int& value) {
  if (!(v.flags & control)) return AudioResult::kControlUnavailable;
  value = v.*level;
  return AudioResult::kOk;
}

}  // namespace

// ---- SoundBuffer ----

SoundBuffer::SoundBuffer(std::shared_ptr<detail::MixerCore> core, std::unique_ptr<detail::Voice> voice)
    : core_(std::move(core)), voice_(std::move(voice)) {}

SoundBuffer::~SoundBuffer() {
  std::lock_guard lock(core_->mutex);
  core_->unlist(*voice_);
}

PcmFormat SoundBuffer::format() const { return voice_->format; }
uint32_t SoundBuffer::bytes() const { return voice_->bytes; }
uint32_t SoundBuffer::flags() const { return voice_->flags; }

AudioResult SoundBuffer::lock(uint32_t offset, uint32_t bytes, LockedRegion& region) {
  std::lock_guard lock(core_->mutex);
  Voice& v = *voice_;
  if (offset >= v.bytes || bytes == 0 || bytes > v.bytes) return AudioResult::kInvalidParam;
  if (v.locked) return AudioResult::kInvalidCall;
  try {
    staging_.resize(bytes);
  } catch (const std::bad_alloc&) {
    return AudioResult::kOutOfMemory;
  }
  const uint32_t first = std::min(bytes, v.bytes - offset);
  const uint32_t second = bytes - first;
  std::memcpy(staging_.data(), v.data->data() + offset, first);
  if (second) std::memcpy(staging_.data() + first, v.data->data(), second);
  v.locked = true;
  v.lockOffset = offset;
  v.lockFirst = first;
  v.lockSecond = second;
  region = {staging_.data(), first, second ? staging_.data() + first : nullptr, second};
  return AudioResult::kOk;
}

AudioResult SoundBuffer::unlock(const LockedRegion& region) {
  std::lock_guard lock(core_->mutex);
  Voice& v = *voice_;
  if (!v.locked) return AudioResult::kInvalidCall;
  v.locked = false;
  const bool firstOk = region.first == staging_.data() && region.firstBytes <= v.lockFirst;
  const bool secondOk = region.secondBytes == 0 ||
                        (region.second == staging_.data() + v.lockFirst && region.secondBytes <= v.lockSecond);
  if (firstOk && secondOk) {
    std::memcpy(v.data->data() + v.lockOffset, staging_.data(), region.firstBytes);
    if (region.secondBytes) std::memcpy(v.data->data(), region.second, region.secondBytes);
  }
  // The sound lives in the buffer alone, not a second time in the staging.
  std::vector<uint8_t>().swap(staging_);
  return firstOk && secondOk ? AudioResult::kOk : AudioResult::kInvalidParam;
}

AudioResult SoundBuffer::play(bool looping) {
  std::lock_guard lock(core_->mutex);
  voice_->looping = looping;
  voice_->playing = true;
  core_->list(*voice_);
  return AudioResult::kOk;
}

AudioResult SoundBuffer::stop() {
  std::lock_guard lock(core_->mutex);
  Voice& v = *voice_;
  if (v.playing) {
    v.playing = false;
    core_->unlist(v);
    SignalStop(v);
  }
  return AudioResult::kOk;
}

uint32_t SoundBuffer::status() const {
  std::lock_guard lock(core_->mutex);
  if (!voice_->playing) return 0;
  return kStatusPlaying | (voice_->looping ? static_cast<uint32_t>(kStatusLooping) : 0u);
}

AudioResult SoundBuffer::currentPosition(uint32_t& play, uint32_t& write) const {
  std::lock_guard lock(core_->mutex);
  const Voice& v = *voice_;
  const uint32_t block = static_cast<uint32_t>(v.format.blockAlign());
  play = v.frame * block;
  if (!v.playing) {
    write = play;
  } else {
    // The device has taken about ten milliseconds beyond the play cursor.
    const uint32_t lead = std::max<uint32_t>(1, v.rate() / 100);
    write = static_cast<uint32_t>((static_cast<uint64_t>(v.frame) + lead) % v.frames) * block;
  }
  return AudioResult::kOk;
}

AudioResult SoundBuffer::setCurrentPosition(uint32_t offset) {
  std::lock_guard lock(core_->mutex);
  Voice& v = *voice_;
  if (offset >= v.bytes) return AudioResult::kInvalidParam;
  v.frame = std::min(offset / static_cast<uint32_t>(v.format.blockAlign()), v.frames - 1);
  v.frac = 0;
  return AudioResult::kOk;
}

AudioResult SoundBuffer::setVolume(int volume) {
  std::lock_guard lock(core_->mutex);
  return SetLevel(*voice_, &Voice::volume, kBufferCtrlVolume, kVolumeSilent, kVolumeFull, volume);
}

AudioResult SoundBuffer::volume(int& volume) const {
  std::lock_guard lock(core_->mutex);
  return GetLevel(*voice_, &Voice::volume, kBufferCtrlVolume, volume);
}

AudioResult SoundBuffer::setPan(int pan) {
  std::lock_guard lock(core_->mutex);
  return SetLevel(*voice_, &Voice::pan, kBufferCtrlPan, kPanLeft, kPanRight, pan);
}

AudioResult SoundBuffer::pan(int& pan) const {
  std::lock_guard lock(core_->mutex);
  return GetLevel(*voice_, &Voice::pan, kBufferCtrlPan, pan);
}

AudioResult SoundBuffer::setFrequency(uint32_t hz) {
  std::lock_guard lock(core_->mutex);
  Voice& v = *voice_;
  if (!(v.flags & kBufferCtrlFrequency)) return AudioResult::kControlUnavailable;
  if (hz != kFrequencyOriginal && (hz < kFrequencyMin || hz > kFrequencyMax)) return AudioResult::kInvalidParam;
  v.frequency = hz;
  return AudioResult::kOk;
}

AudioResult SoundBuffer::frequency(uint32_t& hz) const {
  std::lock_guard lock(core_->mutex);
  if (!(voice_->flags & kBufferCtrlFrequency)) return AudioResult::kControlUnavailable;
  hz = voice_->rate();
  return AudioResult::kOk;
}

AudioResult SoundBuffer::setNotificationPositions(std::vector<NotifyPosition> positions) {
  std::lock_guard lock(core_->mutex);
  Voice& v = *voice_;
  if (!(v.flags & kBufferCtrlPositionNotify)) return AudioResult::kControlUnavailable;
  if (v.playing) return AudioResult::kInvalidCall;
  for (const auto& p : positions)
    if (!p.event || (p.offset != kNotifyAtStop && p.offset >= v.bytes)) return AudioResult::kInvalidParam;
  v.notify = std::move(positions);
  return AudioResult::kOk;
}

// ---- AudioMixer ----

AudioMixer::AudioMixer(AudioFormat output) : core_(std::make_shared<detail::MixerCore>()) {
  setOutputFormat(output);
  core_->playing.reserve(64);
}

AudioMixer::~AudioMixer() = default;

MixerCaps AudioMixer::caps() const { return {}; }

void AudioMixer::setOutputFormat(AudioFormat output) {
  std::lock_guard lock(core_->mutex);
  output.rate = std::max(output.rate, 1);
  output.channels = std::max(output.channels, 1);
  core_->output = output;
}

AudioFormat AudioMixer::outputFormat() const {
  std::lock_guard lock(core_->mutex);
  return core_->output;
}

AudioResult AudioMixer::setPrimaryFormat(const PcmFormat& format) {
  if (!ValidFormat(format)) return AudioResult::kInvalidParam;
  std::lock_guard lock(core_->mutex);
  core_->primary = format;
  return AudioResult::kOk;
}

PcmFormat AudioMixer::primaryFormat() const {
  std::lock_guard lock(core_->mutex);
  return core_->primary;
}

std::unique_ptr<SoundBuffer> AudioMixer::createBuffer(const PcmFormat& format, uint32_t bytes, uint32_t flags,
                                                      AudioResult* result) {
  if (!ValidFormat(format) || bytes < kBufferBytesMin || bytes > kBufferBytesMax ||
      bytes < static_cast<uint32_t>(format.blockAlign())) {
    Report(result, AudioResult::kInvalidParam);
    return nullptr;
  }
  try {
    auto voice = std::make_unique<detail::Voice>();
    voice->data = std::make_shared<std::vector<uint8_t>>(bytes, format.bits == 8 ? 0x80 : 0x00);
    voice->format = format;
    voice->bytes = bytes;
    voice->frames = bytes / static_cast<uint32_t>(format.blockAlign());
    voice->flags = flags;
    Report(result, AudioResult::kOk);
    return std::unique_ptr<SoundBuffer>(new SoundBuffer(core_, std::move(voice)));
  } catch (const std::bad_alloc&) {
    Report(result, AudioResult::kOutOfMemory);
    return nullptr;
  }
}

std::unique_ptr<SoundBuffer> AudioMixer::duplicateBuffer(const SoundBuffer& original, AudioResult* result) {
  if (original.core_ != core_) {
    Report(result, AudioResult::kInvalidParam);
    return nullptr;
  }
  try {
    auto voice = std::make_unique<detail::Voice>();
    {
      std::lock_guard lock(core_->mutex);
      const Voice& o = *original.voice_;
      voice->data = o.data;
      voice->format = o.format;
      voice->bytes = o.bytes;
      voice->frames = o.frames;
      voice->flags = o.flags;
      voice->volume = o.volume;
      voice->pan = o.pan;
      voice->frequency = o.frequency;
      voice->gain = o.gain;
    }
    Report(result, AudioResult::kOk);
    return std::unique_ptr<SoundBuffer>(new SoundBuffer(core_, std::move(voice)));
  } catch (const std::bad_alloc&) {
    Report(result, AudioResult::kOutOfMemory);
    return nullptr;
  }
}

int AudioMixer::playingCount() const {
  std::lock_guard lock(core_->mutex);
  return static_cast<int>(core_->playing.size());
}

void AudioMixer::render(int16_t* out, int frames) {
  constexpr int kBlock = 256;
  // Below full scale, with room for the rate conversion's ripple.
  constexpr float kCeiling = 0.85f * 32767.0f;
  constexpr float kGuardCeiling = 0.95f * 32767.0f;
  std::lock_guard lock(core_->mutex);
  detail::MixerCore& core = *core_;
  const int channels = core.output.channels;
  const bool monoMix = core.primary.channels == 1;
  const bool eightBit = core.primary.bits == 8;
  if (core.busIn != core.primary.rate || core.busOut != core.output.rate) {
    core.busIn = core.primary.rate;
    core.busOut = core.output.rate;
    core.resampler.configure(core.busIn, core.busOut);
    core.limiter.configure(core.busIn, kCeiling);
    core.guard.configure(core.busOut, kGuardCeiling);
    core.quietFrames = 0;
  }
  // Nothing playing and the filter's memory run out (the launcher, a quiet
  // moment): silence costs nothing.
  if (core.playing.empty() && core.quietFrames >= Resampler::kTaps) {
    std::fill(out, out + static_cast<size_t>(frames) * channels, int16_t(0));
    return;
  }

  const uint32_t mixRate = static_cast<uint32_t>(core.busIn);
  for (int done = 0; done < frames;) {
    const int n = std::min(kBlock, frames - done);
    const int need = core.resampler.inputFor(n);
    core.mix.assign(2 * static_cast<size_t>(need), 0.0f);
    float* acc = core.mix.data();
    core.quietFrames = core.playing.empty() ? core.quietFrames + need : 0;
    for (size_t i = 0; i < core.playing.size();) {
      Voice& v = *core.playing[i];
      const uint32_t startFrame = v.frame;
      const MixOutcome outcome = Mix(v, acc, need, mixRate);
      SignalPassed(v, startFrame, outcome.advanced);
      if (outcome.ended) {
        v.playing = false;
        v.listed = false;
        core.playing.erase(core.playing.begin() + static_cast<std::ptrdiff_t>(i));
        SignalStop(v);
      } else {
        ++i;
      }
    }
    core.limiter.run(acc, need);
    if (!core.resampler.passThrough()) {
      core.converted.resize(2 * static_cast<size_t>(n));
      core.resampler.run(acc, need, core.converted.data(), n);
      acc = core.converted.data();
      core.guard.run(acc, n);
    }
    int16_t* o = out + static_cast<size_t>(done) * channels;
    for (int k = 0; k < n; ++k, o += channels) {
      float l = acc[2 * k], r = acc[2 * k + 1];
      if (monoMix) l = r = (l + r) * 0.5f;
      if (channels == 1) {
        o[0] = ToSample((l + r) * 0.5f, eightBit);
      } else {
        o[0] = ToSample(l, eightBit);
        o[1] = ToSample(r, eightBit);
        for (int c = 2; c < channels; ++c) o[c] = 0;
      }
    }
    done += n;
  }
}

}  // namespace platform
