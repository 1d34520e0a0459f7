#include <cmath>

#include "audio/audio_commands.h"
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
  // Left output of the next n frames, as the mixer would scale it.
  std::vector<int> Render(uint32_t n) {
    std::vector<int32_t> acc(2 * n);
    RenderXm(player, acc.data(), n);
    std::vector<int> l;
    for (uint32_t i = 0; i < n; i++) l.push_back(acc[2 * i] >> 8);
    return l;
  }
  // The level of each of the next `ticks` ticks (its last frame).
  std::vector<int> TickLevels(int ticks) {
    std::vector<int> v;
    for (int t = 0; t < ticks; t++) v.push_back(Render(kTick).back());
    return v;
  }
};

// A full channel at the centre gives a quarter of the sample: 2048 per 64
// volume steps, 32 per step.
TEST_F(XmTest, VolumeEffects) {
  struct Case {
    const char* what;
    std::vector<XmCell> rows;
    std::vector<int> levels;  // per tick, six ticks a row
  } cases[] = {
      {"note", {Note(kC4)}, {2048, 2048, 2048, 2048, 2048, 2048}},
      {"volume column", {Note(kC4, 0x30)}, {1024, 1024, 1024, 1024, 1024, 1024}},
      {"set volume", {Note(kC4, 0, 0xC, 0x20)}, {1024, 1024, 1024, 1024, 1024, 1024}},
      {"slide down", {Note(kC4, 0, 0xA, 0x02)}, {2048, 1984, 1920, 1856, 1792, 1728}},
      {"slide up from 16", {Note(kC4, 0x20, 0xA, 0x10)}, {512, 544, 576, 608, 640, 672}},
      {"fine slide down", {Note(kC4, 0, 0xE, 0xB4)}, {1920, 1920, 1920, 1920, 1920, 1920}},
      {"note cut at tick 2", {Note(kC4, 0, 0xE, 0xC2)}, {2048, 2048, 0, 0, 0, 0}},
      {"note delay to tick 3", {Note(kC4, 0, 0xE, 0xD3)}, {0, 0, 0, 2048, 2048, 2048}},
      {"global volume", {Note(kC4, 0, 0x10, 0x10)}, {512, 512, 512, 512, 512, 512}},
      {"key off without envelope", {Note(kC4), XmCell{97, 0, 0, 0, 0}}, {2048, 2048, 2048, 2048, 2048, 2048, 0}},
      {"tremor 1 on 1 off", {Note(kC4, 0, 0x1D, 0x00)}, {2048, 2048, 0, 2048, 0, 2048}},
  };
  for (const Case& c : cases) {
    XmSpec s;
    s.patterns = {c.rows};
    s.patterns[0].resize(8);
    Load(s);
    EXPECT_EQ(TickLevels(int(c.levels.size())), c.levels) << c.what;
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
  EXPECT_EQ(TickLevels(9), (std::vector<int>{2048, 1536, 1024, 1024, 1024, 1024, 768, 384, 128}));
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
      steps.push_back(int(player.ch[0].step));
    }
    for (size_t t = 0; t < steps.size(); t++) EXPECT_NEAR(steps[t], c.steps[t], 1) << c.what << " tick " << t;
  }
}

// The sample values themselves: a ramp at 8363 Hz read at its step.
TEST_F(XmTest, NoteReadsItsSampleAtItsRate) {
  XmSpec s;
  XmInstrumentSpec in;
  in.data = Ramp(4000, 0, 4);
  s.instruments = {in};
  s.patterns = {{Note(kC4), {}}};
  Load(s);
  std::vector<int> out = Render(200);
  uint32_t step = StepForRate(8363);
  for (uint32_t f = 0; f < 200; f += 37) {
    uint64_t p = uint64_t(step) * f;
    int a = 4 * int(p >> 16), v = a + ((4 * int(p & 0xFFFF) >> 1) >> 15);
    EXPECT_NEAR(out[f], v / 4, 1) << f;
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
    for (int level : TickLevels(int(c.rows.size()))) rows.push_back(level / 32 - 1);
    EXPECT_EQ(rows, c.rows) << c.what;
  }
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
