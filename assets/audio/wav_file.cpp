#include "wav_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace sfx {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) { out.insert(out.end(), tag, tag + 4); }

int16_t ToPcm(float v) {
  const double scaled = std::lround(static_cast<double>(v) * 32767.0);
  return static_cast<int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

// frames holds the interleaved samples; channels is 1 or 2.
bool Write(const std::string& path, const std::vector<int16_t>& frames, uint16_t channels) {
  const uint32_t block = channels * 2u;
  const uint32_t data_bytes = static_cast<uint32_t>(frames.size() * 2u);
  std::vector<uint8_t> out;
  out.reserve(44 + data_bytes);
  PutTag(out, "RIFF");
  Put32(out, 4 + (8 + 16) + (8 + data_bytes));
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, channels);
  Put32(out, kRate);
  Put32(out, kRate * block);
  Put16(out, block);
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, data_bytes);
  for (int16_t s : frames) Put16(out, static_cast<uint16_t>(s));

  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file);
}

}  // namespace

bool WriteMonoWav(const std::string& path, const Mono& samples) {
  std::vector<int16_t> frames(samples.size());
  std::transform(samples.begin(), samples.end(), frames.begin(), ToPcm);
  return Write(path, frames, 1);
}

bool WriteStereoWav(const std::string& path, const Stereo& samples) {
  const size_t n = std::min(samples.left.size(), samples.right.size());
  std::vector<int16_t> frames(2 * n);
  for (size_t i = 0; i < n; ++i) {
    frames[2 * i] = ToPcm(samples.left[i]);
    frames[2 * i + 1] = ToPcm(samples.right[i]);
  }
  return Write(path, frames, 2);
}

}  // namespace sfx
