// The XM player: rows and ticks of a module's patterns in order, the
// standard effect set, envelopes, fadeout and instrument vibrato, mixed at
// 44100 Hz. Effect Z (35) hands its parameter to `post_xm_effect`.
#pragma once
#include <cstdint>

#include "audio/xm_module.h"
#include "audio/xm_voice.h"

namespace tolv {

struct XmChannel {
  const XmInstrument* ins = nullptr;
  XmCell cell;
  XmVoice voice, cut;  // the note playing (its sample the channel's); the one it cut, fading out
  int32_t period = 0, target = 0, out_period = 0;
  int32_t volume = 0, out_volume = 0, pan = 128;
  int32_t fade = 32768;
  uint16_t volume_tick = 0, pan_tick = 0, vibrato_ticks = 0;
  uint8_t key_on = 0, instrument = 0, note = 0, delay = 0;
  int8_t finetune = 0;
  uint8_t auto_vibrato_pos = 0;
  // Effect memories.
  uint8_t porta_up = 0, porta_down = 0, tone_speed = 0, fine_up = 0, fine_down = 0, xfine_up = 0, xfine_down = 0;
  uint8_t vibrato_speed = 0, vibrato_depth = 0, vibrato_pos = 0, vibrato_wave = 0;
  uint8_t tremolo_speed = 0, tremolo_depth = 0, tremolo_pos = 0, tremolo_wave = 0;
  uint8_t volume_slide = 0, fine_volume_up = 0, fine_volume_down = 0, global_slide = 0, pan_slide = 0;
  uint8_t offset = 0, retrig = 0, retrig_count = 0, tremor = 0, tremor_count = 0;
  uint8_t loop_row = 0, loop_count = 0;
};

struct XmPlayer {
  const XmModule* module = nullptr;
  uint16_t order = 0, row = 0, tick = 0, speed = 6, bpm = 125;
  int32_t global_volume = 64;
  uint8_t pattern_delay = 0, delay_done = 0;
  int32_t jump_order = -1, jump_row = -1;  // pending for the end of the row
  int32_t loop_to = -1;                    // pattern loop: row to go back to
  uint32_t tick_left = 0;  // frames until the next tick
  uint8_t once = 0;   // stop at the song's end instead of going round again
  uint8_t ended = 0;
  uint32_t song_ends = 0;  // times the song came to its end
  uint8_t seeking = 0;     // playing through to a row: effect Z posts nothing
  XmChannel ch[kXmMaxChannels];
};

// Called on the audio thread with the parameter of each effect Z; the
// mixer posts it to the game thread.
extern void (*post_xm_effect)(uint8_t param);

void StartXm(XmPlayer& p, const XmModule* m, bool once);
// Mixes up to n frames into the stereo accumulator; fewer when a `once`
// song ended.
uint32_t RenderXm(XmPlayer& p, int32_t* acc, uint32_t n);
// Restarts at a row (saved states keep the order and row only): the song
// is played through to it unmixed, so the notes that sound there sound on;
// a row the song does not reach starts alone.
void SeekXm(XmPlayer& p, uint16_t order, uint16_t row);

// Tick and row steps (xm_effects.cpp).
void TriggerCell(XmPlayer& p, XmChannel& c);
void RunTickEffects(XmPlayer& p, XmChannel& c);
void UpdateVoice(XmPlayer& p, XmChannel& c);
int32_t NotePeriod(const XmPlayer& p, int note, int finetune);

}  // namespace tolv
