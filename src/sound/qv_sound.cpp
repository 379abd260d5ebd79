#include "sound/qv_sound.h"

#include "sound/engine_link.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <system_error>

namespace sound {

struct QvSound::CallbackThread {
  std::thread thread;
  std::vector<std::shared_ptr<platform::Event>> handles;
  std::shared_ptr<EngineLink> link;
  std::atomic<int> g_nCallBackThreadActive{0};
  std::mutex mutex;
  std::condition_variable ended;
  bool finished = false;
};

QvSound::QvSound() : m_link(std::make_shared<EngineLink>()), g_StreamInfo(std::make_shared<SNDStream>()) {
  m_link->engine = this;
  // Entry i is 1000 * log2(i / 16384), towards zero: halving the level
  // costs ten decibels.
  g_VolumeTable[0] = -10000;
  for (int i = 1; i < kVolumeTableSize; ++i) {
    const double v = 1000.0 * std::log2(static_cast<double>(i) / kVolumeTableSize);
    g_VolumeTable[i] = static_cast<int16_t>(std::max(-10000.0, std::trunc(v)));
  }
  g_pOpenFile = DefaultOpenFile;
}

QvSound::~QvSound() {
  Exit();
  std::lock_guard lock(m_link->mutex);
  m_link->engine = nullptr;
}

std::unique_lock<std::recursive_mutex> QvSound::Lock() const { return std::unique_lock(m_link->mutex); }

int QvSound::Init(platform::AudioMixer* mixer, int n) {
  Exit();
  auto lock = Lock();
  m_nMusicVolume = kMusicVolumeDefault;
  m_nMusicOn = 1;
  m_nSFXOn = 1;
  if (n < 0) return 0;

  g_nMaxSampleCount = n;
  g_nMaxEventCount = std::min(n + 1, kMaxEventCount);
  auto fail = [&] {
    g_SampleList.reset();
    g_EventList.clear();
    g_CallBackHandles.clear();
    g_nMaxSampleCount = g_nMaxEventCount = 0;
    g_nEndSample = 0;
    g_nLastSample = -1;
    g_lpDSound = nullptr;
    return 0;
  };
  try {
    g_SampleList = std::make_unique<SNDSample[]>(static_cast<size_t>(n));
    g_EventList.assign(static_cast<size_t>(g_nMaxEventCount), SNDEvent{});
    g_CallBackHandles.assign(static_cast<size_t>(g_nMaxEventCount), nullptr);
  } catch (const std::bad_alloc&) {
    return fail();
  }
  for (int i = 0; i < n; ++i) g_SampleList[i].m_pEngine = this;
  g_nLastSample = -1;
  g_nEndSample = n;
  if (!mixer) return fail();

  g_lpDSound = mixer;
  g_DSCaps = mixer->caps();
  const platform::PcmFormat primary{22050, g_DSCaps.primaryStereo ? 2 : 1, g_DSCaps.primary16Bit ? 16 : 8};
  mixer->setPrimaryFormat(primary);
  g_PrimaryFormat = mixer->primaryFormat();
  g_pOpenFile = DefaultOpenFile;

  for (int i = 0; i < g_nMaxEventCount; ++i) {
    auto event = std::make_shared<platform::Event>();
    g_EventList[i].hEvent = event;
    g_CallBackHandles[i] = event;
  }
  auto thread = std::make_shared<CallbackThread>();
  thread->handles = g_CallBackHandles;
  thread->link = m_link;
  try {
    thread->thread = std::thread(CallbackThreadMain, thread);
  } catch (const std::system_error&) {
    return fail();
  }
  g_CallBackThread = std::move(thread);
  return 1;
}

void QvSound::Exit() {
  StopStreamNow();
  StopCallbackThread();
  auto lock = Lock();
  for (auto& record : g_EventList) {
    record.hEvent.reset();
    record.pSample = nullptr;
  }
  for (int i = 0; i < g_nLastSample && i < g_nEndSample; ++i)
    if (g_SampleList[i].m_dwFlags.load() & kSampleInUse) FreeSample(&g_SampleList[i]);
  g_SampleList.reset();
  g_EventList.clear();
  g_CallBackHandles.clear();
  g_nEndSample = 0;
  g_nLastSample = -1;
  g_nMaxSampleCount = g_nMaxEventCount = 0;
  g_lpDSound = nullptr;
}

// ---- the callback thread: chained samples ----

void QvSound::CallbackThreadMain(std::shared_ptr<CallbackThread> self) {
  self->g_nCallBackThreadActive = 1;
  for (;;) {
    const int index = platform::WaitForAny(self->handles, platform::kWaitNoLimit);
    if (index <= 0) break;
    std::lock_guard lock(self->link->mutex);
    if (!self->link->engine) break;
    self->link->engine->OnStopNotification(index);
  }
  self->g_nCallBackThreadActive = 0;
  std::lock_guard lock(self->mutex);
  self->finished = true;
  self->ended.notify_all();
}

void QvSound::OnStopNotification(int index) {
  if (index < 0 || index >= static_cast<int>(g_EventList.size())) return;
  SNDEvent& record = g_EventList[index];
  SNDSample* stopped = record.pSample;
  if (!stopped) return;
  // A signal taken just before the record was armed again belongs to the
  // earlier play; the record's present sample has not stopped.
  if (stopped->SamplePlaying()) return;
  FreeSoundEvent(&record);
  if (stopped->m_pNext) stopped->m_pNext->PlaySample(stopped->m_nVolume, stopped->m_nPan);
  stopped->m_dwFlags.fetch_and(~kSampleStopArmed);
}

void QvSound::StopCallbackThread() {
  std::shared_ptr<CallbackThread> thread = std::move(g_CallBackThread);
  if (!thread) return;
  if (!thread->handles.empty()) thread->handles[0]->set();
  std::unique_lock lock(thread->mutex);
  const bool ended = thread->ended.wait_for(lock, std::chrono::milliseconds(kThreadWaitLimitMs),
                                            [&] { return thread->finished; });
  lock.unlock();
  if (ended) {
    thread->thread.join();
  } else {
    std::fprintf(stderr, "sound callback thread did not end in time; left behind\n");
    thread->thread.detach();
  }
}

// ---- the sample table ----

SNDSample* QvSound::AllocSample() {
  auto lock = Lock();
  for (int i = 0; i < g_nEndSample; ++i) {
    SNDSample& slot = g_SampleList[i];
    if (slot.m_dwFlags.load() & kSampleInUse) continue;
    if (i >= g_nLastSample) g_nLastSample = i + 1;
    slot.m_dwFlags.fetch_or(kSampleInUse);
    return &slot;
  }
  return nullptr;
}

void QvSound::ClearSample(SNDSample* sample) {
  auto lock = Lock();
  if (!sample || !g_SampleList || sample < &g_SampleList[0] || sample >= &g_SampleList[0] + g_nEndSample) return;
  sample->Reset();
  const int index = static_cast<int>(sample - &g_SampleList[0]);
  for (int i = g_nEndSample - 1; i > index; --i) {
    if (g_SampleList[i].m_dwFlags.load() & kSampleInUse) {
      g_nLastSample = i + 1;
      break;
    }
  }
}

void QvSound::ClearSampleList() {
  auto lock = Lock();
  for (int i = 0; i < g_nEndSample; ++i) ClearSample(&g_SampleList[i]);
  g_nLastSample = -1;
}

SNDSample* QvSound::FindSample(uint32_t id) {
  auto lock = Lock();
  SNDSample* result = nullptr;
  SNDSample* source = nullptr;
  for (int i = 0; i < g_nLastSample && i < g_nEndSample; ++i) {
    SNDSample& slot = g_SampleList[i];
    const uint32_t flags = slot.m_dwFlags.load();
    if ((flags & kSampleInUse) && slot.m_dwID == id) {
      if (slot.Idle()) {
        result = &slot;
        break;
      }
      if (!source && !(flags & kSampleDuplicate)) source = &slot;
    } else if ((flags & kSampleDuplicate) && slot.Idle()) {
      FreeSample(&slot);
    }
  }
  if (!result && source) result = source->DupeSample();
  if (result) result->m_dwFlags.fetch_or(kSampleClaimed);
  return result;
}

int QvSound::LoadSample(const std::string& file, uint32_t id) {
  auto lock = Lock();
  // Already loaded: nothing to do. A plain look-up, so the sample is not
  // left claimed and no duplicate is made for it.
  for (int i = 0; i < g_nLastSample && i < g_nEndSample; ++i) {
    const SNDSample& slot = g_SampleList[i];
    if ((slot.m_dwFlags.load() & kSampleInUse) && slot.m_dwID == id) return 1;
  }
  SNDSample* slot = AllocSample();
  if (!slot) return 0;
  if (!slot->LoadSample(file, id)) {
    ClearSample(slot);
    return 0;
  }
  return 1;
}

SNDSample* QvSound::PlaySample(uint32_t id, long volume, long pan) {
  auto lock = Lock();
  SNDSample* sample = FindSample(id);
  if (sample) sample->PlaySample(volume, pan);
  return sample;
}

int QvSound::PlaySampleIDOnce(uint32_t id, long volume, long pan) {
  auto lock = Lock();
  if (!m_nSFXOn) return 1;
  SNDSample* sample = FindSample(id);
  if (!sample) return 0;
  sample->SetPan(static_cast<int>(pan));
  sample->SetVolume(static_cast<int>(volume));
  sample->m_dwFlags.fetch_and(~kSampleClaimed);
  if (!sample->m_lpBuffer) return 0;
  const bool looped = sample->m_dwFlags.load() & kSampleLooped;
  return sample->m_lpBuffer->play(looped) == platform::AudioResult::kOk ? 1 : 0;
}

void QvSound::FreeSample(uint32_t id) {
  auto lock = Lock();
  // The original of that id (a duplicate only when no original is left).
  SNDSample* found = nullptr;
  for (int i = 0; i < g_nLastSample && i < g_nEndSample; ++i) {
    SNDSample& slot = g_SampleList[i];
    const uint32_t flags = slot.m_dwFlags.load();
    if (!(flags & kSampleInUse) || slot.m_dwID != id) continue;
    if (!(flags & kSampleDuplicate)) {
      found = &slot;
      break;
    }
    if (!found) found = &slot;
  }
  FreeSample(found);
}

void QvSound::FreeSample(SNDSample* sample) {
  auto lock = Lock();
  if (!sample) return;
  FreeSoundEventsOf(sample);
  if (sample->m_lpBuffer) {
    if (sample->SamplePlaying()) sample->m_lpBuffer->stop();
    sample->m_lpBuffer.reset();
  }
  ClearSample(sample);
}

void QvSound::FlushSamples() {
  auto lock = Lock();
  for (int i = 0; i < g_nEndSample; ++i) {
    SNDSample& slot = g_SampleList[i];
    const uint32_t flags = slot.m_dwFlags.load();
    if ((flags & kSampleInUse) && (flags & kSampleDuplicate) && slot.Idle()) FreeSample(&slot);
  }
}

void QvSound::EnableSFX(int on) { m_nSFXOn = on; }

void QvSound::EnableMusic(int on) {
  if (!on) StopStream();
  m_nMusicOn = on;
}

// The mixer keeps no memory to give back; sample memory goes with its buffers.

void QvSound::SetFileOpenFunc(FileOpenFunc open) {
  auto lock = Lock();
  g_pOpenFile = open ? std::move(open) : FileOpenFunc(DefaultOpenFile);
}

int QvSound::MapVolume(int volume) const {
  const int index = volume > 0xFFFF ? 0x3FFF : volume < 0 ? 0 : volume >> 2;
  return g_VolumeTable[index];
}

int QvSound::MapPan(int pan) const {
  if (pan > 0xFFFF) return -10000;
  if (pan >= 0x8000) return g_VolumeTable[0x3FFF - (((pan - 0x8000) >> 1) & 0x3FFF)];
  if (pan >= 1) return -g_VolumeTable[(pan >> 1) & 0x3FFF];
  return 10000;
}

SNDEvent* QvSound::AllocSoundEvent() {
  auto lock = Lock();
  for (int i = 1; i < static_cast<int>(g_EventList.size()); ++i)
    if (!g_EventList[i].pSample && g_EventList[i].hEvent) return &g_EventList[i];
  return nullptr;
}

void QvSound::FreeSoundEvent(SNDEvent* event) {
  auto lock = Lock();
  if (event) event->pSample = nullptr;
}

void QvSound::FreeSoundEventsOf(const SNDSample* sample) {
  auto lock = Lock();
  for (auto& record : g_EventList)
    if (record.pSample == sample) FreeSoundEvent(&record);
}

}  // namespace sound
