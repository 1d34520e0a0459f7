// The names of script/command_ids.h against the command lists, and the
// compiler's special forms against the lengths the lists give.
#include <gtest/gtest.h>

#include <cstring>

#include "compiler/statements.h"
#include "game/command_lists.h"
#include "script/command_ids.h"
#include "script/commands.h"

namespace tolv {
namespace {

TEST(CommandIds, NameTheCommandsTheListsDefine) {
  RegisterEngineCommands();
  const struct {
    uint16_t id;
    const char* name;
  } kNamed[] = {
      {kCmdElse, "else"}, {kCmdEndIf, "marker"}, {kCmdDo, "do"}, {kCmdForever, "forever"},
      {kCmdBreakDo, "break do"}, {kCmdSwitchFirst, "switch"}, {kCmdSwitchWide, "switch"}, {kCmdCase, "case"},
      {kCmdBreakCase, "break case"}, {kCmdEndSwitch, "end switch"}, {kCmdDefaultCase, "default case"},
      {kCmdEndFunction, "end function"}, {kCmdJump, "jump"}, {kCmdYieldingJump, "yielding jump"},
      {kCmdJumpTableFirst, "jump table"}, {kCmdJumpTableLast, "jump table"}, {kCountCommand, "count"},
      {kCmdIfFirst, "if <"}, {kCmdIfLast, "if !="}, {kCmdIfWideFirst, "if <"}, {kCmdIfWideLast, "if !="},
      {kCmdTestAndJump, "test and jump"}, {kCmdJumpUnlessInView, "jump unless object in view"},
      {kCmdBoxOverlapFirst, "player box overlap test"}, {kCmdBoxOverlapLast, "collide object box overlap test"},
      {kCmdContactFirst, "player contact test"}, {kCmdContactLast, "collide object contact test"},
      {kCmdBoxMovementFirst, "player box overlap test with offsets"},
      {kCmdBoxMovementLast, "collide object moving contact test"},
      {kCmdPlayerRelation, "player relation test"}, {kCmdScriptFileStateFirst, "jump if script file state"},
      {kCmdScriptFileStateLast, "jump if script file end"}, {kCmdIfLateFirst, "if bit set"}, {kCmdIfLateLast, "if bit clear"},
      {kCmdIfFlagFirst, "if mask set"}, {kCmdIfFlagLast, "if mask clear"}, {kCmdFlagFirst, "or mask"}, {kCmdFlagFirst + 1, "and mask"},
      {kCmdFlagXorFirst, "xor mask"}, {kCmdFlagLast, "xor mask"}, {kCmdWhileFirst, "while =="}, {kCmdWhileLast, "while <="},
      {kCmdStartFunction, "start function"}, {kCmdStopFunction, "stop function"},
      {kCmdRunFunctionNow, "run function now"}, {kCmdPause, "pause"},
      {kCmdMusicEffectFunction, "music effect function"}, {kCmdFunctionCommandFirst, "function command"},
      {kCmdFunctionCommandLast, "function command"}, {kCmdGlobalFunctionFirst, "start in global"},
      {kCmdGlobalFunctionLast, "stop in global"}, {kCmdSetPlaneFunction, "set plane function"},
      {kCmdMoverFunctions[0], "start in mover"}, {kCmdMoverFunctions[5], "stop in OD mover"},
      {kCmdAnimationFirst, "replace animation"}, {kCmdAnimationLast, "stop animation"},
      {kCmdAnimationParamsFirst, "replace animation with params"},
      {kCmdAnimationParamsLast, "start animation with params"}, {kCmdStringFirst, "load level file"},
      {kCmdStringLast, "load object layout"}, {kCmdStringCommands[0], "save object layout"},
      {kCmdStringCommands[4], "show string"}, {kCmdStringOperandCommands[0], "reload character"},
      {kCmdStringOperandCommands[2], "read string slot from file"}, {kCmdStringByteFirst, "read string byte"},
      {kCmdStringByteLast, "write string byte"}, {kCmdStringAudio, "string audio command"},
      {kCmdPlayMusic, "play music"}, {kCmdMusicCommand, "play jingle"}, {kCmdPlaySound, "play sound"},
      {kCmdSoundCommand, "sound command"}, {kCmdPauseWithMenu, "pause with menu"},
      {kCmdRegisterListFirst, "register list command"}, {kCmdRegisterListLast, "register list command"},
      {kCmdSetLabelTable, "set label table"}, {kCmdSpriteLayerList, "sprite layer list"},
      {kCmdLiteralList, "literal list"}, {kCmdSpriteLayerEntry, "sprite layer entry"},
      {kCmdSpriteLayerOperand, "sprite layer operand"}, {kCmdSpawnObject, "spawn object"},
      {kCmdNodeRectangle, "node rectangle"}, {kCmdNodeRectangleTargets, "node rectangle targets"},
      {kCmdElementCommands[0], "place element"}, {kCmdElementCommands[3], "target node"},
      {kCmdCounterWait, "counter wait"}, {kCmdSetFrame, "set frame"}, {kCmdReadTableFirst, "read table byte"},
      {kCmdReadTableLast, "read table double word"}, {kCmdArrayReadFirst, "read array"}, {kCmdArrayWriteFirst, "write array"},
      {kEmptyCommandId, "empty"},
  };
  for (const auto& n : kNamed) {
    ASSERT_TRUE(command_names[n.id]) << n.id;
    EXPECT_STREQ(command_names[n.id], n.name) << n.id;
  }
}

// A command the lists give no generic length is one the compiler builds
// itself, unless it does nothing ("unused", "empty"); every special form
// is a command that does something.
TEST(CommandIds, SpecialFormsCoverTheCommandsWithoutGenericLength) {
  RegisterEngineCommands();
  for (int id = 0; id < kCommandCount; id++) {
    SCOPED_TRACE(id);
    ASSERT_TRUE(command_names[id]);
    bool idle = std::strcmp(command_names[id], "unused") == 0 || std::strcmp(command_names[id], "empty") == 0;
    if (operand_lengths[id] == 0) {
      EXPECT_EQ(FindSpecialForm(id) != nullptr, !idle);
    } else if (FindSpecialForm(id)) {
      EXPECT_FALSE(idle);
    }
  }
}

}  // namespace
}  // namespace tolv
