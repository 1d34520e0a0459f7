// Command lines whose instruction the compiler shapes itself: blocks,
// compares, jumps, scoped list numbers, growing lists and packed flags.
#include <cstring>

#include "compiler/blocks.h"
#include "compiler/compile_scopes.h"
#include "compiler/compile_state.h"
#include "compiler/operand_coding.h"
#include "compiler/statements.h"
#include "script/command_ids.h"
#include "script/commands.h"
#include "script/records.h"

namespace tolv {

static uint32_t* Words() { return InstructionWords(compiler.current); }
static uint32_t* Make(uint32_t id, uint32_t n) {
  uint32_t* w = NewInstruction(compiler.current, n);
  w[0] = id;
  return w;
}
static uint32_t Generic() { return CodeGenericOperand(NextOperand(), last_alias_kind); }
static uint32_t Literal() { return uint32_t(ParseNumber(NextOperand())); }
static int32_t Count() {
  int32_t n = ParseNumber(NextOperand());
  if (n < 0) ScriptErrorFormat("Negative count %d", n);
  return n;
}
// Appends one word to the instruction being compiled.
static void Append(uint32_t word) {
  uint32_t n = InstructionWordCount(compiler.current);
  if (n >= 65535) ScriptErrorFormat("Instruction longer than 65535 words");
  GrowInstruction(compiler.current, n + 1)[n] = word;
}

// R n and r n as in the generic form, other text a literal.
static uint32_t RegOrLiteral() {
  char* t = NextOperand();
  return t[0] == 'R' || t[0] == 'r' ? CodeGenericOperand(t, last_alias_kind) : uint32_t(ParseNumber(t));
}
// R n as a user register index and r n as a reserved one, both without
// the register flag; *is_reg tells whether a prefix was there.
static uint32_t RegIndexOrLiteral(bool* is_reg) {
  char* t = NextOperand();
  *is_reg = t[0] == 'R' || t[0] == 'r';
  if (t[0] == 'R') return uint32_t(NumberAfter(t, 1)) + (last_alias_kind == kKindUserReg ? 0 : 256);
  if (t[0] == 'r') return uint32_t(NumberAfter(t, 1));
  return uint32_t(ParseNumber(t));
}

static uint32_t Scoped(const ScopeRule& rule) { return CodeScopedOperand(NextOperand(), last_alias_kind, rule); }
static ScopeRule Functions() { return {ScriptFunctionScopes(), true, false, false}; }
static ScopeRule Strings(bool current) { return {compile_scopes.strings, false, current, false}; }
static ScopeRule Music() { return {compile_scopes.music, true, false, false}; }
static ScopeRule Sounds() { return {compile_scopes.sounds, true, false, false}; }
static ScopeRule StatObjDefs() { return {compile_scopes.stat_obj_defs, true, false, false}; }
static ScopeRule Movement() { return {compile_scopes.movement_functions, true, false, false}; }
static ScopeRule Animation() { return {compile_scopes.animation_functions, true, false, true}; }
static ScopeRule ObjectTypes() { return {compile_scopes.object_types, true, false, false}; }

static void BlockLine(uint32_t id) {
  switch (id) {
    case kCmdElse: CompileElse(); break;
    case kCmdEndIf: CompileEndIf(); break;
    case kCmdDo: CompileDo(); break;
    case kCmdForever: CompileForever(); break;
    case kCmdBreakDo: CompileBreakDo(); break;
    case kCmdCase: CompileCase(); break;
    case kCmdBreakCase: CompileBreakCase(); break;
    case kCmdEndSwitch: CompileEndSwitch(); break;
    case kCmdDefaultCase: CompileDefaultCase(); break;
    default: CompileSwitch(id); break;
  }
}

static void CompareLine(uint32_t id) {
  OpenIf()[0] = id;
  Words()[1] = CodeKeyOperand(NextOperand(), last_alias_kind);
  Words()[2] = Generic();
}

static void IfFlagLine(uint32_t id) {
  OpenIf()[0] = id;
  Words()[1] = Generic();
  Words()[2] = 1u << (Literal() & 31);
}

// The and forms (363, 365, 367) clear: a literal flag number gives every
// bit but that one.
static void FlagLine(uint32_t id) {
  Make(id, 3);
  Words()[1] = Generic();
  char* t = NextOperand();
  bool prefixed = (t[0] >= 'A' && t[0] <= 'Z') || (t[0] >= 'a' && t[0] <= 'z');
  if (prefixed) {
    Words()[2] = CodeGenericOperand(t, last_alias_kind);
  } else {
    uint32_t mask = 1u << (uint32_t(ParseNumber(t)) & 31);
    Words()[2] = id < kCmdFlagXorFirst && (id - kCmdFlagFirst) % 2 ? ~mask : mask;
  }
}

static void WhileLine(uint32_t id) {
  OpenWhile()[0] = id;
  Words()[1] = Generic();
  Words()[2] = Generic();
  CloseLoop();
}

// The plain jump does not yield and stores target - 1; the yielding jump
// stores the target.
static void JumpLine(uint32_t id) {
  Make(id, 2);
  uint32_t target = JumpTarget(NextOperand());
  Words()[1] = id == kCmdJump ? NonYieldingTarget(target) : target;
}

static void CountLine(uint32_t id) {
  Make(id, 4);
  Words()[1] = JumpTarget(NextOperand());
  char* t = NextOperand();
  Words()[2] = t[0] && std::strchr("uUCcAaeE", t[0]) ? CodeGenericOperand(t, last_alias_kind)
                                                      : uint32_t(ParseNumber(t));
  Words()[3] = Literal();
}

static void JumpTableLine(uint32_t id) {
  Make(id, 3);
  Words()[1] = Generic();
  int32_t n = Count();
  Words()[2] = uint32_t(n);
  for (int32_t i = 0; i < n; i++) Append(NonYieldingTarget(JumpTarget(NextOperand())));
}

static void FunctionLine(uint32_t id) { Make(id, 2)[1] = Scoped(Functions()); }
static void StringLine(uint32_t id) { Make(id, 2)[1] = Scoped(Strings(true)); }
static void MusicLine(uint32_t id) { Make(id, 2)[1] = Scoped(Music()); }
static void SoundLine(uint32_t id) { Make(id, 2)[1] = Scoped(Sounds()); }
static void StatObjLine(uint32_t id) { Make(id, 2)[1] = Scoped(StatObjDefs()); }
static void MovementLine(uint32_t id) { Make(id, 2)[1] = Scoped(Movement()); }

static void SoundPlayLine(uint32_t id) {
  Make(id, 3);
  Words()[1] = Scoped(Sounds());
  uint32_t type = Literal();
  if (type == 1)
    ScriptError(
        "\"Overpower\" Sound Effect play type no longer supported\n"
        "Please load the sound as Music and use \"_PlayJingle\" instead");
  Words()[2] = type;
}

static void StringValueLine(uint32_t id) {
  Make(id, 3);
  Words()[1] = Scoped(Strings(false));
  Words()[2] = Literal();
}

static void StringOperandLine(uint32_t id) {
  Make(id, 3);
  Words()[1] = Scoped(Strings(true));
  Words()[2] = RegOrLiteral();
}

static void OperandFunctionLine(uint32_t id) {
  Make(id, 3);
  Words()[1] = RegOrLiteral();
  Words()[2] = Scoped(Functions());
}

static void StringTripleLine(uint32_t id) {
  Make(id, 4);
  for (int i = 1; i <= 3; i++) Words()[i] = Scoped(Strings(false));
}

// Register lists: register operands as bare indexes, flagged in word 0 by bit
// 30 - i for operand i.
static void FlaggedRegLine(uint32_t id) {
  uint32_t n = operand_lengths[id] ? operand_lengths[id] : 1;
  Make(id, n);
  for (uint32_t i = 1; i < n; i++) {
    bool reg;
    Words()[i] = RegIndexOrLiteral(&reg);
    if (reg) Words()[0] |= 1u << (30 - i);
  }
}

static void AnimationLine(uint32_t id) {
  uint32_t n = operand_lengths[id] ? operand_lengths[id] : 1;
  Make(id, n);
  for (uint32_t i = 1; i < n; i++) Words()[i] = Scoped(Animation());
}

static void TableLine(uint32_t id) {
  Make(id, 4);
  char* t = NextOperand();
  Words()[1] = t[0] == 'z' || t[0] == 'Z' ? uint32_t(NumberAfter(t, 1)) + compile_scopes.tables.game
                                          : CodeGenericOperand(t, last_alias_kind);
  Words()[2] = Generic();
  Words()[3] = Generic();
}

// Second word of a 322 entry: the kind of variable in the high bits.
static uint32_t VariableRef() {
  char* t = NextOperand();
  uint8_t k = last_alias_kind;
  uint32_t crc = character_register_count;
  switch (t[0]) {
    case 'p': return uint32_t(NumberAfter(t, 1)) + 0x80000000u;
    case 'L': return uint32_t(NumberAfter(t, 1)) + 0x40000000u;
    case 'l': return uint32_t(NumberAfter(t, 1)) + 0x40000001u;
    case 'C': return uint32_t(NumberAfter(t, 1)) + 0x20000000u;
    case 'c': return uint32_t(NumberAfter(t, 1)) + 0x20000000u + (k == kKindUserChar ? 0 : 9);
    case 'A': return uint32_t(NumberAfter(t, 1)) + 0x20000000u + (k == kKindPlayerVar ? 0 : crc);
    case 'a': return uint32_t(NumberAfter(t, 1)) + 0x20000000u + (k == kKindUserPlayerVar ? 0 : crc + 39);
    default: return uint32_t(ParseNumber(t));
  }
}

static void VariableTableLine(uint32_t id) {
  Make(id, 2);
  int32_t n = Count();
  Words()[1] = 3 * uint32_t(n);
  for (int32_t i = 0; i < n; i++) {
    char* t = NextOperand();
    if (t[0] == 'L') Append(uint32_t(NumberAfter(t, 1)));
    else if (t[0] == 'l') Append(uint32_t(NumberAfter(t, 1)) + 1);
    else Append(uint32_t(ParseNumber(t)));
    Append(VariableRef());
    Append(Literal());
  }
}

// Entry word of 21 and 1438: w n words, d n double words (4 n), registers.
static uint32_t EntryWord() {
  char* t = NextOperand();
  switch (t[0]) {
    case 'w': case 'W': return uint32_t(NumberAfter(t, 1));
    case 'd': case 'D': return 4 * uint32_t(NumberAfter(t, 1));
    case 'R': case 'r': return CodeGenericOperand(t, last_alias_kind);
    default: return uint32_t(ParseNumber(t));
  }
}

static int32_t ListHeader(uint32_t id, uint32_t n) {
  Make(id, n);
  Words()[1] = Literal();
  Words()[2] = Literal();
  int32_t count = Count();
  Words()[3] = 3 * uint32_t(count);
  return count;
}

static void EntryListLine(uint32_t id) {
  int32_t n = ListHeader(id, 4);
  for (int64_t i = 0; i < 3 * int64_t(n); i++) Append(EntryWord());
}

static void EntryLine(uint32_t id) {
  ListHeader(id, 7);
  for (int i = 4; i < 7; i++) Words()[i] = EntryWord();
}

static void OneEntryLine(uint32_t id) {
  ListHeader(id, 5);
  Words()[4] = RegOrLiteral();
}

static void LiteralListLine(uint32_t id) {
  Make(id, 3);
  Words()[1] = Literal();
  int32_t n = Count();
  Words()[2] = 3 * uint32_t(n);
  for (int64_t i = 0; i < 3 * int64_t(n); i++) Append(Literal());
}

// Spawn: type, X and Y (bare register indexes flagged by bits 29 and 28 of
// word 1), draw key, spawn word, flags, then n literal arguments.
static void SpawnLine(uint32_t id) {
  Make(id, 8);
  char* t = NextOperand();
  uint32_t type = CodeScopedOperand(t, last_alias_kind, ObjectTypes());
  Words()[1] = type;
  for (uint32_t i = 2; i <= 3; i++) {
    bool reg;
    Words()[i] = RegIndexOrLiteral(&reg);
    if (reg) Words()[1] |= 1u << (31 - i);
  }
  for (uint32_t i = 4; i <= 6; i++) Words()[i] = RegOrLiteral();
  int32_t n = Count();
  Words()[7] = uint32_t(n);
  for (int32_t i = 0; i < n; i++) {
    bool stat_obj = i == 0 && (type == 9995 || type == 9998);
    Append(stat_obj ? Scoped(StatObjDefs()) : Literal());
  }
}

// Node moves: node (bit 27 when a register), then left, top, right and
// bottom, each flagged by bits 31 to 28 of word 1 when a register.
static void NodeLine(uint32_t id) {
  Make(id, id == kCmdNodeRectangle ? 6 : 9);
  bool reg;
  uint32_t node = RegIndexOrLiteral(&reg);
  Words()[1] = reg ? node + 0x8000000 : node;
  for (uint32_t i = 2; i <= 5; i++) {
    Words()[i] = RegIndexOrLiteral(&reg);
    if (reg) Words()[1] |= 1u << (33 - i);
  }
  if (id == kCmdNodeRectangleTargets)
    for (uint32_t i = 6; i <= 8; i++) Words()[i] = Literal();
}

// Element positioning: element, mode, then by mode an anchor and a value
// (0-3) or an anchor, reference and offset (4-7). A register prefix on
// word i sets bit 16 - i of word 1 (bit 15 for the element itself).
static void ElementLine(uint32_t id) {
  Make(id, 3);
  auto word = [](uint32_t i) {
    char* t = NextOperand();
    if (t[0] == 'r' || t[0] == 'R') {
      Words()[1] |= 1u << (16 - i);
      return uint32_t(NumberAfter(t, 1));
    }
    return uint32_t(ParseNumber(t));
  };
  uint32_t element = word(1);
  Words()[1] |= element;
  Words()[2] = word(2);
  uint32_t mode = Words()[2];
  uint32_t n = mode <= 3 ? 5 : mode <= 7 ? 6 : 3;
  GrowInstruction(compiler.current, n);
  for (uint32_t i = 3; i < n; i++) Words()[i] = word(i);
}

static void CounterLine(uint32_t id) {
  Make(id, 3);
  Words()[1] = Literal();
  Words()[2] = Literal();
  if (Words()[2] == 0 || Words()[2] == 2) Append(Literal());
}

static SpecialForm special_forms[kCommandCount];

static void Set(uint32_t first, uint32_t last, SpecialForm f) {
  for (uint32_t id = first; id <= last; id++) special_forms[id] = f;
}

static bool BuildSpecialForms() {
  for (uint32_t id : {kCmdElse, kCmdEndIf, kCmdDo, kCmdForever, kCmdBreakDo, kCmdDefaultCase}) Set(id, id, BlockLine);
  Set(kCmdSwitchFirst, kCmdEndSwitch, BlockLine);
  Set(kCmdIfFirst, kCmdIfLast, CompareLine);
  Set(kCmdIfWideFirst, kCmdIfWideLast, CompareLine);
  for (uint32_t id : {kCmdTestAndJump, kCmdJumpUnlessInView, kCmdPlayerRelation}) Set(id, id, CompareLine);
  Set(kCmdBoxOverlapFirst, kCmdBoxOverlapLast, CompareLine);
  Set(kCmdContactFirst, kCmdContactLast, CompareLine);
  Set(kCmdScriptFileStateFirst, kCmdScriptFileStateLast, CompareLine);
  Set(kCmdBoxMovementFirst, kCmdBoxMovementLast, CompareLine);
  Set(kCmdIfLateFirst, kCmdIfLateLast, CompareLine);
  Set(kCmdIfFlagFirst, kCmdIfFlagLast, IfFlagLine);
  Set(kCmdFlagFirst, kCmdFlagLast, FlagLine);
  Set(kCmdWhileFirst, kCmdWhileLast, WhileLine);
  Set(kCmdJump, kCmdJump, JumpLine);
  Set(kCmdYieldingJump, kCmdYieldingJump, JumpLine);
  Set(kCountCommand, kCountCommand, CountLine);
  Set(kCmdJumpTableFirst, kCmdJumpTableLast, JumpTableLine);
  for (uint32_t id : {kCmdStartFunction, kCmdStopFunction, kCmdRunFunctionNow, kCmdPause, kCmdMusicEffectFunction})
    Set(id, id, FunctionLine);
  Set(kCmdFunctionCommandFirst, kCmdFunctionCommandLast, FunctionLine);
  Set(kCmdGlobalFunctionFirst, kCmdGlobalFunctionLast, FunctionLine);
  Set(kCmdStringFirst, kCmdStringLast, StringLine);
  for (uint32_t id : kCmdStringCommands) Set(id, id, StringLine);
  Set(kCmdPlayMusic, kCmdPlayMusic, MusicLine);
  Set(kCmdMusicCommand, kCmdMusicCommand, MusicLine);
  Set(kCmdPlaySound, kCmdPlaySound, SoundPlayLine);
  Set(kCmdStringAudio, kCmdStringAudio, StringValueLine);
  Set(kCmdSoundCommand, kCmdSoundCommand, SoundLine);
  Set(kCmdPauseWithMenu, kCmdPauseWithMenu, StatObjLine);
  for (uint32_t id : kCmdMoverFunctions) Set(id, id, MovementLine);
  for (uint32_t id : kCmdStringOperandCommands) Set(id, id, StringOperandLine);
  Set(kCmdSetPlaneFunction, kCmdSetPlaneFunction, OperandFunctionLine);
  Set(kCmdRegisterListFirst, kCmdRegisterListLast, FlaggedRegLine);
  Set(kCmdStringByteFirst, kCmdStringByteLast, StringTripleLine);
  Set(kCmdAnimationFirst, kCmdAnimationLast, AnimationLine);
  Set(kCmdAnimationParamsFirst, kCmdAnimationParamsLast, AnimationLine);
  Set(kCmdReadTableFirst, kCmdReadTableLast, TableLine);
  Set(kCmdSetLabelTable, kCmdSetLabelTable, VariableTableLine);
  Set(kCmdSpriteLayerList, kCmdSpriteLayerList, EntryListLine);
  Set(kCmdSpriteLayerEntry, kCmdSpriteLayerEntry, EntryLine);
  Set(kCmdSpriteLayerOperand, kCmdSpriteLayerOperand, OneEntryLine);
  Set(kCmdSpawnObject, kCmdSpawnObject, SpawnLine);
  Set(kCmdNodeRectangle, kCmdNodeRectangleTargets, NodeLine);
  for (uint32_t id : kCmdElementCommands) Set(id, id, ElementLine);
  Set(kCmdCounterWait, kCmdCounterWait, CounterLine);
  Set(kCmdLiteralList, kCmdLiteralList, LiteralListLine);
  return true;
}
static const bool kFormsBuilt = BuildSpecialForms();

SpecialForm FindSpecialForm(uint32_t id) { return id < kCommandCount ? special_forms[id] : nullptr; }

}  // namespace tolv
