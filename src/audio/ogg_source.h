// Ogg Vorbis music decoded from the whole file in memory as it plays.
#pragma once
#include <cstdint>
#include <vector>

#include "files/file_stream.h"

struct stb_vorbis;

namespace tolv {

// Null when the stream opens and has one or two channels, else why not.
const char* CheckOggStream(const FileStream& s);

// A decoder with a window of decoded frames; frame 0 of the window is
// frame `base` of the stream.
struct OggSource {
  stb_vorbis* vorbis = nullptr;
  std::vector<int16_t> window;  // interleaved
  uint32_t frames = 0, base = 0, rate = 0;
  uint8_t channels = 0, at_end = 0;
};

bool OpenOggSource(OggSource& o, const FileStream& s);
void CloseOggSource(OggSource& o);
// Keeps the frames from `keep` on at the window's start and decodes more
// after them; returns the frames added (0 at the end of the stream).
uint32_t RefillOggSource(OggSource& o, uint32_t keep);
// Back to the stream's frame `frame` (the window restarts there).
void SeekOggSource(OggSource& o, uint32_t frame);

}  // namespace tolv
