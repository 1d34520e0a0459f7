#include <algorithm>
#include <cmath>

#include "audio/audio_commands.h"
#include "audio/saved_blocks.h"
#include "audio/sound_queue.h"
#include "audio/xm_player.h"
#include "audio_fixture.h"
#include "script/global_contexts.h"
#include "script/registers.h"
#include "../script/script_fixture.h"

namespace tolv::test {
namespace {

constexpr uint32_t kTick = 882;  // frames a tick at 125 bpm
constexpr uint8_t kC4 = 49;
// A channel at full volume gives 3/8 of its sample hard to one side, and
// at the centre 3/8 of it over the square root of 2 on each side.
constexpr double kHardSide = 0.375, kCentre = 0.375 * M_SQRT1_2;
constexpr double kFull = 8192 * kCentre;  // the DC sample, full and centred

// One instrument: a looped DC sample of 8192, or a looped ramp.
XmInstrumentSpec Dc() {
  XmInstrumentSpec in;
  in.data.assign(64, 8192);
  in.loop_length = 64;
  in.loop_type = 1;
  return in;
}

XmCell Note(uint8_t note, uint8_t volume = 0, uint8_t effect = 0, uint8_t param = 0) {
  return XmCell{note, 1, volume, effect, param};
}
XmCell Fx(uint8_t effect, uint8_t param, uint8_t volume = 0) { return XmCell{0, 0, volume, effect, param}; }

class XmTest : public AudioTest {
 protected:
  XmModule module;
  XmPlayer player;

  void Load(XmSpec s) {
    if (s.instruments.empty()) s.instruments.push_back(Dc());
    std::vector<uint8_t> bytes = XmBytes(s);
    ASSERT_EQ(ParseXmModule(bytes.data(), bytes.size(), module), nullptr);
    StartXm(player, &module, false);
  }
  // Output of the next n frames as the mixer would scale it: left, right.
  std::vector<int> RenderBoth(uint32_t n) {
    std::vector<int32_t> acc(2 * n);
    RenderXm(player, acc.data(), n);
    std::vector<int> out;
    for (int32_t v : acc) out.push_back(v >> 8);
    return out;
  }
  std::vector<int> Render(uint32_t n) {
    std::vector<int> both = RenderBoth(n), l;
    for (uint32_t i = 0; i < n; i++) l.push_back(both[2 * i]);
    return l;
  }
  // The volume heard, in 64ths, at the last frame of each of the next
  // `ticks` ticks (the DC sample at full volume and the centre is kFull).
  std::vector<int> TickVolumes(int ticks) {
    std::vector<int> v;
    for (int t = 0; t < ticks; t++) v.push_back(int(std::lround(Render(kTick).back() * 64 / kFull)));
    return v;
  }
};

TEST_F(XmTest, VolumeEffects) {
  struct Case {
    const char* what;
    std::vector<XmCell> rows;
    std::vector<int> volumes;  // per tick, six ticks a row
  } cases[] = {
      {"note", {Note(kC4)}, {64, 64, 64, 64, 64, 64}},
      {"volume column", {Note(kC4, 0x30)}, {32, 32, 32, 32, 32, 32}},
      {"set volume", {Note(kC4, 0, 0xC, 0x20)}, {32, 32, 32, 32, 32, 32}},
      {"slide down", {Note(kC4, 0, 0xA, 0x02)}, {64, 62, 60, 58, 56, 54}},
      {"slide up from 16", {Note(kC4, 0x20, 0xA, 0x10)}, {16, 17, 18, 19, 20, 21}},
      {"fine slide down", {Note(kC4, 0, 0xE, 0xB4)}, {60, 60, 60, 60, 60, 60}},
      {"note cut at tick 2", {Note(kC4, 0, 0xE, 0xC2)}, {64, 64, 0, 0, 0, 0}},
      {"note delay to tick 3", {Note(kC4, 0, 0xE, 0xD3)}, {0, 0, 0, 64, 64, 64}},
      {"global volume", {Note(kC4, 0, 0x10, 0x10)}, {16, 16, 16, 16, 16, 16}},
      {"key off without envelope", {Note(kC4), XmCell{97, 0, 0, 0, 0}}, {64, 64, 64, 64, 64, 64, 0}},
      {"tremor 1 on 1 off", {Note(kC4, 0, 0x1D, 0x00)}, {64, 64, 0, 64, 0, 64}},
  };
  for (const Case& c : cases) {
    XmSpec s;
    s.patterns = {c.rows};
    s.patterns[0].resize(8);
    Load(s);
    EXPECT_EQ(TickVolumes(int(c.volumes.size())), c.volumes) << c.what;
  }
}

TEST_F(XmTest, VolumeEnvelopeSustainAndFadeout) {
  XmSpec s;
  XmInstrumentSpec in = Dc();
  in.envelope = {{0, 64}, {2, 32}, {4, 16}};
  in.sustain = 1;
  in.fadeout = 8192;  // a quarter of full volume per tick after key off
  s.instruments = {in};
  s.patterns = {{Note(kC4), {}, XmCell{97, 0, 0, 0, 0}, {}}};
  s.speed = 3;
  Load(s);
  // Ticks 0-2: 64, 48, 32 (held at the sustain point); from the key off at
  // tick 6 the envelope goes on (32, 24, 16) and fades by a quarter a tick.
  EXPECT_EQ(TickVolumes(9), (std::vector<int>{64, 48, 32, 32, 32, 32, 24, 12, 4}));
}

int StepFor(double hz) { return int(StepForRate(hz)); }

TEST_F(XmTest, PitchEffects) {
  auto hz = [](int period) { return 8363.0 * std::exp2((4608 - period) / 768.0); };
  struct Case {
    const char* what;
    XmCell cell;
    std::vector<int> steps;  // per tick
  } cases[] = {
      {"C-4", Note(kC4), {StepFor(8363), StepFor(8363), StepFor(8363)}},
      {"C-5", Note(kC4 + 12), {StepFor(16726), StepFor(16726), StepFor(16726)}},
      {"portamento up", Note(kC4, 0, 1, 0x10), {StepFor(hz(4608)), StepFor(hz(4544)), StepFor(hz(4480))}},
      {"portamento down", Note(kC4, 0, 2, 0x08), {StepFor(hz(4608)), StepFor(hz(4640)), StepFor(hz(4672))}},
      {"arpeggio", Note(kC4, 0, 0, 0x47), {StepFor(hz(4608)), StepFor(hz(4608 - 256)), StepFor(hz(4608 - 448))}},
  };
  for (const Case& c : cases) {
    XmSpec s;
    s.patterns = {{c.cell, {}}};
    Load(s);
    std::vector<int> steps;
    for (size_t t = 0; t < c.steps.size(); t++) {
      Render(kTick);
      steps.push_back(int(player.ch[0].voice.step));
    }
    for (size_t t = 0; t < steps.size(); t++) EXPECT_NEAR(steps[t], c.steps[t], 1) << c.what << " tick " << t;
  }
}

// The sample values themselves: a ramp at 8363 Hz read at its step (once
// the note's volume has ramped up).
TEST_F(XmTest, NoteReadsItsSampleAtItsRate) {
  XmSpec s;
  XmInstrumentSpec in;
  in.data = Ramp(4000, 0, 4);
  s.instruments = {in};
  s.patterns = {{Note(kC4), {}}};
  Load(s);
  std::vector<int> out = Render(1000);
  uint32_t step = StepForRate(8363);
  for (uint32_t f = 300; f < 1000; f += 37) {
    double p = double(step) * f / 65536;
    EXPECT_NEAR(out[f], 4 * p * kCentre, 2) << f;
  }
}

// Values between source frames follow the waveform the frames sample: a
// sine of 16 frames a cycle, played slowly, stays within 0.5% of the sine
// (straight lines between the frames miss it by 2%), through the loop's
// wraps, whether the loop runs forward after other frames or ping-pong
// over a half cycle.
TEST_F(XmTest, InterpolationFollowsTheWaveThroughLoopPoints) {
  constexpr double kAmp = 16000;
  auto sine = [](double x) { return kAmp * std::sin(2 * M_PI * x / 16); };
  XmInstrumentSpec forward, pingpong;
  forward.data = {-16000, 16000, -16000, 16000, -16000};  // heard only on the way in
  for (int j = 0; j < 16; j++) forward.data.push_back(int16_t(std::lround(sine(j))));
  forward.loop_start = 5, forward.loop_length = 16, forward.loop_type = 1;
  for (int j = 0; j < 8; j++) pingpong.data.push_back(int16_t(std::lround(sine(j + 4.5))));
  pingpong.loop_length = 8, pingpong.loop_type = 2;
  struct Case {
    const char* what;
    XmInstrumentSpec in;
    double phase, from;  // the wave at source frame x is sine(x + phase), from frame `from` on
  } cases[] = {{"forward", forward, -5, 6}, {"ping-pong", pingpong, 4.5, 1}};
  for (const Case& c : cases) {
    XmSpec s;
    s.instruments = {c.in};
    s.patterns = {{Note(kC4 + 12), {}, {}, {}}};
    Load(s);
    uint32_t frames = 12000;  // the stored loop wraps twice
    std::vector<int> out = Render(frames);
    double step = player.ch[0].voice.step / 65536.0, worst = 0;
    for (uint32_t i = 300; i < frames; i++)
      if (i * step >= c.from) worst = std::max(worst, std::abs(out[i] - sine(i * step + c.phase) * kCentre));
    EXPECT_LT(worst, 0.005 * kAmp * kCentre) << c.what;
    EXPECT_TRUE(player.ch[0].voice.playing) << c.what;
  }
}

// A sample without a loop ends with its frames: nothing is heard after.
TEST_F(XmTest, SampleWithoutLoopEndsWithItsFrames) {
  XmSpec s;
  XmInstrumentSpec in;
  in.data.assign(100, 8192);
  s.instruments = {in};
  s.patterns = {{Note(kC4), {}}};
  Load(s);
  std::vector<int> out = Render(kTick);
  uint32_t end = uint32_t(100 * 65536.0 / player.ch[0].voice.step) + 1;
  EXPECT_NEAR(out[end - 30], kFull, 2);
  for (uint32_t i = end; i < kTick; i++) ASSERT_EQ(out[i], 0) << i;
  EXPECT_FALSE(player.ch[0].voice.playing);
}

// Sides by a constant-power law (effect 8, the volume column's panning).
TEST_F(XmTest, PanningSplitsByConstantPower) {
  struct Case {
    const char* what;
    XmCell cell;
    int pan;
  } cases[] = {
      {"hard left", Note(kC4, 0, 8, 0), 0},      {"a quarter", Note(kC4, 0, 8, 64), 64},
      {"centre", Note(kC4), 128},                {"volume column", Note(kC4, 0xCC), 192},
      {"hard right", Note(kC4, 0, 8, 255), 255},
  };
  for (const Case& c : cases) {
    XmSpec s;
    s.patterns = {{c.cell, {}}};
    Load(s);
    std::vector<int> out = RenderBoth(kTick);
    EXPECT_NEAR(out[2 * kTick - 2], 8192 * kHardSide * std::sqrt((256 - c.pan) / 256.0), 2) << c.what;
    EXPECT_NEAR(out[2 * kTick - 1], 8192 * kHardSide * std::sqrt(c.pan / 256.0), 2) << c.what;
  }
}

// A change of volume or panning ramps over 5 ms instead of jumping (a
// jump clicks); a note that cuts another fades the old one out as the new
// one rises. One tick a row; the DC sample shows the volumes themselves.
TEST_F(XmTest, VolumeChangesRampInsteadOfJumping) {
  struct Case {
    const char* what;
    std::vector<XmCell> rows;
    int left;  // in 64ths of a full centred channel, once the second row's ramp is done
  } cases[] = {
      {"note start", {Note(kC4), {}}, 64},
      {"volume down", {Note(kC4), Fx(0xC, 0x10)}, 16},
      {"volume up", {Note(kC4, 0x20), Fx(0xC, 0x40)}, 64},
      {"note cut", {Note(kC4), Fx(0xE, 0xC0)}, 0},
      {"key off", {Note(kC4), XmCell{97, 0, 0, 0, 0}}, 0},
      {"new note over a sounding one", {Note(kC4), Note(kC4, 0x30)}, 32},
      {"pan to the right", {Note(kC4), Fx(8, 0xFF)}, 6},
  };
  constexpr uint32_t kRamp = 220;
  for (const Case& c : cases) {
    XmSpec s;
    s.speed = 1;
    s.patterns = {c.rows};
    Load(s);
    std::vector<int> out = RenderBoth(2 * kTick);
    int worst = 0;
    for (uint32_t i = 2; i < out.size(); i++) worst = std::max(worst, std::abs(out[i] - out[i - 2]));
    EXPECT_LE(worst, int(kFull / kRamp) + 2) << c.what;
    EXPECT_EQ(out[2 * (kTick + kRamp)], out[4 * kTick - 2]) << c.what << ": ramped in 5 ms";
    EXPECT_EQ(std::lround(out[4 * kTick - 2] * 64 / kFull), c.left) << c.what;
  }
}

// Rows are told apart by volume: row r of pattern p plays at 8 * (8p + r + 1).
XmSpec MarkedRows(int patterns) {
  XmSpec s;
  s.speed = 1;
  for (int p = 0; p < patterns; p++) {
    s.patterns.emplace_back();
    for (int r = 0; r < 8; r++) s.patterns.back().push_back(Note(kC4, uint8_t(0x10 + 8 * p + r + 1)));
  }
  return s;
}

TEST_F(XmTest, BreakJumpAndLoopOrderTheRows) {
  struct Case {
    const char* what;
    int pattern, row;
    XmCell effect;
    std::vector<int> rows;  // 8p + r of the rows played
  } cases[] = {
      {"break to row 3", 0, 1, Fx(0xD, 0x03), {0, 1, 11, 12}},
      {"jump to order 2", 0, 1, Fx(0xB, 2), {0, 1, 16, 17}},
      {"jump and break", 0, 0, Fx(0xB, 2), {0, 16, 17}},
      {"pattern loop twice", 0, 2, Fx(0xE, 0x62), {0, 1, 2, 0, 1, 2, 0, 1, 2, 3}},
      {"pattern delay", 0, 1, Fx(0xE, 0xE2), {0, 1, 1, 1, 2}},
  };
  for (const Case& c : cases) {
    XmSpec s = MarkedRows(3);
    s.orders = {0, 1, 2};
    XmCell& cell = s.patterns[c.pattern][c.row];
    cell.effect = c.effect.effect, cell.param = c.effect.param;
    if (std::string(c.what) == "jump and break") s.patterns[0][0].effect = 0xB, s.patterns[0][1] = Note(kC4, 0x11, 0xD, 1);
    if (std::string(c.what) == "pattern loop twice") s.patterns[0][0].effect = 0xE, s.patterns[0][0].param = 0x60;
    Load(s);
    std::vector<int> rows;
    for (int volume : TickVolumes(int(c.rows.size()))) rows.push_back(volume - 1);
    EXPECT_EQ(rows, c.rows) << c.what;
  }
}

// A state load goes on with the notes that sound at the saved row, not
// from silence until the pattern's next note; effects passed on the way
// there are not run again.
TEST_F(XmTest, StateLoadGoesOnWithTheNotesThatSound) {
  XmSpec s;
  s.patterns = {{Note(kC4), Fx(35, 0x11), {}, {}, {}, {}, {}, {}}};
  s.instruments.push_back(Dc());
  std::vector<uint8_t> bytes = XmBytes(s);
  MusicRecord xm;
  xm.kind = kMusicXm;
  xm.xm = new XmModule;
  ASSERT_EQ(ParseXmModule(bytes.data(), bytes.size(), *xm.xm), nullptr);
  SetList(music, music_counts, {xm});
  QueueMusic(0, false);
  Mix(3 * 6 * kTick + 100);  // into row 3
  uint8_t param;
  ASSERT_TRUE(xm_effect_posts.Pop(param));
  ByteWriter w;
  WriteAudioState(w);
  const std::vector<int16_t> after_save = Left(Mix(1024));
  ASSERT_GT(after_save[0], 0);
  ResetAudio();
  ByteReader r(w.bytes.data(), w.bytes.size());
  ASSERT_TRUE(ReadAudioState(r));
  EXPECT_EQ(Left(Mix(1024)), after_save);
  EXPECT_FALSE(xm_effect_posts.Pop(param));
  // The load's music is ready before the mixer takes it: music freed in
  // between (a new list in its place) goes with it.
  ByteReader again(w.bytes.data(), w.bytes.size());
  ASSERT_TRUE(ReadAudioState(again));
  FreeMusic(0);
  MusicRecord wav;
  wav.kind = kMusicLoop;
  wav.first = Sample({1, 2}, 44100);
  SetList(music, music_counts, {wav});
  Mix(64);
  EXPECT_EQ(music_voice.id, kNoMusic);
}

// Effect Z through the music channel: the effect function runs at the
// next game frame with register 10 holding the parameter, and register
// 248 bit 1 tells XM music from other music.
int32_t seen_param = -1;
void RecordParam() { seen_param = registers[kRegXmParam]; }

TEST_F(XmTest, EffectZRunsTheScriptFunctionOnTheGameThread) {
  AllocRegisters(4);
  ResetRegisters();
  BuildCommandTables();
  CommandHandler saved = script_commands[kProbe];
  script_commands[kProbe] = RecordParam;
  FreeCodeSet(script_functions);
  AppendFunction(script_functions, MakeFunction({{kProbe, 0}, {346}}));
  BindContext(global_context, script_commands, &script_functions);
  xm_effect_function = 0;
  XmSpec s;
  s.patterns = {{Note(kC4, 0, 35, 0x2A), {}}};
  s.instruments.push_back(Dc());
  std::vector<uint8_t> bytes = XmBytes(s);
  MusicRecord xm, wav;
  xm.kind = kMusicXm;
  xm.xm = new XmModule;
  ASSERT_EQ(ParseXmModule(bytes.data(), bytes.size(), *xm.xm), nullptr);
  wav.kind = kMusicLoop;
  wav.first = Sample({1, 2}, 44100);
  SetList(music, music_counts, {xm, wav});
  QueueMusic(0, false);
  Mix(64);
  EXPECT_EQ(seen_param, -1);  // not on the audio thread
  RunAudioFrame();
  EXPECT_EQ(seen_param, 0x2A);
  EXPECT_EQ(registers[248] & 2, 2);
  QueueMusic(1, false);
  Mix(1);
  RunAudioFrame();
  EXPECT_EQ(registers[248] & 2, 0);
  script_commands[kProbe] = saved;
  xm_effect_function = 65535;
  FreeCodeSet(script_functions);
  BindScriptFunctions();
}

}  // namespace
}  // namespace tolv::test
