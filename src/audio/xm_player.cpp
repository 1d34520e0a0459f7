// XM sequencing: ticks of (speed) per row, rows of the pattern each order
// names, jumps, breaks, loops and delays applied at the end of a row.
#include "audio/xm_player.h"

#include "audio/voice.h"

namespace tolv {

static const XmPattern kEmptyPattern;

static const XmPattern& PatternAt(const XmPlayer& p, uint16_t order) {
  uint8_t n = p.module->orders[order];
  return n < p.module->patterns.size() ? p.module->patterns[n] : kEmptyPattern;
}

// The row from its first tick, whatever played before it.
static void JumpXm(XmPlayer& p, uint16_t order, uint16_t row) {
  p.order = order < p.module->song_length ? order : 0;
  p.row = row < PatternAt(p, p.order).rows ? row : 0;
  p.tick = 0;
  p.tick_left = 0;
  p.pattern_delay = p.delay_done = 0;
  p.jump_order = p.jump_row = p.loop_to = -1;
}

void StartXm(XmPlayer& p, const XmModule* m, bool once) {
  p = XmPlayer{};
  p.module = m;
  p.once = once;
  p.speed = m->speed;
  p.bpm = m->bpm;
  for (uint32_t i = 0; i < m->channels; i++) p.ch[i].pan = 128;
  JumpXm(p, 0, 0);
}

static void ReadRow(XmPlayer& p) {
  const XmPattern& pat = PatternAt(p, p.order);
  for (uint32_t i = 0; i < p.module->channels; i++) {
    XmChannel& c = p.ch[i];
    c.cell = pat.cells.empty() ? XmCell{} : pat.cells[size_t(p.row) * p.module->channels + i];
    bool delayed = c.cell.effect == 0xE && (c.cell.param >> 4) == 0xD && (c.cell.param & 15);
    c.delay = delayed ? c.cell.param & 15 : 0;
    if (!delayed) TriggerCell(p, c);
  }
}

// The song ends where it wraps round or jumps back.
static void NextRow(XmPlayer& p) {
  const XmModule& m = *p.module;
  uint16_t was = p.order;
  if (p.loop_to >= 0) {
    p.row = uint16_t(p.loop_to);
  } else if (p.jump_order >= 0 || p.jump_row >= 0) {
    p.order = p.jump_order >= 0 ? uint16_t(p.jump_order) : uint16_t(p.order + 1);
    p.row = uint16_t(p.jump_row >= 0 ? p.jump_row : 0);
  } else if (++p.row >= PatternAt(p, p.order).rows) {
    p.order++, p.row = 0;
  }
  bool back = p.loop_to < 0 && (p.order < was || (p.order == was && p.jump_order >= 0));
  if (p.order >= m.song_length) p.order = m.restart < m.song_length ? m.restart : 0, back = true;
  if (p.row >= PatternAt(p, p.order).rows) p.row = 0;
  p.jump_order = p.jump_row = p.loop_to = -1;
  if (back) {
    p.song_ends++;
    if (p.once) p.ended = 1;
  }
}

static void RunTick(XmPlayer& p) {
  uint32_t channels = p.module->channels;
  if (p.tick == 0 && p.delay_done == 0) ReadRow(p);
  else
    for (uint32_t i = 0; i < channels; i++) RunTickEffects(p, p.ch[i]);
  for (uint32_t i = 0; i < channels; i++) UpdateVoice(p, p.ch[i]);
  if (++p.tick < p.speed) return;
  p.tick = 0;
  if (p.delay_done < p.pattern_delay) {
    p.delay_done++;
    return;
  }
  p.delay_done = p.pattern_delay = 0;
  NextRow(p);
}

// 2.5 / bpm seconds a tick, in whole frames cut down (as trackers count).
static uint32_t NextTickFrames(const XmPlayer& p) { return kMixRate * 5 / 2 / p.bpm; }

// A tick's frames for each sounding voice, unmixed.
static void SkipTick(XmPlayer& p) {
  uint32_t n = NextTickFrames(p);
  for (uint32_t i = 0; i < p.module->channels; i++) {
    XmChannel& c = p.ch[i];
    if (c.voice.playing && !SkipXmVoice(c.voice, n)) c.voice.playing = 0;
    if (c.cut.playing && (!SkipXmVoice(c.cut, n) || !c.cut.ramp)) c.cut.playing = 0;
  }
}

// At most this many ticks are played through to reach a row: some 20
// minutes at the usual tempo.
constexpr uint32_t kMaxSeekTicks = 1u << 16;

void SeekXm(XmPlayer& p, uint16_t order, uint16_t row) {
  JumpXm(p, order, row);
  order = p.order, row = p.row;  // within the song
  StartXm(p, p.module, p.once);
  p.seeking = 1;
  for (uint32_t ticks = 0; p.order != order || p.row != row || p.tick || p.delay_done; ticks++) {
    if (p.song_ends || p.ended || ticks == kMaxSeekTicks) {  // not on the song's way: the row alone
      StartXm(p, p.module, p.once);
      JumpXm(p, order, row);
      break;
    }
    RunTick(p);
    SkipTick(p);
  }
  p.seeking = 0;
}

uint32_t RenderXm(XmPlayer& p, int32_t* acc, uint32_t n) {
  uint32_t done = 0;
  while (done < n) {
    if (p.tick_left == 0) {
      if (p.ended) return done;
      RunTick(p);
      p.tick_left = NextTickFrames(p);
    }
    uint32_t k = n - done < p.tick_left ? n - done : p.tick_left;
    for (uint32_t i = 0; i < p.module->channels; i++) {
      XmChannel& c = p.ch[i];
      if (c.voice.playing && !MixXmVoice(c.voice, acc + 2 * done, k)) c.voice.playing = 0;
      if (c.cut.playing && (!MixXmVoice(c.cut, acc + 2 * done, k) || !c.cut.ramp)) c.cut.playing = 0;
    }
    done += k;
    p.tick_left -= k;
  }
  return done;
}

}  // namespace tolv
