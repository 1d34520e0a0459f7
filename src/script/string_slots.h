// The script string slots: game slots first, then zone slots. Every slot
// holds up to kStringSlotCapacity bytes in storage of its own, so byte writes
// and swaps never need to reallocate; the byte past the capacity stays 0.
#pragma once
#include <cstdint>

namespace tolv {

constexpr uint32_t kStringSlotCapacity = 256;
// A path operand naming the current file of the command's kind.
constexpr uint32_t kCurrentFile = 0x7FFFFFFF;

struct StringSlot {
  char text[kStringSlotCapacity + 1];
};

extern StringSlot* string_slots;
extern uint16_t string_slot_count;  // total
extern uint16_t game_string_count;
extern uint16_t zone_string_count;

// Sets the number of slots; slots kept keep their text, new ones are empty.
void ResizeStringSlots(uint16_t count);
// Copies text into slot i (cut at the capacity); ignored for i outside.
void SetStringSlot(uint32_t i, const char* text);
// Adds a slot holding text; returns its number, or -1 when 65535 exist.
int AppendStringSlot(const char* text);
void FreeStringSlots();

// Slot i's text, or null when there is no such slot.
inline char* StringSlotText(uint32_t i) {
  return i < string_slot_count ? string_slots[i].text : nullptr;
}

}  // namespace tolv
