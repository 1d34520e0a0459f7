#include "audio/saved_blocks.h"
#include "audio/sound_queue.h"
#include "audio_fixture.h"

namespace tolv::test {
namespace {

using MixerTest = AudioTest;

// Source rate -> output frames per source frame; values ramp 0, 100, ...
TEST_F(MixerTest, QueuedSoundPlaysAtItsRateAndEnds) {
  for (uint32_t rate : {44100u, 22050u, 11025u}) {
    SetList(sounds, sound_counts, {Sample(Ramp(8, 100, 100), rate)});
    QueueSound(0, kPlayOnce);
    uint32_t per = 44100 / rate;
    std::vector<int16_t> out = Mix(8 * per + 16);
    for (uint32_t f = 0; f < 7 * per; f++) {
      int a = 100 + 100 * int(f / per), b = a + 100;
      EXPECT_EQ(out[2 * f], a + (b - a) * int(f % per) / int(per)) << rate << " frame " << f;
      EXPECT_EQ(out[2 * f + 1], out[2 * f]);
    }
    for (uint32_t f = 8 * per; f < 8 * per + 16; f++) EXPECT_EQ(out[2 * f], 0) << rate;
    EXPECT_EQ(sound_channels[1].sound, kNoSound);
    FreeSounds(0);
    ResetAudio();
  }
}

TEST_F(MixerTest, SixteenRequestsInOneBuffer) {
  std::vector<SoundSample> list;
  for (int i = 0; i < 17; i++) list.push_back(Sample({int16_t(i + 1), int16_t(i + 1)}, 44100));
  SetList(sounds, sound_counts, list);
  for (int i = 0; i < 17; i++) QueueSound(uint16_t(i), kPlayOnce);  // the 17th finds the queue full
  std::vector<int16_t> out = Mix(1);
  // Channels 1-15 take sounds 0-14; sound 15 takes over channel 1.
  EXPECT_EQ(sound_channels[1].sound, 15);
  for (int c = 2; c < kSoundChannels; c++) EXPECT_EQ(sound_channels[c].sound, c - 1);
  int sum = 16;
  for (int c = 2; c < kSoundChannels; c++) sum += c;
  EXPECT_EQ(out[0], sum);
}

TEST_F(MixerTest, LoopPauseResumeAndStop) {
  SetList(sounds, sound_counts, {Sample({1000, 2000, 3000, 4000}, 44100)});
  QueueSound(0, kPlayLoop);
  EXPECT_EQ(Left(Mix(10)), (std::vector<int16_t>{1000, 2000, 3000, 4000, 1000, 2000, 3000, 4000, 1000, 2000}));
  QueueSound(0, kPlayPause);
  EXPECT_EQ(Left(Mix(3)), std::vector<int16_t>(3, 0));
  QueueSound(0, kPlayResume);
  EXPECT_EQ(Left(Mix(3)), (std::vector<int16_t>{3000, 4000, 1000}));
  QueueSound(0, kPlayStop);
  EXPECT_EQ(Left(Mix(2)), std::vector<int16_t>(2, 0));
  EXPECT_EQ(sound_channels[1].sound, kNoSound);
}

TEST_F(MixerTest, OutOfRangeSoundDoesNothingAndMixingSaturates) {
  SetList(sounds, sound_counts, {Sample({30000, -30000}, 44100)});
  QueueSound(1, kPlayOnce);
  QueueSound(0, kPlayOnce);
  QueueSound(0, kPlayOnce);
  std::vector<int16_t> out = Mix(2);
  EXPECT_EQ(out[0], 32767);
  EXPECT_EQ(out[2], -32768);
  EXPECT_EQ(sound_channels[3].sound, kNoSound);
}

// Channel 1 after 1000 frames of a looping 32000 Hz stereo sound, as the
// saved state's sound block holds it.
TEST_F(MixerTest, ChannelFieldsAfterFrames) {
  SetList(sounds, sound_counts, {Sample(Ramp(2 * 500, -500), 32000, 2)});
  QueueSound(0, kPlayLoop);
  Mix(1000);
  uint64_t pos = uint64_t(StepForRate(32000)) * 1000 % (500u << 16);
  ByteWriter w;
  WriteAudioState(w);
  ByteReader r(w.bytes.data(), w.bytes.size());
  EXPECT_EQ(r.U8(), 0);  // sound block first
  EXPECT_EQ(r.U8(), 0);  // no music
  EXPECT_EQ(r.U32(), 0u);
  EXPECT_EQ(r.U32(), uint32_t(pos >> 16));
  EXPECT_EQ(r.U8(), 1);  // loop
  EXPECT_EQ(r.U8(), 0);  // paused
  EXPECT_EQ(r.U32(), 32000u);
  EXPECT_EQ(r.U32(), uint32_t(pos & 0xFFFF));
  EXPECT_EQ(r.S16(), int16_t(-500 + 2 * (pos >> 16)));
  for (int c = 2; c < kSoundChannels; c++) {
    EXPECT_EQ(r.U32(), kNoSound);
    r.Skip(16);
  }
  EXPECT_EQ(r.U16(), 2);  // where the next free-channel search starts
}

// What the block says is applied at the next buffer: the channel carries
// on where the saved one was.
TEST_F(MixerTest, SavedStateRestoresChannelsAndMusic) {
  SetList(sounds, sound_counts, {Sample(Ramp(100, 0, 10), 44100)});
  MusicRecord m;
  m.kind = kMusicLoop;
  m.first = Sample(Ramp(1000, 0, 3), 44100);
  SetList(music, music_counts, {m});
  QueueSound(0, kPlayOnce);
  QueueMusic(0, false);
  Mix(40);
  ByteWriter w;
  WriteAudioState(w);
  std::vector<int16_t> expect = Mix(20);
  ResetAudio();
  ByteReader r(w.bytes.data(), w.bytes.size());
  ASSERT_TRUE(ReadAudioState(r));
  EXPECT_EQ(r.Left(), 0u);
  EXPECT_EQ(Mix(20), expect);
  ByteReader torn(w.bytes.data(), w.bytes.size() - 1);
  EXPECT_FALSE(ReadAudioState(torn));
}

}  // namespace
}  // namespace tolv::test
