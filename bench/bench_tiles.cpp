// Tile-set reading speed (a 2000-tile, 4-frame version-4 file loaded from a
// loose file through the game file layer) against memcpy of the same
// bytes, and the per-tile cost of one animation step over 65535 animated
// tiles against copying their records.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bench_harness.h"
#include "files/game_files.h"
#include "files/working_folder.h"
#include "script/registers.h"
#include "world/tile_file.h"

using namespace tolv;

// n tiles of 4 frames with three delays, maps, one palette set, one stamp.
static std::vector<uint8_t> TileFile(uint32_t n) {
  ByteWriter w;
  w.Bytes("STIL", 4);
  w.U8(4);
  w.U16(n);
  for (uint32_t t = 0; t < n; t++) {
    w.U8(t), w.U8(0), w.U8(4), w.U8(3), w.U8(1), w.U8(2), w.U8(3);
    for (uint32_t i = 0; i < 4 * 64; i++) w.U8(1 + (t + i) % 255);
  }
  for (uint32_t t = 0; t < n * 64; t++) w.U8(t & 1);
  w.U8(1), w.U8(1), w.U8(64);
  for (int r = 0; r < 64; r++) w.U8(1), w.U32(0x10203000u | r), w.U8(0), w.U8(0);
  w.U8(0), w.U8(0), w.U8(12);
  w.U16(1), w.U16(1), w.U16(2), w.U16(2);
  for (int i = 0; i < 4; i++) w.U16(i);
  return w.bytes;
}

int main() {
  AllocRegisters(0);
  ResetRegisters();
  char dir[] = "/tmp/tolv_bench_tiles_XXXXXX";
  if (!mkdtemp(dir)) return 1;
  game_folder = dir;
  ChangeWorkingFolder(dir);
  const std::vector<uint8_t> file = TileFile(2000);
  std::ofstream(std::string(dir) + "/bench.til", std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));

  std::vector<uint8_t> copy(file.size());
  double load = bench::TimePerUnit([] { LoadTileFile("bench.til"); }, file.size(), 3);
  double base = bench::TimePerUnit([&] {
    std::memcpy(copy.data(), file.data(), file.size());
    asm volatile("" ::"r"(copy.data()) : "memory");
  }, file.size(), 3);
  double parse = bench::TimePerUnit([&] {
    ByteReader r(file.data(), file.size());
    ReadTileData(r, false);
  }, file.size(), 3);
  if (tile_count != 2000) return 1;
  std::printf("tileset: %.0f MB/s (parsing alone %.0f MB/s; memcpy of the same bytes %.0f MB/s, ratio %.3f)\n",
              1e3 / load, 1e3 / parse, 1e3 / base, base / load);

  const std::vector<uint8_t> many = TileFile(65535);
  ByteReader r(many.data(), many.size());
  if (ReadTileData(r, false) != 4 || tile_count != 65535) return 1;
  std::vector<Tile> records(tile_count);
  double step = bench::TimePerUnit(AnimateTiles, tile_count);
  double records_copy = bench::TimePerUnit([&] {
    std::memcpy(records.data(), tiles, sizeof(Tile) * tile_count);
    asm volatile("" ::"r"(records.data()) : "memory");
  }, tile_count);
  std::printf("animate: %.2f ns/tile (copying the records %.2f ns/tile, ratio %.2f)\n", step, records_copy,
              step / records_copy);
  std::filesystem::remove_all(dir);
  return 0;
}
