// Mover 4's walk against the tile collision maps: falling onto floors,
// bumping ceilings and walls, stepping up and down slopes, stopping at
// ledges and backing out of squeezes. Mover 5 runs it with a collision
// pass before every pixel.
#include "objects/collision_passes.h"
#include "objects/player_select.h"
#include "physics/physics_routines.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/tile_plane.h"

namespace tolv {

// Step heights, ledge depths and probe spans beyond these are script
// mistakes; holding them keeps one frame's probing bounded.
constexpr int32_t kMaxStepHeight = 255;
constexpr int64_t kMaxSpan = 4096;

static int32_t At(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

static uint8_t Probe(int64_t x, int64_t y) {
  if (x < wrap_left) x += wrap_width;
  else if (x >= wrap_right) x -= wrap_width;
  if (y < wrap_top) y += wrap_height;
  else if (y >= wrap_bottom) y -= wrap_height;
  return ProbeCollision(At(x), At(y));
}
static bool FloorAt(int64_t x, int64_t y) { return Probe(x, y) != 0; }
static bool WallAt(int64_t x, int64_t y) { return Probe(x, y) > 1; }

static bool RowHit(int64_t y, int64_t x0, int64_t x1) {
  if (x1 - x0 > kMaxSpan) x1 = x0 + kMaxSpan;
  for (int64_t x = x0; x <= x1; x++)
    if (FloorAt(x, y)) return true;
  return false;
}

static int32_t Clamp(int32_t v, int32_t hi) { return v < 0 ? 0 : v > hi ? hi : v; }

namespace {
struct Walker {
  ObjectSlot* o;
  bool passes;
  int32_t& V(uint32_t k) { return ObjVar(o, k); }
  bool Has(uint32_t bit) { return static_cast<uint32_t>(V(6)) & bit; }
  void Set(uint32_t bit) { V(6) = static_cast<int32_t>(static_cast<uint32_t>(V(6)) | bit); }
  void Clear(uint32_t bit) { V(6) = static_cast<int32_t>(static_cast<uint32_t>(V(6)) & ~bit); }
  void Add(uint32_t k, int64_t d) { V(k) = At(V(k) + d); }
  // Mover 5's pass; false when it deleted the object.
  bool Pass() {
    if (!passes) return true;
    run_projectile_collision_pass();
    return V(0) != 0;
  }
  bool Vertical();
  bool Horizontal();
  void StepOne(int dir, int32_t h);
};
}  // namespace

// Pixel by pixel against ceilings (rising, bit 5) or floors (falling,
// bit 4); a hit leaves the accumulator empty and the object in place.
bool Walker::Vertical() {
  int32_t s = V(10);
  bool rising = s < 0;
  if (!Has(rising ? kProbeCeilings : kFollowFloors)) {
    FixedPointStep(V(2), V(12), s);
    return true;
  }
  int dir = rising ? -1 : 1;
  int64_t edge = rising ? object_box_top : object_box_bottom;
  uint32_t contact = rising ? kUnderCeiling : kOnFloor;
  V(12) = StepAccumulator(V(12), s);
  while (rising ? V(12) < -255 : V(12) > 255) {
    if (!Pass()) return false;
    if (RowHit(V(2) + edge, int64_t{V(1)} + object_box_inner_left, int64_t{V(1)} + object_box_inner_right)) {
      Set(contact);
      V(12) = dir * 256;
    } else {
      Add(2, dir);
    }
    Add(12, -dir * 256);
  }
  if (!rising && RowHit(V(2) + edge, int64_t{V(1)} + object_box_inner_left, int64_t{V(1)} + object_box_inner_right)) {
    Set(kOnFloor);
    V(12) = 256;
  }
  return true;
}

// One whole pixel of sideways motion, after the wall and ledge probes;
// floors and ceilings are followed in the column of the new x.
void Walker::StepOne(int dir, int32_t h) {
  Add(1, dir);
  int64_t x = V(1), y = V(2);
  bool floor = false;
  int32_t move = 0;
  if (V(10) >= 0 && Has(kFollowFloors)) {
    for (int32_t k = 2 * h; k >= 0; k--) {
      if (!FloorAt(x, y + object_box_bottom + h - k)) continue;
      if (k >= h || Has(kOnFloor)) {
        Set(kOnFloor);
        floor = true;
        move = h - k;
      }
      break;
    }
  }
  if (Has(kProbeCeilings)) {
    for (int32_t k = h; k > 0; k--) {
      if (!WallAt(x, y + object_box_top + k - 1)) continue;
      if (floor) {
        Add(1, -dir);
        Set(kWallRight);
      } else {
        Add(2, k);
      }
      Set(kUnderCeiling);
      break;
    }
  }
  if (floor && !Has(kUnderCeiling)) Add(2, move);
}

bool Walker::Horizontal() {
  int32_t s = V(9);
  int dir = s < 0 ? -1 : 1;
  uint32_t wall_bit = dir < 0 ? kWallLeft : kWallRight;
  int32_t h = Clamp(V(17), kMaxStepHeight);
  V(11) = StepAccumulator(V(11), s);
  while (dir < 0 ? V(11) < -255 : V(11) > 255) {
    if (!Pass()) return false;
    int32_t edge = dir < 0 ? object_box_left : object_box_right;
    int64_t x = int64_t{V(1)} + edge, y = V(2);
    if (Has(kProbeWalls)) {
      int64_t top = y + object_box_top - ((Has(kProbeCeilings) && !Has(kOnFloor)) ? h : 0);
      for (int64_t py = y + object_box_bottom - h; py > top && y + object_box_bottom - h - py < kMaxSpan; py--) {
        if (!WallAt(x, py)) continue;
        Set(wall_bit);
        V(11) = dir * 256;
        break;
      }
    }
    if (Has(kStopAtLedges)) {
      bool ground = false;
      int32_t depth = Clamp(V(18), kMaxStepHeight);
      for (int32_t k = 0; k < depth && !ground; k++) ground = FloorAt(x, y + object_box_bottom + k);
      if (!ground) {
        V(16) = 1;
        break;
      }
    }
    if (!Has(wall_bit)) StepOne(dir, h);
    Add(11, -dir * 256);
  }
  return true;
}

bool WalkObject(ObjectSlot* o, bool with_passes) {
  Walker w{o, with_passes};
  SetWrapWindow(registers[kRegPlayer]);
  tile_probe_plane = w.V(15);
  w.Clear(kOnFloor | kUnderCeiling);
  if (!w.Vertical() || !w.Pass()) return false;
  w.Clear(kWallLeft | kWallRight);
  if (w.V(16)) {
    int32_t ay = w.V(14);
    if (!((ay < 0 && w.Has(kUnderCeiling)) || (ay > 0 && w.Has(kOnFloor)))) w.Add(10, ay);
    return true;
  }
  if (!w.Horizontal()) return false;
  w.Add(9, w.V(13));
  w.Add(10, w.V(14));
  return w.Pass();
}

}  // namespace tolv
