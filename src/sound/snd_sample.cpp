#include "sound/snd_sample.h"

#include <vector>

#include "sound/qv_sound.h"

namespace sound {

using platform::AudioResult;

std::unique_lock<std::recursive_mutex> SNDSample::Guard() const {
  if (m_pEngine) return m_pEngine->Lock();
  return {};
}

bool SNDSample::Idle() {
  return !(m_dwFlags.load() & kSampleClaimed) && !SamplePlaying();
}

int SNDSample::PlaySample(long volume, long pan) {
  auto guard = Guard();
  if (m_pEngine && !m_pEngine->SFXEnabled()) {
    m_dwFlags.fetch_and(~kSampleClaimed);
    return 1;
  }
  if (!m_lpBuffer) return 0;
  SetPan(static_cast<int>(pan));
  SetVolume(static_cast<int>(volume));

  // A chained sample signals its stop through a record of the engine's
  // pool; an unchained one keeps no notification from an earlier play,
  // which would start whatever sample holds that record now.
  SNDEvent* record = m_pNext && m_pEngine ? m_pEngine->AllocSoundEvent() : nullptr;
  if (record || m_Notify.hEventNotify) {
    std::vector<platform::NotifyPosition> positions;
    if (record) {
      // The record's last user may have left a signal that nobody took.
      record->hEvent->reset();
      positions.push_back({platform::kNotifyAtStop, record->hEvent});
    }
    if (m_lpBuffer->setNotificationPositions(positions) == AudioResult::kOk) {
      // Records kept for the events the buffer had will not be signalled.
      if (m_pEngine) m_pEngine->FreeSoundEventsOf(this);
      m_Notify = record ? SampleNotify{platform::kNotifyAtStop, record->hEvent} : SampleNotify{};
      if (record) {
        record->pSample = this;
        m_dwFlags.fetch_or(kSampleStopArmed);
      } else {
        m_dwFlags.fetch_and(~kSampleStopArmed);
      }
    }
  }

  m_dwFlags.fetch_and(~kSampleClaimed);
  const bool looped = m_dwFlags.load() & kSampleLooped;
  return m_lpBuffer->play(looped) == AudioResult::kOk ? 1 : 0;
}

int SNDSample::StopSample() {
  auto guard = Guard();
  return m_lpBuffer && m_lpBuffer->stop() == AudioResult::kOk ? 1 : 0;
}

int SNDSample::PauseSample() {
  auto guard = Guard();
  if (!m_lpBuffer) return 0;
  uint32_t play = 0, write = 0;
  if (m_lpBuffer->stop() != AudioResult::kOk) return 0;
  if (m_lpBuffer->currentPosition(play, write) != AudioResult::kOk) return 0;
  m_dwPausePos = play;
  m_dwFlags.fetch_or(kSamplePaused);
  return 1;
}

int SNDSample::UnPauseSample() {
  auto guard = Guard();
  if (!m_lpBuffer || !(m_dwFlags.load() & kSamplePaused)) return 0;
  m_lpBuffer->setCurrentPosition(m_dwPausePos);
  m_dwFlags.fetch_and(~kSamplePaused);
  const bool looped = m_dwFlags.load() & kSampleLooped;
  return m_lpBuffer->play(looped) == AudioResult::kOk ? 1 : 0;
}

int SNDSample::SamplePlaying() {
  auto guard = Guard();
  return m_lpBuffer && (m_lpBuffer->status() & platform::kStatusPlaying) ? 1 : 0;
}

uint32_t SNDSample::GetSampleStatus() {
  auto guard = Guard();
  return m_lpBuffer ? m_lpBuffer->status() : kSampleStatusInvalid;
}

int SNDSample::SetVolume(int volume) {
  auto guard = Guard();
  m_nVolume = volume;
  if (!m_lpBuffer || !m_pEngine) return 0;
  return m_lpBuffer->setVolume(m_pEngine->MapVolume(volume)) == AudioResult::kOk ? 1 : 0;
}

int SNDSample::SetPan(int pan) {
  auto guard = Guard();
  m_nPan = pan;
  if (!m_lpBuffer || !m_pEngine) return 0;
  return m_lpBuffer->setPan(m_pEngine->MapPan(pan)) == AudioResult::kOk ? 1 : 0;
}

int SNDSample::SetPitch(int hz) {
  auto guard = Guard();
  m_nPitch = hz;
  if (!m_lpBuffer || hz < 0) return 0;
  return m_lpBuffer->setFrequency(static_cast<uint32_t>(hz)) == AudioResult::kOk ? 1 : 0;
}

SNDSample* SNDSample::DupeSample() {
  auto guard = Guard();
  if (!m_lpBuffer || !m_pEngine || !m_pEngine->GetDSObject()) return nullptr;
  SNDSample* copy = m_pEngine->AllocSample();
  if (!copy) return nullptr;
  std::unique_ptr<platform::SoundBuffer> buffer = m_pEngine->GetDSObject()->duplicateBuffer(*m_lpBuffer);
  if (!buffer) {
    m_pEngine->ClearSample(copy);
    return nullptr;
  }
  copy->m_lpBuffer = std::move(buffer);
  copy->m_dwID = m_dwID;
  copy->m_dwSize = m_dwSize;
  copy->m_nFrequency = m_nFrequency;
  copy->m_nBits = m_nBits;
  copy->m_nChannels = m_nChannels;
  copy->m_pNext = nullptr;
  copy->m_dwFlags.fetch_or(kSampleDuplicate);
  return copy;
}

SNDSample* SNDSample::ChainSample(SNDSample* first, SNDSample* second) {
  if (!second) return nullptr;
  if (!first) return second;
  auto guard = first->Guard();
  // Walk to the end of the chain; a sample already in it is not hung on
  // again, which would turn the chain into a circle.
  for (SNDSample* s = second; s; s = s->m_pNext)
    if (s == first) return first;
  SNDSample* last = first;
  for (;;) {
    if (last == second) return first;
    if (!last->m_pNext) break;
    last = last->m_pNext;
  }
  last->m_pNext = second;
  return first;
}

void SNDSample::Reset() {
  auto guard = Guard();
  m_dwFlags.store(0);
  m_dwID = 0;
  m_dwSize = 0;
  m_nFrequency = m_nBits = m_nChannels = 0;
  m_dwPausePos = 0;
  m_nVolume = m_nPan = m_nPitch = 0;
  m_dwLoopStart = m_dwLoopEnd = m_dwLoopCount = 0;
  m_lpBuffer.reset();
  m_pNext = nullptr;
}

}  // namespace sound
