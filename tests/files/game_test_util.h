// Shared test scaffolding: fatal errors become exceptions, and each test runs
// in its own temporary base folder with the working folder restored after.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "files/file_stream.h"
#include "files/files_state.h"
#include "files/game_files.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "files/working_folder.h"

namespace tolv::test {

struct ScriptErrorThrown {
  std::string message, report;
};

inline void ThrowScriptError(const char* message, const char* report) { throw ScriptErrorThrown{message, report}; }

// Message of the fatal error that fn raises, "" when it raises none.
template <class Fn>
std::string FatalMessage(Fn fn) {
  try {
    fn();
  } catch (const ScriptErrorThrown& e) {
    return e.message;
  }
  return "";
}

inline void LoadText(FileStream& s, const std::string& text) {
  CreateByteBuffer(s, static_cast<uint32_t>(text.size()));
  std::memcpy(s.buffer.data(), text.data(), text.size());
  s.name = "test.def";
}

inline void WriteFile(const std::filesystem::path& p, const std::string& bytes) {
  std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

// A new temporary folder root_ as the base folder, removed after the test
// with the working folder put back.
class TempBaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_cwd_ = std::filesystem::current_path();
    char tmpl[] = "/tmp/tolv_test_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root_ = tmpl;
    base_folder = root_.string();
    script_error_hook = ThrowScriptError;
    current_stream = nullptr;
    include_reading = 0;
  }
  void TearDown() override {
    CloseGameFiles();
    CloseArchive();
    script_error_hook = nullptr;
    ChangeWorkingFolder(saved_cwd_.c_str());
    std::filesystem::remove_all(root_);
  }

  std::filesystem::path saved_cwd_, root_;
};

// An empty game folder "game" of the base folder, the working folder.
class GameDirTest : public TempBaseTest {
 protected:
  void SetUp() override {
    TempBaseTest::SetUp();
    std::filesystem::create_directories(root_ / "game");
    game_folder = (root_ / "game").string();
    ASSERT_EQ(ChangeWorkingFolder(game_folder.c_str()), 1);
  }
  std::filesystem::path game() const { return root_ / "game"; }
};

class TokenizerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    script_error_hook = ThrowScriptError;
    include_reading = 0;
    game_unpacked = 1;
    resolve_alias = nullptr;
  }
  void TearDown() override {
    script_error_hook = nullptr;
    resolve_alias = nullptr;
    current_stream = nullptr;
  }
};

}  // namespace tolv::test

#include "files/archive_writer.h"

namespace tolv::test {

// An in-memory folder tree for the archive writer.
struct TreeDir {
  std::string name;
  std::vector<TreeDir> dirs;
  std::vector<std::pair<std::string, std::string>> files;
};

inline void WriteTreeLevel(ArchiveWriter& w, const TreeDir& d) {
  for (const TreeDir& sub : d.dirs) {
    BeginArchiveFolder(w, sub.name.c_str());
    WriteTreeLevel(w, sub);
    EndArchiveFolder(w);
  }
  for (const auto& [name, bytes] : d.files) {
    BeginArchiveMember(w, name.c_str());
    WriteArchiveBytes(w, bytes.data(), bytes.size());
    EndArchiveMember(w);
  }
}

inline bool PackTree(const std::string& path, const TreeDir& root, uint32_t time_seed = 12345) {
  ArchiveWriter w;
  BeginArchive(w, path.c_str(), time_seed);
  WriteTreeLevel(w, root);
  return FinishArchive(w);
}

// The rest of the current game file.
inline std::string ReadRest() {
  std::string out;
  for (int c; (c = ReadGameFileByte()) != kGameFileEnd;) out += static_cast<char>(c);
  return out;
}

inline std::string ReadFileBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace tolv::test
