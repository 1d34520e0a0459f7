// Operand notation, aliases, labels, directives and includes.
#include <cstring>

#include "compiler/operand_coding.h"
#include "compiler_fixture.h"
#include "script/commands.h"

namespace tolv::test {
namespace {

struct OperandTest : CompilerTest {
  static uint32_t Operand(const char* text, uint8_t expected = kKindNone, uint8_t* kind = nullptr) {
    char buf[256];
    std::strcpy(buf, text);
    uint32_t w = 0;
    uint8_t k = ParseOperand(&w, buf, expected);
    if (kind) *kind = k;
    return w;
  }
};

TEST_F(OperandTest, PrefixesCodeWordsAndKinds) {
  uint8_t kind;
  EXPECT_EQ(Operand("R5", kKindNone, &kind), 0x40000105u);
  EXPECT_EQ(kind, kKindUserReg);
  EXPECT_EQ(Operand("r5", kKindNone, &kind), 0x40000005u);
  EXPECT_EQ(kind, kKindReservedReg);
  EXPECT_EQ(Operand("u5"), 261u);
  EXPECT_EQ(Operand("e2"), 9u);
  EXPECT_EQ(Operand("c0"), 9u);
  EXPECT_EQ(Operand("A3"), 23u);  // character_register_count 20
  EXPECT_EQ(Operand("a1"), 60u);
  EXPECT_EQ(Operand("$10", kKindNone, &kind), 16u);
  EXPECT_EQ(kind, kKindNone);
  // The expected kind leaves the prefix's offset out (an alias carried it).
  EXPECT_EQ(Operand("R261", kKindUserReg), 0x40000105u);
  EXPECT_EQ(Operand("c9", kKindUserChar), 9u);
  compile_scopes.tables.game = 4;
  EXPECT_EQ(Operand("z2"), 6u);
}

TEST_F(OperandTest, ZeroGuard) {
  EXPECT_EQ(Operand("0"), 0u);
  EXPECT_EQ(Operand("$0"), 0u);
  EXPECT_EQ(Operand("C0"), 0u);
  EXPECT_THROW(Operand("$-10"), ScriptFailure);
  EXPECT_THROW(Operand("Speed"), ScriptFailure);
  EXPECT_THROW(Operand("C"), ScriptFailure);
  try {
    Operand("Speed");
  } catch (const ScriptFailure& e) {
    EXPECT_NE(std::string(e.what()).find("missing the '_' identifier"), std::string::npos);
  }
}

TEST_F(OperandTest, TypeOverrideGroup) {
  uint8_t spaces[3];
  EXPECT_EQ(ParseTypeOverride("(rPoC) R1", 0, spaces), 7);
  EXPECT_EQ(spaces[0], kSpaceReg);
  EXPECT_EQ(spaces[1], kSpacePlayer);
  EXPECT_EQ(spaces[2], kSpaceObject);
  EXPECT_EQ(ParseTypeOverride(" R1", 0, spaces), 0);
  EXPECT_EQ(spaces[0], kSpaceNone);
  EXPECT_THROW(ParseTypeOverride("(Rx)", 0, spaces), ScriptFailure);
}

TEST_F(OperandTest, GlobalAliasesByKindAndPrefix) {
  Write("alias.def", ":2\n:2\n:regs.def\n:names.def\n");
  Write("regs.def", ":Speed\n:5\n:Top\n:u7\n");
  Write("names.def", ":Speed\n:9 ; redefined: the last definition wins\n:Five\n:5\n");
  LoadAliasFiles("alias.def");
  // The file's kind 2 drops the offset of a matching prefix: Top = 7.
  EXPECT_EQ(Line("#12 :R_Top :_Five"), (Words{12, R(7), 5}));
  EXPECT_EQ(Line("#12 :R_Speed :u_Speed"), (Words{12, R(9), 265}));
  EXPECT_EQ(Failure("#12 :_Nothing :1\n#End\n"), "Can't find alias:\n\"_Nothing\"");
  EXPECT_EQ(Failure("#12 :R_ :1\n#End\n"), "Can't find alias:\n\"_\"");  // an empty name is never found
}

TEST_F(OperandTest, MissingAliasFileIsFatal) {
  Write("alias.def", ":1\n:gone.def\n");
  EXPECT_THROW(LoadAliasFiles("alias.def"), ScriptFailure);
  LoadAliasFiles("absent.def");  // no list: no aliases
  EXPECT_EQ(global_aliases.count, 0u);
}

TEST_F(OperandTest, LocalAliasesAndAutoRegisters) {
  std::string src;
  for (int i = 0; i < 32; i++) src += ".Alias L" + std::to_string(i) + "\n";
  src += ".Alias Pos P 4\n.Alias Spd R_Base\n#12 :r_L0 :r_L31\n#12 :C_Pos :_Spd\n#End\n";
  Write("alias.def", ":1\n:2\n:base.def\n");
  Write("base.def", ":Base\n:3\n");
  LoadAliasFiles("alias.def");
  Listing l = Compile(src);
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0], (Words{12, 0x40000000u + 200, 0x40000000u + 231}));
  EXPECT_EQ(l[1], (Words{12, 4, 259}));  // R_Base: kind 2, value 3
  std::string more = src.substr(0, src.find(".Alias Pos")) + ".Alias L32\n#End\n";
  EXPECT_EQ(Failure(more), "Attempted to define more than 32 auto-assigned Local Aliases in a single Function");
  EXPECT_NE(Failure(".Alias X R\n#End\n").find("A variable type was given"), std::string::npos);
  EXPECT_NE(Failure(".Alias X 1 2\n#End\n").find("extra data"), std::string::npos);
  EXPECT_NE(Failure(".Alias\n#End\n").find("must be provided with a name"), std::string::npos);
  EXPECT_EQ(Failure(".Bogus\n#End\n"), "Unknown directive:\n\"Bogus\"");
}

TEST_F(OperandTest, LabelsResolveForwardAndBackward) {
  Listing l = Compile("@top\n#847 :@bottom\n#12 :0 :0\n@bottom\n#1527 :@top\n#End\n");
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(l[0], (Words{847, 1}));  // label at 2, stored target - 1
  EXPECT_EQ(l[2], (Words{1527, 0}));
  EXPECT_EQ(l[3], (Words{346}));
  EXPECT_EQ(Failure("#847 :@nowhere\n#End\n"), "Can't find label:\n\"nowhere\"");
}

TEST_F(OperandTest, IncludesNestFiveDeep) {
  for (int i = 1; i <= 6; i++) {
    std::string next = i < 6 ? ".Include inc" + std::to_string(i + 1) + ".def\n" : "";
    Write(("inc" + std::to_string(i) + ".def").c_str(), "#12 :R" + std::to_string(i) + " :" + std::to_string(i) + "\n" + next);
  }
  Write("inc5b.def", "#12 :R5 :5\n");
  // Five files deep: inc1 .. inc4 and a last one that includes nothing.
  Write("top4.def", "#12 :R4 :4\n.Include inc5b.def\n");
  Write("top3.def", "#12 :R3 :3\n.Include top4.def\n");
  Write("top2.def", "#12 :R2 :2\n.Include top3.def\n");
  Write("top1.def", "#12 :R1 :1\n.Include top2.def\n");
  Listing l = Compile(".Include top1.def\n#12 :R0 :0\n#End\n");
  ASSERT_EQ(l.size(), 7u);
  for (uint32_t i = 0; i < 5; i++) EXPECT_EQ(l[i], (Words{12, R(i + 1), i + 1}));
  EXPECT_EQ(l[5], (Words{12, R(0), 0}));
  EXPECT_EQ(Failure(".Include inc1.def\n#End\n"), ".Include Directive only supports nesting 5 files deep");
  EXPECT_EQ(Failure(".Include none.def\n#End\n"), "Couldn't open include file:\n\"none.def\"");
  // A fault in an included file is reported against that file and its line.
  Write("bad.def", "#12 :1 :2\n\n#1551\n");
  try {
    Compile("#12 :0 :0\n.Include bad.def\n#End\n");
    ADD_FAILURE();
  } catch (const ScriptFailure& e) {
    EXPECT_NE(e.report.find("bad.def"), std::string::npos) << e.report;
    EXPECT_NE(e.report.find("Line Number:\n3"), std::string::npos) << e.report;
  }
}

// Names between '!' in script strings resolve like operands, aliases included.
TEST_F(OperandTest, StringVariablesResolveThroughAliases) {
  Write("alias.def", ":1\n:2\n:regs.def\n");
  Write("regs.def", ":Lives\n:3\n");
  LoadAliasFiles("alias.def");
  uint32_t index = 0;
  char prefixed[32] = "R_Lives";
  EXPECT_EQ(ResolveStringVarWithAliases(prefixed, &index), kKindUserReg);
  EXPECT_EQ(index, 259u);
  char alone[32] = "_Lives";
  EXPECT_EQ(ResolveStringVarWithAliases(alone, &index), kKindUserReg);
  EXPECT_EQ(index, 259u);
  char object[32] = "e4";
  EXPECT_EQ(ResolveStringVarWithAliases(object, &index), kKindUserObject);
  char missing[32] = "_Nothing";
  EXPECT_THROW(ResolveStringVarWithAliases(missing, &index), ScriptFailure);
}

}  // namespace
}  // namespace tolv::test
