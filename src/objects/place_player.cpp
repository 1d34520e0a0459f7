// Command 826: a player put at a position and dropped onto the first solid
// pixel in a direction, its camera placed with it.
#include <algorithm>
#include <cstdint>

#include "base/wrap32.h"
#include "objects/character.h"
#include "objects/player_frame.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/tile_plane.h"

namespace tolv {

constexpr uint32_t kCameraFollows = 1u << 4;
enum DropDirection : int32_t { kDropDown = 1, kDropRight = 2, kDropUp = 3, kDropLeft = 4 };

// The coordinates of one axis that can hold a solid pixel: those inside
// the plane as they are, or after the one wrap shift the probe makes.
// Scans walk only these, so a huge box or position costs no more than the
// plane does.
struct AxisRuns {
  int64_t lo[3] = {}, hi[3] = {};  // inclusive, ascending, disjoint
  int count = 0;
};

static AxisRuns SolidRuns(int64_t size, int64_t wrap) {
  AxisRuns r;
  if (size <= 0) return r;
  int64_t starts[3] = {0, -wrap, wrap};
  std::sort(starts, starts + 3);
  for (int64_t s : starts) {
    if (r.count && s <= r.hi[r.count - 1] + 1) {
      r.hi[r.count - 1] = std::max(r.hi[r.count - 1], s + size - 1);
    } else {
      r.lo[r.count] = s;
      r.hi[r.count++] = s + size - 1;
    }
  }
  return r;
}

// fn(v) for the run coordinates from `from` up to `to`, or down to it when
// `down`; stops at the first v fn accepts and returns it through `hit`.
template <class Fn>
static bool Walk(const AxisRuns& r, int64_t from, int64_t to, bool down, Fn fn, int64_t* hit) {
  for (int k = 0; k < r.count; k++) {
    int i = down ? r.count - 1 - k : k;
    int64_t a = down ? std::min(from, r.hi[i]) : std::max(from, r.lo[i]);
    int64_t b = down ? std::max(to, r.lo[i]) : std::min(to, r.hi[i]);
    for (int64_t v = a; down ? v >= b : v <= b; v += down ? -1 : 1)
      if (fn(v)) return *hit = v, true;
  }
  return false;
}

// Solid when the pixel, wrapped into the wrap window, is solid in the probe
// plane.
static bool Solid(int64_t x, int64_t y) {
  if (x < wrap_left) x += wrap_width;
  else if (x >= wrap_right) x -= wrap_width;
  if (y < wrap_top) y += wrap_height;
  else if (y >= wrap_bottom) y -= wrap_height;
  if (x < 0 || y < 0 || x > INT32_MAX || y > INT32_MAX) return false;
  return ProbeCollision(static_cast<int32_t>(x), static_cast<int32_t>(y)) != 0;
}

struct Scan {
  bool rows;                // lines are rows (moving up or down) or columns
  int64_t from, to;         // the lines, in scan order
  bool down;                // towards smaller coordinates
  int64_t across_lo, across_hi;  // pixels of a line
};

// The first line of the scan that holds a solid pixel.
static bool FindLine(const Scan& s, const AxisRuns& xs, const AxisRuns& ys, int64_t* line) {
  const AxisRuns& along = s.rows ? ys : xs;
  const AxisRuns& across = s.rows ? xs : ys;
  int64_t unused;
  return Walk(along, s.from, s.to, s.down, [&](int64_t m) {
    return Walk(across, s.across_lo, s.across_hi, false,
                [&](int64_t c) { return s.rows ? Solid(c, m) : Solid(m, c); }, &unused);
  }, line);
}

// Moves (x, y) so the frame's box rests on the first solid pixel in the
// direction; false when there is none or no such direction.
static bool Drop(int32_t direction, const Box& b, const TilePlane& plane, int32_t& x, int32_t& y) {
  int64_t w = int64_t{plane.width} * 8, h = int64_t{plane.height} * 8;
  int64_t bl = b.left, br = b.right, bt = b.top, bb = b.bottom;
  Scan s{};
  switch (direction) {
    case kDropDown: s = {true, std::max<int64_t>(0, y + bt), h - 1, false, x + bl + 1, x + br - 1}; break;
    case kDropRight: s = {false, std::max<int64_t>(0, x + bl + 1), w - 1, false, y + bt, y + bb - 1}; break;
    case kDropUp: s = {true, y + bb, 1, true, x + bl + 1, x + br - 1}; break;
    case kDropLeft: s = {false, x + br - 1, 1, true, y + bt, y + bb - 1}; break;
    default: return false;
  }
  int64_t line;
  if (!FindLine(s, SolidRuns(w, wrap_width), SolidRuns(h, wrap_height), &line)) return false;
  int64_t edge = direction == kDropDown ? bb : direction == kDropRight ? br : direction == kDropUp ? bt : bl;
  (s.rows ? y : x) = static_cast<int32_t>(static_cast<uint32_t>(line - edge));
  return true;
}

// The player in the middle of a 320 by 224 view, then the seam and the
// follow box.
static void PlaceCamera(int p, PlayerRecord* r) {
  PVar(r, kPvFollowX) = Wrap32Sub(PVar(r, kPvX), 160);
  PVar(r, kPvFollowY) = Wrap32Sub(PVar(r, kPvY), 112);
  MoveFollowPoint(p);
}

static void CmdPlacePlayer() {
  int32_t saved = registers[kRegPlayer];
  int32_t p = RegOrConst(Op(1));
  SelectPlayer(p);
  PlayerRecord* r = current_player;
  const SpriteFrame* frame = PlayerFrame(r);
  PVar(r, kPvX) = RegOrConst(Op(2));
  PVar(r, kPvY) = RegOrConst(Op(3));
  int32_t direction = static_cast<int32_t>(Op(4));
  bool camera = Op(5) == 1 && p >= 0 && p < kMaxPlayers && (static_cast<uint32_t>(PVar(r, kPvFlags)) & kCameraFollows);
  if (camera) PlaceCamera(p, r);
  uint32_t plane = static_cast<uint32_t>(PVar(r, kPvPlane));
  if (frame && static_cast<uint32_t>(PVar(r, kPvCharacter)) < character_count && plane < plane_count &&
      Drop(direction, frame->box, planes[plane], PVar(r, kPvX), PVar(r, kPvY)) && camera)
    PlaceCamera(p, r);
  SelectPlayer(saved);
}

static const CommandDef kPlacePlayerCommands[] = {
    TOLV_ALL(826, 6, CmdPlacePlayer, "place player"),
};

static const CommandDoc kPlacePlayerDocs[] = {
    {"place player", CommandArea::kPlayers,
     {"player (0 for player 1)", "x (pixels)", "y (pixels)", "drop direction (constant)",
      "camera: 1 places it (constant)"},
     "Puts the player at (x, y); then direction 1 down, 2 right, 3 up or 4 left scans its plane that way from the "
     "far side of its frame's box and sets the box's leading edge on the first line with a solid pixel (any "
     "non-zero collision byte), which may also lift a player sunk into the ground. With no such line, or direction "
     "0, it stays at (x, y); with camera 1, a player whose camera follows it (player variable 36 bit 4) gets its "
     "view centred on it."},
};
extern const CommandList place_player_command_list = TOLV_DOCUMENTED(kPlacePlayerCommands, kPlacePlayerDocs);

}  // namespace tolv
