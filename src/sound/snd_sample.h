// One sample slot of the sound engine: a WAV file's sound in a mixer
// buffer, its caller's id, state bits and the sample chained after it.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/audio_mixer.h"
#include "sound/sound_file.h"

namespace sound {

class QvSound;

// Bits of SNDSample::m_dwFlags.
enum SampleFlags : uint32_t {
  kSampleInUse = 0x1,
  kSampleClaimed = 0x2,      // handed out by a look-up, until its play starts
  kSampleDuplicate = 0x4,    // shares another slot's sound; collected when idle
  kSampleLooped = 0x8,       // the file has a smpl loop: plays looping
  kSampleFormatRead = 0x10,
  kSamplePaused = 0x100,
  kSampleStopArmed = 0x400,  // started with a chain: its stop starts the next
};

// What GetSampleStatus reports without a buffer.
inline constexpr uint32_t kSampleStatusInvalid = 0x80070057;
// An id that leaves the slot's id as it is.
inline constexpr uint32_t kKeepSampleID = 0xFFFFFFFF;

// Four characters as a little-endian number: RiffId("data").
constexpr uint32_t RiffId(const char (&id)[5]) {
  return static_cast<uint32_t>(static_cast<uint8_t>(id[0])) |
         static_cast<uint32_t>(static_cast<uint8_t>(id[1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(id[2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(id[3])) << 24;
}

struct ChunkHeader {
  uint32_t dwID = 0;
  uint32_t dwSize = 0;
};

// The stop notification of a chained sample.
struct SampleNotify {
  uint32_t dwOffset = 0;
  std::shared_ptr<platform::Event> hEventNotify;
};

class SNDSample {
 public:
  SNDSample() = default;
  SNDSample(const SNDSample&) = delete;
  SNDSample& operator=(const SNDSample&) = delete;

  // Volume 0..0xFFFF, pan 0x8000 centre; 1 when the play started (or the
  // sound effects are off), 0 without a buffer or when the play failed.
  int PlaySample(long volume, long pan);
  int StopSample();
  int PauseSample();
  int UnPauseSample();
  int SamplePlaying();
  uint32_t GetSampleStatus();
  int SetVolume(int volume);
  int SetPan(int pan);
  int SetPitch(int hz);

  int LoadSample(const std::string& file, uint32_t id);
  // The file, positioned at its first sound byte, when it is a WAV we play.
  // A data chunk that claims more than the file holds is refused, unless
  // partialData takes it for what is there (a stream reads as it plays).
  std::unique_ptr<SoundFile> OpenSoundFile(const std::string& file, bool partialData = false);
  int IsWavFile(SoundFile& file, bool partialData = false);
  // Looks for a chunk from start on; the file is left just after its header.
  static int FindRiffChunk(SoundFile& file, long start, ChunkHeader* header, uint32_t id);
  int AllocDSBuffer(uint32_t bytes);
  SNDSample* DupeSample();
  static SNDSample* ChainSample(SNDSample* first, SNDSample* second);
  void Reset();

  bool Idle();

  std::atomic<uint32_t> m_dwFlags{0};
  uint32_t m_dwID = 0;
  uint32_t m_dwSize = 0;
  int m_nFrequency = 0;
  int m_nBits = 0;
  int m_nChannels = 0;
  uint32_t m_dwPausePos = 0;
  int m_nVolume = 0;
  int m_nPan = 0;
  int m_nPitch = 0;
  uint32_t m_dwLoopStart = 0;
  uint32_t m_dwLoopEnd = 0;
  uint32_t m_dwLoopCount = 0;
  std::shared_ptr<platform::SoundBuffer> m_lpBuffer;
  SampleNotify m_Notify;
  SNDSample* m_pNext = nullptr;
  QvSound* m_pEngine = nullptr;  // the engine whose table holds this slot

 private:
  std::unique_lock<std::recursive_mutex> Guard() const;
};

}  // namespace sound
