#include "script/string_slots.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace tolv {

StringSlot* string_slots = nullptr;
uint16_t string_slot_count = 0;
uint16_t game_string_count = 0;
uint16_t zone_string_count = 0;

void ResizeStringSlots(uint16_t count) {
  if (count == 0) {
    FreeStringSlots();
    return;
  }
  void* p = std::realloc(string_slots, count * sizeof(StringSlot));
  if (!p) throw std::bad_alloc();
  string_slots = static_cast<StringSlot*>(p);
  if (count > string_slot_count)
    std::memset(string_slots + string_slot_count, 0, (count - string_slot_count) * sizeof(StringSlot));
  string_slot_count = count;
}

void SetStringSlot(uint32_t i, const char* text) {
  char* slot = StringSlotText(i);
  if (!slot) return;
  std::memset(slot, 0, sizeof(StringSlot));
  if (text) std::strncpy(slot, text, kStringSlotCapacity);
}

int AppendStringSlot(const char* text) {
  if (string_slot_count == 0xFFFF) return -1;
  uint16_t i = string_slot_count;
  ResizeStringSlots(static_cast<uint16_t>(i + 1));
  SetStringSlot(i, text);
  return i;
}

void FreeStringSlots() {
  std::free(string_slots);
  string_slots = nullptr;
  string_slot_count = game_string_count = zone_string_count = 0;
}

}  // namespace tolv
