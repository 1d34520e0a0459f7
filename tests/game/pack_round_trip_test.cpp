// Packing must not change what a game compiles to: every function compiled
// from its original text (loose files, aliases) and from the re-written
// text in the archive (alone, no aliases) gives the same words.
#include "compiler/compiler_state.h"
#include "game/def_rewriter.h"
#include "pack_test_util.h"
#include "../compiler/compiler_fixture.h"

#include <algorithm>

namespace tolv::test {
namespace {

struct FunctionFile {
  const char* path;
  bool counted_list;  // a count token, then that many functions; else one function
};

class PackRoundTrip : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    compile_scopes = CompileScopes();
  }
  void TearDown() override {
    ResetCompiler();
    UnloadCompiler();
    PackTest::TearDown();
  }

  static std::vector<Listing> CompileFile(const FunctionFile& f) {
    std::vector<Listing> out;
    // As the loaders do: the file's folder current, so includes resolve there.
    std::string folder, file;
    SplitPath(f.path, nullptr, &folder, &file);
    ReturnToGameRoot();
    ChangeGameFolder(folder.c_str());
    FileStream s;
    EXPECT_TRUE(OpenStream(file.c_str(), s)) << f.path;
    int32_t n = 1;
    if (f.counted_list) {
      ReadToken(s, text_buffer);
      n = ParseNumber(text_buffer);
    }
    for (int32_t i = 0; i < n; i++) {
      ScriptFunction fn = CompileFunctionBody(s);
      out.push_back(ListingOf(fn));
      FreeScriptFunction(fn);
    }
    CloseStream(s);
    return out;
  }
  // Every token of a file, read as the loaders read them: text lines (the
  // tokens numbered in `text`) without alias substitution.
  struct TokenFile {
    const char* path;
    std::vector<size_t> text;
  };
  static std::vector<std::string> Tokens(const TokenFile& f) {
    const char* path = f.path;
    std::vector<std::string> out;
    ReturnToGameRoot();
    FileStream s;
    EXPECT_TRUE(OpenStream(path, s)) << path;
    include_reading = 1;  // the end of the file ends the list
    for (;;) {
      bool text = std::find(f.text.begin(), f.text.end(), out.size()) != f.text.end();
      if ((text ? ReadScriptLine(s, text_buffer) : ReadToken(s, text_buffer)) == -1) break;
      out.push_back(text_buffer);
    }
    include_reading = 0;
    CloseStream(s);
    return out;
  }
  // Loads the loose game's aliases and register counts as the packer does.
  void OpenLoose(const std::string& name) {
    CloseArchive();
    game_folder = Game(name).string();
    ASSERT_EQ(ChangeWorkingFolder(game_folder.c_str()), 1);
    LoadPackAliases();
    PrescanGameDef();
    LoadPackAliases();
  }

  void RoundTrip(const std::string& name, const std::vector<FunctionFile>& files,
                 const std::vector<TokenFile>& token_files) {
    CopyFixture(name);
    ASSERT_TRUE(Pack(name)) << pack_error;
    OpenLoose(name);
    std::vector<std::vector<Listing>> loose;
    for (const FunctionFile& f : files) loose.push_back(CompileFile(f));
    std::vector<std::vector<std::string>> loose_tokens;
    for (const TokenFile& t : token_files) loose_tokens.push_back(Tokens(t));
    ClearNameTable(global_aliases);
    OpenPackedOnly(name);
    for (size_t i = 0; i < files.size(); i++) {
      EXPECT_EQ(CompileFile(files[i]), loose[i]) << files[i].path;
      EXPECT_FALSE(loose[i].empty());
    }
    for (size_t i = 0; i < token_files.size(); i++) EXPECT_EQ(Tokens(token_files[i]), loose_tokens[i]) << token_files[i].path;
  }

  // Re-writing re-written text changes nothing: the def members of a game
  // packed from the members of the first archive are the same text.
  void Idempotent(const std::string& name, const std::vector<std::string>& defs) {
    OpenPackedOnly(name);
    std::vector<std::string> first;
    for (const std::string& d : defs) {
      first.push_back(Member(d));
      WriteFile(Game("again") / d, first.back());
    }
    CloseArchive();
    ASSERT_TRUE(Pack("again")) << pack_error;
    OpenPackedOnly("again");
    for (size_t i = 0; i < defs.size(); i++) EXPECT_EQ(Member(defs[i]), first[i]) << defs[i];
  }
};

TEST_F(PackRoundTrip, GameWithoutFuncsDef) {
  EXPECT_EQ(FatalMessage([&] {
  RoundTrip("alpha", {{"scripts/main.def", true}, {"scripts/more.def", true}, {"scripts/player.def", true}},
            {{"game.def", {7, 8}}, {"zone01/zone.def", {2}}});
  Idempotent("alpha", {"game.def", "zone01/zone.def", "scripts/main.def", "scripts/more.def", "scripts/player.def",
                       "sub/keymap.def"});
  }), "");
}

TEST_F(PackRoundTrip, GameWithFuncsDef) {
  EXPECT_EQ(FatalMessage([&] {
  RoundTrip("beta", {{"scripts/loop.def", false}, {"scripts/helper.def", false}}, {{"game.def", {7}}});
  Idempotent("beta", {"game.def", "game/funcs.def", "scripts/loop.def", "scripts/helper.def"});
  }), "");
}

}  // namespace
}  // namespace tolv::test
