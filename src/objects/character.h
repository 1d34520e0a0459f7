// Characters: frames, default variables, labels, actions and key
// combinations loaded from character definition files.
#pragma once
#include <cstdint>

#include "script/machine.h"
#include "world/sprite_frame.h"

namespace tolv {

struct KeyCombination {
  uint8_t key_count = 0;
  uint16_t* keys = nullptr;  // bit 15: entry of the player's pad row; else a key-state index
  uint8_t label = 0;         // slot of the player's label table
};

struct ActionGroup {
  uint16_t before_label = 65535;  // run before the character lanes
  uint16_t after_label = 65535;   // run after the key combinations
  uint8_t combination_count = 0;
  KeyCombination* combinations = nullptr;
};

struct Character {
  SpriteSet sprites;  // frame count and frames; types and players point here
  int32_t* default_vars = nullptr;
  uint32_t default_var_count = 0;
  uint8_t extra_label_count = 0;
  uint16_t* extra_labels = nullptr;
  uint16_t label_base = 0;  // player functions loaded before this character
  uint8_t action_count = 0;
  ActionGroup* actions = nullptr;
  uint8_t main_label_count = 0;
  uint16_t* main_labels = nullptr;  // label 0 starts when a player takes the character
  char* path = nullptr;             // kept for reloading
};

// Character records never move: types and players hold &characters[c].sprites.
constexpr int kMaxCharacters = 255;  // 255 in a player record means none
extern Character characters[kMaxCharacters];
extern uint8_t character_count;
extern CodeSet player_functions;

// The character record a player's character index names, or null.
inline const Character* FindCharacter(uint8_t c) { return c < character_count ? &characters[c] : nullptr; }

// Frees character c, or every character for -1.
void FreeCharacters(int c);
// Hands a character's data to the end-of-frame free list and empties it.
void RetireCharacter(int c);
// Hands player functions from `keep` on to the end-of-frame free list.
void RetirePlayerFunctions(uint16_t keep);
// Frees what reloads replaced; the host calls it at the end of each frame.
void FreeRetiredCharacterData();

}  // namespace tolv
