// tables.def of the game and zone scopes, the element forms of each type
// code, and the table read commands.
#include "game/data_tables.h"
#include "loading_fixture.h"
#include "script/commands.h"
#include "script/global_contexts.h"
#include "script/records.h"

namespace tolv::test {
namespace {

using Words = std::initializer_list<uint32_t>;

// Runs one instruction (and the end) in a scratch context.
void RunInstruction(Words instruction) {
  FunctionBuilder b;
  b.Add(instruction);
  b.Add({346});
  CodeSet set;
  AppendFunction(set, b.Finish());
  ScriptContext ctx;
  BindContext(ctx, script_commands, &set);
  current_context = &ctx;
  RunFunctionNow(0);
  current_context = &ctx;
  ClearContext();
  FreeCodeSet(set);
  current_context = &global_context;
}

class TableTest : public LoadingTest {};

TEST_F(TableTest, EveryTypeCode) {
  Load("full.gdf");
  ASSERT_EQ(script_table_counts.total, 12);
  EXPECT_EQ(ReadTableElement(0, 0, 2), 256);  // code 0 bytes read as 16-bit host values
  EXPECT_EQ(ReadTableElement(0, 1, 2), 512);
  EXPECT_EQ(ReadTableElement(0, 4, 1), -1);
  EXPECT_EQ(ReadTableElement(1, 0, 2), 1);  // code 1: big-endian 16-bit
  EXPECT_EQ(ReadTableElement(1, 1, 2), 2);
  EXPECT_EQ(ReadTableElement(2, 0, 4), 256);  // code 3: big-endian 32-bit
  EXPECT_EQ(ReadTableElement(2, 1, 4), -1);
  EXPECT_EQ(ReadTableElement(3, 0, 1), 200);  // code 5: unsigned bytes
  EXPECT_EQ(ReadTableElement(3, 1, 1), 255);
  EXPECT_EQ(ReadTableElement(4, 0, 2), 65535);  // code 6: unsigned big-endian 16-bit
  EXPECT_EQ(ReadTableElement(4, 1, 2), 5);
  EXPECT_EQ(ReadTableElement(5, 0, 2), 65535);  // text kind 4: 65535 and -1 both as 65535
  EXPECT_EQ(ReadTableElement(5, 1, 2), 65535);
  EXPECT_EQ(script_table_sizes[6], 0u);  // code 9 names no form: an empty table
  EXPECT_EQ(ReadTableElement(6, 0, 1), 0);
  EXPECT_EQ(ReadTableElement(7, 0, 2), 0x0102);  // three bytes as 16-bit: the last value zero-padded
  EXPECT_EQ(ReadTableElement(7, 1, 2), 0x0300);
  EXPECT_EQ(ReadTableElement(8, 0, 1), -1);  // text kind 0: signed bytes
  EXPECT_EQ(ReadTableElement(8, 1, 1), -56);
  EXPECT_EQ(ReadTableElement(8, 2, 1), 16);
  EXPECT_EQ(ReadTableElement(9, 4, 1), 255);  // code 7: unsigned
  EXPECT_EQ(ReadTableElement(10, 4, 1), -1);  // codes 2 and 4: bytes as they are, signed
  EXPECT_EQ(ReadTableElement(11, 0, 1), -56);
  // Past the end of a table, before its start, or no table: 0.
  EXPECT_EQ(ReadTableElement(0, 8, 1), 0);
  EXPECT_EQ(ReadTableElement(2, 2, 4), 0);
  EXPECT_EQ(ReadTableElement(0, -1, 1), 0);
  EXPECT_EQ(ReadTableElement(12, 0, 1), 0);
}

TEST_F(TableTest, ReadCommandVariants) {
  Load("full.gdf");
  Reg(200) = 4;
  current_context = &global_context;
  RunFunctionNow(3);  // ~TableB U3 = 0[r200]
  EXPECT_EQ(User(3), -1);
  Reg(201) = 1;
  RunInstruction({1284 + 1, 1, 201, 202});  // R := 16-bit table K at index R
  EXPECT_EQ(Reg(202), 2);
  Reg(203) = 2;
  RunInstruction({1293 + 2, 203, 201, 202});  // table number in a register, 32-bit
  EXPECT_EQ(Reg(202), -1);
  Reg(203) = 3;
  RunInstruction({1293, 203, 201, 202});  // the same instruction reads another table after the register changes
  EXPECT_EQ(Reg(202), 255);
  player_operand_d = &player_records[0];
  PlayerVar(player_operand_d, 20) = 4;
  PlayerVar(player_operand_d, 21) = 1;
  RunInstruction({1284 + 36 + 18 + 3 + 1, 20, 21, 22});  // PD := 16-bit table PD[op1] at index PD
  EXPECT_EQ(PlayerVar(player_operand_d, 22), 5);
  RunInstruction({1284, 99, 201, 202});  // no such table
  EXPECT_EQ(Reg(202), 0);
}

TEST_F(TableTest, ZoneTablesFollowTheGames) {
  Start("full.gdf");
  ASSERT_EQ(script_table_counts.total, 14);
  EXPECT_EQ(script_table_counts.zone, 2);
  EXPECT_EQ(ReadTableElement(12, 1, 1), 1);
  EXPECT_EQ(ReadTableElement(13, 0, 4), 77);
  Reg(kRegZone) = 2;
  Reg(kRegLevelStarted) = 0;
  StartLevel();  // zone 2 has no tables.def
  EXPECT_EQ(script_table_counts.total, 12);
  EXPECT_EQ(script_table_counts.zone, 0);
  EXPECT_EQ(ReadTableElement(0, 1, 2), 512);
}

TEST_F(TableTest, MissingTableFileIsFatal) {
  Write(Game() / "tables.def", ":2\n:tables/bytes.bin\n:0\n:tables/none.bin\n:3\n");
  EXPECT_EQ(FatalMessage([&] { Load("full.gdf"); }), "File \"tables/none.bin\" not found");
  Write(Game() / "tables.def", ":1\n:tables/none.txt\n:8\n");
  EXPECT_EQ(FatalMessage([&] { Load("full.gdf"); }), "File \"tables/none.txt\" not found");
  std::filesystem::remove(Game() / "tables.def");
  Load("full.gdf");
  EXPECT_EQ(script_table_counts.total, 0);
}

}  // namespace
}  // namespace tolv::test
