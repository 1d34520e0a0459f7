#include "base/message_log.h"
#include "game_test_util.h"

namespace tolv::test {
namespace {

class ScriptErrorTest : public GameDirTest {};

TEST_F(ScriptErrorTest, ReportNamesStreamFoldersAndLine) {
  FileStream s;
  LoadText(s, ":a\n:b\n:%s oops");
  s.name = "obj/100%.def";
  s.folder = "/games/x%d";
  char token[kTokenSize];
  ReadScriptLine(s, token);
  ReadScriptLine(s, token);
  std::string report;
  try {
    ScriptError("Bad value: 50%s");
  } catch (const ScriptErrorThrown& e) {
    EXPECT_EQ(e.message, "Bad value: 50%s");
    report = e.report;
  }
  EXPECT_EQ(report, "Current script:\nobj/100%.def\n\nCurrent Working Directory:\n/games/x%d\n" + game_folder +
                        "\n\nApproximate Line Number:\n2\n\nError:\nBad value: 50%s\n");
  // The same report as log lines, and no exit.
  ClearMessages();
  ShowScriptReport("Bad value");
  const int last = kMessageLines - 1;
  EXPECT_STREQ(MessageLine(last - 8), "Current script:");
  EXPECT_STREQ(MessageLine(last - 7), "obj/100%.def");
  EXPECT_STREQ(MessageLine(last - 2), "2");
  EXPECT_STREQ(MessageLine(last), "Bad value");
}

TEST_F(ScriptErrorTest, ReportWithoutOrAfterStream) {
  current_stream = nullptr;
  EXPECT_EQ(FormatScriptErrorReport("m"),
            "Current script:\n\n\nCurrent Working Directory:\n\n" + game_folder +
                "\n\nApproximate Line Number:\n0\n\nError:\nm\n");
  {
    FileStream s;
    LoadText(s, ":a\n");
    s.folder = "here";
    char token[kTokenSize];
    ReadScriptLine(s, token);
    CloseStream(s);
  }
  {
    FileStream s;
    LoadText(s, ":a\n");
    char token[kTokenSize];
    ReadScriptLine(s, token);
  }  // destroyed unclosed
  std::string r = FormatScriptErrorReport("m");
  EXPECT_NE(r.find("Current script:\ntest.def\n"), std::string::npos) << r;
  EXPECT_NE(r.find("Line Number:\n1\n"), std::string::npos) << r;
}

TEST(ScriptErrorDeathTest, ExitsWithStatusOne) {
  script_error_hook = nullptr;
  EXPECT_EXIT(ScriptError("fatal 100%"), ::testing::ExitedWithCode(1), "Script Error\n\n.*Error:\nfatal 100%\n");
}

}  // namespace
}  // namespace tolv::test
