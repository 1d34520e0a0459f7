// The three command tables against the availability matrix: which table
// serves which ID.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/command_lists.h"
#include "script/commands.h"

namespace tolv {
namespace {

std::set<int> Ids(std::initializer_list<std::pair<int, int>> ranges) {
  std::set<int> s;
  for (auto [a, b] : ranges)
    for (int i = a; i <= b; i++) s.insert(i);
  return s;
}

const std::set<int> kNoTable = Ids({{22, 25}, {43, 43}, {65, 65}, {153, 153}, {353, 353}, {355, 355},
                                    {471, 471}, {731, 731}, {848, 849}});
const std::set<int> kScriptOnly = Ids({{1263, 1280}, {1408, 1408}});
const std::set<int> kTimedOnly = Ids({{1392, 1394}});
const std::set<int> kNotInScript = Ids({{1424, 1425}});
const std::set<int> kNotInStat = Ids({{80, 84}, {347, 349}, {379, 382}, {385, 386}, {472, 472}, {816, 821},
                                      {846, 846}, {949, 956}, {1178, 1178}});

bool Available(CommandHandler h) { return h != UnavailableCommand; }

TEST(CommandTables, UnavailableSlotCountsPerTable) {
  // Slots the matrix leaves empty: 18 in the script table, 32 in the timed
  // table, 66 in the stat object table.
  int script = 0, timed = 0, stat = 0;
  for (int id = 0; id < kCommandCount; id++) {
    bool none = kNoTable.count(id);
    script += none || kTimedOnly.count(id) || kNotInScript.count(id);
    timed += none || kScriptOnly.count(id);
    stat += none || kScriptOnly.count(id) || kTimedOnly.count(id) || kNotInStat.count(id);
  }
  EXPECT_EQ(script, 18);
  EXPECT_EQ(timed, 32);
  EXPECT_EQ(stat, 66);
}

TEST(CommandTables, ImplementedCommandsFollowTheMatrix) {
  RegisterEngineCommands();
  ASSERT_EQ(BuildCommandTables(), 0);
  for (int id = 0; id < kCommandCount; id++) {
    CommandHandler s = script_commands[id], t = timed_commands[id], o = stat_obj_commands[id];
    bool any = Available(s) || Available(t) || Available(o);
    if (!any) continue;  // not built yet, or served by no table
    SCOPED_TRACE(id);
    EXPECT_FALSE(kNoTable.count(id));
    bool in_script = !kTimedOnly.count(id) && !kNotInScript.count(id);
    bool in_timed = !kScriptOnly.count(id);
    bool in_stat = !kScriptOnly.count(id) && !kTimedOnly.count(id) && !kNotInStat.count(id);
    EXPECT_EQ(Available(s), in_script);
    EXPECT_EQ(Available(t), in_timed);
    EXPECT_EQ(Available(o), in_stat);
  }
}

TEST(CommandTables, CountHasOneVariantPerTable) {
  EXPECT_NE(script_commands[28], timed_commands[28]);
  EXPECT_NE(script_commands[28], stat_obj_commands[28]);
  EXPECT_NE(timed_commands[28], stat_obj_commands[28]);
}

TEST(CommandTables, OutOfRangeIdsDispatchToTheEmptyHandler) {
  EXPECT_EQ(CommandIndex(1550), 1550u);
  EXPECT_EQ(CommandIndex(1551), uint32_t(kCommandCount));
  EXPECT_EQ(CommandIndex(0x70000000u | 36), 36u);  // flags above bit 15 never take part
  EXPECT_EQ(script_commands[kCommandCount], UnavailableCommand);
  EXPECT_EQ(timed_commands[kCommandCount], UnavailableCommand);
  EXPECT_EQ(stat_obj_commands[kCommandCount], UnavailableCommand);
  // The marker has a handler of its own in every table.
  EXPECT_TRUE(Available(script_commands[64]) && Available(timed_commands[64]) &&
              Available(stat_obj_commands[64]));
}

}  // namespace
}  // namespace tolv
