#include "host/key_input.h"

#include <cstring>

#include "base/key_state.h"
#include "compiler/compile_scopes.h"
#include "game/key_maps.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

struct KeyEvent {
  uint8_t code, down;
};
constexpr uint32_t kQueueSize = 256;
static KeyEvent key_queue[kQueueSize];
static uint32_t queued = 0;

// X key symbols of the keys the engine names, with their scan codes.
struct SymCode {
  uint32_t sym;
  uint8_t code;
};
static const SymCode kSymCodes[] = {
    {0xff1b, 1},   {0xff08, 14},  {0xff09, 15},  {0xff0d, 28},  {0xffe3, 29},  {0xffe4, 29},  {0xffe1, 42},
    {0xffe2, 54},  {0xffe9, 56},  {0xffea, 56},  {0xfe03, 56},  {0x0020, 57},  {0xffe5, 58},  {0xff50, 71},
    {0xff52, 72},  {0xff55, 73},  {0xff51, 75},  {0xff53, 77},  {0xff57, 79},  {0xff54, 80},  {0xff56, 81},
    {0xff63, 82},  {0xffff, 83},  {0xff8d, 28},  {0x002d, 12},  {0x003d, 13},  {0x005b, 26},  {0x005d, 27},
    {0x003b, 39},  {0x0027, 40},  {0x0060, 41},  {0x005c, 43},  {0x002c, 51},  {0x002e, 52},  {0x002f, 53},
    {0xffbe, 59},  {0xffbf, 60},  {0xffc0, 61},  {0xffc1, 62},  {0xffc2, 63},  {0xffc3, 64},  {0xffc4, 65},
    {0xffc5, 66},  {0xffc6, 67},  {0xffc7, 68},  {0xffc8, 87},  {0xffc9, 88},
};
// Letters a to z and digits 1 to 9, 0 in keyboard order.
static const uint8_t kLetterCodes[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                         49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

// evdev codes of the extended keys, 96 to 111, as the engine numbers them.
static const uint8_t kExtendedCodes[16] = {28, 29, 53, 0, 56, 0, 71, 72, 73, 75, 77, 79, 80, 81, 82, 83};

uint8_t ScanCodeForKey(uint32_t keysym, uint32_t keycode) {
  if (keysym >= 'A' && keysym <= 'Z') keysym += 'a' - 'A';
  if (keysym >= 'a' && keysym <= 'z') return kLetterCodes[keysym - 'a'];
  if (keysym >= '1' && keysym <= '9') return uint8_t(2 + keysym - '1');
  if (keysym == '0') return 11;
  for (const SymCode& s : kSymCodes)
    if (s.sym == keysym) return s.code;
  if (keycode < 8) return kScanNone;
  uint32_t evdev = keycode - 8;
  if (evdev < 89) return uint8_t(evdev);
  if (evdev >= 96 && evdev < 112) return kExtendedCodes[evdev - 96];
  return kScanNone;
}

void QueueKeyEvent(uint8_t code, bool down) {
  if (code == kScanNone || code >= 128 || queued >= kQueueSize) return;
  key_queue[queued++] = KeyEvent{code, uint8_t(down)};
}

// Register values as countdown bytes: at least one frame.
static uint8_t Frames(uint32_t reg) {
  int32_t v = Reg(reg);
  return uint8_t(v < 1 ? 1 : v > 255 ? 255 : v);
}

void UpdateKeyState() {
  uint8_t* pressed = key_state;
  uint8_t* held = key_state + kHeldRow;
  uint8_t* pulse = key_state + kPulseRow;
  uint8_t* countdown = key_state + kCountdownRow;
  std::memset(pressed, 0, 128);
  std::memset(pulse, 0, 128);
  for (uint32_t k = 0; k < 128; k++) {
    if (!held[k] || !countdown[k] || --countdown[k]) continue;
    pulse[k] = 1;
    countdown[k] = Frames(kRegRepeatInterval);
  }
  for (uint32_t i = 0; i < queued; i++) {
    const KeyEvent& e = key_queue[i];
    if (!e.down) {
      held[e.code] = 0;
      countdown[e.code] = 0;
    } else if (!held[e.code]) {
      pressed[e.code] = held[e.code] = pulse[e.code] = 1;
      countdown[e.code] = Frames(kRegRepeatDelay);
    }
  }
  queued = 0;
}

void ClearKeyState() {
  std::memset(key_state, 0, kKeyStateSize);
  queued = 0;
}

void ApplyKeyMaps() {
  const uint32_t e_count = key_map_entry_count;
  for (uint32_t p = 0; key_maps && p < key_map_count; p++) {
    uint32_t base = kPadBytes + uint32_t(pad_stride) * p;
    if (base + 3 * e_count > kKeyStateSize) return;
    for (uint32_t e = 0; e < e_count; e++) {
      uint8_t k = key_maps[p * e_count + e];
      bool bound = k < 128;
      key_state[base + e] = bound ? key_state[k] : 0;
      key_state[base + e_count + e] = bound ? key_state[kHeldRow + k] : 0;
      key_state[base + 2 * e_count + e] = bound ? key_state[kPulseRow + k] : 0;
    }
  }
}

}  // namespace tolv
