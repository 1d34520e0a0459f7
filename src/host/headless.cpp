#include "host/headless.h"

#include "host/engine_init.h"
#include "host/game_frame.h"
#include "objects/draw_order.h"
#include "objects/object_pool.h"
#include "script/operands.h"
#include "script/random.h"
#include "script/registers.h"

namespace tolv {

void StartHeadlessEngine() { InitEngine(); }

void StartHeadlessGame(const HeadlessGame& game, uint32_t seed) {
  ResetObjectSlots();
  FreeResortList();
  AllocRegisters(user_register_count);  // user registers back to 0
  ResetRegisters();
  random_seed = seed;
  game_frame_counter = 0;
  if (game.load) game.load();
  if (game.start_level) game.start_level();
}

void RunHeadlessFrames(uint32_t n) {
  for (uint32_t i = 0; i < n; i++) RunGameFrame();
}

WorldCapture CaptureWorld() {
  WorldCapture w;
  w.frame = game_frame_counter;
  w.registers.assign(registers, registers + register_count);
  uint32_t n = ActiveObjectCount();
  for (uint32_t i = 0; i < n; i++) {
    const ObjectSlot* o = object_slots[i];
    w.objects.emplace_back(o->vars, o->vars + o->var_count);
  }
  return w;
}

}  // namespace tolv
