#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "audio/ogg_source.h"
#include "audio/sound_queue.h"
#include "audio_fixture.h"

namespace tolv::test {
namespace {

using MusicTest = AudioTest;

MusicRecord SampleMusic(uint8_t kind, std::vector<int16_t> first, std::vector<int16_t> second = {}) {
  MusicRecord m;
  m.kind = kind;
  m.first = Sample(first, 44100);
  if (!second.empty()) m.second = Sample(second, 44100);
  return m;
}

TEST_F(MusicTest, SampleKindsPlayOnceLoopOrGoOnToTheirSecondPart) {
  struct Case {
    uint8_t kind;
    std::vector<int16_t> out;
  } cases[] = {
      {kMusicSample, {1, 2, 3, 0, 0, 0, 0, 0}},
      {kMusicLoop, {1, 2, 3, 1, 2, 3, 1, 2}},
      {kMusicIntroLoop, {1, 2, 3, 8, 9, 8, 9, 8}},
  };
  for (const Case& c : cases) {
    SetList(music, music_counts, {SampleMusic(c.kind, {1, 2, 3}, {8, 9})});
    QueueMusic(0, false);
    EXPECT_EQ(Left(Mix(8)), c.out) << int(c.kind);
    FreeMusic(0);
    ResetAudio();
  }
}

// The music ramps by 3 a frame; the jingle is five frames of 7. After it
// the music goes on from the frame where the jingle cut in.
TEST_F(MusicTest, JingleResumesTheMusicWhereItLeft) {
  SetList(music, music_counts, {SampleMusic(kMusicLoop, Ramp(1000, 0, 3)), SampleMusic(kMusicLoop, {7, 7, 7, 7, 7})});
  QueueMusic(0, false);
  Mix(100);
  QueueMusic(1, true);  // a jingle plays once whatever its kind
  std::vector<int16_t> out = Left(Mix(10));
  EXPECT_EQ(out, (std::vector<int16_t>{7, 7, 7, 7, 7, 300, 303, 306, 309, 312}));
  EXPECT_EQ(music_voice.id, 0);
  EXPECT_EQ(saved_music.id, kNoMusic);
  QueueMusic(5, false);  // out of range: nothing changes
  EXPECT_EQ(Left(Mix(1)), std::vector<int16_t>{315});
  FreeMusic(0);  // what plays from dropped records stops
  EXPECT_EQ(Left(Mix(1)), std::vector<int16_t>{0});
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A stream encoded with oggenc plays through the music channel exactly as
// oggdec decodes it (give or take rounding).
TEST_F(MusicTest, OggStreamMatchesOggdec) {
  namespace fs = std::filesystem;
  char tmpl[] = "/tmp/tolv_ogg_XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  fs::path dir = tmpl;
  std::vector<int16_t> tone;
  for (int i = 0; i < 2 * 20000; i++) tone.push_back(int16_t(8000 * std::sin(i * (i & 1 ? 0.05 : 0.03))));
  std::vector<uint8_t> wav = WavBytes(tone, 44100, 2, 16);
  std::ofstream(dir / "in.wav", std::ios::binary).write(reinterpret_cast<const char*>(wav.data()), wav.size());
  std::string d = dir.string();
  ASSERT_EQ(std::system(("oggenc -Q -q 4 -o " + d + "/a.ogg " + d + "/in.wav && oggdec -Q -o " + d + "/out.wav " +
                         d + "/a.ogg").c_str()),
            0);
  std::vector<uint8_t> ogg = ReadFile(dir / "a.ogg"), ref = ReadFile(dir / "out.wav");
  fs::remove_all(dir);
  SoundSample decoded;
  ASSERT_EQ(DecodeWav(ref.data(), ref.size(), decoded), nullptr);
  MusicRecord m;
  m.kind = kMusicOgg;
  m.ogg[0] = new FileStream;
  m.ogg[0]->buffer = ogg;
  m.ogg[0]->size = uint32_t(ogg.size());
  ASSERT_EQ(CheckOggStream(*m.ogg[0]), nullptr);
  SetList(music, music_counts, {m});
  QueueMusic(0, false);
  std::vector<int16_t> out = Mix(decoded.frame_count + 100);
  int worst = 0;
  for (uint32_t i = 0; i < 2 * decoded.frame_count; i++) worst = std::max(worst, std::abs(out[i] - decoded.data[i]));
  EXPECT_LE(worst, 2);
  for (uint32_t i = 2 * decoded.frame_count; i < out.size(); i++) ASSERT_EQ(out[i], 0) << "past the end";
  EXPECT_EQ(music_voice.id, kNoMusic);
  FreeSample(decoded);
  FileStream junk;
  junk.buffer = {'O', 'g', 'g', 'S', 0, 2, 0, 0};
  junk.size = 8;
  EXPECT_NE(CheckOggStream(junk), nullptr);
}

}  // namespace
}  // namespace tolv::test
