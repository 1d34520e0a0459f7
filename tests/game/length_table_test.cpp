// The instruction-length table: every ID defined once, and the lengths in
// use exactly as the command Parts count them.
#include <gtest/gtest.h>

#include "game/command_lists.h"
#include "script/commands.h"

namespace tolv {
namespace {

TEST(LengthTable, EveryIdDefinedOnceWithTheKnownHistogram) {
  RegisterEngineCommands();
  ASSERT_EQ(BuildCommandTables(), 0);
  int defined[kCommandCount] = {};
  for (size_t l = 0; l < command_list_count; l++)
    for (size_t k = 0; k < command_lists[l]->count; k++) defined[command_lists[l]->defs[k].id]++;
  for (int id = 0; id < kCommandCount; id++) EXPECT_EQ(defined[id], 1) << "ID " << id;
  int histogram[16] = {};
  for (int id = 0; id < kCommandCount; id++) histogram[operand_lengths[id]]++;
  const int expected[10] = {27, 32, 221, 338, 821, 73, 6, 1, 30, 2};  // 1408 has its five operands
  for (int len = 0; len < 10; len++) EXPECT_EQ(histogram[len], expected[len]) << "length " << len;
  for (int len = 10; len < 16; len++) EXPECT_EQ(histogram[len], 0) << "length " << len;
  // The special forms the compiler builds itself have no generic length.
  for (int id : {2, 3, 5, 6, 7, 21, 22, 23, 24, 25, 33, 34, 35, 36, 37, 40, 43, 46, 65, 78, 322, 350, 351, 352,
                 353, 354, 355})
    EXPECT_EQ(operand_lengths[id], 0) << "ID " << id;
  EXPECT_EQ(operand_lengths[847], 1);
  EXPECT_EQ(operand_lengths[72], 3);
}

}  // namespace
}  // namespace tolv
