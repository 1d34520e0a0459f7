#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "audio_fixture.h"
#include "files/script_error.h"
#include "files/working_folder.h"

namespace tolv::test {
namespace {

TEST(WavTest, PcmFormsDecodeToSixteenBitFrames) {
  std::vector<int16_t> v = {-32768, -256, 0, 256, 32512, 1024};
  for (int bits : {8, 16})
    for (int channels : {1, 2}) {
      SoundSample s;
      std::vector<uint8_t> bytes = WavBytes(v, 8000, channels, bits);
      ASSERT_EQ(DecodeWav(bytes.data(), bytes.size(), s), nullptr) << bits << " " << channels;
      EXPECT_EQ(s.frame_count, 6u / channels);
      EXPECT_EQ(s.rate, 8000u);
      EXPECT_EQ(s.channels, channels);
      EXPECT_EQ(std::vector<int16_t>(s.data, s.data + 6), v);
      for (int c = 0; c < channels; c++) EXPECT_EQ(s.data[6 + c], 0) << "guard frame";
      FreeSample(s);
    }
}

TEST(WavTest, DamagedFilesAreRefused) {
  std::vector<uint8_t> good = WavBytes({1, 2, 3, 4}, 22050, 1, 16);
  auto with = [&](size_t at, std::vector<uint8_t> bytes) {
    std::vector<uint8_t> w = good;
    std::copy(bytes.begin(), bytes.end(), w.begin() + at);
    return w;
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"not RIFF", with(0, {'R', 'I', 'F', 'X'})},
      {"not PCM", with(20, {3, 0})},
      {"three channels", with(22, {3, 0})},
      {"24 bits", with(34, {24, 0})},
      {"rate 0", with(24, {0, 0, 0, 0})},
      {"data past the end", with(40, {0xFF, 0xFF, 0, 0})},
      {"format cut short", with(16, {4, 0, 0, 0})},
      {"truncated", std::vector<uint8_t>(good.begin(), good.begin() + 30)},
      {"no data chunk", std::vector<uint8_t>(good.begin(), good.begin() + 36)},
  };
  for (const Case& c : cases) {
    SoundSample s;
    EXPECT_NE(DecodeWav(c.bytes.data(), c.bytes.size(), s), nullptr) << c.what;
    EXPECT_EQ(s.data, nullptr) << c.what;
  }
}

XmSpec SmallModule() {
  XmSpec s;
  s.channels = 2;
  s.patterns = {{XmCell{49, 1, 0, 0, 0}, {}, {}, XmCell{50, 1, 0x40, 4, 0x11}}};
  XmInstrumentSpec in;
  in.data = Ramp(100, 0, 50);
  in.loop_start = 10, in.loop_length = 20, in.loop_type = 2;
  in.envelope = {{0, 64}, {10, 0}};
  s.instruments = {in};
  return s;
}

TEST(XmLoadTest, ModuleFieldsAndUnrolledLoop) {
  std::vector<uint8_t> bytes = XmBytes(SmallModule());
  XmModule m;
  ASSERT_EQ(ParseXmModule(bytes.data(), bytes.size(), m), nullptr);
  ASSERT_EQ(m.patterns.size(), 1u);
  EXPECT_EQ(m.patterns[0].rows, 2);
  EXPECT_EQ(m.patterns[0].cells[3].param, 0x11);
  const XmSample& s = m.instruments.at(0).samples.at(0);
  EXPECT_EQ(s.file_length, 100u);
  EXPECT_EQ(s.loop_start, 50u);  // past the first copy of forward and back
  EXPECT_EQ(s.loop_length % 40, 0u);  // repeated
  EXPECT_GE(s.loop_length, 2048u);
  EXPECT_EQ(s.length, s.loop_start + s.loop_length);
  const int16_t* f = XmFrames(s);
  EXPECT_EQ(f[-1], 0);  // guard before
  EXPECT_EQ(f[29], 29 * 50);
  EXPECT_EQ(f[30], 29 * 50);  // the way back
  EXPECT_EQ(f[49], 10 * 50);
  EXPECT_EQ(f[50], 10 * 50);
  EXPECT_EQ(f[s.loop_start - 1], f[s.length - 1]);  // before the loop start: its last frame
  EXPECT_EQ(f[s.length], f[s.loop_start]);          // guards after: its first two
  EXPECT_EQ(f[s.length + 1], f[s.loop_start + 1]);
  EXPECT_EQ(s.frames.size(), s.length + 3u);
  EXPECT_EQ(m.instruments[0].volume_envelope.points, 2);
}

// Every cut of a good module and a few bad fields are refused, never read
// past the bytes.
TEST(XmLoadTest, DamagedModulesAreRefused) {
  std::vector<uint8_t> good = XmBytes(SmallModule());
  for (size_t n = 0; n < good.size(); n++) {
    XmModule m;
    EXPECT_NE(ParseXmModule(good.data(), n, m), nullptr) << "cut at " << n;
    EXPECT_TRUE(m.patterns.empty() && m.instruments.empty());
  }
  struct Case {
    const char* what;
    size_t at;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"magic", 0, {'X'}},        {"version", 58, {3, 1}},        {"no channels", 68, {0, 0}},
      {"33 channels", 68, {33, 0}}, {"song length 0", 64, {0, 0}}, {"pattern rows 0", 336 + 5, {0, 0}},
      {"300 patterns", 70, {0x2C, 1}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bad = good;
    std::copy(c.bytes.begin(), c.bytes.end(), bad.begin() + c.at);
    XmModule m;
    EXPECT_NE(ParseXmModule(bad.data(), bad.size(), m), nullptr) << c.what;
  }
}

// A list naming a damaged file stops the load with a message naming it.
TEST(SoundListTest, DamagedFileIsFatalWithItsName) {
  namespace fs = std::filesystem;
  char tmpl[] = "/tmp/tolv_snd_XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  std::string saved = WorkingFolder();
  ChangeWorkingFolder(tmpl);
  std::ofstream("sounds.def") << ":2\n:good.wav\n:bad.wav\n";
  std::vector<uint8_t> wav = WavBytes({1, 2}, 11025, 1, 8);
  std::ofstream("good.wav", std::ios::binary).write(reinterpret_cast<const char*>(wav.data()), wav.size());
  std::ofstream("bad.wav") << "RIFF";
  std::ofstream("music.def") << ":1\n:3\n:bad.xm\n";
  std::ofstream("bad.xm") << "Extended Module: ";
  script_error_hook = [](const char* message, const char*) { throw std::string(message); };
  using Loader = void (*)(const char*, int);
  for (auto [list, load] : {std::pair<const char*, Loader>{"sounds.def", LoadSoundList}, {"music.def", LoadMusicList}}) {
    try {
      load(list, 0);
      ADD_FAILURE() << list;
    } catch (const std::string& m) {
      EXPECT_NE(m.find(list[0] == 's' ? "\"bad.wav\"" : "\"bad.xm\""), std::string::npos) << m;
    }
  }
  EXPECT_EQ(sound_counts.total, 2);
  EXPECT_EQ(sounds[0].frame_count, 2u);
  EXPECT_EQ(sounds[1].data, nullptr);
  script_error_hook = nullptr;
  FreeSounds(0);
  FreeMusic(0);
  ChangeWorkingFolder(saved.c_str());
  fs::remove_all(tmpl);
}

}  // namespace
}  // namespace tolv::test
