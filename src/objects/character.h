// Characters: what a player takes on. Only the label base is held so far.
#pragma once
#include <cstdint>

namespace tolv {

struct Character {
  uint16_t label_base = 0;  // player functions loaded before this character
};

extern Character* characters;
extern uint8_t character_count;

// The character record a player's character index names, or null.
inline const Character* FindCharacter(uint8_t c) {
  return c < character_count && characters ? &characters[c] : nullptr;
}

}  // namespace tolv
