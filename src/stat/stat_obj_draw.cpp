#include "stat/stat_obj_draw.h"

#include <algorithm>
#include <cstdio>

#include "objects/builtin_routines.h"
#include "objects/character.h"
#include "render/draw_routines.h"
#include "render/text.h"
#include "script/operands.h"
#include "script/registers.h"
#include "script/string_slots.h"
#include "stat/stat_obj.h"
#include "world/sprite_sets.h"

namespace tolv {

bool FormatNumberElement(const StatObjElement& e, char* out, size_t size) {
  uint32_t digits = e.source_def;
  if (digits < 1 || digits > 10) return false;
  int32_t v;
  if (e.kind == kElemRegBlank || e.kind == kElemRegZero) {
    v = Reg(static_cast<uint32_t>(e.value));
  } else {
    int32_t p = e.frame == 255 ? registers[kRegPlayer] : e.frame;
    if (p < 0 || p >= kMaxPlayers) return false;
    v = PlayerVar(&player_records[p], static_cast<uint32_t>(e.value));
  }
  bool zeros = e.kind == kElemRegZero || e.kind == kElemPlayerZero;
  int width = digits == 1 ? 0 : int(digits);
  if (e.source) std::snprintf(out, size, zeros ? "%0*X" : "%*X", width, static_cast<uint32_t>(v));
  else std::snprintf(out, size, zeros ? "%0*d" : "%*d", width, v);
  return true;
}

// The frames a sprite element draws from, or null.
static const SpriteSet* ElementFrames(const StatObjElement& e) {
  switch (e.kind) {
    case kElemOwnSprite: {
      const StatObjDef* d = FindStatObjDef(e.source_def);
      return d && e.source < d->sprite_list_count ? &d->sprite_lists[e.source] : nullptr;
    }
    case kElemSetSprite: return e.source < sprite_set_counts.total ? sprite_sets[e.source] : nullptr;
    case kElemCharSprite: {
      const Character* c = e.source < 256 ? FindCharacter(static_cast<uint8_t>(e.source)) : nullptr;
      return c ? &c->sprites : nullptr;
    }
    default: return nullptr;
  }
}

// Calls draw(frame) for the frame shown, or for each active lane's frame.
template <typename Draw>
static void ForEachElementFrame(const StatObjElement& e, Draw draw) {
  const SpriteSet* set = ElementFrames(e);
  if (!set || !set->frames) return;
  auto show = [&](uint32_t n) {
    if (n < set->frame_count) draw(&set->frames[n]);
  };
  if (e.start_function >= kNoFunction) return show(e.frame);
  const TimedScriptContext& a = e.anim;
  for (int i = 0; i < a.lane_count; i++)
    if (a.lane_funcs[i] < a.function_count) show(a.frame_values[i]);
}

static const char* ElementText(const StatObjElement& e, char* number, size_t size) {
  if (e.kind == kElemText) {
    const StatObjDef* d = FindStatObjDef(e.source_def);
    return d && e.source < d->string_count ? d->strings[e.source] : nullptr;
  }
  if (e.kind == kElemStringSlot) return StringSlotText(e.source);
  return FormatNumberElement(e, number, size) ? number : nullptr;
}

// a - b + c in wrapping 32-bit arithmetic.
static int32_t Shift(int32_t a, int32_t b, int32_t c) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b) + static_cast<uint32_t>(c));
}

struct Clip {
  int32_t left, right, top, bottom;
};

// An element of node n; without a clip rectangle (a root's elements) it
// goes through the unclipped routines.
static void DrawElement(const StatObjElement& e, const StatObjNode& n, const Clip* clip) {
  if (e.visible != 1 || e.kind > kElemPlayerZero) return;
  if (e.kind <= kElemCharSprite) {
    int32_t x = WrapAdd(e.x, n.screen_x), y = WrapAdd(e.y, n.screen_y);
    ForEachElementFrame(e, [&](const SpriteFrame* f) {
      if (clip)
        draw_routines.draw_sprite_clipped[kDrawNormal](f, n.drawn_scroll_x, n.drawn_scroll_y, x, y, clip->left,
                                                        clip->right, clip->top, clip->bottom);
      else
        draw_routines.draw_sprite[kDrawNormal](f, n.scroll_x, n.scroll_y, e.x, e.y);
    });
    return;
  }
  char number[32];
  const char* text = ElementText(e, number, sizeof number);
  if (!text) return;
  if (clip) {
    int32_t x = Shift(e.x, n.drawn_scroll_x, n.screen_x), y = Shift(e.y, n.drawn_scroll_y, n.screen_y);
    DrawTextClipped(text, x, y, e.start_function, clip->left, clip->right, clip->top, clip->bottom);
  } else {
    DrawText(text, Shift(e.x, n.scroll_x, 0), Shift(e.y, n.scroll_y, 0), e.start_function);
  }
}

static void DrawElements(StatObj* so, const StatObjNode& n, const Clip* clip) {
  for (int i = 0; i < n.element_count; i++)
    if (const StatObjElement* e = StatElement(so, n.elements[i])) DrawElement(*e, n, clip);
}

static int16_t ClipValue(int64_t v) { return static_cast<int16_t>(std::clamp<int64_t>(v, -32768, 32767)); }

// Child number c of node `parent` and everything below it; depth bounds
// the walk should a command ever make the tree loop.
static void DrawNode(StatObj* so, uint32_t c, uint32_t parent, uint32_t depth) {
  StatObjNode* p = StatNode(so, parent);
  if (!p || c >= p->child_count || depth > so->node_count) return;
  StatObjNode* n = StatNode(so, p->children[c]);
  if (!n || !n->visible || n->left > n->right || n->top > n->bottom) return;
  int64_t ox = int64_t{p->screen_x} - p->drawn_scroll_x, oy = int64_t{p->screen_y} - p->drawn_scroll_y;
  n->clip_left = std::max(ClipValue(ox + n->x + n->left), p->clip_left);
  n->clip_top = std::max(ClipValue(oy + n->y + n->top), p->clip_top);
  n->clip_right = std::min(ClipValue(ox + n->x + n->right), p->clip_right);
  n->clip_bottom = std::min(ClipValue(oy + n->y + n->bottom), p->clip_bottom);
  n->screen_x = static_cast<int32_t>(ox + n->x);
  n->screen_y = static_cast<int32_t>(oy + n->y);
  n->drawn_scroll_x = n->scroll_x;
  n->drawn_scroll_y = n->scroll_y;
  Clip clip{n->clip_left, n->clip_right, n->clip_top, n->clip_bottom};
  DrawElements(so, *n, &clip);
  for (uint32_t k = 0; k < n->child_count; k++) DrawNode(so, k, p->children[c], depth + 1);
}

void DrawStatObj() {
  StatObj* so = RunningStatObj();
  if (!so || so->node_count < 2) return;
  StatObjNode& world = so->nodes[0];
  world.scroll_x = world.drawn_scroll_x = registers[kRegCameraX];
  world.scroll_y = world.drawn_scroll_y = registers[kRegCameraY];
  for (uint32_t root = 0; root < 2; root++) {
    DrawElements(so, so->nodes[root], nullptr);
    for (uint32_t k = 0; k < so->nodes[root].child_count; k++) DrawNode(so, k, root, 1);
  }
}

}  // namespace tolv
