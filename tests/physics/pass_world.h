// Test world for the collision passes and the box commands: objects and
// players showing one frame with boxes and a hot spot, the wrap-cell lists
// filled by hand, and a probe that records what a visit saw.
#pragma once
#include <vector>

#include "objects/collision_passes.h"
#include "objects/draw_pass.h"
#include "objects/player_select.h"
#include "physics/command_lists.h"
#include "physics/pass_geometry.h"
#include "physics/physics_routines.h"
#include "render/draw_routines.h"
#include "script/count_slot.h"
#include "script/global_contexts.h"
#include "../objects/object_world.h"

namespace tolv::test {

// What a routine or script saw when the pass visited it.
struct Visit {
  ObjectSlot* object;
  int32_t region;          // the current player's wrap_region
  int32_t left, top;       // the player's world box, or the collide object's
  size_t attacks;          // boxes in the attack list of that pass
  int32_t attack_left;     // the first of them
  int32_t player;          // register 9
  CommandHandler count;    // the Count command's slot
  uint16_t cursor;         // slot_cursor
  bool operator==(const Visit&) const = default;
};
inline std::vector<Visit> visits;
inline bool record_collide = false;  // record the collide object's geometry

inline void RecordVisit() {
  const int32_t* m = current_player->motion;
  const BoxLists& l = record_collide ? CollideLists() : CurrentPlayerLists();
  Visit v{running_slot, PVar(current_player, kPvWrapRegion), m[kWorldLeft], m[kWorldTop], l.attack.size(),
          l.attack.empty() ? 0 : l.attack[0].left, registers[kRegPlayer], script_commands[kCountCommand], slot_cursor};
  if (record_collide) {
    v.left = collide_world.left;
    v.top = collide_world.top;
    v.region = collide_cell;
  }
  visits.push_back(v);
}
constexpr uint32_t kRecord = 1550;  // borrowed ID: a script line that records a visit

class PassWorld : public ObjectWorld {
 protected:
  void SetUp() override {
    ObjectWorld::SetUp();
    InstallPhysicsRoutines();
    RegisterPhysicsCommands();
    saved_record_ = script_commands[kRecord];
    script_commands[kRecord] = timed_commands[kRecord] = stat_obj_commands[kRecord] = RecordVisit;
    AllocPlayerVars();
    SelectPlayer(0);
    visits.clear();
    record_collide = false;
    projectile_view = 255;  // the view test's scratch, as at start-up
    projectile_shift_x = projectile_shift_y = 0;
    attack_ = {Box{-2, 2, -3, 3}, Box{1, 5, 6, 12}};  // plain, mirrored
    hurt_ = {Box{-4, 4, -4, 4}, Box{0, 8, 2, 10}};
    spots_ = {HotSpot{3, -5}, HotSpot{9, 7}};
    frame_ = SpriteFrame{};
    frame_.width = frame_.height = 16;
    frame_.box = Box{-8, 8, -12, 4};
    frame_.mirrored_box = Box{-6, 10, -2, 14};
    frame_.attack_boxes = &attack_[0];
    frame_.mirrored_attack_boxes = &attack_[1];
    frame_.hurt_boxes = &hurt_[0];
    frame_.mirrored_hurt_boxes = &hurt_[1];
    frame_.hotspots = &spots_[0];
    frame_.mirrored_hotspots = &spots_[1];
    frame_.attack_count = frame_.hurt_count = frame_.hotspot_count = 1;
    set_ = SpriteSet{&frame_, 1};
    std::fill(cell_object_counts, cell_object_counts + 18, 0);
    current_context = &lane_ctx_;
    AddLane();
  }
  void TearDown() override {
    current_context = &lane_ctx_;
    ClearContext();
    for (ScriptContext* c : {&collision_context, &pcollision_context}) {
      current_context = c;
      ClearContext();
    }
    script_commands[kRecord] = timed_commands[kRecord] = stat_obj_commands[kRecord] = saved_record_;
    std::fill(cell_object_counts, cell_object_counts + 18, 0);
    collide_object = &void_slot;
    current_player = &void_player;
    ObjectWorld::TearDown();
  }

  // A type whose objects show frame_ and have 20 own variables.
  ObjectType& AddShownType() {
    ObjectType& t = AddType(20);
    GiveSprites(t, &set_);
    GiveAnimation(t, {AddLoop(kAnimationCode)});
    t.builtin_collision = t.builtin_pcollision = RunNoRoutine;
    return t;
  }
  ObjectSlot* AddObject(ObjectType& t, int32_t x, int32_t y, int list = -1) {
    EXPECT_TRUE(Spawn(TypeId(t), x, y));
    if (list >= 0) cell_object_lists[list][cell_object_counts[list]++] = last_spawned_slot;
    return last_spawned_slot;
  }
  // Player p at (x, y) showing frame_ in its lane 0, its box fields from
  // the frame as the movement routines write them.
  void ShowPlayer(int p, int32_t x, int32_t y) {
    PlayerRecord& r = player_records[p];
    r.frames = &set_;
    r.main_ctx.function_count = 1;
    r.main_ctx.lane_funcs[0] = 0;
    r.main_ctx.frame_values[0] = 0;
    int32_t* m = r.motion;
    m[kBoxLeft] = frame_.box.left, m[kBoxRight] = frame_.box.right;
    m[kBoxTop] = frame_.box.top, m[kBoxBottom] = frame_.box.bottom;
    m[kBoxCentreX] = 0, m[kBoxCentreY] = -4;
    PVar(&r, kPvX) = x;
    PVar(&r, kPvY) = y;
  }
  // Runs one command with zero-padded operands from a lane at pc 0; true
  // when it jumped (to 77).
  bool Run(std::initializer_list<uint32_t> words, CommandHandler* table = script_commands) {
    static uint32_t buffer[16];
    std::fill(buffer, buffer + 16, 0u);
    std::copy(words.begin(), words.end(), buffer);
    current_instruction = buffer;
    current_context = &lane_ctx_;
    current_lane = 0;
    lane_ctx_.lane_pcs[0] = 0;
    table[CommandIndex(buffer[0])]();
    return lane_ctx_.lane_pcs[0] == 77;
  }

  SpriteFrame frame_;
  SpriteSet set_;
  std::vector<Box> attack_, hurt_;
  std::vector<HotSpot> spots_;
  ScriptContext lane_ctx_;
  CommandHandler saved_record_ = nullptr;
};

}  // namespace tolv::test
