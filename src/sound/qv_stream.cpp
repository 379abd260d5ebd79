// The music stream: eight quarter-second chunks in a looping mixer buffer,
// each refilled from the file by the fill thread once the play cursor has
// moved on into the next.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <thread>

#include "platform/thread_priority.h"
#include "sound/engine_link.h"
#include "sound/qv_sound.h"

namespace sound {
namespace {

using Clock = std::chrono::steady_clock;
using platform::AudioResult;

constexpr uint32_t kAllStreamState =
    kStreamLoaded | kStreamPlaying | kStreamLooping | kStreamPaused | kStreamPrimed;
constexpr auto kStreamLockLimit = std::chrono::milliseconds(500);

// Takes the lock unless its holder keeps it past the limit.
bool LockWithin(std::unique_lock<std::mutex>& lock, std::chrono::milliseconds limit) {
  const auto end = Clock::now() + limit;
  while (!lock.try_lock()) {
    if (Clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

uint8_t SilenceByte(const platform::SoundBuffer& buffer) { return buffer.format().bits == 8 ? 0x80 : 0x00; }

void NoteHandled(SNDStream& stream) {
  {
    std::lock_guard lock(stream.mutex);
    stream.handled.fetch_add(1);
  }
  stream.changed.notify_all();
}

}  // namespace

// Writes bytes of the ring from offset with the data that follows in the
// file. When the data runs out the rest is read again from the data start
// (looping) or is silence, and the chunk that holds the last data is noted.
bool QvSound::FillRing(SNDStream& stream, uint32_t offset, uint32_t bytes, bool looping) {
  platform::LockedRegion region;
  if (stream.buffer->lock(offset, bytes, region) != AudioResult::kOk || !region.first || !region.firstBytes)
    return false;
  uint8_t* into = region.first;
  const uint32_t size = region.firstBytes;
  uint32_t written = 0;
  bool justWrapped = false;
  while (written < size) {
    if (stream.remaining == 0) {
      // Twice at the data start without a byte: the file gives nothing more.
      if (!looping || justWrapped || !stream.file->Seek(stream.dataStart)) break;
      stream.remaining = stream.dataSize;
      justWrapped = true;
    }
    const uint32_t want = std::min(stream.remaining, size - written);
    const size_t got = stream.file->Read(into + written, want);
    written += static_cast<uint32_t>(got);
    stream.remaining -= static_cast<uint32_t>(got);
    if (got > 0) justWrapped = false;
    if (got < want) stream.remaining = 0;  // the file is shorter than it said
  }
  if (written < size) std::memset(into + written, SilenceByte(*stream.buffer), size - written);
  if (!looping && stream.remaining == 0 && stream.endChunk < 0)
    stream.endChunk = static_cast<int>((offset + std::max<uint32_t>(written, 1) - 1) / stream.chunkSize);
  stream.buffer->unlock(region);
  return true;
}

int QvSound::LoadStream(const std::string& file, uint32_t id) {
  if (!m_nMusicOn) return 0;
  std::thread previous;
  std::shared_ptr<SNDStream> previousStream;
  {
    auto lock = Lock();
    if (!g_lpDSound || !g_SampleList || (g_StreamInfo->flags.load() & kStreamLoaded)) return 0;
    previous = std::move(g_FillThread);
    previousStream = g_StreamInfo;
  }
  FinishFillThread(previous, *previousStream);

  auto lock = Lock();
  if (g_StreamInfo->flags.load() & kStreamLoaded) return 0;
  SNDSample* slot = AllocSample();
  if (!slot) return 0;
  auto fail = [&] {
    ClearSample(slot);
    return 0;
  };
  std::unique_ptr<SoundFile> opened = slot->OpenSoundFile(file, true);
  if (!opened) return fail();
  if (id != kKeepSampleID) slot->m_dwID = id;

  const bool playable = (slot->m_nChannels == 1 || slot->m_nChannels == 2) &&
                        (slot->m_nBits == 8 || slot->m_nBits == 16) &&
                        slot->m_nFrequency >= static_cast<int>(platform::kFrequencyMin) &&
                        slot->m_nFrequency <= static_cast<int>(platform::kFrequencyMax);
  if (!playable || slot->m_dwSize == 0) return fail();
  const uint32_t block = static_cast<uint32_t>(slot->m_nBits * slot->m_nChannels / 8);
  const uint32_t bytesPerSecond = static_cast<uint32_t>(slot->m_nFrequency) * block;
  uint32_t chunk = bytesPerSecond * 2000u / 8000u;
  if (chunk % block) chunk += block - chunk % block;
  const uint32_t ring = kStreamChunks * chunk;
  if ((slot->m_dwFlags.load() & kSampleLooped) && slot->m_dwLoopEnd - slot->m_dwLoopStart < chunk) return fail();
  if (!slot->AllocDSBuffer(ring)) return fail();

  auto stream = std::make_shared<SNDStream>();
  std::vector<platform::NotifyPosition> positions;
  for (int i = 0; i <= kStreamChunks; ++i) {
    stream->events[i] = std::make_shared<platform::Event>();
    const uint32_t offset = i < kStreamChunks ? chunk * static_cast<uint32_t>(i) : platform::kNotifyAtStop;
    stream->positions[i] = {offset, stream->events[i]};
    positions.push_back(stream->positions[i]);
  }
  if (slot->m_lpBuffer->setNotificationPositions(positions) != AudioResult::kOk) return fail();

  stream->dataStart = static_cast<uint32_t>(opened->Tell());
  stream->dataSize = slot->m_dwSize;
  stream->remaining = slot->m_dwSize;
  stream->chunkSize = chunk;
  stream->ringSize = ring;
  stream->id = slot->m_dwID;
  stream->file = std::move(opened);
  stream->buffer = slot->m_lpBuffer;
  stream->bufferIdentity = slot->m_lpBuffer.get();
  stream->sample = slot;
  FillRing(*stream, 0, ring, false);
  stream->flags = kStreamLoaded | kStreamFillRunning;

  try {
    g_FillThread = std::thread(FillThreadMain, stream, m_link);
  } catch (const std::system_error&) {
    return fail();
  }
  g_FillThreadID = g_FillThread.get_id();
  g_StreamInfo = std::move(stream);
  return 1;
}

int QvSound::PlayStream(int flags) {
  if (!m_nMusicOn) return 1;
  std::shared_ptr<SNDStream> stream;
  {
    auto lock = Lock();
    stream = g_StreamInfo;
  }
  std::unique_lock lock(stream->mutex, std::defer_lock);
  if (!LockWithin(lock, kStreamLockLimit)) return 1;
  const uint32_t state = stream->flags.load();
  if (!(state & kStreamLoaded) || (state & kStreamPlaying) || !stream->sample.load() || !stream->buffer) return 1;
  const bool looping = flags & kStreamLooping;
  if (looping) {
    stream->flags.fetch_or(kStreamLooping);
    // The data ended inside the first fill, before it was known that the
    // stream loops: fill the ring again, wrapping.
    if (stream->endChunk >= 0 && stream->file->Seek(stream->dataStart)) {
      stream->remaining = stream->dataSize;
      stream->endChunk = -1;
      FillRing(*stream, 0, stream->ringSize, true);
    }
  }
  stream->buffer->setCurrentPosition(1);
  stream->buffer->play(true);
  stream->flags.fetch_or(kStreamPlaying);
  return 1;
}

void QvSound::FillThreadMain(std::shared_ptr<SNDStream> stream, std::shared_ptr<EngineLink> link) {
  platform::LowerCurrentThreadPriority();
  for (;;) {
    const int index = platform::WaitForAny(stream->events, platform::kWaitNoLimit);
    if (index < 0) continue;
    if (index < kStreamChunks) {
      HandleChunk(*stream, index);
      NoteHandled(*stream);
      continue;
    }
    {
      std::lock_guard lock(stream->mutex);
      // A pause stops the buffer too; that stop is not the end, nor is it
      // when the pause was lifted again before this thread came to it.
      const bool resumed = stream->buffer && (stream->buffer->status() & platform::kStatusPlaying);
      if (!stream->abandoned.load() && ((stream->flags.load() & kStreamPaused) || resumed)) {
        stream->handled.fetch_add(1);
        stream->changed.notify_all();
        continue;
      }
    }
    CleanupStream(*stream, *link);
    NoteHandled(*stream);
    break;
  }
  {
    std::lock_guard lock(stream->mutex);
    stream->flags.fetch_and(~kStreamFillRunning);
    stream->finished = true;
  }
  stream->changed.notify_all();
}

void QvSound::HandleChunk(SNDStream& stream, int index) {
  std::lock_guard lock(stream.mutex);
  const uint32_t state = stream.flags.load();
  if (!(state & kStreamPrimed) || !stream.sample.load()) {
    stream.flags.fetch_or(kStreamPrimed);
    return;
  }
  if (!(state & kStreamLoaded) || !stream.buffer) return;
  // The cursor has entered chunk index: the one before it has been played.
  const int played = (index + kStreamChunks - 1) % kStreamChunks;
  const uint32_t offset = static_cast<uint32_t>(played) * stream.chunkSize;
  const bool looping = state & kStreamLooping;
  if (stream.remaining == 0 && !looping && (stream.endChunk < 0 || stream.endChunk == played)) {
    // The chunk with the last data has been heard: the stop notification
    // that follows tears the stream down.
    stream.buffer->stop();
    return;
  }
  FillRing(stream, offset, stream.chunkSize, looping);
}

void QvSound::CleanupStream(SNDStream& stream, EngineLink& link) {
  std::shared_ptr<platform::SoundBuffer> buffer;
  SNDSample* slot = nullptr;
  uint32_t id = 0;
  {
    std::lock_guard lock(stream.mutex);
    if (!(stream.flags.load() & kStreamLoaded)) return;
    if (stream.buffer) stream.buffer->setNotificationPositions({});
    buffer = std::move(stream.buffer);
    stream.file.reset();
    stream.flags.fetch_and(~kAllStreamState);
    stream.remaining = stream.ringSize = stream.chunkSize = 0;
    id = stream.id;
    slot = stream.sample.load();
  }
  StreamNextFunc next;
  {
    std::lock_guard lock(link.mutex);
    // The stream lets go of its slot before the slot is given back, so that
    // a volume change or an id asked for meanwhile never reaches the slot's
    // next user.
    stream.sample = nullptr;
    if (link.engine && !stream.abandoned.load()) {
      if (slot && slot->m_lpBuffer == buffer) link.engine->ClearSample(slot);
      next = link.engine->m_StreamNext;
    }
    buffer.reset();
  }
  {
    // A waiter that still saw the slot is asleep by the time this is taken.
    std::lock_guard lock(stream.mutex);
  }
  stream.changed.notify_all();
  if (next) next(id);
}

void QvSound::FinishFillThread(std::thread& thread, SNDStream& stream) {
  if (!thread.joinable()) return;
  if (thread.get_id() == std::this_thread::get_id()) {
    // Asked from the fill thread itself (a next-stream function).
    thread.detach();
    return;
  }
  std::unique_lock lock(stream.mutex);
  const bool ended = stream.changed.wait_for(lock, std::chrono::milliseconds(kThreadWaitLimitMs),
                                             [&] { return stream.finished; });
  lock.unlock();
  if (ended) {
    thread.join();
  } else {
    std::fprintf(stderr, "music fill thread did not end in time; left behind\n");
    thread.detach();
  }
}

int QvSound::StopStream() {
  if (!m_nMusicOn) return 1;
  StopStreamNow();
  return 1;
}

void QvSound::StopStreamNow() {
  std::shared_ptr<SNDStream> stream;
  std::thread thread;
  {
    auto lock = Lock();
    stream = g_StreamInfo;
    if (!(stream->flags.load() & kStreamLoaded) && !g_FillThread.joinable()) return;
    thread = std::move(g_FillThread);
  }
  const bool ownThread = thread.joinable() && thread.get_id() == std::this_thread::get_id();
  {
    std::unique_lock lock(stream->mutex, std::defer_lock);
    if (!LockWithin(lock, kStreamLockLimit)) {
      AbandonStream(stream);
      if (thread.joinable()) thread.detach();
      return;
    }
    if (stream->flags.load() & kStreamLoaded) {
      stream->flags.fetch_and(~kStreamPaused);
      // A playing buffer signals its stop; one that is paused or was never
      // played is stopped already, so its stop is signalled here.
      if (stream->buffer && (stream->buffer->status() & platform::kStatusPlaying))
        stream->buffer->stop();
      else
        stream->events[kStreamStopEvent]->set();
    }
  }
  if (ownThread) {
    thread.detach();
    return;
  }
  bool done;
  {
    std::unique_lock lock(stream->mutex);
    done = stream->changed.wait_for(lock, std::chrono::milliseconds(kThreadWaitLimitMs), [&] {
      return !stream->sample.load() && (stream->finished || !thread.joinable());
    });
  }
  if (!done) {
    AbandonStream(stream);
    if (thread.joinable()) thread.detach();
    return;
  }
  if (thread.joinable()) thread.join();
}

// The fill thread did not answer in time: the engine takes the stream's
// slot back itself and leaves the thread to end on its own. The record goes
// with the thread, which no longer touches the engine.
void QvSound::AbandonStream(const std::shared_ptr<SNDStream>& stream) {
  std::fprintf(stderr, "music fill thread did not answer in time; stream left behind\n");
  stream->abandoned = true;
  // Whenever the thread comes back, it finds its stop and ends.
  if (const auto& stop = stream->events[kStreamStopEvent]) stop->set();
  auto lock = Lock();
  SNDSample* slot = stream->sample.load();
  if (slot && slot->m_lpBuffer && slot->m_lpBuffer.get() == stream->bufferIdentity) {
    slot->m_lpBuffer->stop();
    ClearSample(slot);
  }
  if (g_StreamInfo == stream) g_StreamInfo = std::make_shared<SNDStream>();
}

void QvSound::PauseStream() {
  std::shared_ptr<SNDStream> stream;
  {
    auto lock = Lock();
    stream = g_StreamInfo;
  }
  std::unique_lock lock(stream->mutex, std::defer_lock);
  if (!LockWithin(lock, kStreamLockLimit)) return;
  const uint32_t state = stream->flags.load();
  if (!(state & kStreamLoaded) || !(state & kStreamPlaying) || !stream->buffer) return;
  if (!(state & kStreamPaused)) {
    uint32_t play = 0, write = 0;
    stream->buffer->currentPosition(play, write);
    stream->pausePos = play;
    stream->flags.fetch_or(kStreamPaused);
    stream->buffer->stop();
  } else {
    stream->buffer->setCurrentPosition(stream->pausePos);
    stream->flags.fetch_and(~kStreamPaused);
    stream->buffer->play(true);
  }
}

void QvSound::SetStreamVolume(int volume) {
  auto lock = Lock();
  if (SNDSample* slot = g_StreamInfo->sample.load()) slot->SetVolume(volume);
}

int QvSound::GetStreamVolume() {
  auto lock = Lock();
  SNDSample* slot = g_StreamInfo->sample.load();
  return slot ? slot->m_nVolume : 0;
}

uint32_t QvSound::GetStreamID() {
  auto lock = Lock();
  SNDSample* slot = g_StreamInfo->sample.load();
  return slot ? slot->m_dwID : 0;
}

StreamNextFunc QvSound::SetStreamNextFunc(StreamNextFunc next) {
  auto lock = Lock();
  StreamNextFunc previous = std::move(m_StreamNext);
  m_StreamNext = std::move(next);
  return previous;
}

void QvSound::FadeMusic(int from, int to, unsigned long ms) {
  // Steps of about ten milliseconds; the caller is held for ms either way.
  const auto start = Clock::now();
  const auto end = start + std::chrono::milliseconds(ms);
  for (auto now = start; now < end; now = Clock::now()) {
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count();
    const int64_t level = from + static_cast<int64_t>(elapsed) * (to - from) / static_cast<int64_t>(ms);
    SetStreamVolume(static_cast<int>(level));
    std::this_thread::sleep_for(std::min<Clock::duration>(std::chrono::milliseconds(10), end - now));
  }
  SetStreamVolume(to);
}

void QvSound::FadeMusicIn(unsigned long ms) { FadeMusic(0, m_nMusicVolume, ms); }

void QvSound::FadeMusicOut(unsigned long ms) { FadeMusic(m_nMusicVolume, 0, ms); }

}  // namespace sound
