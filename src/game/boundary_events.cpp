// The boundary event test of the current player, once a frame and at the
// level start.
#include "game/boundary_events.h"

#include "base/wrap32.h"
#include "game/act_records.h"
#include "objects/player_frame.h"
#include "objects/players.h"
#include "physics/movement_frame.h"
#include "script/global_contexts.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/level_generation.h"

namespace tolv {

constexpr uint8_t kOncePerPlayer = 1u << 1;
constexpr uint8_t kFiredForAll = 0xF0;
enum EventKind : uint8_t { kByCamera = 0, kByPosition = 1, kByBox = 2 };

// The shown frame's box in level pixels, turned a quarter on a wall
// (movement modes 1 and 3) when the flags ask for it.
static void SetWorldBox(PlayerRecord* r) {
  int32_t mode = PVar(r, kPvMovementMode);
  bool turned = (static_cast<uint32_t>(PVar(r, kPvFlags)) & kTurnedBox) && (mode == 1 || mode == 3);
  const Box b = PlayerFrameBox(r, turned);
  int32_t x = PVar(r, kPvX), y = PVar(r, kPvY);
  int32_t* m = r->motion;
  m[kWorldLeft] = Wrap32Add(b.left, x);
  m[kWorldRight] = Wrap32Add(b.right, x);
  m[kWorldTop] = Wrap32Add(b.top, y);
  m[kWorldBottom] = Wrap32Add(b.bottom, y);
}

static bool Inside(const BoundaryEvent& e, int32_t x, int32_t y) {
  return e.x1 <= x && x < e.x2 && e.y1 <= y && y < e.y2;
}

static bool Triggers(const BoundaryEvent& e, int32_t p, PlayerRecord* r) {
  switch (e.kind) {
    case kByCamera:
      return (p == 0 || p == 1) && Inside(e, registers[kRegViewX + p], registers[kRegViewY + p]);
    case kByPosition:
      return Inside(e, PVar(r, kPvX), PVar(r, kPvY));
    case kByBox:
      return e.x1 <= r->motion[kWorldRight] && e.x2 >= r->motion[kWorldLeft] && e.y1 <= r->motion[kWorldBottom] &&
             e.y2 >= r->motion[kWorldTop];
    default:
      return false;
  }
}

// Event i of the act register 3 names, looked up again each time: labels
// may change the act.
static BoundaryEvent* EventAt(uint32_t i) {
  int32_t a = registers[kRegAct];
  if (a < 0 || static_cast<size_t>(a) >= act_table.size()) return nullptr;
  std::vector<BoundaryEvent>& events = act_table[static_cast<size_t>(a)].events;
  return i < events.size() ? &events[i] : nullptr;
}

// Runs the event's labels in order until one is spent for this player.
// False when a label replaced the level or its scopes.
static bool RunLabels(BoundaryEvent& e, uint8_t player_bit) {
  const uint32_t generation = level_generation;
  for (size_t j = 0; j < e.labels.size() && j < e.values.size(); j++) {
    uint8_t& f = e.values[j];
    if (f) {
      if (f & player_bit) break;
      f |= (f & kOncePerPlayer) ? player_bit : kFiredForAll;
    }
    current_context = &global_context;
    RunFunctionNow(e.labels[j]);
    if (level_generation != generation) return false;
  }
  return true;
}

void CheckBoundaryEvents() {
  int32_t p = registers[kRegPlayer];
  PlayerRecord* r = current_player;
  SetWorldBox(r);
  uint8_t player_bit = p >= 0 && p < 4 ? static_cast<uint8_t>(0x10 << p) : 0;
  for (uint32_t i = 0; BoundaryEvent* e = EventAt(i); i++) {
    if (static_cast<int32_t>(i) == PVar(r, kPvLastBoundaryEvent)) continue;
    boundary_event_unhandled = 0;
    if (!Triggers(*e, p, r)) continue;
    bool same_level = RunLabels(*e, player_bit);
    if (!boundary_event_unhandled) PVar(r, kPvLastBoundaryEvent) = static_cast<int32_t>(i);
    if (!same_level) return;  // the events left belong to what was replaced
  }
}

}  // namespace tolv
