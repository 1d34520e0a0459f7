// Command lines: the generic form, jumps, the counted form and the special
// operand shapes.
#include "compiler_fixture.h"
#include "script/commands.h"
#include "script/global_contexts.h"

namespace tolv::test {
namespace {

struct StatementTest : CompilerTest {
  void TearDown() override {
    script_functions.game = script_functions.zone = 0;
    compile_scopes.object_types = {};
    CompilerTest::TearDown();
  }
};

TEST_F(StatementTest, GenericFormAndNegativeIdSwap) {
  Listing l = Compile("#12 :R0 :5\n#End\n");
  EXPECT_EQ(l, (Listing{{12, R(0), 5}, {346}}));
  EXPECT_EQ(Line("#-12 :R0 :5"), (Words{12, 5, R(0)}));
  // Operands on following ':' lines, prefixes of the generic table.
  EXPECT_EQ(Line("#12\n:L4\n:l4"), (Words{12, 4, 5}));
  EXPECT_EQ(Line("#12 :s7 :C3"), (Words{12, 7, 3}));
  EXPECT_EQ(Failure("#1551 :1\n#End\n"), "Command ID 1551 is out of range (0 to 1550)");
  EXPECT_NE(Failure("#-847 :1\n#End\n").find("negative Command ID"), std::string::npos);
}

TEST_F(StatementTest, EndLineAndLineTypes) {
  EXPECT_EQ(Compile("#END\n"), (Listing{{346}}));
  EXPECT_EQ(Failure("#12 :1 :2\n:3\n#End\n"), "Expected Terminator '# End' but found paramater type ':'");
  EXPECT_EQ(Failure("~Do\n~Forever\n~Else\n#End\n"), "Found Else without an If");
}

TEST_F(StatementTest, Jumps) {
  Listing l = Compile("@start\n#12 :0 :0\n#847 :@start\n#1527 :@start\n#847 :+1\n#847 :-2\n#End\n");
  EXPECT_EQ(l[1], (Words{847, 65535}));  // target 0 stored as 65535
  EXPECT_EQ(l[2], (Words{1527, 0}));     // the yielding jump stores the target
  EXPECT_EQ(l[3], (Words{847, 3}));      // +1 from 3 is 4, stored 3
  EXPECT_EQ(l[4], (Words{847, 1}));      // -2 from 4 is 2, stored 1
  std::string five = "#12 :0 :0\n#12 :0 :0\n#12 :0 :0\n#12 :0 :0\n#12 :0 :0\n";
  EXPECT_EQ(Compile(five + "#847 :+2\n#12 :0 :0\n#12 :0 :0\n#End\n")[5], (Words{847, 6}));
  EXPECT_EQ(Failure("#847 :+2\n#End\n"), "Jump target 2 is outside the Function (instructions 0 to 1)");
  EXPECT_NE(Failure("#1527 :-1\n#End\n").find("outside the Function"), std::string::npos);
}

TEST_F(StatementTest, CountAndJumpTables) {
  Listing l = Compile("@loop\n#28 :@loop :u3 :10\n#850 :R1 :2 :@loop :@end\n@end\n#End\n");
  EXPECT_EQ(l[0], (Words{28, 0, 259, 10}));
  EXPECT_EQ(l[1], (Words{850, R(1), 2, 65535, 1}));
  EXPECT_EQ(Failure("#850 :R1 :-1\n#End\n"), "Negative count -1");
  EXPECT_NE(Failure("#851 :A1 :1 :9\n#End\n").find("outside the Function"), std::string::npos);
}

TEST_F(StatementTest, CountedForm) {
  // Three instructions, then whatever follows is not read.
  Listing l = Compile(":3\n:12 :R1 :2\n:-12 :R1 :2\n:847 :0\n#Whatever\n");
  EXPECT_EQ(l, (Listing{{12, R(1), 2}, {12, 2, R(1)}, {847, 65535}, {346}}));
  EXPECT_EQ(Failure(":-1\n"), "Negative instruction count -1");
  EXPECT_EQ(Failure(":65534\n"), "A Function may hold at most 65533 instructions, this one has 65534");
}

TEST_F(StatementTest, ScopeLetters) {
  script_functions.game = 10;
  script_functions.zone = 5;
  compile_scopes.strings = {7, 3};
  compile_scopes.music = {4, 2};
  compile_scopes.sounds = {6, 1};
  compile_scopes.stat_obj_defs = {2, 2};
  compile_scopes.movement_functions = {20, 8};
  compile_scopes.animation_functions = {30, 9};
  EXPECT_EQ(Line("#30 :z2"), (Words{30, 12}));
  EXPECT_EQ(Line("#39 :A2"), (Words{39, 17}));  // A is the act scope here
  EXPECT_EQ(Line("#822 :R2"), (Words{822, R(2)}));
  EXPECT_EQ(Line("#33 :c"), (Words{33, 0x7fffffffu}));
  EXPECT_EQ(Line("#33 :Z1"), (Words{33, 8}));
  EXPECT_NE(Failure("#33 :a1\n#End\n").find("no act scope"), std::string::npos);
  EXPECT_EQ(Line("#37 :a1"), (Words{37, 7}));
  EXPECT_EQ(Line("#40 :z1 :0"), (Words{40, 7, 0}));
  EXPECT_NE(Failure("#40 :1 :1\n#End\n").find("Overpower"), std::string::npos);
  EXPECT_EQ(Line("#1398 :a0"), (Words{1398, 4}));
  EXPECT_EQ(Line("#1161 :a1"), (Words{1161, 29}));
  EXPECT_EQ(Line("#334 :z1"), (Words{334, 31}));
  EXPECT_EQ(Line("#812 :4 :0 :1"), (Words{812, 4, 0, 1}));
  EXPECT_EQ(Line("#1262 :r3 :g4"), (Words{1262, 0x40000003u, 4}));
  EXPECT_EQ(Line("#1471 :g1 :z1 :5"), (Words{1471, 1, 8, 5}));
  EXPECT_EQ(Line("#1441 :c :R1"), (Words{1441, 0x7fffffffu, R(1)}));
  compile_scopes.tables = {3, 0};
  EXPECT_EQ(Line("#1293 :z1 :R1 :R2"), (Words{1293, 4, R(1), R(2)}));
}

TEST_F(StatementTest, KeyCodesOnCompareLines) {
  key_map_entry_count = 10;
  key_map_count = 2;
  Listing l = Compile("#76 :t5 :1\n#76 :h5 :1\n#76 :m1h3 :1\n#76 :pr4 :1\n#64\n#64\n#64\n#64\n#End\n");
  EXPECT_EQ(l[0], (Words{76, 5, 1, 7}));
  EXPECT_EQ(l[1], (Words{76, 133, 1, 6}));
  EXPECT_EQ(l[2], (Words{76, 512 + 30 + 10 + 3, 1, 5}));
  EXPECT_EQ(l[3], (Words{76, 0x8000 + 20 + 4, 1, 4}));
  EXPECT_NE(Failure("#76 :m2t0 :1\n#64\n#End\n").find("beyond the 2 loaded key maps"), std::string::npos);
  EXPECT_NE(Failure("#76 :pt10 :1\n#64\n#End\n").find("beyond the 10 entries"), std::string::npos);
  key_map_entry_count = 16;
}

TEST_F(StatementTest, FlagLines) {
  Listing l = Compile("#356 :R3 :4\n#64\n#End\n");
  EXPECT_EQ(l[0], (Words{356, R(3), 16, 1}));
  EXPECT_EQ(Line("#362 :R3 :4"), (Words{362, R(3), 16}));
  EXPECT_EQ(Line("#363 :e1 :4"), (Words{363, 8, ~16u}));
  EXPECT_EQ(Line("#368 :R3 :r9"), (Words{368, R(3), 0x40000009u}));
}

TEST_F(StatementTest, SpawnShape) {
  compile_scopes.object_types = {100, 10};
  compile_scopes.stat_obj_defs = {2, 2};
  EXPECT_EQ(Line("#36 :z3 :R1 :5 :r2 :0 :0 :2 :7 :8"), (Words{36, 103 | 1u << 29, 257, 5, 0x40000002u, 0, 0, 2, 7, 8}));
  EXPECT_EQ(Line("#36 :a1 :1 :r2 :0 :0 :0 :0"), (Words{36, 111 | 1u << 28, 1, 2, 0, 0, 0, 0}));
  EXPECT_EQ(Line("#36 :9995 :0 :0 :0 :0 :0 :1 :z1"), (Words{36, 9995, 0, 0, 0, 0, 0, 1, 3}));
  EXPECT_EQ(Failure("#36 :1 :0 :0 :0 :0 :0 :-2\n#End\n"), "Negative count -2");
}

TEST_F(StatementTest, NodeAndElementShapes) {
  EXPECT_EQ(Line("#92 :r1 :0 :R2 :10 :20"), (Words{92, 1 + 0x8000000u + 0x40000000u, 0, 258, 10, 20}));
  EXPECT_EQ(Line("#93 :R1 :r1 :0 :0 :r4 :1 :2 :3"),
            (Words{93, 257 + 0x8000000u + 0x80000000u + 0x10000000u, 1, 0, 0, 4, 1, 2, 3}));
  EXPECT_EQ(Line("#2 :r3 :4 :0 :r7 :2"), (Words{2, 3 + 0x8000 + 0x1000, 4, 0, 7, 2}));
  EXPECT_EQ(Line("#2 :r3 :1 :0 :r7"), (Words{2, 3 + 0x8000 + 0x1000, 1, 0, 7}));
  EXPECT_EQ(Line("#7 :R3 :9"), (Words{7, 3 + 0x8000, 9}));
  EXPECT_EQ(Line("#6 :3 :r1 :r5 :6"), (Words{6, 3 + 0x4000 + 0x2000, 1, 5, 6}));
  EXPECT_EQ(Line("#5 :1 :1"), (Words{5, 1, 1}));
  EXPECT_EQ(Line("#5 :1 :2 :9"), (Words{5, 1, 2, 9}));
  EXPECT_EQ(Line("#22 :7 :0"), (Words{22, 7, 0}));
  EXPECT_EQ(Line("#22 :7 :1 :4 :5 :6"), (Words{22, 7, 3, 4, 5, 6}));
}

TEST_F(StatementTest, ListShapes) {
  EXPECT_EQ(Line("#21 :1 :2 :1 :w3 :d2 :R1"), (Words{21, 1, 2, 3, 3, 8, R(1)}));
  EXPECT_EQ(Line("#1438 :1 :2 :5 :w3 :d2 :r1"), (Words{1438, 1, 2, 15, 3, 8, 0x40000001u}));
  EXPECT_EQ(Line("#1439 :1 :2 :5 :R1"), (Words{1439, 1, 2, 15, R(1)}));
  EXPECT_EQ(Line("#322 :2 :l1 :p2 :0 :L1 :a1 :9"),
            (Words{322, 6, 2, 0x80000002u, 0, 1, 0x20000000u + 60, 9}));
  EXPECT_EQ(Line("#1426 :R1 :r2 :7 :0 :r3"), (Words{1426 | 1u << 29 | 1u << 28 | 1u << 25, 257, 2, 7, 0, 3}));
  // Three words an entry: a count whose word total passes 2^31 fails as too long.
  EXPECT_NE(Failure("#21 :1 :2 :1431655766\n#End\n"), "");
  EXPECT_NE(Failure("#22 :1 :2147483647\n#End\n"), "");
}

}  // namespace
}  // namespace tolv::test
