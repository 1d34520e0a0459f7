#include <cstring>
#include <utility>
#include <vector>

#include "game_test_util.h"

namespace tolv::test {
namespace {

using Tokens = std::vector<std::pair<int, std::string>>;

Tokens ReadAll(const std::string& text, uint8_t mode) {
  FileStream s;
  LoadText(s, text);
  s.line_mode = mode;
  include_reading = 1;
  Tokens out;
  char token[kTokenSize];
  for (int t; (t = ReadToken(s, token)) != -1;) out.push_back({t, token});
  include_reading = 0;
  return out;
}

TEST_F(TokenizerTest, LineTypesCommentsAndBlanks) {
  Tokens t = ReadAll(
      "free text is skipped\n"
      ":  value \t ; trailing comment\n"
      "; whole-line comment with : and #\n"
      "#12 :1 :2\n"
      "~ a + b\n"
      "@Label\n"
      ".Include dir\\sub\\x.def\n"
      ":\n"
      ":last",
      1);
  Tokens want = {{':', "value"}, {'#', "12"}, {':', "1"},           {':', "2"},   {'~', "a + b"},
                 {'@', "Label"}, {'.', "Include dir/sub/x.def"}, {':', ""}, {':', "last"}};
  EXPECT_EQ(t, want);
}

TEST_F(TokenizerTest, CrLfReadsLikeLf) {
  std::string lf = "; head\n:a\n\n#5 :6\n:  b c  \n~x\n";
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(ReadAll(lf, 1), ReadAll(crlf, 1));
  EXPECT_EQ(ReadAll(crlf, 1).size(), 5u);

  FileStream a, b;
  LoadText(a, lf);
  LoadText(b, crlf);
  a.line_mode = b.line_mode = 1;
  char token[kTokenSize];
  for (int i = 0; i < 5; i++) {
    ReadScriptLine(a, token);
    ReadScriptLine(b, token);
    EXPECT_EQ(a.line, b.line) << i;
  }
}

TEST_F(TokenizerTest, ParameterModeRejectsOtherLineTypes) {
  EXPECT_EQ(FatalMessage([] { ReadAll("#12 :1 :2\n", 0); }),
            "Expected paramater type ':' but found Command ID type '#'");
  EXPECT_EQ(FatalMessage([] { ReadAll(":1\n@x\n", 2); }), "Expected paramater type ':' but found Label type '@'");
  EXPECT_EQ(ReadAll(":1:2\n", 2), (Tokens{{':', "1"}, {':', "2"}}));
  // In mode 0 a ':' inside the line is part of the token.
  EXPECT_EQ(ReadAll(":1:2\n", 0), (Tokens{{':', "1:2"}}));
}

TEST_F(TokenizerTest, EndOfFile) {
  FileStream s;
  LoadText(s, ":only");
  char token[kTokenSize];
  EXPECT_EQ(ReadScriptLine(s, token), ':');
  EXPECT_STREQ(token, "only");
  EXPECT_EQ(FatalMessage([&] { ReadScriptLine(s, token); }), "File ended unexpectedly");
  include_reading = 1;
  EXPECT_EQ(ReadScriptLine(s, token), -1);
  // Past the end a buffered stream yields line feeds.
  EXPECT_EQ(ReadStreamChar(s), '\n');
}

TEST_F(TokenizerTest, TokenLengthLimit) {
  std::string max(255, 'x');
  EXPECT_EQ(ReadAll(":" + max + "    \n", 0), (Tokens{{':', max}}));
  EXPECT_EQ(FatalMessage([&] { ReadAll(":" + max + "y\n", 0); }), "token too long");
  EXPECT_EQ(FatalMessage([&] { ReadAll(":" + max + "  y\n", 0); }), "token too long");
}

int FakeAlias(char* name, int mode) {
  int value = std::strcmp(name, "_Speed") == 0 ? 5 : 7;
  std::snprintf(name, kTokenSize, "%d", value + (mode == 1 ? 256 : 0));
  return mode == 1 ? 2 : -1;
}

TEST_F(TokenizerTest, AliasSubstitution) {
  resolve_alias = FakeAlias;
  EXPECT_EQ(ReadAll("#_Cmd :_Speed :R_Speed :@lbl :plain :\n", 1),
            (Tokens{{'#', "7"}, {':', "261"}, {':', "R261"}, {':', "@lbl"}, {':', "plain"}, {':', ""}}));
  FileStream s;
  LoadText(s, ":R_Speed\n:x\n");
  char token[kTokenSize];
  ReadToken(s, token);
  EXPECT_EQ(last_alias_kind, 2);
  ReadToken(s, token);
  EXPECT_EQ(last_alias_kind, 255);

  // A packed game's files already hold values.
  game_unpacked = 0;
  EXPECT_EQ(ReadAll(":_Speed\n", 0), (Tokens{{':', "_Speed"}}));
  game_unpacked = 1;

  std::string long_prefix(250, 'a');
  EXPECT_EQ(FatalMessage([&] { ReadAll(":" + long_prefix + "_Speed\n", 0); }), "token too long");
}

TEST_F(TokenizerTest, NumberLiterals) {
  struct Case {
    const char* text;
    int32_t value;
  } cases[] = {
      {"$1F", 31},       {"$ff", 255},          {"-$10", -16},        {"%101", 5},
      {"-%101", -5},     {"'A", 65},            {"'\xff", 255},       {"-12", -12},
      {"  42", 42},      {"abc", 0},            {"$0x10", 16},        {"$1G2", 1},
      {"$FFFFFFFF", -1}, {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN}, {"", 0},
  };
  for (const Case& c : cases) {
    char text[32];
    std::snprintf(text, sizeof text, "%s", c.text);
    EXPECT_EQ(ParseNumber(text), c.value) << c.text;
  }
  char hex[] = "-$10";
  ParseNumber(hex);
  EXPECT_STREQ(hex, "  10");
}

TEST_F(TokenizerTest, ReadStreamLineEndings) {
  FileStream s;
  LoadText(s, "one\r\ntwo\rthree\nlong line here\nend");
  char line[8];
  std::vector<std::string> got;
  while (!IsStreamEnd(s)) {
    ReadStreamLine(line, sizeof line, s);
    got.push_back(line);
  }
  EXPECT_EQ(got, (std::vector<std::string>{"one", "two", "three", "long li", "ne here", "", "end"}));
}

TEST_F(TokenizerTest, SeekAndTellOnBuffer) {
  FileStream s;
  LoadText(s, "abcdef");
  SeekStream(s, -2, 2);
  EXPECT_EQ(TellStream(s), 4u);
  EXPECT_EQ(ReadStreamChar(s), 'e');
  SeekStream(s, -100, 1);
  EXPECT_EQ(TellStream(s), 5u);
  RewindStream(s);
  EXPECT_EQ(ReadStreamChar(s), 'a');
}

}  // namespace
}  // namespace tolv::test
