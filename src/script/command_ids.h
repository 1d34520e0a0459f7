// Command IDs that code outside the command lists names: the instructions
// the compiler emits for blocks and function ends, the commands whose
// operands it codes itself (its special forms) and the family bases that
// keyword expressions count from; and the register bit of operand words.
// Each command is still defined once, in the list of the file that
// implements it; a test checks these names against those lists.
#pragma once
#include <cstdint>

namespace tolv {

// An operand word with this bit names a register (index in the low 30 bits).
constexpr uint32_t kRegisterBit = 0x40000000;

// Blocks and jumps.
constexpr uint16_t kCmdElse = 63;         // jump to the end of the block
constexpr uint16_t kCmdEndIf = 64;        // marker
constexpr uint16_t kCmdDo = 731;
constexpr uint16_t kCmdForever = 732;     // jump back to the Do
constexpr uint16_t kCmdBreakDo = 787;
constexpr uint16_t kCmdSwitchFirst = 350;
constexpr uint16_t kCmdSwitchWide = 352;  // cases up to 32765, the others 255
constexpr uint16_t kCmdCase = 353;
constexpr uint16_t kCmdBreakCase = 354;
constexpr uint16_t kCmdEndSwitch = 355;
constexpr uint16_t kCmdDefaultCase = 471;
constexpr uint16_t kCmdEndFunction = 346;  // closes every compiled function
constexpr uint16_t kCmdJump = 847;          // stores target - 1, does not yield
constexpr uint16_t kCmdYieldingJump = 1527;
constexpr uint16_t kCmdJumpTableFirst = 850, kCmdJumpTableLast = 852;
constexpr uint16_t kCountCommand = 28;

// Compares that open an If block or jump: 3-word and 4- and 5-word families.
constexpr uint16_t kCmdIfFirst = 66, kCmdIfLast = 77;
constexpr uint16_t kCmdIfWideFirst = 95, kCmdIfWideLast = 136;
constexpr uint16_t kCmdTestAndJump = 323;
constexpr uint16_t kCmdJumpUnlessInView = 325;
constexpr uint16_t kCmdBoxOverlapFirst = 347, kCmdBoxOverlapLast = 348;
constexpr uint16_t kCmdContactFirst = 385, kCmdContactLast = 386;
constexpr uint16_t kCmdBoxMovementFirst = 816, kCmdBoxMovementLast = 821;
constexpr uint16_t kCmdPlayerRelation = 1181;
constexpr uint16_t kCmdScriptFileStateFirst = 1449, kCmdScriptFileStateLast = 1450;
constexpr uint16_t kCmdIfLateFirst = 1409, kCmdIfLateLast = 1414;
constexpr uint16_t kCmdIfFlagFirst = 356, kCmdIfFlagLast = 361;
// Flag operations: or and and alternating (the and forms clear), then xor.
constexpr uint16_t kCmdFlagFirst = 362, kCmdFlagXorFirst = 368, kCmdFlagLast = 370;
constexpr uint16_t kCmdWhileFirst = 733, kCmdWhileLast = 786;

// Function numbers as operands.
constexpr uint16_t kCmdStartFunction = 30;
constexpr uint16_t kCmdStopFunction = 39;
constexpr uint16_t kCmdRunFunctionNow = 822;
constexpr uint16_t kCmdPause = 1397;
constexpr uint16_t kCmdMusicEffectFunction = 1434;
constexpr uint16_t kCmdFunctionCommandFirst = 1548, kCmdFunctionCommandLast = 1549;
constexpr uint16_t kCmdGlobalFunctionFirst = 1259, kCmdGlobalFunctionLast = 1261;
constexpr uint16_t kCmdSetPlaneFunction = 1262;
// Movement functions: start, run, stop in the running object's or OD's mover.
constexpr uint16_t kCmdMoverFunctions[] = {1152, 1155, 1158, 1161, 1164, 1167};
constexpr uint16_t kCmdAnimationFirst = 334, kCmdAnimationLast = 336;
constexpr uint16_t kCmdAnimationParamsFirst = 812, kCmdAnimationParamsLast = 813;

// Script strings, sounds, music and screen layouts as operands.
constexpr uint16_t kCmdStringFirst = 33, kCmdStringLast = 35;
constexpr uint16_t kCmdStringCommands[] = {1133, 1443, 1444, 1470, 1520};
constexpr uint16_t kCmdStringOperandCommands[] = {1441, 1445, 1469};
constexpr uint16_t kCmdStringByteFirst = 1471, kCmdStringByteLast = 1472;
constexpr uint16_t kCmdStringAudio = 78;
constexpr uint16_t kCmdPlayMusic = 37;
constexpr uint16_t kCmdMusicCommand = 1482;
constexpr uint16_t kCmdPlaySound = 40;
constexpr uint16_t kCmdSoundCommand = 383;
constexpr uint16_t kCmdPauseWithMenu = 1398;

// Operand lists and layouts the compiler builds word by word.
constexpr uint16_t kCmdRegisterListFirst = 1426, kCmdRegisterListLast = 1427;
constexpr uint16_t kCmdSetLabelTable = 322;
constexpr uint16_t kCmdSpriteLayerList = 21;
constexpr uint16_t kCmdLiteralList = 22;
constexpr uint16_t kCmdSpriteLayerEntry = 1438;
constexpr uint16_t kCmdSpriteLayerOperand = 1439;
constexpr uint16_t kCmdSpawnObject = 36;
constexpr uint16_t kCmdNodeRectangle = 92;
constexpr uint16_t kCmdNodeRectangleTargets = 93;
constexpr uint16_t kCmdElementCommands[] = {2, 3, 6, 7};
constexpr uint16_t kCmdCounterWait = 5;
constexpr uint16_t kCmdSetFrame = 80;

// Family bases of keyword expressions.
constexpr uint16_t kCmdReadTableFirst = 1284, kCmdReadTableLast = 1391;
constexpr uint16_t kCmdArrayReadFirst = 668;
constexpr uint16_t kCmdArrayWriteFirst = 695;
constexpr uint16_t kEmptyCommandId = 52;  // what an expression without a command compiles to

}  // namespace tolv
