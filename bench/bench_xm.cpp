// XM conformance and speed: each module of a folder (the Debian package
// heroes-sound-tracks by default) and the sample game's tune are rendered
// by the engine's player and by openmpt123 at 44100 Hz; per module the
// correlation of their loudness (RMS in 50 ms windows) and the engine's
// render speed in multiples of real time, against memcpy of the same
// output bytes as the baseline (the best of three renders, the machine
// being shared). Beside it, for both renders: the stereo image
// (correlation of left and right), the brightness (spectral centroid, and
// the energy above 2 kHz in dB of the whole: clicks and resampling noise
// show there) and the RMS ratio.
// TOLV_XM_DUMP=folder also writes both renders there (raw 16-bit stereo).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/voice.h"
#include "audio/xm_module.h"
#include "audio/xm_player.h"

using namespace tolv;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr uint32_t kWindow = kMixRate / 20;

static std::vector<int16_t> RenderReference(const fs::path& file) {
  std::string cmd = "openmpt123 --batch --quiet --stdout --no-float --samplerate 44100 --channels 2 '" +
                    file.string() + "' 2>/dev/null";
  std::vector<int16_t> out;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return out;
  int16_t buf[4096];
  size_t n;
  while ((n = fread(buf, sizeof(int16_t), 4096, p)) > 0) out.insert(out.end(), buf, buf + n);
  pclose(p);
  return out;
}

static std::vector<int16_t> RenderEngine(const XmModule& m, size_t frames, double& seconds) {
  static XmPlayer player;
  std::vector<int16_t> out(frames * 2);
  std::vector<int32_t> acc(2048);
  seconds = 1e30;
  for (int round = 0; round < 3; round++) {
    StartXm(player, &m, false);
    auto start = Clock::now();
    for (size_t done = 0; done < frames;) {
      uint32_t n = uint32_t(std::min<size_t>(1024, frames - done));
      std::fill(acc.begin(), acc.begin() + 2 * n, 0);
      RenderXm(player, acc.data(), n);
      for (uint32_t i = 0; i < 2 * n; i++) out[2 * done + i] = int16_t(std::clamp(acc[i] >> 8, -32768, 32767));
      done += n;
    }
    seconds = std::min(seconds, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return out;
}

static std::vector<double> Loudness(const std::vector<int16_t>& s) {
  std::vector<double> rms;
  for (size_t at = 0; at + 2 * kWindow <= s.size(); at += 2 * kWindow) {
    double sum = 0;
    for (size_t i = 0; i < 2 * kWindow; i++) sum += double(s[at + i]) * s[at + i];
    rms.push_back(std::sqrt(sum / (2 * kWindow)));
  }
  return rms;
}

static double Correlation(const std::vector<double>& a, const std::vector<double>& b) {
  size_t n = std::min(a.size(), b.size());
  double ma = 0, mb = 0;
  for (size_t i = 0; i < n; i++) ma += a[i], mb += b[i];
  ma /= n, mb /= n;
  double ab = 0, aa = 0, bb = 0;
  for (size_t i = 0; i < n; i++) ab += (a[i] - ma) * (b[i] - mb), aa += (a[i] - ma) * (a[i] - ma), bb += (b[i] - mb) * (b[i] - mb);
  return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

// In-place radix-2 transform of a power-of-two length.
static void Fft(std::vector<std::complex<double>>& x) {
  size_t n = x.size();
  for (size_t i = 1, j = 0; i < n; i++) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(x[i], x[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    std::complex<double> w = std::polar(1.0, -2 * M_PI / double(len));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> u = 1;
      for (size_t k = 0; k < len / 2; k++, u *= w) {
        std::complex<double> a = x[i + k], b = x[i + k + len / 2] * u;
        x[i + k] = a + b, x[i + k + len / 2] = a - b;
      }
    }
  }
}

struct Image {
  double rms = 0, stereo = 0, centroid = 0, high = 0;
};

// Power spectrum of the mono mix summed over Hann windows of 2048 frames.
static void Brightness(const std::vector<int16_t>& s, Image& im) {
  constexpr size_t kN = 2048;
  std::vector<double> power(kN / 2);
  std::vector<std::complex<double>> x(kN);
  for (size_t at = 0; at + 2 * kN <= s.size(); at += 2 * kN) {
    for (size_t i = 0; i < kN; i++)
      x[i] = (0.5 - 0.5 * std::cos(2 * M_PI * double(i) / kN)) * (double(s[at + 2 * i]) + s[at + 2 * i + 1]);
    Fft(x);
    for (size_t k = 0; k < kN / 2; k++) power[k] += std::norm(x[k]);
  }
  double sum = 0, moment = 0, high = 0, hz = double(kMixRate) / kN;
  for (size_t k = 1; k < kN / 2; k++) {
    sum += power[k], moment += power[k] * double(k) * hz;
    if (double(k) * hz >= 2000) high += power[k];
  }
  im.centroid = sum > 0 ? moment / sum : 0;
  im.high = sum > 0 && high > 0 ? 10 * std::log10(high / sum) : -99;
}

static Image ImageOf(const std::vector<int16_t>& s) {
  Image im;
  double l = 0, r = 0, ll = 0, rr = 0, lr = 0;
  size_t n = s.size() / 2;
  for (size_t i = 0; i < n; i++) {
    double a = s[2 * i], b = s[2 * i + 1];
    l += a, r += b, ll += a * a, rr += b * b, lr += a * b;
  }
  if (!n) return im;
  im.rms = std::sqrt((ll + rr) / (2.0 * double(n)));
  double va = ll - l * l / double(n), vb = rr - r * r / double(n), cov = lr - l * r / double(n);
  im.stereo = va > 0 && vb > 0 ? cov / std::sqrt(va * vb) : 1;
  Brightness(s, im);
  return im;
}

static double MemcpySeconds(size_t bytes) {
  std::vector<uint8_t> a(bytes, 1), b(bytes);
  auto start = Clock::now();
  for (int i = 0; i < 8; i++) {
    std::memcpy(b.data(), a.data(), bytes);
    a[i] = b[bytes - 1 - i];
  }
  return std::chrono::duration<double>(Clock::now() - start).count() / 8;
}

// openmpt123 mixes a module whose tracker field it does not know (the
// sample's tune says "TOLV") with linear panning, 3 dB lower at the centre
// than one the format's own tracker wrote. A copy of the file with that
// tracker's header fields (the name padded with spaces) shows that level.
static fs::path AsFastTracker(const fs::path& f) {
  std::ifstream in(f, std::ios::binary);
  std::vector<char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 60) return {};
  std::replace(b.begin() + 17, b.begin() + 37, '\0', ' ');
  std::memcpy(b.data() + 38, "FastTracker v2.00   ", 20);
  fs::path copy = fs::temp_directory_path() / ("tolv-ft2-" + f.filename().string());
  std::ofstream(copy, std::ios::binary).write(b.data(), std::streamsize(b.size()));
  return copy;
}

struct Totals {
  double audio = 0, render = 0, copy = 0, worst = 1;
};

static void BenchModule(const fs::path& f, Totals& t) {
  std::ifstream in(f, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  XmModule m;
  if (const char* why = ParseXmModule(bytes.data(), bytes.size(), m)) {
    std::printf("xm: %s refused: %s\n", f.filename().c_str(), why);
    t.worst = 0;
    return;
  }
  std::vector<int16_t> ref = RenderReference(f);
  size_t frames = ref.size() / 2;
  double seconds = 0;
  std::vector<int16_t> ours = RenderEngine(m, frames, seconds);
  if (const char* d = std::getenv("TOLV_XM_DUMP")) {
    std::ofstream(std::string(d) + "/" + f.filename().string() + ".ours", std::ios::binary)
        .write(reinterpret_cast<const char*>(ours.data()), std::streamsize(ours.size() * 2));
    std::ofstream(std::string(d) + "/" + f.filename().string() + ".ref", std::ios::binary)
        .write(reinterpret_cast<const char*>(ref.data()), std::streamsize(ref.size() * 2));
  }
  double c = Correlation(Loudness(ours), Loudness(ref)), length = double(frames) / kMixRate;
  t.worst = std::min(t.worst, c);
  t.audio += length, t.render += seconds, t.copy += MemcpySeconds(frames * 4);
  std::printf("xm: %s correlation %.3f, %.0f x real time (%.1f s)\n", f.filename().c_str(), c, length / seconds,
              length);
  Image a = ImageOf(ours), b = ImageOf(ref);
  std::printf("xm-image: %s stereo %.2f (openmpt123 %.2f), centroid %.0f Hz (%.0f), above 2 kHz %.1f dB (%.1f), "
              "RMS ratio %.2f\n",
              f.filename().c_str(), a.stereo, b.stereo, a.centroid, b.centroid, a.high, b.high,
              b.rms > 0 ? a.rms / b.rms : 0);
}

int main(int argc, char** argv) {
  fs::path dir = argc > 1 ? argv[1] : "/usr/share/games/heroes/mod";
  fs::path tune = fs::path(TOLV_GAMES_DIR) / "sample/music/song.xm";
  if (std::system("command -v openmpt123 >/dev/null 2>&1") != 0) {
    std::printf("xm: skipped (needs openmpt123)\n");
    return 0;
  }
  std::vector<fs::path> files;
  if (!fs::is_directory(dir)) std::printf("xm: %s missing (Debian package heroes-sound-tracks)\n", dir.c_str());
  else
    for (const auto& e : fs::directory_iterator(dir))
      if (e.path().extension() == ".xm") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  if (fs::is_regular_file(tune)) files.push_back(tune);
  Totals t;
  for (const fs::path& f : files) BenchModule(f, t);
  if (fs::path copy = fs::is_regular_file(tune) ? AsFastTracker(tune) : fs::path(); !copy.empty()) {
    BenchModule(copy, t);
    fs::remove(copy);
  }
  if (t.render > 0)
    std::printf("xm: %.0f x real time, %.1f x memcpy of the output; lowest correlation %.3f\n", t.audio / t.render,
                t.render / t.copy, t.worst);
  return 0;
}
