#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/atomic_file.h"
#include "base/byte_reader.h"
#include "base/byte_writer.h"

namespace tolv {
namespace {

TEST(ByteReader, ReadsBigEndianAndLatchesOverrun) {
  ByteWriter w;
  w.U8(0x12);
  w.U16(0x3456);
  w.U32(0x789abcde);
  ByteReader r(w.bytes.data(), w.bytes.size());
  EXPECT_EQ(r.U8(), 0x12);
  EXPECT_EQ(r.U16(), 0x3456);
  EXPECT_EQ(r.U32(), 0x789abcdeu);
  EXPECT_FALSE(r.failed);
  EXPECT_EQ(r.U8(), 0);
  EXPECT_TRUE(r.failed);
  // Once failed, reads that would fit still give 0.
  ByteReader t(w.bytes.data(), w.bytes.size());
  EXPECT_EQ(t.U32(), 0x12345678u);
  EXPECT_EQ(t.U32(), 0u);
  EXPECT_TRUE(t.failed);
  EXPECT_EQ(t.U8(), 0);
}

TEST(ByteReader, CountsCheckedAgainstBytesLeft) {
  uint8_t b[10] = {};
  ByteReader r(b, sizeof b);
  EXPECT_TRUE(r.CanHold(5, 2));
  EXPECT_FALSE(r.CanHold(6, 2));
  EXPECT_TRUE(r.failed);
  ByteReader s(b, sizeof b);
  EXPECT_FALSE(s.CanHold(UINT64_MAX / 2, 4));
  EXPECT_FALSE(s.Skip(11));
}

TEST(AtomicFile, ReplacesOnlyOnSuccess) {
  auto dir = std::filesystem::temp_directory_path() / ("tolv_atomic_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::string path = (dir / "a.bin").string();
  ASSERT_TRUE(SaveFileAtomically(path, std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(std::filesystem::file_size(path), 3u);

  AtomicFile f;
  ASSERT_TRUE(BeginAtomicFile(f, path));
  WriteAtomicFile(f, "xyz", 3);
  AbandonAtomicFile(f);
  EXPECT_EQ(std::filesystem::file_size(path), 3u);
  // Nothing but the target is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
  // A target in a missing folder fails cleanly.
  EXPECT_FALSE(SaveFileAtomically((dir / "no" / "b.bin").string(), std::vector<uint8_t>{1}));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tolv
