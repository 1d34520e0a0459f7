// Tile-set files built byte by byte from the format's layout, and the
// fixture the tile tests share: a temporary game folder, registers and
// command tables, and a fresh tile set.
#pragma once
#include <string>
#include <vector>

#include "../files/game_test_util.h"
#include "base/message_log.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/command_lists.h"
#include "world/tile_file.h"

namespace tolv::test {

struct Bytes {
  std::vector<uint8_t> v;
  Bytes& u8(std::initializer_list<int> xs) {
    for (int x : xs) v.push_back(static_cast<uint8_t>(x));
    return *this;
  }
  Bytes& u16(int x) { return u8({x >> 8, x & 255}); }
  Bytes& fill(size_t n, int x) {
    v.insert(v.end(), n, static_cast<uint8_t>(x));
    return *this;
  }
  Bytes& text(const char* s) {
    while (*s) v.push_back(static_cast<uint8_t>(*s++));
    return *this;
  }
};

// Versions 1-4: three tiles (animated; one frame with a colour-0 pixel; no
// frames), their maps, one palette set of two rows, and (3 and 4) one
// stamp list holding a 2x1 stamp.
inline std::vector<uint8_t> Stil(int version) {
  Bytes b;
  b.text("STIL").u8({version}).u16(3);
  b.u8({11, 7, 3, 2, 2, 5});  // angle code 11, floor 7, 3 frames, delays 2 and 5
  for (int f = 0; f < 3; f++) b.fill(64, f + 1);
  b.u8({200, 0, 1, 0}).fill(63, 9).u8({0});
  b.u8({0, 3, 0, 0});
  for (int i = 0; i < 3 * 64; i++) b.u8({i});
  b.u8({1, 0, 2});                             // one set: water 0, two rows
  b.u8({2, 63, 1, 2, 30, 4, 5, 6, 0, 1, 2});  // two colours, cycle range 1, delay 2
  b.u8({0, 0, 0});                             // a row without colours
  b.u8({63, 8, 12});                           // tint
  if (version >= 3) b.u16(1).u16(1).u16(2).u16(1).u16(5).u16(6);
  return b.v;
}

// Version 0: 2000 tiles (tile 0 one frame, angle code 1; tile 1 code 2),
// then 64 palette rows of one colour each and the tint.
inline std::vector<uint8_t> Stil0(bool magic) {
  Bytes b;
  if (magic) b.text("STIL").u8({0});
  b.u8({1, 4, 1, 0}).fill(64, 3).u8({2, 0, 0, 0});
  for (int t = 2; t < 2000; t++) b.u8({0, 0, 0, 0});
  for (int r = 0; r < 64; r++) b.u8({1, 63, r, 2, 0, 0, 0});
  b.u8({1, 2, 3});
  return b.v;
}

// The ".dat" companion: per tile two unused bytes and its map.
inline std::vector<uint8_t> Companion() {
  Bytes b;
  for (int t = 0; t < 2000; t++) {
    b.u8({0xEE, 0xEE});
    for (int i = 0; i < 64; i++) b.u8({t + i});
  }
  return b.v;
}

inline std::string Str(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

class TileFileTest : public GameDirTest {
 protected:
  void SetUp() override {
    GameDirTest::SetUp();
    AllocRegisters(16);
    ResetRegisters();
    ResetPaletteBanks();
    RegisterWorldCommands();
    ResetTileSet();
    ClearMessages();
    tile_file_path.clear();
  }
  void Put(const std::string& name, const std::vector<uint8_t>& bytes) { WriteFile(game() / name, Str(bytes)); }
  static std::vector<uint8_t> Written() {
    ByteWriter w;
    WriteTileData(w, false);
    return w.bytes;
  }
  // The newest log lines joined, as one notice reads.
  static std::string Notice(int lines) {
    std::string s;
    for (int i = kMessageLines - lines; i < kMessageLines; i++) s += MessageLine(i);
    return s;
  }
};

}  // namespace tolv::test
