// The camera step: the level wrap shift, the follow box and the camera
// registers of the current player.
#include "objects/players.h"
#include "script/registers.h"

namespace tolv {

static int32_t W(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

// Crossing a wrapping edge moves the player, its follow point and the
// view offset by one wrap length.
static void WrapAxis(int32_t& v, int32_t& follow, int lo, int hi, int size, int offset) {
  int32_t* R = registers;
  int64_t d = 0;
  if (v < R[lo]) d = R[size];
  else if (v > R[hi]) d = -int64_t{R[size]};
  else return;
  v = W(v + d);
  follow = W(follow + d);
  R[offset] = W(R[offset] - d);
}

// The follow box: at most `step` pixels a frame when the player is
// farther outside it, a snap when nearer.
static void Follow(int32_t v, int32_t& c, int32_t lo, int32_t hi, int32_t step) {
  if (int64_t{v} < int64_t{c} + lo) c = int64_t{v} < int64_t{c} + lo - step ? W(int64_t{c} - step) : W(int64_t{v} - lo);
  if (int64_t{v} > int64_t{c} + hi) c = int64_t{v} <= int64_t{c} + hi + step ? W(int64_t{v} - hi) : W(int64_t{c} + step);
}

static void Clamp(int32_t& v, int32_t lo, int64_t hi) {
  if (v < lo) v = lo;
  if (v > hi) v = W(hi);
}

void MoveFollowPoint(int p) {
  if (p < 0 || p >= kMaxPlayers) return;
  PlayerRecord* r = &player_records[p];
  if (!r->player_vars || !r->character_vars) return;
  int32_t* pv = r->player_vars;
  const int32_t* c = r->character_vars;
  int32_t* R = registers;
  if (R[39 + p]) WrapAxis(pv[kPvX], pv[kPvFollowX], 23 + p, 27 + p, 47 + p, 43 + p);
  if (R[41 + p]) WrapAxis(pv[kPvY], pv[kPvFollowY], 25 + p, 29 + p, 49 + p, 45 + p);
  Follow(pv[kPvX], pv[kPvFollowX], c[1], c[2], c[5]);
  Follow(pv[kPvY], pv[kPvFollowY], c[3], c[4], c[6]);
}

void CameraStep(int p) {
  MoveFollowPoint(p);
  PlaceView(p);
}

void PlaceView(int p) {
  if (p < 0 || p >= kMaxPlayers || !player_records[p].player_vars) return;
  const int32_t* pv = player_records[p].player_vars;
  int32_t* R = registers;
  R[19 + p] = W(int64_t{pv[kPvFollowX]} + pv[kPvCameraOffsetX]);
  R[21 + p] = W(int64_t{pv[kPvFollowY]} + pv[kPvCameraOffsetY]);
  if (!R[39 + p]) Clamp(R[19 + p], R[23 + p], int64_t{R[27 + p]} - R[13]);
  if (!R[41 + p]) Clamp(R[21 + p], R[25 + p], int64_t{R[29 + p]} - R[14]);
}

}  // namespace tolv
