#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/atomic_file.h"
#include "base/real_path.h"
#include "base/regular_file.h"
#include "base/write_guard.h"
#include "temp_files.h"
#include "within_time.h"

namespace tolv::test {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A folder "inside" that writes may go to, with "outside" beside it.
class WriteGuardTest : public ::testing::Test {
 protected:
  static inline std::string allowed;
  fs::path root;
  void SetUp() override {
    char tmpl[] = "/tmp/tolv_guard_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root = tmpl;
    fs::create_directories(root / "inside" / "sub");
    fs::create_directories(root / "outside");
    std::ofstream(root / "outside" / "private.txt") << "private";
    allowed = RealPath((root / "inside").string());
    write_folder_allowed = [](const std::string& f) { return IsPathWithin(f, allowed); };
  }
  void TearDown() override {
    write_folder_allowed = nullptr;
    fs::remove_all(root);
  }
  bool Save(const fs::path& p) { return SaveFileAtomically(p.string(), std::vector<uint8_t>{'n', 'e', 'w'}); }
};

TEST_F(WriteGuardTest, WritesStayInTheAllowedFolder) {
  const fs::path in = root / "inside";
  fs::create_directory_symlink(root / "outside", in / "linked");
  fs::create_symlink(root / "outside" / "private.txt", in / "file_link");
  fs::create_hard_link(root / "outside" / "private.txt", in / "hard");
  EXPECT_TRUE(Save(in / "sub" / "a.bin"));
  EXPECT_TRUE(Save(in / "sub" / ".." / "b.bin"));
  EXPECT_FALSE(Save(in / ".." / "outside" / "c.bin"));
  EXPECT_FALSE(Save(in / "linked" / "private.txt"));  // a folder that is a link out
  EXPECT_FALSE(Save(in / "linked" / "new.bin"));
  EXPECT_FALSE(Save(in / "hard"));  // a second name of a file outside
  EXPECT_TRUE(Save(in / "file_link"));  // the link is replaced, never followed
  EXPECT_EQ(Slurp(root / "outside" / "private.txt"), "private");
  EXPECT_FALSE(fs::exists(root / "outside" / "new.bin"));
  EXPECT_FALSE(fs::is_symlink(in / "file_link"));
  EXPECT_FALSE(TempFileBeside(in / "hard"));

  std::string name;
  const int folder = OpenWriteFolder((in / "sub" / "x").string(), &name);
  ASSERT_GE(folder, 0);
  EXPECT_EQ(name, "x");
  fs::create_symlink(root / "outside" / "private.txt", in / "sub" / "to_private");
  fs::create_hard_link(root / "outside" / "private.txt", in / "sub" / "second");
  ASSERT_EQ(mkfifo((in / "sub" / "fifo").c_str(), 0600), 0);
  for (const char* refused : {"to_private", "second", "fifo", "."})
    EXPECT_LT(OpenWriteTarget(folder, refused, O_WRONLY | O_TRUNC), 0) << refused;
  EXPECT_EQ(Slurp(root / "outside" / "private.txt"), "private");  // not truncated first
  const int fd = OpenWriteTarget(folder, "x", O_WRONLY | O_CREAT | O_TRUNC);
  EXPECT_GE(fd, 0);
  close(fd);
  close(folder);
}

TEST_F(WriteGuardTest, StaleTemporaryFilesGoOnlyWithTheirProcess) {
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  const fs::path in = root / "inside";
  const std::string dead = ".game.tvp." + std::to_string(gone) + ".0.tmp";
  const std::string live = ".game.tvp." + std::to_string(getppid()) + ".0.tmp";
  for (const std::string& n : {dead, live, std::string(".other.") + std::to_string(gone) + ".0.tmp"})
    std::ofstream(in / n) << "x";
  RemoveStaleAtomicFiles((in / "game.tvp").string());
  EXPECT_FALSE(fs::exists(in / dead));
  EXPECT_TRUE(fs::exists(in / live));
  EXPECT_EQ(std::distance(fs::directory_iterator(in), {}), 3);  // sub, live, other
}

TEST_F(WriteGuardTest, ReadsOpenRegularFilesOnlyAndNeverBlock) {
  const fs::path fifo = root / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(RunsWithin(10, [&] {
    return OpenRegularFile(fifo.c_str()) < 0 && OpenRegularFile("/dev/zero") < 0 &&
           OpenRegularFile(root.c_str()) < 0 && !OpenRegularFileStream(fifo.c_str());
  }));
  FILE* f = OpenRegularFileStream((root / "outside" / "private.txt").c_str());
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(std::fgetc(f), 'p');
  std::fclose(f);
  EXPECT_EQ(RealPathOfFd(-1), "");
  EXPECT_TRUE(IsPathWithin("/a/b", "/a"));
  EXPECT_TRUE(IsPathWithin("/a", "/a"));
  EXPECT_FALSE(IsPathWithin("/ab", "/a"));
  EXPECT_TRUE(IsPathWithin("/ab", "/"));
}

}  // namespace
}  // namespace tolv::test
