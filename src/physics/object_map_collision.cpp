// Built-in collision 4: the current player against the running object's own
// tile map. The sensors of the player's terrain mode run on the map's
// pixels; results go to the player's words in the form the movement
// routines read back (hit words and ground hold the object's handle), and
// the routine itself pushes the player out, walks it along the map's
// slopes and turns it onto the next floor orientation.
#include "objects/players.h"
#include "physics/map_layer.h"
#include "physics/orientation.h"
#include "physics/pass_geometry.h"
#include "physics/physics_routines.h"
#include "script/handles.h"
#include "script/operands.h"

namespace tolv {

namespace {

// A side as the map's line sensors see it: the axis its player edge lies
// on (0 x: left and right), which way it faces, the windows offered by the
// line's first and last pixel in world order, and the angle without one.
struct MapSide {
  int axis, sign;
  Window first, last;
  int32_t fallback;
};
constexpr MapSide kMapSides[4] = {
    {0, -1, {65, 128}, {1, 63}, 64},     // left
    {0, 1, {128, 191}, {193, 255}, 192},  // right
    {1, -1, {64, 127}, {129, 192}, 128},  // top
    {1, 1, {1, 64}, {192, 255}, 0},       // bottom
};

struct LineHit {
  bool any = false, found = false;
  int32_t angle = 0;
};

template <int M>
struct MapCollider {
  static constexpr Orientation O = kOrientations[M];
  static constexpr int A = O.along, C = 1 - O.along;
  static constexpr uint32_t kPos[2] = {kPvX, kPvY};

  const ObjectMap& m;
  int32_t* v;
  int32_t handle;
  int64_t sh, ti;
  int64_t lo[2], hi[2];          // the box relative to the map: L, T and R, B
  int64_t Lo, Ro, To, Bo;        // the box in the mode's own frame
  int64_t size[2];               // W, H
  bool riding;

  bool Has(uint32_t bit) const { return static_cast<uint32_t>(v[kPvFlags]) & bit; }
  int32_t& Hit(Side s) { return v[kSides[s].hit_word]; }

  // Own frame (u along the surface, forward positive; n towards the feet)
  // to map pixels, and the map's extent in it.
  static int64_t MapX(int64_t u, int64_t n) { return A == 0 ? O.fwd * u : O.feet * n; }
  static int64_t MapY(int64_t u, int64_t n) { return A == 0 ? O.feet * n : O.fwd * u; }
  uint8_t Byte(int64_t u, int64_t n) const { return m.Byte(MapX(u, n), MapY(u, n)); }
  uint8_t AngleAt(int64_t u, int64_t n) const { return m.Angle(MapX(u, n), MapY(u, n)); }
  bool InU(int64_t u) const { return O.fwd * u >= 0 && O.fwd * u < size[A]; }
  bool InN(int64_t n) const { return O.feet * n >= 0 && O.feet * n < size[C]; }
  int64_t NMin() const { return O.feet > 0 ? 0 : 1 - size[C]; }
  int64_t NMax() const { return O.feet > 0 ? size[C] - 1 : 0; }
  void StepAlong(int d) { v[kPos[A]] = Add32(v[kPos[A]], O.fwd * d); }
  void StepAcross(int d) { v[kPos[C]] = Add32(v[kPos[C]], O.feet * d); }
  int64_t SpeedAlong() const { return O.fwd * int64_t{v[kPvSpeedX + A]}; }
  int64_t SpeedAcross() const { return O.feet * int64_t{v[kPvSpeedX + C]}; }
  int64_t PendAlong() const { return O.fwd * int64_t{v[kPvPendingX + A]}; }

  MapCollider(const ObjectMap& map, PlayerRecord* r, int32_t h) : m(map), v(r->player_vars), handle(h) {
    sh = static_cast<uint8_t>(CharVar(kCharStepHeight));
    ti = static_cast<uint8_t>(CharVar(kCharWallTopInset));
    const int32_t* w = r->motion;
    lo[0] = w[kWorldLeft] - m.left, hi[0] = w[kWorldRight] - m.left;
    lo[1] = w[kWorldTop] - m.top, hi[1] = w[kWorldBottom] - m.top;
    size[0] = m.W, size[1] = m.H;
    Lo = O.fwd > 0 ? lo[A] : -hi[A], Ro = O.fwd > 0 ? hi[A] : -lo[A];
    To = O.feet > 0 ? lo[C] : -hi[C], Bo = O.feet > 0 ? hi[C] : -lo[C];
    riding = v[kPvOnGround] == handle;
  }

  int64_t Edge(Side s) const { return kMapSides[s].sign < 0 ? lo[kMapSides[s].axis] : hi[kMapSides[s].axis]; }
  bool Toward(Side s) const { return kMapSides[s].sign * int64_t{v[kPvPendingX + kMapSides[s].axis]} >= 256; }
  bool SpeedToward(Side s, uint32_t speed) const { return kMapSides[s].sign * int64_t{v[speed + kMapSides[s].axis]} > 0; }

  // The line of side s at `at` on its axis, nominal pixels first..last
  // along the other one, clipped to the map; pixels of at least `min`
  // pass. `whole` scans every pixel and gathers the line's angle.
  LineHit Scan(Side s, int64_t at, int64_t first, int64_t last, uint8_t min, bool whole) const {
    const MapSide& i = kMapSides[s];
    LineHit h;
    if (at < 0 || at >= size[i.axis]) return h;
    int64_t start = first > 0 ? first : 0, end = last + 1 < size[1 - i.axis] ? last + 1 : size[1 - i.axis];
    if (end > start) probe_span = static_cast<uint16_t>(end - start);
    for (int64_t p = start; p < end; p++) {
      int64_t x = i.axis == 0 ? at : p, y = i.axis == 0 ? p : at;
      if (m.Byte(x, y) < min) continue;
      h.any = true;
      if (!whole) break;
      uint8_t a = m.Angle(x, y);
      if (p == first && i.first.Has(a)) h.found = true, h.angle = a;
      else if (p == last && i.last.Has(a)) h.found = true, h.angle = a;
    }
    return h;
  }

  // A head or wall line: moving towards it the whole line is scanned and
  // gives the contact angle; otherwise one solid pixel marks the hit.
  void SolidLine(Side s, int64_t first, int64_t last) {
    if (!Toward(s)) {
      if (Scan(s, Edge(s), first, last, 2, false).any) Hit(s) = handle;
      return;
    }
    LineHit h = Scan(s, Edge(s), first, last, 2, true);
    if (h.any) Hit(s) = handle;
    if (Hit(s) == handle && SpeedToward(s, kPvSpeedX) && v[kPvContactAngle] >= kNoContact)
      v[kPvContactAngle] = h.found ? h.angle : kMapSides[s].fallback;
  }

  void Head() {
    constexpr Side s = O.sides[kHead];
    SolidLine(s, lo[A] + 1, hi[A] - 1);
  }

  // Moving towards the feet the player is pushed out of the map line by
  // line, and the surface line under it gives the ground angle.
  void Feet() {
    constexpr Side s = O.sides[kFeet];
    constexpr int sign = kMapSides[s].sign;
    const int64_t first = lo[A] + 1, last = hi[A] - 1;
    if (!Toward(s)) {
      if (v[kPvOnGround] == 0 && Scan(s, Edge(s), first, last, 1, false).any) Hit(s) = handle;
      return;
    }
    int64_t line = Edge(s) - sign;
    for (; Scan(s, line, first, last, 1, false).any; line -= sign) StepAcross(-1);
    LineHit h = Scan(s, line + sign, first, last, 1, true);
    if (h.any) Hit(s) = handle;
    if (Hit(s) == handle) object_ground_angle = h.found ? h.angle : kMapSides[s].fallback;
  }

  // Riding without full wall sensors the walls are one pixel each at the
  // box's centre; otherwise lines inset by the head and step insets.
  void Walls() {
    const bool points = riding && !Has(kFullWallSensors);
    const int64_t first = O.feet > 0 ? To + 1 + ti : -(Bo - 1 - sh);
    const int64_t last = O.feet > 0 ? Bo - 1 - sh : -(To + 1 + ti);
    const int64_t centre = (lo[C] + hi[C]) >> 1;
    for (Side s : {A == 0 ? kSideLeft : kSideTop, A == 0 ? kSideRight : kSideBottom}) {
      if (!points) {
        SolidLine(s, first, last);
        continue;
      }
      int64_t e = Edge(s);
      if (m.Byte(A == 0 ? e : centre, A == 0 ? centre : e) < 2) continue;
      Hit(s) = handle;
      if (SpeedToward(s, kPvStartSpeedX) && v[kPvContactAngle] >= kNoContact) v[kPvContactAngle] = kMapSides[s].fallback;
    }
  }

  void Leave() {
    v[kPvOnGround] = 0;
    v[kPvGroundSpeed] = Wrap32(SpeedAlong());
  }

  // The next orientation takes the movement along the surface; the pixel
  // stepped here is the one the movement routine will not step.
  void Turn(int step, int d) {
    int to = (M + step) & 3;
    v[kPvMovementMode] = to;
    v[kPvPendingX + C] = Wrap32(kOrientations[to].fwd * PendAlong());
    v[kPvPendingX + A] = 0;
    StepAlong(d);
  }

  // Airborne: a solid corner at the head end of the leading line pushes
  // the player towards its feet.
  void CornerPush(int64_t lead) {
    if (probe_hit || !InU(lead) || !InN(To)) return;
    for (int64_t n = To; n <= NMax() && Byte(lead, n) >= 2; n++) StepAcross(1);
  }

  template <Dir D>
  void SurfaceStep() {
    constexpr int d = D == kBack ? -1 : 1;
    constexpr WalkWindows w = TurnWalk(D == kBack ? kBackWalk : kFrontWalk, O.ref);
    constexpr bool leaves_by_angle = !(M == 0 && D == kBack);  // the floor stepping back has no leave window
    if (Hit(O.sides[D])) return;
    const int64_t lead = D == kBack ? Lo : Ro, trail = D == kBack ? Ro - 2 : Lo + 2;
    if (SpeedAcross() < 0 && !riding) return CornerPush(lead);
    StepAcross(1);
    bool climbed = false;
    int64_t top = 0;
    if (InU(lead) && Bo >= NMin() && Bo - sh <= NMax()) {
      for (int64_t n = Bo < NMax() ? Bo : NMax(); n >= NMin() && Byte(lead, n); n--) {
        StepAcross(-1);
        probe_hit = 1;
        climbed = true;
        top = n;
      }
    }
    if (!climbed) StepAcross(-1);
    if (!riding) return CornerPush(lead);
    const int32_t across0 = v[kPos[C]];
    const int64_t deepest = Bo + sh < NMax() ? Bo + sh : NMax();
    if (!climbed) {
      bool ground = !w.launch.Has(v[kPvGroundAngle]);
      for (int64_t n = Bo; !ground && InU(lead) && InN(Bo) && n <= deepest; n++) ground = Byte(lead, n) != 0;
      if (!ground) {
        Leave();
        return CornerPush(lead);
      }
      for (int64_t n = deepest; InU(trail) && InN(Bo) && n >= Bo; n--)
        if (Byte(trail, n)) v[kPos[C]] = Add32(across0, O.feet * (n - Bo));
    }
    if (Has(kFollowSlopes)) {
      int32_t& ground_angle = v[kPvGroundAngle];
      if (climbed) {
        int32_t a = AngleAt(lead, top);
        ground_angle = w.lead_keep.Has(a) ? a : O.ref;
        if (w.lead_turn.Has(a)) return Turn(w.lead_step, d);
      } else if (v[kPos[C]] != across0) {
        int32_t a = AngleAt(trail, Bo);
        ground_angle = w.trail_keep.Has(a) ? a : O.ref;
        if (w.trail_turn.Has(a)) return Turn(w.trail_step, d);
        if (leaves_by_angle && w.trail_leave.Has(a)) {
          v[kPos[C]] = across0;
          Leave();
        }
      }
    }
    if (v[kPvOnGround] == 0) CornerPush(lead);
  }

  void Run() {
    Head();
    Feet();
    Walls();
    if (PendAlong() <= -256) SurfaceStep<kBack>();
    else if (PendAlong() >= 256) SurfaceStep<kFront>();
  }
};

template <int M>
void CollideInMode(const ObjectMap& m, PlayerRecord* r, int32_t handle) {
  MapCollider<M>(m, r, handle).Run();
}

}  // namespace

void CollidePlayerWithObjectMap() {
  PlayerRecord* r = current_player;
  ObjectMap m;
  if (!r->player_vars || player_register_count < kPvWordCount || !m.Load(running_slot)) return;
  const int32_t* v = r->player_vars;
  const int32_t* w = r->motion;
  // A box that only touches the map, or lies one pixel off its right or
  // bottom edge, still counts.
  if (w[kWorldRight] - m.left < -1 || w[kWorldBottom] - m.top < -1 || w[kWorldLeft] - m.left > m.W ||
      w[kWorldTop] - m.top > m.H)
    return;
  uint8_t layer = MapLayer(running_slot, m);
  uint32_t mode = static_cast<uint32_t>(v[kPvMovementMode]);
  if ((layer && layer != v[kPvPlane]) || mode > 3) return;
  static void (*const modes[4])(const ObjectMap&, PlayerRecord*, int32_t) = {CollideInMode<0>, CollideInMode<1>,
                                                                              CollideInMode<2>, CollideInMode<3>};
  modes[mode](m, r, EncodeObjectHandle(running_slot));
}

}  // namespace tolv
