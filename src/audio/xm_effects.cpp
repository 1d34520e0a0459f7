// XM cells and effects: what a row does on its first tick, what effects do
// on the ticks after, and each channel's pitch, volume and panning for the
// tick (envelopes, fadeout, instrument vibrato). Periods are in 64ths of a
// semitone (linear table) or four times the Amiga periods.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "audio/voice.h"
#include "audio/xm_player.h"

namespace tolv {

constexpr int kKeyOff = 97;
constexpr int kEffectZ = 35;
constexpr int32_t kMinPeriod = 1, kMaxPeriod = 32000;
constexpr double kHardSide = 0.375 * (1 << kXmVolumeBits);

static const uint8_t kSine[32] = {0,   24,  49,  74,  97,  120, 141, 161, 180, 197, 212, 224, 235, 244, 250, 253,
                                  255, 253, 250, 244, 235, 224, 212, 197, 180, 161, 141, 120, 97,  74,  49,  24};

static bool Linear(const XmPlayer& p) { return p.module->flags & 1; }

int32_t NotePeriod(const XmPlayer& p, int note, int finetune) {
  if (Linear(p)) return 7680 - note * 64 - finetune / 2;
  return int32_t(std::lround(1712.0 * std::exp2(-(note - 48) / 12.0 - finetune / 1536.0)));
}

// Waveform 0 sine, 1 ramp down, 2 square; -255..255.
static int32_t Wave(uint8_t wave, uint8_t pos) {
  pos &= 63;
  int32_t v = (wave & 3) == 1 ? 255 - pos * 8 : (wave & 3) == 2 ? 255 : kSine[pos & 31];
  if ((wave & 3) == 1) return v;
  return pos & 32 ? -v : v;
}

static int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : v > hi ? hi : v; }
static uint8_t Remember(uint8_t& memory, uint8_t param) { return param ? (memory = param) : memory; }

static void RestartEnvelopes(XmChannel& c) {
  c.volume_tick = c.pan_tick = c.vibrato_ticks = 0;
  c.auto_vibrato_pos = 0;
  c.key_on = 1;
  c.fade = 32768;
}

static void KeyOff(XmChannel& c) {
  c.key_on = 0;
  if (!c.ins || !(c.ins->volume_envelope.flags & 1)) c.volume = 0;
}

// A voice still sounding fades out on the channel's second voice; the
// channel's own starts its sample again from silence.
static void RestartVoice(XmChannel& c) {
  if (c.voice.playing && (c.voice.left | c.voice.right)) {
    c.cut = c.voice;
    AimXmVoice(c.cut, 0, 0);
  }
  c.voice.left = c.voice.right = 0;
  c.voice.ramp = 0;
  c.voice.pos = 0;
  c.voice.playing = c.voice.smp && c.voice.smp->length;
}

static void NoteOn(XmPlayer& p, XmChannel& c, int note) {
  const XmModule& m = *p.module;
  RestartVoice(c);
  c.voice.playing = 0;
  if (!c.instrument || c.instrument > m.instruments.size()) return;
  const XmInstrument& ins = m.instruments[c.instrument - 1];
  uint8_t k = ins.keymap[note - 1];
  if (k == 0xFF) return;
  const XmSample& s = ins.samples[k];
  int real = note - 1 + s.relative_note;
  if (real < 0 || real >= 119) return;
  c.ins = &ins, c.voice.smp = &s;
  c.note = uint8_t(real);
  c.finetune = s.finetune;
  c.period = c.out_period = NotePeriod(p, real, c.finetune);
  if (c.cell.effect == 9) c.voice.pos = uint64_t(Remember(c.offset, c.cell.param)) * 256 << 16;
  c.voice.playing = s.file_length > (c.voice.pos >> 16);
  if (!(c.vibrato_wave & 4)) c.vibrato_pos = 0;
  if (!(c.tremolo_wave & 4)) c.tremolo_pos = 0;
  c.retrig_count = c.tremor_count = 0;
  RestartEnvelopes(c);
}

static void VolumeColumnFirstTick(XmChannel& c) {
  uint8_t v = c.cell.volume, x = v & 15;
  switch (v >> 4) {
    case 1: case 2: case 3: case 4: c.volume = v - 16; break;
    case 5: if (v == 0x50) c.volume = 64; break;
    case 8: c.volume = std::max(0, c.volume - x); break;
    case 9: c.volume = std::min(64, c.volume + x); break;
    case 0xA: if (x) c.vibrato_speed = x; break;
    case 0xB: if (x) c.vibrato_depth = x; break;
    case 0xC: c.pan = x << 4; break;
    case 0xF: if (x) c.tone_speed = uint8_t(x << 4); break;
  }
}

static void ExtendedFirstTick(XmPlayer& p, XmChannel& c, uint8_t x) {
  switch (c.cell.param >> 4) {
    case 1: c.period = std::max(kMinPeriod, c.period - 4 * Remember(c.fine_up, x)); break;
    case 2: c.period = std::min(kMaxPeriod, c.period + 4 * Remember(c.fine_down, x)); break;
    case 4: c.vibrato_wave = x; break;
    case 5: c.finetune = int8_t(x * 16 - 128); break;
    case 6:
      if (!x) c.loop_row = uint8_t(p.row);
      else if (!c.loop_count) c.loop_count = x, p.loop_to = c.loop_row;
      else if (--c.loop_count) p.loop_to = c.loop_row;
      break;
    case 7: c.tremolo_wave = x; break;
    case 0xA: c.volume = std::min(64, c.volume + Remember(c.fine_volume_up, x)); break;
    case 0xB: c.volume = std::max(0, c.volume - Remember(c.fine_volume_down, x)); break;
    case 0xC: if (!x) c.volume = 0; break;
    case 0xE: if (!p.delay_done && !p.pattern_delay) p.pattern_delay = x; break;
  }
}

static void EffectFirstTick(XmPlayer& p, XmChannel& c) {
  uint8_t e = c.cell.effect, v = c.cell.param, x = v & 15;
  switch (e) {
    case 1: Remember(c.porta_up, v); break;
    case 2: Remember(c.porta_down, v); break;
    case 3: Remember(c.tone_speed, v); break;
    case 4: if (v >> 4) c.vibrato_speed = v >> 4; if (x) c.vibrato_depth = x; break;
    case 5: case 6: case 0xA: Remember(c.volume_slide, v); break;
    case 7: if (v >> 4) c.tremolo_speed = v >> 4; if (x) c.tremolo_depth = x; break;
    case 8: c.pan = v; break;
    case 0xB: p.jump_order = v, p.jump_row = std::max(p.jump_row, 0); break;
    case 0xC: c.volume = std::min<int>(v, 64); break;
    case 0xD: p.jump_row = (v >> 4) * 10 + x; break;
    case 0xE: ExtendedFirstTick(p, c, x); break;
    case 0xF: if (v && v < 32) p.speed = v; else if (v >= 32) p.bpm = v; break;
    case 0x10: p.global_volume = std::min<int>(v, 64); break;
    case 0x11: Remember(c.global_slide, v); break;
    case 0x14: if (!v) KeyOff(c); break;
    case 0x15: c.volume_tick = c.pan_tick = v; break;
    case 0x19: Remember(c.pan_slide, v); break;
    case 0x1B: Remember(c.retrig, v); break;
    case 0x1D: Remember(c.tremor, v); break;
    case 0x21:
      if ((v >> 4) == 1) c.period = std::max(kMinPeriod, c.period - Remember(c.xfine_up, x));
      if ((v >> 4) == 2) c.period = std::min(kMaxPeriod, c.period + Remember(c.xfine_down, x));
      break;
    case kEffectZ: if (!p.seeking) post_xm_effect(v); break;
  }
}

// A note with tone portamento only sets the slide's target; an instrument
// number resets volume and panning to its sample's.
void TriggerCell(XmPlayer& p, XmChannel& c) {
  const XmCell& k = c.cell;
  bool porta = k.effect == 3 || k.effect == 5 || (k.volume >> 4) == 0xF;
  if (k.instrument) c.instrument = k.instrument;
  if (k.note == kKeyOff) {
    KeyOff(c);
  } else if (k.note && porta && c.voice.smp) {
    c.target = NotePeriod(p, k.note - 1 + c.voice.smp->relative_note, c.finetune);
  } else if (k.note) {
    NoteOn(p, c, k.note);
  }
  if (k.instrument && k.note != kKeyOff && c.voice.smp) {
    c.volume = c.voice.smp->volume;
    c.pan = c.voice.smp->panning;
    if (!k.note || porta) RestartEnvelopes(c);
  }
  VolumeColumnFirstTick(c);
  EffectFirstTick(p, c);
}

static void SlideVolume(int32_t& volume, uint8_t v) {
  if (v >> 4) volume = std::min(64, volume + (v >> 4));
  else volume = std::max(0, volume - (v & 15));
}

static void TonePorta(XmChannel& c) {
  if (!c.target) return;
  int32_t s = c.tone_speed * 4;
  if (c.period < c.target) c.period = std::min(c.period + s, c.target);
  else c.period = std::max(c.period - s, c.target);
}

static void Vibrato(XmChannel& c) {
  c.out_period = c.period + ((Wave(c.vibrato_wave, c.vibrato_pos) * c.vibrato_depth) >> 5);
  c.vibrato_pos = uint8_t(c.vibrato_pos + c.vibrato_speed);
}

static void Arpeggio(const XmPlayer& p, XmChannel& c, uint8_t v) {
  int semis = (p.tick % 3) == 1 ? v >> 4 : (p.tick % 3) == 2 ? v & 15 : 0;
  if (!semis) return;
  if (Linear(p)) c.out_period = c.period - semis * 64;
  else c.out_period = int32_t(c.period * std::exp2(-semis / 12.0));
}

static void MultiRetrig(XmChannel& c) {
  uint8_t interval = c.retrig & 15;
  if (!interval || ++c.retrig_count < interval) return;
  c.retrig_count = 0;
  RestartVoice(c);
  int32_t& v = c.volume;
  switch (c.retrig >> 4) {
    case 1: case 2: case 3: case 4: case 5: v -= 1 << ((c.retrig >> 4) - 1); break;
    case 6: v = v * 2 / 3; break;
    case 7: v /= 2; break;
    case 9: case 0xA: case 0xB: case 0xC: case 0xD: v += 1 << ((c.retrig >> 4) - 9); break;
    case 0xE: v = v * 3 / 2; break;
    case 0xF: v *= 2; break;
  }
  v = Clamp(v, 0, 64);
}

static void ExtendedTick(XmPlayer& p, XmChannel& c, uint8_t x) {
  switch (c.cell.param >> 4) {
    case 9: if (x && p.tick % x == 0) RestartVoice(c), RestartEnvelopes(c); break;
    case 0xC: if (p.tick == x) c.volume = 0; break;
    case 0xD: if (c.delay && p.tick == c.delay) c.delay = 0, TriggerCell(p, c); break;
  }
}

static void VolumeColumnTick(XmChannel& c) {
  uint8_t v = c.cell.volume, x = v & 15;
  switch (v >> 4) {
    case 6: c.volume = std::max(0, c.volume - x); break;
    case 7: c.volume = std::min(64, c.volume + x); break;
    case 0xB: Vibrato(c); break;
    case 0xD: c.pan = std::max(0, c.pan - x); break;
    case 0xE: c.pan = std::min(255, c.pan + x); break;
    case 0xF: TonePorta(c); break;
  }
}

void RunTickEffects(XmPlayer& p, XmChannel& c) {
  uint8_t v = c.cell.param, x = v & 15;
  c.out_period = c.period;
  VolumeColumnTick(c);
  switch (c.cell.effect) {
    case 0: if (v) Arpeggio(p, c, v); break;
    case 1: c.out_period = c.period = std::max(kMinPeriod, c.period - 4 * c.porta_up); break;
    case 2: c.out_period = c.period = std::min(kMaxPeriod, c.period + 4 * c.porta_down); break;
    case 3: TonePorta(c), c.out_period = c.period; break;
    case 4: Vibrato(c); break;
    case 5: TonePorta(c), c.out_period = c.period, SlideVolume(c.volume, c.volume_slide); break;
    case 6: Vibrato(c), SlideVolume(c.volume, c.volume_slide); break;
    case 7:
      c.out_volume = Clamp(c.volume + ((Wave(c.tremolo_wave, c.tremolo_pos) * c.tremolo_depth) >> 6), 0, 64);
      c.tremolo_pos = uint8_t(c.tremolo_pos + c.tremolo_speed);
      return;
    case 0xA: SlideVolume(c.volume, c.volume_slide); break;
    case 0xE: ExtendedTick(p, c, x); break;
    case 0x11: SlideVolume(p.global_volume, c.global_slide); break;
    case 0x14: if (p.tick == v) KeyOff(c); break;
    case 0x19:
      if (c.pan_slide >> 4) c.pan = std::min(255, c.pan + (c.pan_slide >> 4));
      else c.pan = std::max(0, c.pan - (c.pan_slide & 15));
      break;
    case 0x1B: MultiRetrig(c); break;
    case 0x1D: {
      uint8_t on = (c.tremor >> 4) + 1, cycle = uint8_t(on + (c.tremor & 15) + 1);
      c.out_volume = c.tremor_count % cycle < on ? c.volume : 0;
      c.tremor_count++;
      return;
    }
  }
  c.out_volume = c.volume;
}

// Envelope value at tick t, then t moves on (held at the sustain point
// while the key is down, sent back at the loop end).
static int32_t Envelope(const XmEnvelope& e, uint16_t& t, bool key_on) {
  int n = e.points;
  int32_t v = e.y[n - 1];
  for (int i = 0; i + 1 < n; i++) {
    if (t < e.x[i + 1]) {
      int32_t dx = e.x[i + 1] - e.x[i];
      v = e.y[i] + (int32_t(e.y[i + 1]) - e.y[i]) * (int32_t(t) - e.x[i]) / (dx ? dx : 1);
      break;
    }
  }
  if (t < e.x[0]) v = e.y[0];
  if ((e.flags & 2) && key_on && t == e.x[e.sustain]) return v;
  if (t < 0xFFFF) t++;
  if ((e.flags & 4) && t >= e.x[e.loop_end]) t = e.x[e.loop_start];
  return v;
}

static int32_t AutoVibrato(XmChannel& c) {
  const XmInstrument& ins = *c.ins;
  if (!ins.vibrato_depth) return 0;
  int32_t depth = ins.vibrato_depth;
  if (ins.vibrato_sweep && c.vibrato_ticks < ins.vibrato_sweep) depth = depth * c.vibrato_ticks / ins.vibrato_sweep;
  c.vibrato_ticks++;
  uint8_t a = c.auto_vibrato_pos;
  c.auto_vibrato_pos = uint8_t(a + ins.vibrato_rate);
  int32_t w = ins.vibrato_type == 1 ? (a < 128 ? 64 : -64)
              : ins.vibrato_type == 2 ? ((128 - a) >> 1)
              : ins.vibrato_type == 3 ? ((a - 128) >> 1)
                                      : Wave(0, uint8_t(a >> 2)) / 4;
  return (w * depth) >> 6;
}

static uint32_t PeriodStep(const XmPlayer& p, int32_t period) {
  period = Clamp(period, kMinPeriod, 1 << 20);
  double hz = Linear(p) ? 8363.0 * std::exp2((4608 - period) / 768.0) : 8363.0 * 1712.0 / period;
  return StepForRate(hz);
}

void UpdateVoice(XmPlayer& p, XmChannel& c) {
  if (p.tick == 0 && p.delay_done == 0) c.out_period = c.period, c.out_volume = c.volume;
  if (!c.voice.playing || !c.ins) return AimXmVoice(c.voice, 0, 0);
  const XmInstrument& ins = *c.ins;
  int32_t env = 64, pan_env = 32;
  if (ins.volume_envelope.flags & 1) env = Envelope(ins.volume_envelope, c.volume_tick, c.key_on);
  if (ins.panning_envelope.flags & 1) pan_env = Envelope(ins.panning_envelope, c.pan_tick, c.key_on);
  if (!c.key_on && (ins.volume_envelope.flags & 1)) c.fade = std::max(0, c.fade - ins.fadeout);
  c.voice.step = PeriodStep(p, c.out_period + AutoVibrato(c));
  int64_t v = int64_t(Clamp(c.out_volume, 0, 64)) * env * Clamp(p.global_volume, 0, 64) * c.fade;
  int32_t vol = int32_t(v >> 21);  // 64 * 64 * 64 * 32768 >> 21 = 4096
  int32_t pan = Clamp(c.pan + (pan_env - 32) * (128 - std::abs(c.pan - 128)) / 32, 0, 255);
  // Sides by a constant-power law. A full channel hard to one side gives
  // 3/8 of its sample's amplitude there, 0.265 on each side at the centre:
  // headroom for many channels before the mix saturates.
  double side = vol * kHardSide / 4096;
  AimXmVoice(c.voice, int32_t(std::lround(side * std::sqrt((256 - pan) / 256.0))),
             int32_t(std::lround(side * std::sqrt(pan / 256.0))));
}

}  // namespace tolv
