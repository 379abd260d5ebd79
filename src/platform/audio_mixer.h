// Software mixing of sound buffers into the audio device's stream: PCM
// buffers played once or looped, duplicates sharing one copy of the sound,
// play position, volume, pan and frequency, and events signalled at chosen
// play positions and when a buffer stops. The device (or a test) pulls the
// mix through AudioSource::render; every call here may come from any thread.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio_output.h"
#include "platform/events.h"

namespace platform {

enum class AudioResult {
  kOk,
  kInvalidParam,        // a value out of range or a format that cannot be mixed
  kInvalidCall,         // not allowed in this state (e.g. while playing)
  kControlUnavailable,  // the buffer was not created with that control
  kOutOfMemory,
};

struct PcmFormat {
  int rate = 22050;  // frames per second
  int channels = 2;  // 1 or 2
  int bits = 16;     // 8 (unsigned) or 16 (signed)
  int blockAlign() const { return channels * bits / 8; }
  int bytesPerSecond() const { return rate * blockAlign(); }
};

// What a buffer is asked to support when it is made.
enum BufferFlags : uint32_t {
  kBufferStatic = 0x2,
  kBufferCtrlFrequency = 0x20,
  kBufferCtrlPan = 0x40,
  kBufferCtrlVolume = 0x80,
  kBufferCtrlPositionNotify = 0x100,
};

// Bits of SoundBuffer::status().
enum BufferStatus : uint32_t {
  kStatusPlaying = 0x1,
  kStatusLooping = 0x4,
};

inline constexpr int kVolumeSilent = -10000;  // hundredths of a decibel
inline constexpr int kVolumeFull = 0;
inline constexpr int kPanLeft = -10000;
inline constexpr int kPanRight = 10000;
inline constexpr uint32_t kFrequencyOriginal = 0;
inline constexpr uint32_t kFrequencyMin = 100;
inline constexpr uint32_t kFrequencyMax = 200000;
inline constexpr uint32_t kBufferBytesMin = 4;
inline constexpr uint32_t kBufferBytesMax = 0x0FFFFFFF;
// Notification offset that means "when the buffer stops".
inline constexpr uint32_t kNotifyAtStop = 0xFFFFFFFF;

struct NotifyPosition {
  uint32_t offset = 0;
  std::shared_ptr<Event> event;
};

struct StereoGain {
  float left = 1.0f;
  float right = 1.0f;
};

// Volume (hundredths of a decibel, 0 full down to -10000 silent) and pan
// (-10000 left .. +10000 right, attenuating the other side) as the linear
// gains of the two channels. Values beyond the ends count as the ends.
StereoGain GainsFromAttenuation(int volume, int pan);

// A locked part of a buffer, in two pieces when it wraps past the end.
struct LockedRegion {
  uint8_t* first = nullptr;
  uint32_t firstBytes = 0;
  uint8_t* second = nullptr;
  uint32_t secondBytes = 0;
};

struct MixerCaps {
  bool primaryStereo = true;
  bool primary16Bit = true;
};

namespace detail {
struct MixerCore;
struct Voice;
}  // namespace detail

class SoundBuffer {
 public:
  ~SoundBuffer();
  SoundBuffer(const SoundBuffer&) = delete;
  SoundBuffer& operator=(const SoundBuffer&) = delete;

  PcmFormat format() const;
  uint32_t bytes() const;
  uint32_t flags() const;

  // Lock gives a copy of bytes from offset (wrapping to the start); what is
  // written there reaches the buffer at unlock, with the byte counts of the
  // region handed back (they may be smaller than the locked ones). One lock
  // at a time per buffer.
  AudioResult lock(uint32_t offset, uint32_t bytes, LockedRegion& region);
  AudioResult unlock(const LockedRegion& region);

  // Starts at the play cursor; a playing buffer takes the new looping flag.
  AudioResult play(bool looping);
  // Leaves the play cursor where it is; a playing buffer signals its stop
  // notifications.
  AudioResult stop();
  uint32_t status() const;
  // The play cursor (next byte to play) and the write cursor ahead of it.
  AudioResult currentPosition(uint32_t& play, uint32_t& write) const;
  // Rounded down to a whole frame.
  AudioResult setCurrentPosition(uint32_t offset);

  AudioResult setVolume(int volume);
  AudioResult volume(int& volume) const;
  AudioResult setPan(int pan);
  AudioResult pan(int& pan) const;
  // 0 goes back to the buffer's own rate.
  AudioResult setFrequency(uint32_t hz);
  AudioResult frequency(uint32_t& hz) const;

  // Replaces the set of positions; only while stopped, and only for a
  // buffer made with kBufferCtrlPositionNotify. An empty set removes all.
  AudioResult setNotificationPositions(std::vector<NotifyPosition> positions);

 private:
  friend class AudioMixer;
  SoundBuffer(std::shared_ptr<detail::MixerCore> core, std::unique_ptr<detail::Voice> voice);

  std::shared_ptr<detail::MixerCore> core_;
  std::unique_ptr<detail::Voice> voice_;
  std::vector<uint8_t> staging_;  // touched only by the thread holding the lock
};

class AudioMixer final : public AudioSource {
 public:
  explicit AudioMixer(AudioFormat output = {});
  ~AudioMixer() override;
  AudioMixer(const AudioMixer&) = delete;
  AudioMixer& operator=(const AudioMixer&) = delete;

  MixerCaps caps() const;
  // The device's format: the rate every buffer is resampled to.
  void setOutputFormat(AudioFormat output);
  AudioFormat outputFormat() const;
  // The mix's own format: a mono mix is folded to one channel, an 8-bit
  // mix keeps 8 bits of precision. Its rate is reported back only.
  AudioResult setPrimaryFormat(const PcmFormat& format);
  PcmFormat primaryFormat() const;

  std::unique_ptr<SoundBuffer> createBuffer(const PcmFormat& format, uint32_t bytes, uint32_t flags,
                                            AudioResult* result = nullptr);
  // A new buffer over the same sound memory, with the original's volume,
  // pan and frequency and a play state of its own; no notifications.
  std::unique_ptr<SoundBuffer> duplicateBuffer(const SoundBuffer& original,
                                               AudioResult* result = nullptr);

  int playingCount() const;

  // Mixes frames frames of every playing buffer into out (interleaved
  // signed 16-bit in the output format), advancing their play cursors.
  void render(int16_t* out, int frames) override;

 private:
  std::shared_ptr<detail::MixerCore> core_;
};

}  // namespace platform
