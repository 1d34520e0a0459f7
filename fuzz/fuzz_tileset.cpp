// Fuzz target for the tile-set reader: any input (first byte: bit 0 reads
// it embedded) must either be refused with the live set unchanged, or be
// read into a set that animates, writes, reads back and writes the same.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "script/operands.h"
#include "script/registers.h"
#include "world/tile_file.h"

using namespace tolv;

static std::vector<uint8_t> Written() {
  ByteWriter w;
  WriteTileData(w, false);
  return w.bytes;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = [] {
    AllocRegisters(0);
    ResetRegisters();
    ResizeTiles(2);
    return true;
  }();
  (void)ready;
  if (size == 0 || size > (1u << 20)) return 0;
  const bool embedded = data[0] & 1;
  registers[kRegLevelStarted] = data[0] >> 1 & 1;  // rows into the palette as read
  const std::vector<uint8_t> before = Written();
  ByteReader r(data + 1, size - 1);
  int version = ReadTileData(r, embedded);
  if (version == kBadTileData || version > kTileVersion) {
    if (Written() != before) std::abort();
    return 0;
  }
  for (int i = 0; i < 3; i++) AnimateTiles();
  for (uint32_t t = 0; t < tile_count; t++) {
    const Tile& tile = tiles[t];
    volatile uint8_t shown = tile.current_frame[63];  // the frame pointer stays inside its store
    (void)shown;
  }
  const std::vector<uint8_t> first = Written();
  ByteReader again(first.data(), first.size());
  if (ReadTileData(again, false) != kTileVersion || Written() != first) std::abort();
  if (tile_count > 2) ResizeTiles(2);  // keeps the next runs' comparisons cheap
  return 0;
}
