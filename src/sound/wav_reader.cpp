// Reading WAV files into sample slots: RIFF/WAVE with a PCM "fmt " chunk,
// an optional "smpl" loop and the "data" chunk.
#include <algorithm>
#include <cstring>

#include "platform/little_endian.h"
#include "sound/qv_sound.h"
#include "sound/snd_sample.h"

namespace sound {
namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint32_t kFmtBytes = 16;        // tag, channels, rate, bytes/s, block, bits
constexpr uint32_t kSmplHeaderBytes = 36;
constexpr uint32_t kSmplLoopBytes = 24;
constexpr long kFirstChunk = 12;          // just after "RIFF", size, "WAVE"

using platform::ReadLe16;
using platform::ReadLe32;

// Loop points count in sample frames; the slot keeps them shifted by the
// bytes of one sample.
uint32_t LoopBytes(uint32_t value, int bits) {
  const int shift = bits / 8;
  return shift >= 0 && shift < 32 ? value << shift : 0;
}

}  // namespace

int SNDSample::FindRiffChunk(SoundFile& file, long start, ChunkHeader* header, uint32_t id) {
  if (start < 0 || !header) return 0;
  uint64_t pos = static_cast<uint64_t>(start);
  if (!file.Seek(pos)) return 0;
  for (;;) {
    uint8_t raw[8];
    if (file.Read(raw, sizeof raw) != sizeof raw) return 0;
    header->dwID = ReadLe32(raw);
    header->dwSize = ReadLe32(raw + 4);
    if (header->dwID == id) return 1;
    // Chunks start on even offsets: an odd-sized chunk is followed by a
    // pad byte that its size does not count.
    pos += 8 + static_cast<uint64_t>(header->dwSize) + (header->dwSize & 1);
    if (pos > file.Size() || !file.Seek(pos)) return 0;
  }
}

int SNDSample::IsWavFile(SoundFile& file, bool partialData) {
  uint8_t riff[12];
  if (!file.Seek(0) || file.Read(riff, sizeof riff) != sizeof riff) return 0;
  if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) return 0;

  ChunkHeader chunk;
  if (!FindRiffChunk(file, kFirstChunk, &chunk, RiffId("fmt ")) || chunk.dwSize < kFmtBytes) return 0;
  uint8_t fmt[kFmtBytes];
  if (file.Read(fmt, sizeof fmt) != sizeof fmt) return 0;
  if (ReadLe16(fmt) != kFormatPcm) return 0;
  m_nChannels = ReadLe16(fmt + 2);
  m_nFrequency = static_cast<int>(ReadLe32(fmt + 4) & 0x7FFFFFFF);
  m_nBits = ReadLe16(fmt + 14);
  m_dwFlags.fetch_or(kSampleFormatRead);

  if (FindRiffChunk(file, kFirstChunk, &chunk, RiffId("smpl")) && chunk.dwSize >= kSmplHeaderBytes) {
    uint8_t smpl[kSmplHeaderBytes];
    uint8_t loop[kSmplLoopBytes];
    if (file.Read(smpl, sizeof smpl) == sizeof smpl && ReadLe32(smpl + 28) != 0 &&
        chunk.dwSize >= kSmplHeaderBytes + kSmplLoopBytes && file.Read(loop, sizeof loop) == sizeof loop) {
      m_dwLoopStart = LoopBytes(ReadLe32(loop + 8), m_nBits);
      m_dwLoopEnd = LoopBytes(ReadLe32(loop + 12), m_nBits);
      m_dwLoopCount = ReadLe32(loop + 20);
      m_dwFlags.fetch_or(kSampleLooped);
    }
  }

  if (!FindRiffChunk(file, kFirstChunk, &chunk, RiffId("data"))) return 0;
  // A sample's sound must be all there before anything is made for it.
  const uint64_t here = file.Tell();
  const uint64_t present = here < file.Size() ? file.Size() - here : 0;
  if (chunk.dwSize > present && !partialData) return 0;
  m_dwSize = static_cast<uint32_t>(std::min<uint64_t>(chunk.dwSize, present));
  return 1;
}

std::unique_ptr<SoundFile> SNDSample::OpenSoundFile(const std::string& file, bool partialData) {
  if (!m_pEngine || !m_pEngine->g_pOpenFile) return nullptr;
  std::unique_ptr<SoundFile> opened = m_pEngine->g_pOpenFile(file);
  if (!opened || !IsWavFile(*opened, partialData)) return nullptr;
  return opened;
}

int SNDSample::AllocDSBuffer(uint32_t bytes) {
  auto guard = Guard();
  if (!m_pEngine || !m_pEngine->GetDSObject()) return 0;
  const platform::PcmFormat format{m_nFrequency, m_nChannels, m_nBits};
  // Static, with position notification, and no volume, pan or frequency
  // control: every sound plays at its file's level, centred.
  const uint32_t flags = platform::kBufferStatic | platform::kBufferCtrlPositionNotify;
  std::unique_ptr<platform::SoundBuffer> buffer =
      m_pEngine->GetDSObject()->createBuffer(format, bytes ? bytes : m_dwSize, flags);
  if (!buffer) return 0;
  m_lpBuffer = std::move(buffer);
  return 1;
}

int SNDSample::LoadSample(const std::string& file, uint32_t id) {
  auto guard = Guard();
  std::unique_ptr<SoundFile> opened = OpenSoundFile(file);
  if (!opened) return 0;
  if (!AllocDSBuffer(m_dwSize)) return 0;
  platform::LockedRegion region;
  if (m_lpBuffer->lock(0, m_dwSize, region) != platform::AudioResult::kOk) return 0;
  const size_t got = opened->Read(region.first, region.firstBytes);
  const bool ok = got == m_dwSize && m_lpBuffer->unlock(region) == platform::AudioResult::kOk;
  if (!ok) {
    m_lpBuffer->unlock(region);
    return 0;
  }
  if (id != kKeepSampleID) m_dwID = id;
  return 1;
}

}  // namespace sound
