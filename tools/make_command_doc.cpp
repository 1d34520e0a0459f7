// make_command_doc: writes the game maker's command reference
// (docs/commands.md) from the engine's command lists and the documentation
// each list keeps beside its entries. It writes nothing, and says what is
// wrong, when a command that does something has no entry, an entry
// documents no command, or an entry's operands do not match the words its
// commands take.
// Usage: make_command_doc OUTPUT
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "compiler/statements.h"
#include "game/command_lists.h"
#include "script/commands.h"
#include "script/operand_kinds.h"

namespace tolv {
namespace {

struct Row {
  const CommandDef* def;
  const CommandDoc* doc;
};

struct Area {
  CommandArea area;
  const char* title;
  const char* intro;
};

const Area kAreas[] = {
    {CommandArea::kFlow, "Flow and functions",
     "Jumps, blocks, switches, yields and waits, and starting, stopping and running functions."},
    {CommandArea::kArithmetic, "Arithmetic and compare",
     "Assignment, arithmetic, bits, compare-and-jump, angles, distances, random numbers, tables and "
     "arrays. Each operation comes in one variant per place of its operands; the compiler picks it "
     "from how the operands are written, and a `#` line names the variant by its number."},
    {CommandArea::kStrings, "Strings and files", "Script strings, messages and the script's own files."},
    {CommandArea::kObjects, "Objects", "Spawning, deleting, linking and retyping objects, and their scripts."},
    {CommandArea::kPlayers, "Players and characters", "Player records, player slots and characters."},
    {CommandArea::kLevels, "Levels", "Level and tile-set files, and moving between zones and acts."},
    {CommandArea::kPlanes, "Planes and tiles", "Tile planes, their scrolling and their tiles."},
    {CommandArea::kCamera, "Camera and views", "The camera, its limits, and what a view shows."},
    {CommandArea::kMovement, "Movement and collision",
     "Player movement, boxes and hot spots, the collision passes and tile-map sweeps."},
    {CommandArea::kSound, "Sound and music", "Sound effects, music and jingles."},
    {CommandArea::kLayouts, "Screen layouts", "Stat objects: panels, menus and their elements."},
    {CommandArea::kStates, "Saved states and object layouts", "Object layout files and saved states."},
    {CommandArea::kEditors, "Editors", "What scripts ask of the editors and the debug listings."},
};

const char* KindName(uint32_t code) {
  static const char* const kNames[] = {"register",          "player variable A", "player variable B",
                                       "player variable D", "object variable A", "object variable B",
                                       "object variable D", "constant",          "unused"};
  return code >= 1 && code <= 9 ? kNames[code - 1] : "?";
}

int KindCount(uint32_t kinds) {
  int n = 0;
  while (n < 8 && (kinds >> (4 * n)) & 15) n++;
  return n;
}

int OperandCount(const CommandDoc& doc) {
  int n = 0;
  while (n < kMaxDocOperands && doc.operands[n]) n++;
  return n;
}

const CommandDoc* FindDoc(const CommandList& list, const char* name) {
  for (size_t i = 0; i < list.doc_count; i++)
    if (std::strcmp(list.docs[i].name, name) == 0) return &list.docs[i];
  return nullptr;
}

bool Handled(const CommandDef& d) { return d.script || d.timed || d.stat; }

// Every handled command with its entry; false after naming what is wrong.
bool CollectRows(std::vector<Row>& rows, std::vector<const CommandDef*>& idle) {
  bool ok = true;
  for (size_t l = 0; l < command_list_count; l++) {
    const CommandList& list = *command_lists[l];
    std::vector<bool> used(list.doc_count);
    for (size_t i = 0; i < list.count; i++) {
      const CommandDef& d = list.defs[i];
      const CommandDoc* doc = FindDoc(list, d.name);
      if (doc) used[doc - list.docs] = true;
      if (!Handled(d) || (doc && doc->area == CommandArea::kNothing)) {
        idle.push_back(&d);
        continue;
      }
      if (!doc) {
        std::fprintf(stderr, "make_command_doc: command %d \"%s\" has no description\n", d.id, d.name);
        ok = false;
        continue;
      }
      int words = d.kinds ? KindCount(d.kinds) : d.length - 1;
      if ((d.kinds || d.length > 0) && words != OperandCount(*doc)) {
        std::fprintf(stderr, "make_command_doc: command %d \"%s\" takes %d operand words, its description names %d\n",
                     d.id, d.name, words, OperandCount(*doc));
        ok = false;
      }
      rows.push_back({&d, doc});
    }
    for (size_t k = 0; k < list.doc_count; k++)
      if (!used[k]) {
        std::fprintf(stderr, "make_command_doc: the description of \"%s\" names no command of its list\n",
                     list.docs[k].name);
        ok = false;
      }
  }
  return ok;
}

// Table cells hold no bar or line end of their own.
std::string Cell(const char* text) {
  std::string s;
  for (const char* p = text; *p; p++) {
    if (*p == '|') s += "\\|";
    else if (*p == '\n') s += ' ';
    else s += *p;
  }
  return s;
}

std::string Where(const CommandDef& d) {
  if (d.script && d.timed && d.stat) return "all scripts";
  std::string s;
  auto add = [&](bool on, const char* name) {
    if (!on) return;
    if (!s.empty()) s += ", ";
    s += name;
  };
  add(d.script != nullptr, "functions");
  add(d.timed != nullptr, "timed lanes");
  add(d.stat != nullptr, "screen layouts");
  return s;
}

std::string Operands(const Row& r) {
  std::string s;
  for (int i = 0; i < kMaxDocOperands && r.doc->operands[i]; i++) {
    if (i) s += "; ";
    s += std::to_string(i + 1) + " " + Cell(r.doc->operands[i]);
    if (r.def->kinds && i < 8) s += std::string(" (") + KindName((r.def->kinds >> (4 * i)) & 15) + ")";
  }
  return s.empty() ? "none" : s;
}

const char kPreface[] =
    "# Command reference\n\n"
    "Every script command of the engine by its number, grouped by what it works on. "
    "This file is written by `make_command_doc` from the engine's command lists, where each "
    "command's description stands beside its entry; build the target `command_doc` to write it "
    "afresh, and the test `command_doc_current` fails when it differs.\n\n"
    "A command line is `#` and the number, then the operands in the order given here, each after a "
    "`:` (`#36 :g1 :40 :200`). The README's \"Script functions\" explains how an operand is "
    "written: a plain number is a constant, `R`, `r` and `U` name registers, `A` and `a` player "
    "variables, `e` and `E` object variables. Where a command comes in variants, each variant's "
    "operands say where they must live: *register*, *constant*, *player variable* of player slot "
    "A, B or D, or *object variable* of object slot A, B or D (`#137` and `#139` set the slots). "
    "Any other operand may be a constant or a register, unless it says *(register)* or "
    "*(constant)*. Jump targets are labels (`:@Name`); functions, strings, sounds and object types "
    "are numbered in their scope, `g`, `z` or `a`, as the README explains.\n\n"
    "*Runs in* says which scripts may use a command: *functions* are the scripts of objects' "
    "Movement and Drawing, characters, planes and the global script; *timed lanes* are objects' "
    "Animation and the players' main scripts; *screen layouts* are the scripts of stat objects; "
    "*all scripts* is all three. Elsewhere the command does nothing.\n\n";

void WriteArea(std::string& out, const Area& a, const std::vector<Row>& rows) {
  out += std::string("## ") + a.title + "\n\n" + a.intro + "\n\n";
  out += "| ID | command | runs in | operands | what it does |\n|---:|---|---|---|---|\n";
  for (const Row& r : rows)
    if (r.doc->area == a.area)
      out += "| " + std::to_string(r.def->id) + " | " + Cell(r.def->name) + " | " + Where(*r.def) + " | " +
             Operands(r) + " | " + Cell(r.doc->text) + " |\n";
  out += "\n";
}

// A heading's link as Markdown renderers make it: lower case, spaces to '-'.
std::string Anchor(const char* title) {
  std::string s;
  for (const char* p = title; *p; p++) s += *p == ' ' ? '-' : static_cast<char>(std::tolower(*p));
  return s;
}

const char kNothingTitle[] = "Commands that do nothing";

std::string Reference(const std::vector<Row>& rows, const std::vector<const CommandDef*>& idle) {
  std::string out = kPreface;
  for (const Area& a : kAreas) out += std::string("- [") + a.title + "](#" + Anchor(a.title) + ")\n";
  out += std::string("- [") + kNothingTitle + "](#" + Anchor(kNothingTitle) + ")\n\n";
  for (const Area& a : kAreas) WriteArea(out, a, rows);
  out += std::string("## ") + kNothingTitle + "\n\n"
         "These numbers compile and do nothing when they run. Those the compiler reads itself (the "
         "lines of a switch or a loop, lists) shape the script where they stand.\n\n"
         "| ID | name | operand words | compiled |\n|---:|---|---:|---|\n";
  for (const CommandDef* d : idle)
    out += "| " + std::to_string(d->id) + " | " + Cell(d->name) + " | " +
           (d->length ? std::to_string(d->length - 1) : std::string("as written")) + " | " +
           (FindSpecialForm(d->id) ? "by the compiler" : "as a command") + " |\n";
  return out;
}

}  // namespace
}  // namespace tolv

int main(int argc, char** argv) {
  using namespace tolv;
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_command_doc OUTPUT\n");
    return 2;
  }
  RegisterEngineCommands();
  std::vector<Row> rows;
  std::vector<const CommandDef*> idle;
  if (!CollectRows(rows, idle)) return 1;
  // Each ID is defined once, so the tables list them in ID order.
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.def->id < b.def->id; });
  std::sort(idle.begin(), idle.end(), [](const CommandDef* a, const CommandDef* b) { return a->id < b->id; });
  std::string text = Reference(rows, idle);
  if (!SaveFileAtomically(argv[1], text.data(), text.size())) {
    std::fprintf(stderr, "make_command_doc: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
