// Script file commands: open, close, seek and test the two handles, and move
// big-endian 8-, 16- and 32-bit values between them and registers, player
// variables or object variables. Writes never leave the game folder.
#include "game/script_file_commands.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "base/message_log.h"
#include "base/write_guard.h"
#include "files/game_file_bytes.h"
#include "files/game_files.h"
#include "script/commands.h"
#include "script/expand_string_vars.h"
#include "script/lane_access.h"
#include "script/operands.h"
#include "script/string_slots.h"

namespace tolv {

uint8_t script_write_state;
FILE* script_file;
uint8_t script_read_open;

static const char kNotOpen[] = "but it wasn't actually open...";

static void Misuse(const char* what) {
  ShowMessage(what);
  ShowMessage(kNotOpen);
}

static void CloseWriteFile() {
  if (script_file) std::fclose(script_file);
  script_file = nullptr;
  script_write_state = 0;
}

static void CloseReadFile() {
  CloseGameFile();
  script_read_open = 0;
}

void CloseScriptFiles() {
  CloseWriteFile();
  if (script_read_open) CloseReadFile();
}

// A script names its write file relative to the game folder; an absolute
// path or a drive prefix names no file of the game.
static bool WritePath(const char* name, std::string& path) {
  std::string n = name ? name : "";
  if (n.empty() || n[0] == '/' || n[0] == '\\' || (n.size() >= 2 && n[1] == ':')) return false;
  return GameWritePath(("/" + n).c_str(), &path);
}

static FILE* OpenIn(int folder, const std::string& file, int flags, const char* mode) {
  const int fd = OpenWriteTarget(folder, file, flags);
  if (fd < 0) return nullptr;
  FILE* f = fdopen(fd, mode);
  if (!f) close(fd);
  return f;
}

static const char* SlotName(uint32_t word) {
  const char* text = StringSlotText(static_cast<uint32_t>(RegOrConst(word)));
  return text ? text : "";
}

static void OpenForRead(const char* name) {
  if (script_read_open) {
    ShowMessage("Attempted to open file for read but");
    ShowMessage("a read file was already open");
    ShowMessage("Closing original file...");
    CloseReadFile();
  }
  if (OpenGameFile(name)) script_read_open = 1;
}

static void OpenForWrite(const char* name, bool rewrite) {
  if (script_write_state) {
    ShowMessage(rewrite ? "Attempted to open file for rewrite but" : "Attempted to open file for hard write but");
    ShowMessage("a write file was already open");
    ShowMessage("Closing original file...");
    CloseWriteFile();
  }
  std::string path, file;
  const int folder = WritePath(name, path) ? OpenWriteFolder(path, &file) : -1;
  if (folder < 0) {
    ShowMessage("Attempted to open write file outside");
    return ShowMessage("the game folder; refused...");
  }
  if (!MayReplace(folder, file)) {
    ShowMessage("Write file has more than one link:");
    ShowMessage("refused...");
  } else if (rewrite && (script_file = OpenIn(folder, file, O_RDWR, "rb+"))) {
    script_write_state = 2;
  } else if ((script_file = OpenIn(folder, file, (rewrite ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC, rewrite ? "wb+" : "wb"))) {
    script_write_state = 1;
  }
  close(folder);
}

static void CmdOpenScriptFile() {
  const char* name = SlotName(Op(1));
  switch (Op(2)) {
    case 0: OpenForRead(name); break;
    case 1: OpenForWrite(name, false); break;
    case 2: OpenForWrite(name, true); break;
    default: break;
  }
}

static void CmdCloseScriptFile() {
  if (Op(1)) {
    if (script_write_state) CloseWriteFile();
    else Misuse("Attempted to close write file handle");
  } else {
    if (script_read_open) CloseReadFile();
    else Misuse("Attempted to close read file handle");
  }
}

static void CmdGetScriptFilePos() {
  int32_t& dst = Cell(registers, register_count, static_cast<uint32_t>(RegOrConst(Op(2))));
  if (Op(1) ? !script_write_state : !script_read_open) {
    Misuse(Op(1) ? "Attempted to get write file handle pos" : "Attempted to get read file handle pos");
    dst = 0;
    return;
  }
  long pos = Op(1) ? std::ftell(script_file) : static_cast<long>(TellGameFile());
  dst = static_cast<int32_t>(pos < 0 ? 0 : pos);
}

static void CmdSeekScriptFile() {
  const int32_t offset = RegOrConst(Op(2));
  const int whence = Op(3) <= 2 ? static_cast<int>(Op(3)) : 1;
  if (Op(1)) {
    if (!script_write_state) return Misuse("Attempted to seek write file handle");
    std::fseek(script_file, offset, whence == 0 ? SEEK_SET : whence == 1 ? SEEK_CUR : SEEK_END);
  } else {
    if (!script_read_open) return Misuse("Attempted to seek read file handle");
    SeekGameFile(offset, whence);
  }
}

// Jumps store target - 1 (the run loop adds one), as every non-yielding jump.
static bool StateDiffers() { return (Op(1) ? script_write_state : script_read_open) != Op(2); }
static bool NotAtEndIs() {
  uint32_t not_at_end = Op(1) ? (script_write_state && !std::feof(script_file))
                              : (script_read_open && !IsGameFileEnd());
  return not_at_end == Op(2);
}
static void CmdJumpIfScriptFileState() {
  if (StateDiffers()) PlainLanePc() = static_cast<uint16_t>(Op(3));
}
static void JumpIfStateTimed() {
  if (StateDiffers()) TimedLanePc() = static_cast<uint16_t>(Op(3));
}
static void CmdJumpIfScriptFileEnd() {
  if (NotAtEndIs()) PlainLanePc() = static_cast<uint16_t>(Op(3));
}
static void JumpIfEndTimed() {
  if (NotAtEndIs()) TimedLanePc() = static_cast<uint16_t>(Op(3));
}

// The three value places of the transfer commands.
struct Place {
  int32_t* cells;
  uint32_t size;
};
static Place Registers() { return {registers, registers ? register_count : 0}; }
static Place PlayerCells(const PlayerRecord* p) { return {p->character_vars, p->character_vars ? PlayerBlockSize() : 0}; }
static Place ObjectCells(const ObjectSlot* o) { return {o->vars, o->vars ? uint32_t{o->var_count} : 0u}; }
static Place PAPlace() { return PlayerCells(player_operand_a); }
static Place PDPlace() { return PlayerCells(player_operand_d); }
static Place OAPlace() { return ObjectCells(object_operand_a); }
static Place ODPlace() { return ObjectCells(object_operand_d); }

// Operands 1 and 2: first index and count, cut to the place's size so a
// huge count neither runs long nor moves bytes that land nowhere.
static uint32_t Span(const Place& p, uint32_t& first) {
  first = static_cast<uint32_t>(RegOrConst(Op(1)));
  const int32_t count = RegOrConst(Op(2));
  if (count <= 0 || first >= p.size) return 0;
  return std::min(static_cast<uint32_t>(count), p.size - first);
}

static uint32_t ReadValue(int width) {
  uint32_t v = 0;
  for (int i = 0; i < width; i++) {
    int c = ReadGameFileByte();
    v = v << 8 | static_cast<uint32_t>(c < 0 ? 0 : c);
  }
  return v;
}

template <Place (*P)(), int W>
static void ReadInto() {
  if (!script_read_open) return Misuse("Attempted to read from read file handle");
  const Place p = P();
  uint32_t first;
  const uint32_t n = Span(p, first);
  for (uint32_t i = 0; i < n; i++) Cell(p.cells, p.size, first + i) = static_cast<int32_t>(ReadValue(W));
}

template <Place (*P)(), int W>
static void WriteFrom() {
  if (!script_write_state) return Misuse("Attempted to write to write file handle");
  const Place p = P();
  uint32_t first;
  const uint32_t n = Span(p, first);
  for (uint32_t i = 0; i < n; i++) {
    const uint32_t v = static_cast<uint32_t>(Cell(p.cells, p.size, first + i));
    for (int b = W - 1; b >= 0; b--) std::fputc(static_cast<int>(v >> (8 * b) & 255), script_file);
  }
}

// Reads up to the terminator, the end of the file or the slot's capacity.
static void CmdReadStringSlot() {
  if (!script_read_open) return Misuse("Attempted to read from read file handle");
  char* text = StringSlotText(static_cast<uint32_t>(RegOrConst(Op(1))));
  if (!text) return;
  const int32_t terminator = RegOrConst(Op(2));
  uint32_t n = 0;
  for (int c; n < kStringSlotCapacity && (c = ReadGameFileByte()) != kGameFileEnd && c != terminator;)
    text[n++] = static_cast<char>(c);
  text[n] = 0;
}

static void CmdWriteStringSlot() {
  if (!script_write_state) return Misuse("Attempted to write to write file handle");
  const char* text = StringSlotText(static_cast<uint32_t>(RegOrConst(Op(1))));
  char line[kExpandLineSize];
  if (text && ExpandStringVars(text, line)) std::fwrite(line, 1, std::strlen(line), script_file);
}

static const CommandDef kScriptFiles[] = {
    TOLV_ALL(1445, 3, CmdOpenScriptFile, "open script file"),
    TOLV_ALL(1446, 2, CmdCloseScriptFile, "close script file"),
    TOLV_ALL(1447, 3, CmdGetScriptFilePos, "script file position"),
    TOLV_ALL(1448, 4, CmdSeekScriptFile, "seek script file"),
    {1449, 4, CmdJumpIfScriptFileState, JumpIfStateTimed, CmdJumpIfScriptFileState, "jump if script file state"},
    {1450, 4, CmdJumpIfScriptFileEnd, JumpIfEndTimed, CmdJumpIfScriptFileEnd, "jump if script file end"},
    TOLV_ALL(1451, 3, (ReadInto<Registers, 1>), "read bytes to registers"),
    TOLV_ALL(1452, 3, (ReadInto<Registers, 2>), "read words to registers"),
    TOLV_ALL(1453, 3, (ReadInto<Registers, 4>), "read longs to registers"),
    TOLV_ALL(1454, 3, (ReadInto<PDPlace, 1>), "read bytes to PD"),
    TOLV_ALL(1455, 3, (ReadInto<PDPlace, 2>), "read words to PD"),
    TOLV_ALL(1456, 3, (ReadInto<PDPlace, 4>), "read longs to PD"),
    TOLV_ALL(1457, 3, (ReadInto<ODPlace, 1>), "read bytes to OD"),
    TOLV_ALL(1458, 3, (ReadInto<ODPlace, 2>), "read words to OD"),
    TOLV_ALL(1459, 3, (ReadInto<ODPlace, 4>), "read longs to OD"),
    TOLV_ALL(1460, 3, (WriteFrom<Registers, 1>), "write registers as bytes"),
    TOLV_ALL(1461, 3, (WriteFrom<Registers, 2>), "write registers as words"),
    TOLV_ALL(1462, 3, (WriteFrom<Registers, 4>), "write registers as longs"),
    TOLV_ALL(1463, 3, (WriteFrom<PAPlace, 1>), "write PA as bytes"),
    TOLV_ALL(1464, 3, (WriteFrom<PAPlace, 2>), "write PA as words"),
    TOLV_ALL(1465, 3, (WriteFrom<PAPlace, 4>), "write PA as longs"),
    TOLV_ALL(1466, 3, (WriteFrom<OAPlace, 1>), "write OA as bytes"),
    TOLV_ALL(1467, 3, (WriteFrom<OAPlace, 2>), "write OA as words"),
    TOLV_ALL(1468, 3, (WriteFrom<OAPlace, 4>), "write OA as longs"),
    TOLV_ALL(1469, 3, CmdReadStringSlot, "read string slot from file"),
    TOLV_ALL(1470, 2, CmdWriteStringSlot, "write string slot to file"),
};

static const CommandDoc kScriptFileDocs[] = {
    {"open script file", CommandArea::kStrings,
     {"file name (script string)", "mode: 0 read, 1 write anew, 2 rewrite (constant)"},
     "Opens the read file (mode 0), from the game folder or a packed game's archive, or the write file in the game "
     "folder: mode 1 creates or empties it, mode 2 keeps its bytes and starts at its beginning (creating it when "
     "missing). A file of the same kind still open is closed first, with a message. A read name that does not exist "
     "leaves the file closed without one; a write path outside the game folder is refused with one."},
    {"close script file", CommandArea::kStrings, {"file: 0 read, any other write (constant)"},
     "Closes the read or the write file; closing one that is not open only shows a message."},
    {"script file position", CommandArea::kStrings,
     {"file: 0 read, any other write (constant)", "register to write (U n names user register n)"},
     "Stores the file's position, in bytes from its start, in the register. A file that is not open stores 0 and "
     "shows a message."},
    {"seek script file", CommandArea::kStrings,
     {"file: 0 read, any other write (constant)", "offset (bytes)",
      "from: 0 the start, 1 the position, 2 the end (constant; others count as 1)"},
     "Moves the file's position by the offset from its start, its position or its end; in a packed game the read "
     "file's start and end are those of its own file in the archive. A file that is not open only shows a message."},
    {"jump if script file state", CommandArea::kStrings,
     {"file: 0 read, any other write (constant)",
      "state: 0 closed, 1 open, 2 the write file rewriting a file that existed (constant)",
      "the block's Else or EndIf (set by the compiler)"},
     "Opens an If block that runs when the file is in the given state."},
    {"jump if script file end", CommandArea::kStrings,
     {"file: 0 read, any other write (constant)", "1 run at the end, 0 run while bytes remain (constant)",
      "the block's Else or EndIf (set by the compiler)"},
     "Opens an If block that runs when the file is at its end (a closed file counts as at its end), or with 0 when "
     "it is not. A loose file, as in an unpacked game, shows its end only once a read has gone past it."},
    {"read bytes to registers", CommandArea::kStrings, {"first register (U n names user register n)", "count"},
     "Reads count 8-bit values from the read file into consecutive registers, each from one byte (0-255). Bytes "
     "past the end of the file read as 0, and the count stops at the last register."},
    {"read words to registers", CommandArea::kStrings, {"first register (U n names user register n)", "count"},
     "Reads count 16-bit values from the read file into consecutive registers, each from two bytes, most "
     "significant first (0-65535, no sign). Bytes past the end of the file read as 0, and the count stops at the "
     "last register."},
    {"read longs to registers", CommandArea::kStrings, {"first register (U n names user register n)", "count"},
     "Reads count 32-bit values from the read file into consecutive registers, each from four bytes, most "
     "significant first. Bytes past the end of the file read as 0, and the count stops at the last register."},
    {"read bytes to PD", CommandArea::kStrings, {"first player variable (as A n names it)", "count"},
     "Reads count 8-bit values from the read file into consecutive variables of the player in player slot D, each "
     "from one byte (0-255). Bytes past the end of the file read as 0, and the count stops at the last variable."},
    {"read words to PD", CommandArea::kStrings, {"first player variable (as A n names it)", "count"},
     "Reads count 16-bit values from the read file into consecutive variables of the player in player slot D, each "
     "from two bytes, most significant first (0-65535, no sign). Bytes past the end of the file read as 0, and the "
     "count stops at the last variable."},
    {"read longs to PD", CommandArea::kStrings, {"first player variable (as A n names it)", "count"},
     "Reads count 32-bit values from the read file into consecutive variables of the player in player slot D, each "
     "from four bytes, most significant first. Bytes past the end of the file read as 0, and the count stops at the "
     "last variable."},
    {"read bytes to OD", CommandArea::kStrings, {"first object variable (as e n names it)", "count"},
     "Reads count 8-bit values from the read file into consecutive variables of the object in object slot D, each "
     "from one byte (0-255). Bytes past the end of the file read as 0, and the count stops at the last variable."},
    {"read words to OD", CommandArea::kStrings, {"first object variable (as e n names it)", "count"},
     "Reads count 16-bit values from the read file into consecutive variables of the object in object slot D, each "
     "from two bytes, most significant first (0-65535, no sign). Bytes past the end of the file read as 0, and the "
     "count stops at the last variable."},
    {"read longs to OD", CommandArea::kStrings, {"first object variable (as e n names it)", "count"},
     "Reads count 32-bit values from the read file into consecutive variables of the object in object slot D, each "
     "from four bytes, most significant first. Bytes past the end of the file read as 0, and the count stops at the "
     "last variable."},
    {"write registers as bytes", CommandArea::kStrings, {"first register (U n names user register n)", "count"},
     "Writes count consecutive registers to the write file as 8-bit values, each as its low byte. The count stops "
     "at the last register."},
    {"write registers as words", CommandArea::kStrings, {"first register (U n names user register n)", "count"},
     "Writes count consecutive registers to the write file as 16-bit values, each as its low two bytes, most "
     "significant first. The count stops at the last register."},
    {"write registers as longs", CommandArea::kStrings, {"first register (U n names user register n)", "count"},
     "Writes count consecutive registers to the write file as 32-bit values, each as four bytes, most significant "
     "first. The count stops at the last register."},
    {"write PA as bytes", CommandArea::kStrings, {"first player variable (as A n names it)", "count"},
     "Writes count consecutive variables of the player in player slot A to the write file as 8-bit values, each as "
     "its low byte. The count stops at the last variable."},
    {"write PA as words", CommandArea::kStrings, {"first player variable (as A n names it)", "count"},
     "Writes count consecutive variables of the player in player slot A to the write file as 16-bit values, each as "
     "its low two bytes, most significant first. The count stops at the last variable."},
    {"write PA as longs", CommandArea::kStrings, {"first player variable (as A n names it)", "count"},
     "Writes count consecutive variables of the player in player slot A to the write file as 32-bit values, each as "
     "four bytes, most significant first. The count stops at the last variable."},
    {"write OA as bytes", CommandArea::kStrings, {"first object variable (as e n names it)", "count"},
     "Writes count consecutive variables of the object in object slot A to the write file as 8-bit values, each as "
     "its low byte. The count stops at the last variable."},
    {"write OA as words", CommandArea::kStrings, {"first object variable (as e n names it)", "count"},
     "Writes count consecutive variables of the object in object slot A to the write file as 16-bit values, each as "
     "its low two bytes, most significant first. The count stops at the last variable."},
    {"write OA as longs", CommandArea::kStrings, {"first object variable (as e n names it)", "count"},
     "Writes count consecutive variables of the object in object slot A to the write file as 32-bit values, each as "
     "four bytes, most significant first. The count stops at the last variable."},
    {"read string slot from file", CommandArea::kStrings, {"script string", "end byte"},
     "Reads bytes from the read file into the script string until the end byte, which is read but not kept, the end "
     "of the file or 256 bytes, whichever comes first; an end byte outside 0-255 never matches."},
    {"write string slot to file", CommandArea::kStrings, {"script string"},
     "Writes the script string to the write file with its variables between exclamation marks filled in; it writes "
     "no line end and no terminating zero, and nothing when a variable cannot be filled in."},
};
extern const CommandList script_file_command_list = TOLV_DOCUMENTED(kScriptFiles, kScriptFileDocs);

}  // namespace tolv
