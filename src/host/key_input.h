// Keyboard input: key events from the window, queued as they come and
// folded into the key-state rows once per released frame, and the key
// maps that turn those rows into each player's pad entries.
#pragma once
#include <cstdint>

#include "base/scan_codes.h"

namespace tolv {

// The scan code of a window key event: by its X key symbol for the named
// keys, letters and digits, else by the X key code (evdev numbering: the
// code less 8), else 0 (no key).
uint8_t ScanCodeForKey(uint32_t keysym, uint32_t keycode);

// A press or release from the window; at most 256 wait for the next frame
// (later ones are dropped).
void QueueKeyEvent(uint8_t code, bool down);
// One released frame: the pressed and pulse rows start empty, the queued
// events apply in order (a press of a key not held sets pressed, held and
// pulse and starts the repeat countdown at register 245; a release clears
// held and the countdown), and every key held on counts down, pulsing when
// its countdown runs out and starting again at register 246.
void UpdateKeyState();
// Every row and the queue empty (focus lost, game change).
void ClearKeyState();

// The key maps into the pad entries from byte 512: per map p and entry e
// bound to scan code k, bytes 512 + stride x p + e, + E + e and + 2E + e
// take rows pressed, held and pulse of k (0 when unbound).
void ApplyKeyMaps();

}  // namespace tolv
