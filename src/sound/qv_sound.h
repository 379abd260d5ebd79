// The sound engine: a table of sample slots addressed by the caller's ids,
// overlapping duplicates of busy samples, chains started from a callback
// thread at stop notifications, and one streamed music track.
#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio_mixer.h"
#include "platform/events.h"
#include "sound/snd_sample.h"
#include "sound/sound_file.h"
#include "sound/sound_stream.h"

namespace sound {

// A record of the event pool: an event and the chained sample it serves.
struct SNDEvent {
  std::shared_ptr<platform::Event> hEvent;
  SNDSample* pSample = nullptr;
};

inline constexpr int kVolumeTableSize = 16384;
inline constexpr int kMaxEventCount = 64;
inline constexpr int kMusicVolumeDefault = 0x8000;
// How long the engine waits for its own threads before it leaves them behind.
inline constexpr int kThreadWaitLimitMs = 3000;

class QvSound {
 public:
  QvSound();
  ~QvSound();
  QvSound(const QvSound&) = delete;
  QvSound& operator=(const QvSound&) = delete;

  // Starts the engine on a mixer with n sample slots. No mixer (no audio
  // device): 0, and every later operation finds, loads and plays nothing.
  int Init(platform::AudioMixer* mixer, int n);
  void Exit();

  int LoadSample(const std::string& file, uint32_t id);
  SNDSample* PlaySample(uint32_t id, long volume, long pan);
  int PlaySampleIDOnce(uint32_t id, long volume, long pan);
  SNDSample* FindSample(uint32_t id);
  void FreeSample(uint32_t id);
  void FreeSample(SNDSample* sample);
  void FlushSamples();
  void EnableSFX(int on);
  void EnableMusic(int on);
  platform::AudioMixer* GetDSObject() const { return g_lpDSound; }
  platform::PcmFormat GetDSPrimaryFormat() const { return g_PrimaryFormat; }
  // None puts back the default.
  void SetFileOpenFunc(FileOpenFunc open);

  SNDSample* AllocSample();
  void ClearSample(SNDSample* sample);
  void ClearSampleList();
  int MapVolume(int volume) const;
  int MapPan(int pan) const;
  SNDEvent* AllocSoundEvent();
  void FreeSoundEvent(SNDEvent* event);
  // Every record that serves the sample's stop.
  void FreeSoundEventsOf(const SNDSample* sample);

  // The music stream.
  int LoadStream(const std::string& file, uint32_t id);
  int PlayStream(int flags);
  int StopStream();
  void PauseStream();
  void SetStreamVolume(int volume);
  int GetStreamVolume();
  uint32_t GetStreamID();
  SNDStream* GetStreamInfoPtr() { return g_StreamInfo.get(); }
  StreamNextFunc SetStreamNextFunc(StreamNextFunc next);
  void FadeMusic(int from, int to, unsigned long ms);
  void FadeMusicIn(unsigned long ms);
  void FadeMusicOut(unsigned long ms);

  int MusicEnabled() const { return m_nMusicOn.load(); }
  int SFXEnabled() const { return m_nSFXOn.load(); }
  int MusicVolume() const { return m_nMusicVolume.load(); }
  // Held by every operation on the table, from any thread.
  std::unique_lock<std::recursive_mutex> Lock() const;

  // Engine-wide state, one set per engine.
  int g_nMaxSampleCount = 0;
  int g_nMaxEventCount = 0;
  std::vector<std::shared_ptr<platform::Event>> g_CallBackHandles;
  std::vector<SNDEvent> g_EventList;
  std::unique_ptr<SNDSample[]> g_SampleList;
  int g_nLastSample = -1;  // every slot in use lies below this index
  int g_nEndSample = 0;
  platform::AudioMixer* g_lpDSound = nullptr;
  platform::PcmFormat g_PrimaryFormat;
  platform::MixerCaps g_DSCaps;
  FileOpenFunc g_pOpenFile;
  std::array<int16_t, kVolumeTableSize> g_VolumeTable{};

 private:
  // What the tests look at inside; defined with them.
  friend struct QvSoundProbe;
  struct EngineLink;
  struct CallbackThread;

  static void CallbackThreadMain(std::shared_ptr<CallbackThread> thread);
  void OnStopNotification(int index);
  void StopCallbackThread();

  static void FillThreadMain(std::shared_ptr<SNDStream> stream, std::shared_ptr<EngineLink> link);
  static void HandleChunk(SNDStream& stream, int index);
  static void CleanupStream(SNDStream& stream, EngineLink& link);
  static bool FillRing(SNDStream& stream, uint32_t offset, uint32_t bytes, bool looping);
  void StopStreamNow();
  void AbandonStream(const std::shared_ptr<SNDStream>& stream);
  static void FinishFillThread(std::thread& thread, SNDStream& stream);

  std::atomic<int> m_nMusicVolume{0};
  std::atomic<int> m_nMusicOn{0};
  std::atomic<int> m_nSFXOn{0};

  std::shared_ptr<EngineLink> m_link;
  std::shared_ptr<CallbackThread> g_CallBackThread;
  std::shared_ptr<SNDStream> g_StreamInfo;
  StreamNextFunc m_StreamNext;
  std::thread g_FillThread;
  std::thread::id g_FillThreadID;
};

}  // namespace sound
