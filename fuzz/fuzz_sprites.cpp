// Sprite file reader fuzzing: any bytes either read as sets or are refused,
// never read outside the input or ask for more than the input can hold.
// What reads is written again (unless it turns out to use 256 colours),
// and that file must read back and write to the same bytes. The character form (set count skipped, one set) too.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "world/sprite_file.h"

using namespace tolv;

// The file's bytes; empty when the writer refuses, which it may only do for
// a set whose codes past its table (colour 0) make 256 colours.
static std::vector<uint8_t> Write(const std::vector<SpriteSet>& sets) {
  std::vector<const SpriteSet*> p;
  for (const SpriteSet& s : sets) p.push_back(&s);
  ByteWriter out;
  std::string why;
  if (BuildSpriteFile(out, p.data(), uint32_t(p.size()), &why)) return out.bytes;
  if (why.find("uses all 256 colours") == std::string::npos) std::abort();
  return {};
}

static void Free(std::vector<SpriteSet>& sets) {
  for (SpriteSet& s : sets) FreeSetFrames(s);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  std::vector<SpriteSet> sets;
  std::vector<uint8_t> first;
  if (ReadSpriteFile(in, sets)) first = Write(sets);
  if (!first.empty()) {
    ByteReader again(first.data(), first.size());
    std::vector<SpriteSet> back;
    if (!ReadSpriteFile(again, back) || again.Left() != 0 || Write(back) != first) std::abort();
    Free(back);
  }
  Free(sets);
  ByteReader chr(data, size);
  chr.Skip(2);
  SpriteSet one;
  if (ReadCountedSpriteSet(chr, &one)) FreeSetFrames(one);
  return 0;
}
