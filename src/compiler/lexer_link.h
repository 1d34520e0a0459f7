// The def-file lexer and the fatal error path, as the compiler uses them.
#pragma once
#include <cstdint>

namespace tolv {

struct FileStream {
  char* buffer = nullptr;
  uint32_t size = 0;
  uint32_t position = 0;
  uint32_t line = 0;
  char* name = nullptr;
  char* folder = nullptr;
  uint8_t line_mode = 0;
  uint8_t archive = 0;
};

extern char text_buffer[256];
extern FileStream* current_stream;
extern uint8_t include_reading;
extern uint8_t last_alias_kind;
extern uint8_t game_unpacked;

int OpenStream(const char* path, FileStream* stream);
void CloseStream(FileStream* stream);
int ReadStreamChar(FileStream* stream);
int IsStreamEnd(FileStream* stream);
void RewindStream(FileStream* stream);
void SeekStream(FileStream* stream, int32_t offset, int whence);
uint32_t TellStream(FileStream* stream);
int ReadScriptLine(FileStream* stream, char* text);
int ReadToken(FileStream* stream, char* text);
int32_t ParseNumber(char* text);
[[noreturn]] void ScriptError(const char* message);

}  // namespace tolv
