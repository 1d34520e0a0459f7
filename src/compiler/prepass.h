// The pre-pass every script function goes through before it is compiled.
#pragma once
#include <cstdint>

namespace tolv {

// Counts the instructions of the function at the stream's position and
// collects its labels and local aliases, then puts the stream back. Returns
// the instruction count (without the end line); a counted-form function
// returns its count and leaves the stream after the count token.
uint32_t PrepassFunction();

// One ".Alias name [type] [value]" directive (text after the '.').
void DefineAlias(const char* directive);

// Case-insensitive "End": the line that closes a text-form function.
bool IsEndLine(const char* text);

// The directive's first word and where its argument starts.
int DirectiveWord(const char* text, char* word, int size);

}  // namespace tolv
