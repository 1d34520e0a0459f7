#include "game/headless.h"

#include "game/engine_init.h"
#include "game/game_frame.h"
#include "objects/draw_order.h"
#include "objects/object_pool.h"
#include "objects/objects_state.h"
#include "render/frame.h"
#include "render/render_state.h"
#include "script/operands.h"
#include "script/random.h"
#include "script/registers.h"
#include "script/script_state.h"
#include "world/tile_plane.h"

namespace tolv {

static HeadlessGame headless_game;

void StartHeadlessEngine() { InitEngine(); }

void StartHeadlessGame(const HeadlessGame& game, uint32_t seed) {
  headless_game = game;
  ResetMachineState();
  ResetObjects();
  AllocRegisters(user_register_count);  // user registers back to 0
  ResetRegisters();
  ResetRender();
  random_seed = seed;
  game_frame_counter = 0;
  if (game.load) game.load();
  if (game.start_level) game.start_level();
}

// As the host does: a level (re)start asked for by command 42 (register 7
// back at 0) is served before the next frame.
void RunHeadlessFrames(uint32_t n) {
  for (uint32_t i = 0; i < n; i++) {
    if (!registers[kRegLevelStarted] && headless_game.start_level) headless_game.start_level();
    RunGameFrame();
  }
}

WorldCapture CaptureWorld() {
  WorldCapture w;
  w.frame = game_frame_counter;
  w.frame_hash = FrameAreaHash();
  w.registers.assign(registers, registers + register_count);
  uint32_t n = ActiveObjectCount();
  for (uint32_t i = 0; i < n; i++) {
    const ObjectSlot* o = object_slots[i];
    w.objects.emplace_back(o->vars, o->vars + o->var_count);
  }
  for (const PlayerRecord& r : player_records)
    if (r.character_vars) w.players.emplace_back(r.character_vars, r.character_vars + PlayerBlockSize());
  for (uint32_t i = 0; i < plane_count; i++) {
    const TilePlane& p = planes[i];
    std::vector<int32_t>& offsets = w.planes.emplace_back();
    if (p.line_offsets) offsets.assign(p.line_offsets, p.line_offsets + PlaneLineCount(p.type, p.width, p.height));
    offsets.push_back(p.other_offset);
  }
  return w;
}

}  // namespace tolv
