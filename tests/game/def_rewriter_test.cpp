// The def text re-writer on single functions and lines: operand texts,
// keyword lines, labels and includes, and the words the re-written text
// compiles to.
#include "game/def_rewriter.h"
#include "../compiler/compiler_fixture.h"

namespace tolv::test {
namespace {

class RewriterTest : public CompilerTest {
 protected:
  void SetUp() override {
    CompilerTest::SetUp();
    AddAliases();
  }
  void AddAliases() {
    AddName(global_aliases, "X", 5, 2);      // user register 5
    AddName(global_aliases, "K", 9, 0);      // constant
    AddName(global_aliases, "T", 3, 8);      // object variable 3
    AddName(global_aliases, "Hp", 2, 5);     // player variable 2
    AddName(global_aliases, "Main", 4, kFunctionAliasKind);
    SortNameTable(global_aliases);
  }
  std::string Rewrite(const std::string& text) {
    Write("source.def", text);
    FileStream s;
    EXPECT_TRUE(OpenStream("source.def", s));
    packed_text.clear();
    RewriteDefText(s);
    CloseStream(s);
    return packed_text;
  }
  std::string Fails(const std::string& text) {
    try {
      Rewrite(text);
    } catch (const ScriptFailure& e) {
      return e.what();
    }
    return "";
  }
  static std::string Format(const char* text, int kind) {
    char t[kTokenSize];
    std::snprintf(t, sizeof t, "%s", text);
    FormatOperand(t, kind);
    return t;
  }
};

TEST_F(RewriterTest, FormatOperand) {
  character_register_count = 10;
  EXPECT_EQ(Format("R300", 2), "R44");
  EXPECT_EQ(Format("U300", 2), "U44");
  EXPECT_EQ(Format("300", 10), "R44");
  EXPECT_EQ(Format("300", 2), "U44");
  EXPECT_EQ(Format("300", kFunctionAliasKind), "300");  // function numbers stay plain
  EXPECT_EQ(Format("A12", 5), "A2");
  EXPECT_EQ(Format("12", 5), "A2");
  EXPECT_EQ(Format("a60", 6), "a11");
  EXPECT_EQ(Format("60", 6), "a11");
  EXPECT_EQ(Format("c12", 4), "c3");
  EXPECT_EQ(Format("12", 4), "c3");
  EXPECT_EQ(Format("e9", 8), "E2");
  EXPECT_EQ(Format("E9", 8), "9");
  EXPECT_EQ(Format("9", 8), "E2");
  EXPECT_EQ(Format("r5", 1), "r5");
  EXPECT_EQ(Format("C4", 3), "C4");
  EXPECT_EQ(Format("4", 3), "C4");
  EXPECT_EQ(Format("0", 2), "0");
  EXPECT_EQ(Format("-7", 0), "-7");
  EXPECT_EQ(Format("x5", 2), "x5");
  // A prefix of another kind than the alias keeps both offsets: unchanged.
  EXPECT_EQ(Format("a22", 5), "a22");
  EXPECT_EQ(Format("R261", 0), "R261");
  EXPECT_EQ(Format("E12", 255), "E12");
}

TEST_F(RewriterTest, FunctionsLabelsAndIncludes) {
  AddName(global_aliases, "Name", 123, 0);
  SortNameTable(global_aliases);
  Write("inc.txt", "#847 :@A\n");
  EXPECT_EQ(Rewrite(":2 ; two functions\n#_Name\n#45 :1 :R_X\n~Else\n# End\n"
                    "@A\n#847 :@B\n.Alias Tmp\n#45 :r_Tmp :_T\n@B\n.Include inc.txt\n#End\n"),
            ":2\n:3\n:123\n:45\n:1\n:R5\n:63\n"
            ":3\n:847\n:2\n:45\n:r200\n:E3\n:847\n:0\n");
  // Outside functions: each ':' or '#' separated piece resolved on its own.
  EXPECT_EQ(Rewrite(":R_X\n:@keep\n:a:_K #_Main\n"), ":R5\n:@keep\n:a:9 #4\n");
  EXPECT_EQ(Fails("#847 :@Nowhere\n#End\n"), "Can't find label:\n\"Nowhere\"");
  EXPECT_EQ(Fails("#45 :1 :R0\n"), "File ended unexpectedly");
  EXPECT_EQ(Fails(":_Missing\n"), "Can't find alias:\n\"_Missing\"");
}

TEST_F(RewriterTest, KeywordLines) {
  EXPECT_EQ(Rewrite("~If R_X < 5\n~EndIf\n~IfFlag R0[R_X] == 0\n~EndIf\n~Flag a1[3] = 0\n~Flag e0[35] = 2\n#End\n"),
            ":6\n:72:R5:5\n:64\n:1410:R0:261\n:64\n:365:a1:3\n:370:e0:3\n");
  EXPECT_EQ(Fails("~Frob R0\n#End\n"), "Unknown keyword: \"Frob\"");
  EXPECT_EQ(Fails("#Frob R0\n#End\n"), "Unknown keyword: \"Frob\"");
  EXPECT_EQ(Fails("~If R0 = 1\n#End\n"), "\"=\" is an assignment operator. Please use \"==\" for comparison.");
  EXPECT_EQ(Fails("~If R0 < 1 2\n#End\n"),
            "If Expression requires 2 variable, but the expression itself attempts to perform additional operations");
  EXPECT_EQ(Fails("~TableB R0 = 3[4]\n#End\n"), "Constants are not an allowed table index value type");
  EXPECT_EQ(Fails("~Eval R0 = 1 + 2 + 3\n#End\n"),
            "Math expressions may only perform up to two operations; this expression attempted to perform more");
  // No command serves two constants: such a line would compile differently packed.
  EXPECT_EQ(Fails("~If 1 == 2\n~EndIf\n#End\n"),
            "The expression has no command for these operand types and cannot be packed");
}

// Every keyword form compiles to the same words from its re-written text,
// negative table entries (exchanged operands) included.
TEST_F(RewriterTest, RewrittenKeywordsCompileAlike) {
  const char* const lines[] = {
      "~If R_X < 5\n~EndIf",         "~If 5 < R1\n~EndIf",          "~If (CR) 7 >= R1\n~Else\n~EndIf",
      "~If a_Hp != e_T\n~EndIf",     "~IfFlag e1[4] == 1\n~EndIf",  "~IfFlag R0[r3] == 0\n~EndIf",
      "~Do\n~BreakDo\n~While R0 < 10", "~Do\n~While 10 > A2",       "~Do\n~Forever",
      "~Flag R2[R_X] = 1",           "~Flag c1[7] = 0",             "~Eval R0 = R1 + R2",
      "~Eval R0 = 5 + R1",           "~Eval a0 = R1 & e2",          "~Eval e_T = 3 - a_Hp",
      "~Eval R0 += _K",              "~Eval (P) 12 POW= R1",        "~Eval R_X ++",
      "~Eval e0 --",                 "~Eval R0 = -5 * R1",          "~Array R1 = R2[R3]",
      "~Array a1[e2] = 5",           "~TableB (RC) R0 = 2[R1]",     "~TableD (PCO) a0 = z1[e1]",
  };
  for (const char* line : lines) {
    const std::string source = std::string(line) + "\n#End\n";
    const Listing loose = Compile(source);
    const std::string packed = Rewrite(source);
    ClearNameTable(global_aliases);
    EXPECT_EQ(Compile(packed), loose) << line << "\n" << packed;
    AddAliases();
  }
}

}  // namespace
}  // namespace tolv::test
