// Commands on the script string slots.
#include <cstring>

#include "base/message_log.h"
#include "script/commands.h"
#include "script/expand_string_vars.h"
#include "script/operands.h"
#include "script/string_slots.h"

namespace tolv {

static char* SlotByte(uint32_t slot_word, uint32_t byte_word) {
  char* text = StringSlotText(static_cast<uint32_t>(RegOrConst(slot_word)));
  uint32_t i = static_cast<uint32_t>(RegOrConst(byte_word));
  return text && i < kStringSlotCapacity ? text + i : nullptr;
}

// op3 gives the destination register's number (a register operand holds it).
static void ReadSlotByte() {
  const char* b = SlotByte(Op(1), Op(2));
  uint32_t dst = static_cast<uint32_t>(RegOrConst(Op(3)));
  Cell(registers, register_count, dst) = b ? static_cast<uint8_t>(*b) : 0;
}

static void WriteSlotByte() {
  char* b = SlotByte(Op(1), Op(2));
  if (b) *b = static_cast<char>(RegOrConst(Op(3)));
}

static void SwapSlots() {
  char* a = StringSlotText(static_cast<uint32_t>(RegOrConst(Op(1))));
  char* b = StringSlotText(static_cast<uint32_t>(RegOrConst(Op(2))));
  if (!a || !b || a == b) return;
  StringSlot t;
  std::memcpy(&t, a, sizeof t);
  std::memcpy(a, b, sizeof t);
  std::memcpy(b, &t, sizeof t);
}

static void ShowSlot() {
  const char* text = StringSlotText(Low16(Op(1)));
  char line[kExpandLineSize];
  if (text && ExpandStringVars(text, line)) ShowMessage(line);
}

static const CommandDef kStrings[] = {
    TOLV_ALL(1471, 4, ReadSlotByte, "read string byte"),
    TOLV_ALL(1472, 4, WriteSlotByte, "write string byte"),
    TOLV_ALL(1481, 3, SwapSlots, "swap strings"),
    TOLV_ALL(1520, 2, ShowSlot, "show string"),
};

static const CommandDoc kStringDocs[] = {
    {"read string byte", CommandArea::kStrings, {"script string", "byte position", "register to write, by number"},
     "Stores byte n (0 to 255) of the script string, as a number from 0 to 255, into the register whose "
     "number the third operand gives: 256 + n for user register n, written as a plain number or held in a "
     "register. A position past 255 or a string that does not exist gives 0."},
    {"write string byte", CommandArea::kStrings, {"script string", "byte position", "byte value"},
     "Writes the low 8 bits of the value into byte n (0 to 255) of the script string; a 0 ends the text "
     "there. A position past 255 writes nothing."},
    {"swap strings", CommandArea::kStrings, {"first script string", "second script string"},
     "Swaps the texts of two script strings, numbered the game's first, then the zone's."},
    {"show string", CommandArea::kStrings, {"script string"},
     "Shows the script string in the message log, with its variables between `!` signs filled in."},
};
extern const CommandList string_command_list = TOLV_DOCUMENTED(kStrings, kStringDocs);

}  // namespace tolv
