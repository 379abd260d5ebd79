// Reads raw interleaved signed 16-bit stereo (what SDL's disk audio driver
// writes) and prints the share of the energy above a frequency (Welch
// spectrum, 4096-point Hann windows, both channels) and the count of
// full-scale samples. Usage: audio_figures FILE RATE [HZ=11025]
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

void Fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> w = std::polar(1.0, -2 * M_PI / double(len));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> wk = 1;
      for (size_t k = 0; k < len / 2; ++k, wk *= w) {
        const auto u = a[i + k], v = a[i + k + len / 2] * wk;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s FILE RATE [HZ]\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const double rate = std::atof(argv[2]), edge = argc > 3 ? std::atof(argv[3]) : 11025.0;
  const size_t samples = bytes.size() / 2;
  std::vector<int16_t> pcm(samples);
  for (size_t i = 0; i < samples; ++i)
    pcm[i] = int16_t(uint16_t(uint8_t(bytes[2 * i])) | uint16_t(uint8_t(bytes[2 * i + 1])) << 8);
  size_t fullScale = 0;
  for (int16_t s : pcm) fullScale += s == 32767 || s == -32768;

  constexpr size_t kN = 4096;
  double above = 0, total = 0;
  std::vector<std::complex<double>> block(kN);
  for (int channel = 0; channel < 2; ++channel)
    for (size_t start = 0; (start + kN) * 2 <= samples; start += kN / 2) {
      for (size_t n = 0; n < kN; ++n)
        block[n] = pcm[2 * (start + n) + size_t(channel)] * (0.5 - 0.5 * std::cos(2 * M_PI * double(n) / kN));
      Fft(block);
      for (size_t k = 1; k < kN / 2; ++k) {
        const double p = std::norm(block[k]);
        total += p;
        if (double(k) * rate / kN > edge) above += p;
      }
    }
  std::printf("seconds %.1f\n", double(samples) / 2 / rate);
  std::printf("energy above %.0f Hz: %.1f dB of the whole\n", edge,
              total > 0 && above > 0 ? 10 * std::log10(above / total) : -999.0);
  std::printf("full-scale samples: %zu\n", fullScale);
  return 0;
}
