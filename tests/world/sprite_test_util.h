// Scaffolding for the sprite tests: a temporary game folder for the file
// layer, fatal errors as exceptions, the message log, and frames compared
// by hash with a picture written for a person to look at on a mismatch.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/byte_writer.h"
#include "base/message_log.h"
#include "files/game_files.h"
#include "files/script_error.h"
#include "files/working_folder.h"
#include "script/registers.h"
#include "world/sprite_frame.h"
#include "../base/message_lines.h"

namespace tolv::test {

struct Fatal {
  std::string message;
};

// Same size and pixel hash; otherwise both frames are written as 8-bit
// TGA pictures (index i as grey i) for a person to look at.
inline uint64_t PixelHash(const SpriteFrame& f) {
  uint64_t h = 1469598103934665603u;
  for (size_t i = 0; f.pixels && i < size_t(f.width) * f.height; i++) h = (h ^ f.pixels[i]) * 1099511628211u;
  return h;
}
inline void WriteFramePicture(const SpriteFrame& f, const std::string& path) {
  std::ofstream o(path, std::ios::binary);
  const uint8_t head[18] = {0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0, uint8_t(f.width), uint8_t(f.width >> 8),
                            uint8_t(f.height), uint8_t(f.height >> 8), 8, 0x20};
  o.write(reinterpret_cast<const char*>(head), sizeof head);
  for (int i = 0; i < 256; i++) o.put(char(i)).put(char(i)).put(char(i));
  if (f.pixels) o.write(reinterpret_cast<const char*>(f.pixels), std::streamsize(f.width) * f.height);
}
inline ::testing::AssertionResult SamePicture(const SpriteFrame& a, const SpriteFrame& b, const std::string& name) {
  if (a.width == b.width && a.height == b.height && PixelHash(a) == PixelHash(b)) return ::testing::AssertionSuccess();
  std::string base = (std::filesystem::temp_directory_path() / ("tolv_" + name)).string();
  WriteFramePicture(a, base + "_expected.tga");
  WriteFramePicture(b, base + "_got.tga");
  return ::testing::AssertionFailure() << name << " differs; pictures in " << base << "_*.tga";
}

class SpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_cwd_ = std::filesystem::current_path();
    char tmpl[] = "/tmp/tolv_sprites_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root_ = tmpl;
    base_folder = root_.string();
    game_folder = root_.string();
    game_unpacked = 1;
    ASSERT_EQ(ChangeWorkingFolder(game_folder.c_str()), 1);
    script_error_hook = [](const char* message, const char*) { throw Fatal{message}; };
    AllocRegisters(0);
    ClearMessages();
  }
  void TearDown() override {
    script_error_hook = nullptr;
    ChangeWorkingFolder(saved_cwd_.c_str());
    std::filesystem::remove_all(root_);
  }
  void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(root_ / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  std::vector<uint8_t> Read(const std::string& name) {
    std::ifstream in(root_ / name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path saved_cwd_, root_;
};

// Frame fields after the pixels in the file layout, hand-built.
struct FileFrameTail {
  int16_t offsets[4] = {};
  int32_t box[4] = {};  // left, right, top, bottom
  std::vector<std::array<int32_t, 4>> attack, hurt;
  std::vector<std::array<int32_t, 2>> spots;

  void Put(ByteWriter& b) const {
    for (int16_t v : offsets) b.U16(uint16_t(v));
    for (int32_t v : box) b.U32(uint32_t(v));
    for (const auto* list : {&attack, &hurt}) {
      b.U8(uint32_t(list->size()));
      for (const auto& box4 : *list)
        for (int32_t v : box4) b.U32(uint32_t(v));
    }
    b.U8(uint32_t(spots.size()));
    for (const auto& s : spots) b.U32(uint32_t(s[0])), b.U32(uint32_t(s[1]));
  }
};

}  // namespace tolv::test
