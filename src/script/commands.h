// Command definitions and the three command tables derived from them.
//
// Every command ID is defined exactly once, in the CommandDef list of the
// file that implements it: its generic instruction length and its handler
// in each table (null = not served by that table). The tables, the
// compiler's operand lengths and the debug listings are all built from the
// registered lists: the script machine's own from the start
// (command_registry.cpp), the other subsystems' once registered
// (game/command_lists.cpp registers every one at engine start-up).
#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "script/machine.h"

namespace tolv {

struct CommandDef {
  uint16_t id;
  uint8_t length;           // words of the generic form incl. the ID; 0 = special form
  CommandHandler script;    // script_commands
  CommandHandler timed;     // timed_commands
  CommandHandler stat;      // stat_obj_commands
  const char* name;
  // Where a variant's operand words live, 4 bits a word from word 1 up
  // (operand kind + 1, 0 after the last); 0 where the variant records none.
  uint32_t kinds = 0;
};

// The game maker's reference (docs/commands.md, written by make_command_doc)
// is made from these: each list documents its own commands beside them.
enum class CommandArea : uint8_t {
  kFlow, kArithmetic, kStrings, kObjects, kPlayers, kLevels, kPlanes, kCamera,
  kMovement, kSound, kLayouts, kStates, kEditors,
  kNothing,  // compiles, does nothing
};
constexpr int kMaxDocOperands = 12;

struct CommandDoc {
  const char* name;                         // every entry of this name in the list
  CommandArea area;
  const char* operands[kMaxDocOperands];    // each operand word in order
  const char* text;                         // what it does, a line or two
};

struct CommandList {
  const CommandDef* defs;
  size_t count;
  const CommandDoc* docs = nullptr;
  size_t doc_count = 0;
};

// Helpers for list entries: the same handler in all three tables, or in
// the script and timed tables only, and so on.
#define TOLV_ALL(id, len, h, name) {id, len, h, h, h, name}
#define TOLV_ST(id, len, h, name) {id, len, h, h, nullptr, name}
#define TOLV_SCRIPT(id, len, h, name) {id, len, h, nullptr, nullptr, name}
#define TOLV_TIMED(id, len, h, name) {id, len, nullptr, h, nullptr, name}
#define TOLV_LIST(arr) CommandList{arr, sizeof(arr) / sizeof(arr[0])}
#define TOLV_DOCUMENTED(arr, docs) \
  CommandList{arr, sizeof(arr) / sizeof(arr[0]), docs, sizeof(docs) / sizeof(docs[0])}

// Tables have one extra entry past ID 1550 that every out-of-range ID maps to.
extern CommandHandler script_commands[kCommandCount + 1];
extern CommandHandler timed_commands[kCommandCount + 1];
extern CommandHandler stat_obj_commands[kCommandCount + 1];
extern uint8_t operand_lengths[kCommandCount];
extern const char* command_names[kCommandCount];

void UnavailableCommand();

// Fills the tables from the registered lists. Returns the number of IDs
// defined more than once (0 in a correct build); idempotent.
int BuildCommandTables();

// The registered lists (command_registry.cpp).
constexpr size_t kMaxCommandLists = 64;
extern const CommandList* command_lists[kMaxCommandLists];
extern size_t command_list_count;
// Adds the lists not registered yet, then builds the tables again.
void RegisterCommandLists(std::initializer_list<const CommandList*> lists);

// Dispatch index of an instruction's word 0: the low 16 bits carry the ID
// (the compiler packs flags above), and IDs past 1550 run UnavailableCommand.
inline uint32_t CommandIndex(uint32_t word0) {
  uint32_t id = word0 & 0xFFFF;
  return id < kCommandCount ? id : kCommandCount;
}

}  // namespace tolv
