#include "game/game_frame.h"

#include "audio/audio_commands.h"
#include "base/wrap32.h"
#include "objects/draw_order.h"
#include "objects/draw_pass.h"
#include "objects/object_pool.h"
#include "objects/player_select.h"
#include "objects/stat_obj_hooks.h"
#include "objects/world_update.h"
#include "render/frame.h"
#include "script/global_contexts.h"
#include "script/operands.h"
#include "script/registers.h"
#include "stat/stat_obj.h"
#include "world/frame_steps.h"

namespace tolv {

constexpr uint32_t kFreezePalette = 1u << 0;
constexpr uint32_t kFreezeCounter = 1u << 1;

// The pause menu runs instead of the world; a menu whose object has gone
// counts as none.
static bool RunPauseMenu() {
  if (!registers[kRegPause] || pause_stat_obj == 65535) return false;
  ObjectSlot* o = pause_slot;
  if (!o || o->order_index >= ActiveObjectCount() || object_slots[o->order_index] != o ||
      o->vars[0] != kTypePauseMenu)
    return false;
  running_slot = o;
  run_stat_obj();
  running_slot = o;
  draw_stat_obj();
  return true;
}

// The shake to add this frame; the register then flips its sign and, coming
// back from negative, shrinks by one: 3, -3, 2, -2, 1, -1, 0.
static int32_t StepShake(uint32_t reg) {
  const int32_t v = registers[reg];
  registers[reg] = Wrap32Sub(Wrap32Sub(0, v), v < 0 ? 1 : 0);
  return v;
}

static void PrepareView(int p) {
  registers[kRegPlayer] = p;
  SelectPlayer(p);
  if (p == 1) registers[kRegView] = 1;
  if (p == 0 && !(static_cast<uint32_t>(registers[kRegFreeze]) & kFreezePalette)) run_palette_effects();
  ease_camera_limits();
  registers[kRegCameraX] = Wrap32Add(registers[kRegViewX + p], StepShake(kRegShakeX + p));
  registers[kRegCameraY] = Wrap32Add(registers[kRegViewY + p], StepShake(kRegShakeY + p));
}

// The second view of the two-view mode is drawn 224 rows lower.
static void DrawView(int v) {
  if (!registers[kRegFrameSkip]) update_plane_scroll();
  SelectFrameView(v);
  DrawScene(v);
  SelectFrameView(0);
}

void RunGameFrame() {
  if (RunPauseMenu()) return;
  RunAudioFrame();
  registers[kRegView] = 0;
  select_palette_bank(0);
  if (!(static_cast<uint32_t>(registers[kRegFreeze]) & kFreezeCounter)) {
    game_frame_counter++;
    animate_tiles();
  }
  UpdateWorld();
  current_context = &global_context;
  RunLanes();
  PrepareView(0);
  DrawView(0);
  PrepareView(1);
  if (view_count == 2) {
    select_palette_bank(1);
    DrawView(1);
  }
}

}  // namespace tolv
