// Drawers: an object's Animation lanes as sprites, its own tile map, and
// the debug rows.
#include <cstdio>

#include "base/key_state.h"
#include "files/tokenizer.h"
#include "objects/builtin_routines.h"
#include "objects/players.h"
#include "render/draw_routines.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/tile.h"

namespace tolv {

static int32_t Cam(int axis) { return registers[axis ? kRegCameraY : kRegCameraX]; }

// One sprite per running Animation lane. flip: choose the routine by word 6
// bits 0 and 1; offsets: each lane's byte parameters name variables added
// to X and Y (subtracted along a flipped axis).
static void DrawLanes(bool flip, bool offsets) {
  const ObjectSlot* o = running_slot;
  const TimedScriptContext& a = o->animation_ctx;
  uint32_t bits = flip ? static_cast<uint32_t>(ObjVar(o, 6)) & 3u : 0u;
  ForEachLaneFrame(o, [&](int i, const SpriteFrame& f) {
    uint32_t x = static_cast<uint32_t>(ObjVar(o, 1)), y = static_cast<uint32_t>(ObjVar(o, 2));
    if (offsets && a.param1[i] != 255) {
      uint32_t d = static_cast<uint32_t>(ObjVar(o, a.param1[i]));
      x = (bits & kFlipX) ? x - d : x + d;
    }
    if (offsets && a.param2[i] != 255) {
      uint32_t d = static_cast<uint32_t>(ObjVar(o, a.param2[i]));
      y = (bits & kFlipY) ? y - d : y + d;
    }
    draw_routines.draw_sprite[bits](&f, Cam(0), Cam(1), static_cast<int32_t>(x), static_cast<int32_t>(y));
    return false;
  });
}

void DrawObjectParts() { DrawLanes(false, false); }
void DrawObjectPartsKind4() { DrawLanes(true, false); }
void DrawObjectPartsKind5() { DrawLanes(false, true); }
void DrawObjectPartsKind6() { DrawLanes(true, true); }

// A tile map of width x height ids centred on (x, y); the ids are read
// through `id_at`, out-of-range ids draw nothing.
template <typename IdAt>
static void DrawTileMap(int64_t x, int64_t y, uint32_t width, uint32_t height, IdAt id_at) {
  int64_t ox = x - int64_t{width} * 4, oy = y - int64_t{height} * 4;
  for (uint32_t row = 0; row < height; row++)
    for (uint32_t col = 0; col < width; col++) {
      int32_t id = id_at(row * width + col);
      if (id < 0 || id >= tile_count || !tiles) continue;
      const Tile* tile = &tiles[id];
      TileRoutine draw = tile->opaque ? draw_routines.draw_tile_opaque : draw_routines.draw_tile_transparent;
      draw(tile, Cam(0), Cam(1), static_cast<int32_t>(ox + col * 8), static_cast<int32_t>(oy + row * 8));
    }
}

void DrawObjectPartsKind7() {
  const ObjectSlot* o = running_slot;
  uint32_t m = static_cast<uint32_t>(ObjVar(o, 7));
  uint32_t width = static_cast<uint8_t>(ObjVar(o, 7 + m)), height = static_cast<uint8_t>(ObjVar(o, 8 + m));
  int64_t x = ObjVar(o, 1), y = ObjVar(o, 2);
  uint8_t cell = o->range_state;
  if (cell <= 8) {
    int32_t ww = registers[47], wh = registers[49];
    if (cell <= 2) y -= wh;
    if (cell >= 6) y += wh;
    if (cell % 3 == 0) x -= ww;
    if (cell % 3 == 2) x += ww;
  }
  DrawTileMap(x, y, width, height, [&](uint32_t k) { return ObjVar(o, 10 + m + k); });
}

// The debug rows show only while placing objects or in the object editor.
static bool DebugRowsShown() {
  return PVar(current_player, kPvMovementMode) == 8 || active_screen == 252;
}

static void DrawRow(int axis) {
  if (!DebugRowsShown()) return;
  const ObjectSlot* o = running_slot;
  const SpriteFrame* f = TypeFrame(FindObjectType(ObjVar(o, 0)), ObjVar(o, 4), 0);
  if (!f) return;
  for (int32_t d : {-24, -8, 8, 24}) {
    int32_t x = WrapAdd(ObjVar(o, 1), axis == 0 ? d : 0), y = WrapAdd(ObjVar(o, 2), axis == 1 ? d : 0);
    draw_routines.draw_sprite[kDrawNormal](f, Cam(0), Cam(1), x, y);
  }
}

void DrawDebugRowH() { DrawRow(0); }
void DrawDebugRowV() { DrawRow(1); }

// Debug drawers: the type the current player would place, at its cursor.
static const ObjectType* DebugType() {
  int32_t i = PVar(current_player, kPvDebugType);
  if (!debug_types || i < 0 || i >= debug_type_count) return nullptr;
  return FindObjectType(debug_types[i]);
}

static void DrawDebugFrames(int axis) {
  const SpriteFrame* f = TypeFrame(DebugType(), 0, 0);
  if (!f) return;
  PlayerRecord* r = current_player;
  uint32_t flip = (PVar(r, kPvFlipX) ? 1u : 0u) | (PVar(r, kPvFlipY) ? 2u : 0u);
  int32_t x = PVar(r, kPvX), y = PVar(r, kPvY);
  if (axis < 0) {
    draw_routines.draw_sprite[flip](f, Cam(0), Cam(1), x, y);
    return;
  }
  for (int32_t d : {-24, -8, 8, 24})
    draw_routines.draw_sprite[flip](f, Cam(0), Cam(1), WrapAdd(x, axis == 0 ? d : 0), WrapAdd(y, axis == 1 ? d : 0));
}

// The debug type's tile map, laid out as mover words 7 and up would hold
// it, read from the type's initialiser strings.
static int32_t InitialiserValue(const ObjectType* t, uint32_t k) {
  if (!t->initialisers || k >= t->variable_count || !t->initialisers[k]) return 0;
  char buf[256];
  std::snprintf(buf, sizeof buf, "%s", t->initialisers[k]);
  return ParseNumber(buf);
}

void DrawDebugTileMap() {
  const ObjectType* t = DebugType();
  if (!t) return;
  uint32_t m = static_cast<uint32_t>(InitialiserValue(t, 0));
  uint32_t width = static_cast<uint8_t>(InitialiserValue(t, m)), height = static_cast<uint8_t>(InitialiserValue(t, m + 1));
  DrawTileMap(PVar(current_player, kPvX), PVar(current_player, kPvY), width, height,
              [&](uint32_t k) { return InitialiserValue(t, m + 3 + k); });
}

void DrawDebugSprite() { DrawDebugFrames(-1); }
void DrawDebugSpriteRowH() { DrawDebugFrames(0); }
void DrawDebugSpriteRowV() { DrawDebugFrames(1); }

}  // namespace tolv
