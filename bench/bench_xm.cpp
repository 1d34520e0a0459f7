// XM conformance and speed: each module of a folder (the Debian package
// heroes-sound-tracks by default) is rendered by the engine's player and
// by openmpt123 at 44100 Hz; per module the correlation of their loudness
// (RMS in 50 ms windows) and the engine's render speed in multiples of
// real time, against memcpy of the same output bytes as the baseline.
// TOLV_XM_DUMP=folder also writes both renders there (raw 16-bit stereo).
#include <algorithm>
#include <chrono>
#include <cmath>
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
  StartXm(player, &m, false);
  std::vector<int16_t> out(frames * 2);
  std::vector<int32_t> acc(2048);
  auto start = Clock::now();
  for (size_t done = 0; done < frames;) {
    uint32_t n = uint32_t(std::min<size_t>(1024, frames - done));
    std::fill(acc.begin(), acc.begin() + 2 * n, 0);
    RenderXm(player, acc.data(), n);
    for (uint32_t i = 0; i < 2 * n; i++) out[2 * done + i] = int16_t(std::clamp(acc[i] >> 8, -32768, 32767));
    done += n;
  }
  seconds = std::chrono::duration<double>(Clock::now() - start).count();
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

static double MemcpySeconds(size_t bytes) {
  std::vector<uint8_t> a(bytes, 1), b(bytes);
  auto start = Clock::now();
  for (int i = 0; i < 8; i++) {
    std::memcpy(b.data(), a.data(), bytes);
    a[i] = b[bytes - 1 - i];
  }
  return std::chrono::duration<double>(Clock::now() - start).count() / 8;
}

int main(int argc, char** argv) {
  fs::path dir = argc > 1 ? argv[1] : "/usr/share/games/heroes/mod";
  if (std::system("command -v openmpt123 >/dev/null 2>&1") != 0 || !fs::is_directory(dir)) {
    std::printf("xm: skipped (needs openmpt123 and %s)\n", dir.c_str());
    return 0;
  }
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.path().extension() == ".xm") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  double audio = 0, render = 0, copy = 0, worst = 1;
  for (const fs::path& f : files) {
    std::ifstream in(f, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    XmModule m;
    if (const char* why = ParseXmModule(bytes.data(), bytes.size(), m)) {
      std::printf("xm: %s refused: %s\n", f.filename().c_str(), why);
      worst = 0;
      continue;
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
    worst = std::min(worst, c);
    audio += length, render += seconds, copy += MemcpySeconds(frames * 4);
    std::printf("xm: %s correlation %.3f, %.0f x real time (%.1f s)\n", f.filename().c_str(), c, length / seconds,
                length);
  }
  if (render > 0)
    std::printf("xm: %.0f x real time, %.1f x memcpy of the output; lowest correlation %.3f\n", audio / render,
                render / copy, worst);
  return 0;
}
