// Each level test starts from the default level with fresh registers and
// an empty message log.
#pragma once
#include <gtest/gtest.h>

#include "base/message_log.h"
#include "level_bytes.h"
#include "../base/message_lines.h"
#include "world/editor_plane_state.h"
#include "world/level_file.h"

namespace tolv::test {

inline void StartLevelTest() {
  AllocRegisters(0);
  ResetRegisters();
  ClearMessages();
  ResetDefaultPlanes();
  level_file_path.clear();
}

inline void EndLevelTest() {
  FreeLevel();
  level_file_path.clear();
}

class LevelTest : public ::testing::Test {
 protected:
  void SetUp() override { StartLevelTest(); }
  void TearDown() override { EndLevelTest(); }
  static LevelReadResult Read(const std::vector<uint8_t>& bytes, bool embedded = false) {
    ByteReader r(bytes.data(), bytes.size());
    return ReadLevelData(r, embedded);
  }
  static LevelReadResult Read(const Bytes& f) { return Read(f.b); }
  static std::vector<uint8_t> Write(bool embedded = false) {
    ByteWriter w;
    WriteLevelData(w, embedded);
    return w.bytes;
  }
  // Cell (x, y); y may be the spare row.
  static uint16_t Cell(uint32_t plane, uint32_t x, uint32_t y) { return planes[plane].map[planes[plane].width * y + x]; }
};

}  // namespace tolv::test
