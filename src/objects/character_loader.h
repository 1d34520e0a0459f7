// Loading characters from character definition files.
#pragma once
#include <cstdint>

#include "script/machine.h"
#include "world/sprite_frame.h"

namespace tolv {

// Where the loader reads its tokens: the def-file tokenizer over a file,
// or any other source of tokens.
struct TokenSource {
  void* state = nullptr;
  // Reads the next token into text (256 bytes); false at the end.
  bool (*next)(void* state, char* text) = nullptr;
};

// Slots the tokenizer and the compiler fill: opening a definition file as
// a token source, closing it, and compiling one player function from it.
extern bool (*open_character_file)(const char* path, TokenSource* src);
extern void (*close_character_file)(TokenSource* src);
extern bool (*compile_player_function)(TokenSource* src, ScriptFunction* out, const char* name);
// The fatal error route for bad definition files.
extern void (*character_error)(const char* message);

// Loads character c from a definition file; false after an error, which
// leaves the character empty.
bool LoadCharacterDef(const char* path, int c);
// Reads a definition from an open token source.
bool ReadCharacterDef(TokenSource* src, int c);
// Loads c again, then every later character from its kept path; the
// replaced frames and functions are freed at the end of the frame.
bool ReloadCharacterDef(const char* path, int c);
// A key code token of a key combination.
uint16_t ParseKeyCode(char* token);

}  // namespace tolv
