// Compiles script source written to files of a scratch folder, and reads
// back instruction words and fatal messages.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "compiler/alias_tables.h"
#include "compiler/compile_scopes.h"
#include "compiler/compile_state.h"
#include "compiler/compiler.h"
#include "compiler/compiler_state.h"
#include "compiler/lexer_link.h"
#include "compiler/string_var_resolver.h"
#include "files/files_state.h"
#include "files/working_folder.h"
#include "script/commands.h"
#include "script/records.h"

namespace tolv::test {

struct ScriptFailure : std::runtime_error {
  std::string report;
  ScriptFailure(const char* message, const char* r) : std::runtime_error(message), report(r) {}
};
[[noreturn]] inline void ThrowFailure(const char* message, const char* report) { throw ScriptFailure(message, report); }

using Words = std::vector<uint32_t>;
using Listing = std::vector<Words>;

inline Listing ListingOf(const ScriptFunction& fn) {
  Listing out;
  for (uint16_t i = 0; i < fn.count; i++) {
    const uint32_t* w = InstructionAt(fn, i);
    out.emplace_back(w, w + InstructionLength(fn, i));
  }
  return out;
}

// Commands of subsystems above the compiler that these tests compile in
// the generic form. The engine registers their real lists at start-up (the
// game tests check every length); here the compiler sees their lengths.
inline const CommandDef kUpperCommands[] = {
    {12, 3, nullptr, nullptr, nullptr, "element kind"},
    {92, 6, nullptr, nullptr, nullptr, "node rectangle"},
    {93, 9, nullptr, nullptr, nullptr, "node rectangle targets"},
    {1161, 2, nullptr, nullptr, nullptr, "start in OD mover"},
    {1398, 2, nullptr, nullptr, nullptr, "pause with menu"},
    {1441, 3, nullptr, nullptr, nullptr, "reload character"},
};
inline const CommandList kUpperCommandList = TOLV_LIST(kUpperCommands);

class CompilerTest : public ::testing::Test {
 protected:
  char folder[64] = "/tmp/tolv_compiler_XXXXXX";
  char saved_cwd[4096] = {};
  size_t saved_list_count = 0;

  void SetUp() override {
    saved_list_count = command_list_count;
    RegisterCommandLists({&kUpperCommandList});
    ASSERT_TRUE(getcwd(saved_cwd, sizeof saved_cwd));
    ASSERT_TRUE(mkdtemp(folder));
    base_folder = game_folder = folder;
    ASSERT_EQ(ChangeWorkingFolder(folder), 1);
    script_error_hook = ThrowFailure;
    game_unpacked = 1;
    character_register_count = 20;
    compile_scopes = CompileScopes();
    UnloadCompiler();
  }
  void TearDown() override {
    ResetCompiler();
    UnloadCompiler();
    script_error_hook = nullptr;
    CloseGameFiles();
    EXPECT_EQ(ChangeWorkingFolder(saved_cwd), 1);
    std::string cmd = std::string("rm -rf ") + folder;
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    // The stand-in list would clash with the real lists a later test registers.
    while (command_list_count > saved_list_count) command_lists[--command_list_count] = nullptr;
    BuildCommandTables();
  }

  static void Write(const char* name, const std::string& text) {
    FILE* f = std::fopen(name, "wb");
    ASSERT_TRUE(f);
    std::fputs(text.c_str(), f);
    std::fclose(f);
  }

  // Compiles the one function in `source` (the text after it is ignored).
  Listing Compile(const std::string& source) {
    Write("func.def", source);
    FileStream s;
    EXPECT_TRUE(OpenStream("func.def", s));
    ScriptFunction fn = CompileFunctionBody(s);
    Listing l = ListingOf(fn);
    FreeScriptFunction(fn);
    return l;
  }

  // The fatal message compiling `source` ends with ("" when it compiles).
  std::string Failure(const std::string& source) {
    try {
      Compile(source);
    } catch (const ScriptFailure& e) {
      return e.what();
    }
    return "";
  }

  // One '~' or '#' line compiled; its words.
  Words Line(const std::string& line) {
    Listing l = Compile(line + "\n#End\n");
    EXPECT_EQ(l.size(), 2u);
    return l.empty() ? Words{} : l[0];
  }
};

constexpr uint32_t R(uint32_t n) { return 0x40000000u + 256 + n; }

}  // namespace tolv::test
