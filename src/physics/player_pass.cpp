// The player-versus-object pass: the current player's geometry in world
// pixels, shown to every object the last draw of its view found, in each
// of the nine wrap cells, through the object's Collision routine and
// Collision script. Commands 842 and 843 run it from scripts.
#include <algorithm>

#include "objects/draw_pass.h"
#include "objects/object_type.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "physics/pass_commands.h"
#include "physics/pass_geometry.h"
#include "render/draw_routines.h"
#include "script/global_contexts.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

namespace {
struct PlayerPass {
  PlayerRecord* player = nullptr;
  BoxLists lists;
};
}  // namespace

static PlayerPass player_passes[kMaxPassDepth];
static int player_pass_depth = 0;
static const BoxLists kNoLists;

const BoxLists& CurrentPlayerLists() {
  for (int i = player_pass_depth - 1; i >= 0; i--)
    if (player_passes[i].player == current_player) return player_passes[i].lists;
  return kNoLists;
}

static bool InPassOf(const PlayerRecord* r) {
  for (int i = 0; i < player_pass_depth; i++)
    if (player_passes[i].player == r) return true;
  return false;
}

// Step 2 of the pass: the box fields and the position in world pixels.
void WriteWorldFields(PlayerRecord* r) {
  int32_t* m = r->motion;
  int32_t x = PVar(r, kPvX), y = PVar(r, kPvY);
  m[kWorldLeft] = WrapAdd(m[kBoxLeft], x);
  m[kWorldRight] = WrapAdd(m[kBoxRight], x);
  m[kWorldTop] = WrapAdd(m[kBoxTop], y);
  m[kWorldBottom] = WrapAdd(m[kBoxBottom], y);
  m[kWorldCentreX] = WrapAdd(m[kBoxCentreX], x);
  m[kWorldCentreY] = WrapAdd(m[kBoxCentreY], y);
  m[kWorldX] = x;
  m[kWorldY] = y;
}

// The boxes of every sprite layer the player shows.
static void BuildPlayerLists(PlayerRecord* r, BoxLists& lists) {
  const TimedScriptContext& c = r->main_ctx;
  bool h = PlayerFlipH(r), v = PlayerFlipV(r);
  int32_t x = PVar(r, kPvX), y = PVar(r, kPvY);
  for (int i = 0; c.frame_values && i < c.lane_count; i++) {
    if (c.lane_funcs[i] >= c.function_count) continue;
    if (const SpriteFrame* f = PlayerFrame(r, c.frame_values[i])) lists.AddFrame(*f, h, v, x, y);
  }
}

void ShiftWorldFields(int32_t* m, int32_t dx, int32_t dy) {
  for (int k : {kWorldLeft, kWorldRight, kWorldCentreX, kWorldX}) m[k] = WrapAdd(m[k], dx);
  for (int k : {kWorldTop, kWorldBottom, kWorldCentreY, kWorldY}) m[k] = WrapAdd(m[k], dy);
}

// Each object of one cell list meets the player: its type's routine, then,
// unless that deleted it, its (possibly new) type's Collision script.
static void VisitPlayerCell(uint32_t list) {
  for (uint32_t i = 0; i < cell_object_counts[list] && i < kObjectSlotCount; i++) {
    ObjectSlot* o = cell_object_lists[list][i];
    running_slot = o;
    const ObjectType* t = FindObjectType(ObjVar(o, 0));
    if (t && t->builtin_collision) t->builtin_collision();
    int32_t now = ObjVar(o, 0);
    const ObjectType* after = now > 0 ? FindObjectType(now) : nullptr;
    if (!after) continue;
    running_slot = o;
    current_context = &collision_context;
    RunFunctionNow(after->collision_label);
  }
}

void CollidePlayerWithObjects() {
  PlayerRecord* r = current_player;
  if (r == &void_player || player_pass_depth >= kMaxPassDepth) return;
  int view = registers[kRegPlayer] == 1 && registers[kRegScreenMode] == 2 ? 1 : 0;
  int32_t* m = r->motion;
  // A pass started from a script of a running pass of the same player
  // hands that pass back its fields and cell as it found them.
  bool nested = InPassOf(r);
  int32_t before[kWorldFieldCount], after[kWorldFieldCount];
  int32_t region_before = PVar(r, kPvWrapRegion);
  std::copy(m + kWorldCentreX, m + kWorldCentreX + kWorldFieldCount, before);
  WriteWorldFields(r);
  std::copy(m + kWorldCentreX, m + kWorldCentreX + kWorldFieldCount, after);
  PlayerPass& pass = player_passes[player_pass_depth++];
  pass.player = r;
  BuildPlayerLists(r, pass.lists);
  KeepSpareLane(&collision_context);
  ObjectSlot* entry_slot = running_slot;
  current_context = &collision_context;
  WalkWrapCells(view, [&](uint8_t cell, int32_t dx, int32_t dy) {
    PVar(r, kPvWrapRegion) = cell;
    ShiftWorldFields(m, dx, dy);
    pass.lists.Shift(dx, dy);
    VisitPlayerCell(view * 9 + cell);
    return true;
  });
  running_slot = entry_slot;
  current_context = &collision_context;
  pass.lists.Clear();
  pass.player = nullptr;
  player_pass_depth--;
  std::copy(nested ? before : after, (nested ? before : after) + kWorldFieldCount, m + kWorldCentreX);
  PVar(r, kPvWrapRegion) = nested ? region_before : kCentreCell;
}

// 842: the pass for the current player.
static void CollideCurrentPlayer() {
  PassCommandFrame frame;
  CollidePlayerWithObjects();
}

// 843: the pass for the player operand 1 names; the player register 9
// named stays selected.
static void CollideNamedPlayer() {
  PassCommandFrame frame;
  uint8_t saved = static_cast<uint8_t>(registers[kRegPlayer]);
  SelectPlayer(RegOrConst(Op(1)));
  CollidePlayerWithObjects();
  SelectPlayer(saved);
}

static const CommandDef kPlayerPassCommands[] = {
    TOLV_ALL(842, 1, CollideCurrentPlayer, "player object pass"),
    TOLV_ALL(843, 2, CollideNamedPlayer, "player object pass for player"),
};

static const CommandDoc kPlayerPassDocs[] = {
    {"player object pass", CommandArea::kMovement, {},
     "Lets every object near the current player's view (those the last draw found) react to the player, in "
     "each of the view's nine wrap copies: the object's built-in Collision routine runs, then its Collision "
     "script. Meanwhile the player's pass fields, attack and hurt boxes are in world pixels in the copy being "
     "visited, for the box tests to read; the movement routines run the same pass at every pixel step."},
    {"player object pass for player", CommandArea::kMovement, {"player index"},
     "Runs the player object pass for that player, then makes the player selected before the current player "
     "again. An index other than 0 or 1 runs no pass."},
};
extern const CommandList player_pass_command_list = TOLV_DOCUMENTED(kPlayerPassCommands, kPlayerPassDocs);

}  // namespace tolv
