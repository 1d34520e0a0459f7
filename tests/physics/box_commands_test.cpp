#include <functional>

#include "objects/builtin_routines.h"
#include "script/handles.h"
#include "script/object_globals.h"
#include "pass_world.h"

namespace tolv {
static bool operator==(const Box& a, const Box& b) {
  return a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom;
}
}  // namespace tolv

namespace tolv::test {

// Frame (fixture): box -8..8 x -12..4, mirrored -6..10 x -2..14; one attack
// box -2..2 x -3..3, one hurt box -4..4 x -4..4; hot spot (3, -5), mirrored
// (9, 7). PA is player 0 at (100, 50) seen flipped horizontally; OA the
// object at (200, 80) flipped vertically; CP player 0 at pass position
// (1000, 2000); COL the partner at pass position (500, 600), unflipped.
class BoxCommands : public PassWorld {
 protected:
  void SetUp() override {
    PassWorld::SetUp();
    ShowPlayer(0, 100, 50);
    ShowPlayer(1, 0, 0);
    PVar(&player_records[0], kPvFlipX) = 1;
    player_operand_a = &player_records[0];
    player_operand_d = &player_records[1];
    ObjectType& t = AddShownType();
    oa_ = AddObject(t, 200, 80);
    oa_->vars[6] = 2;
    object_operand_a = running_slot = oa_;
    object_operand_d = od_ = AddObject(t, 0, 0);
    partner_ = AddObject(t, 0, 0);
    int32_t* m = player_records[0].motion;
    for (int k = kWorldCentreX; k <= kWorldBottom; k++) m[k] = 10 * k;  // 100 .. 170
    m[kWorldX] = 1000, m[kWorldY] = 2000;
    collide_object = partner_;
    collide_world = CollideGeometry{11, 12, 13, 14, 15, 16, 500, 600};
  }
  // Destination d of a kind: 0 register, 1 PD, 2 OD.
  int32_t& Dest(int kind, uint32_t d) { return kind == 0 ? registers[d] : kind == 1 ? PDVar(d) : ODVar(d); }
  void ClearDests() {
    for (int k = 0; k < 3; k++) Dest(k, 20) = Dest(k, 21) = -1;
  }
  ObjectSlot *oa_, *od_, *partner_;
};

TEST_F(BoxCommands, HotSpotsOfEachSourceIntoEachDestination) {
  struct Row {
    uint32_t id;
    int dest;  // 0 REG, 1 PD, 2 OD
    int axes;  // 3 both, 1 x only, 2 y only
    int32_t x, y;
  };
  const int32_t pa[2] = {109, 45}, oa[2] = {203, 87}, cp[2] = {1009, 1995}, col[2] = {503, 595};
  std::vector<Row> rows = {{326, 2, 3, pa[0], pa[1]}, {329, 2, 3, oa[0], oa[1]}, {330, 1, 3, oa[0], oa[1]},
                           {331, 1, 3, pa[0], pa[1]}, {332, 0, 3, oa[0], oa[1]}, {333, 0, 3, pa[0], pa[1]}};
  for (int k = 0; k < 12; k++) {  // 966..977: PA, OA pairs into REG, PD, OD; x then y
    const int32_t* s = k % 2 ? oa : pa;
    rows.push_back({966u + k, (k / 2) % 3, k < 6 ? 1 : 2, s[0], s[1]});
  }
  for (int k = 0; k < 18; k++) {  // 1228..1245: CP, COL pairs; xy, x, y
    const int32_t* s = k % 2 ? col : cp;
    rows.push_back({1228u + k, (k / 2) % 3, k < 6 ? 3 : k < 12 ? 1 : 2, s[0], s[1]});
  }
  for (const Row& r : rows) {
    SCOPED_TRACE(r.id);
    ClearDests();
    Run({r.id, 0, 20, 21});
    EXPECT_EQ(Dest(r.dest, 20), r.axes == 2 ? r.y : r.x);
    EXPECT_EQ(Dest(r.dest, 21), r.axes == 3 ? r.y : -1);
    ClearDests();
    Run({r.id, 1, 20, 21});  // no point 1: nothing written
    EXPECT_EQ(Dest(r.dest, 20), -1);
  }
  collide_object = &void_slot;  // no partner: nothing
  ClearDests();
  Run({1229, 0, 20, 21});
  EXPECT_EQ(registers[20], -1);
}

TEST_F(BoxCommands, FrameBoxEdges) {
  // edges left, top, right, bottom, centre x, centre y
  const int32_t pa[6] = {94, 38, 110, 54, 102, 46};  // mirrored left and right
  const int32_t oa[6] = {192, 78, 208, 94, 200, 86};  // mirrored top and bottom
  for (uint32_t id = 960; id <= 965; id++) {
    const int32_t* want = id % 2 ? oa : pa;
    int dest = (id - 960) / 2;
    for (uint32_t edge = 0; edge <= 6; edge++) {
      ClearDests();
      Run({id, edge, 20});
      EXPECT_EQ(Dest(dest, 20), edge < 6 ? want[edge] : -1) << id << " edge " << edge;
    }
  }
}

TEST_F(BoxCommands, PassFields) {
  const int32_t cp[8] = {140, 160, 150, 170, 100, 110, 1000, 2000};
  const int32_t col[8] = {11, 13, 12, 14, 15, 16, 500, 600};
  for (uint32_t id = 1222; id <= 1227; id++)
    for (uint32_t field = 0; field <= 8; field++) {
      ClearDests();
      Run({id, field, 20});
      EXPECT_EQ(Dest((id - 1222) / 2, 20), field < 8 ? (id % 2 ? col : cp)[field] : -1) << id << " " << field;
    }
  collide_object = &void_slot;
  ClearDests();
  Run({1223, 0, 20});
  EXPECT_EQ(registers[20], -1);
}

// The overlap tests read the lists of the running pass: each row runs from
// the routine of the object the pass visits (at (200, 80), unflipped: frame
// 192..208 x 68..84, attack 198..202 x 77..83, hurt 196..204 x 76..84),
// against a player, or a collide object, at (195, 80): world box 187..203,
// attack 193..197, hurt 191..199.
inline std::function<void()> in_pass;
TEST_F(BoxCommands, BoxSetsOverlap) {
  struct Row {
    uint32_t id, other, own;
    bool holds;
    bool collide() const { return id == 348 || id == 817; }
  };
  const Row rows[] = {{347, 0, 0, true},  {347, 1, 1, false}, {347, 1, 2, true},  {347, 2, 1, true},
                      {347, 0, 1, true},  {347, 3, 0, false}, {347, 0, 3, false}, {348, 0, 0, true},
                      {348, 1, 1, false}, {348, 1, 2, true},  {348, 2, 2, true},  {816, 1, 1, false},
                      {817, 1, 2, true}};
  ObjectType& t = AddShownType();
  t.builtin_collision = t.builtin_pcollision = [] { in_pass(); };
  ObjectSlot* visited = AddObject(t, 200, 80, 4);
  ObjectSlot* shot = AddObject(t, 195, 80);
  ShowPlayer(0, 195, 80);
  PVar(&player_records[0], kPvFlipX) = 0;
  for (const Row& r : rows) {
    in_pass = [&] { EXPECT_EQ(!Run({r.id, r.other, r.own, 77}), r.holds) << r.id << " " << r.other << r.own; };
    if (r.collide()) {
      running_slot = shot;
      SetObjectBox(shot);
      projectile_view = 0;
      projectile_shift_x = projectile_shift_y = 0;
      run_projectile_collision_pass();
    } else {
      SelectPlayer(0);
      collide_player_with_objects();
    }
  }
  // Outside a pass: no lists, no partner.
  running_slot = visited;
  collide_object = &void_slot;
  EXPECT_TRUE(Run({347, 1, 2, 77}));
  EXPECT_TRUE(Run({348, 0, 0, 77}));
}

// Lane offsets of 816: the frame box at 192..208 (mirrored: 194..210), the
// player's world box ending on or just past its left edge.
TEST_F(BoxCommands, LaneOffsetsMoveTheObjectsBoxes) {
  struct Row {
    int32_t flip, value, player_right;
    bool holds;
  };
  const Row rows[] = {{0, 0, 192, false}, {0, -1, 192, true}, {0, 1, 192, false},
                      {0, 300, 193, true}, {1, 1, 194, true},  {1, -3, 194, false}};
  ObjectSlot* o = running_slot;
  o->animation_ctx.param1[0] = 3;  // x offset: type variable 3 (word 10)
  for (const Row& r : rows) {
    o->vars[6] = r.flip;
    o->vars[10] = r.value;
    int32_t* m = current_player->motion;
    m[kWorldLeft] = 150, m[kWorldRight] = r.player_right, m[kWorldTop] = 70, m[kWorldBottom] = 80;
    EXPECT_EQ(!Run({816, 0, 0, 77}), r.holds) << r.flip << " " << r.value;
  }
}

TEST_F(BoxCommands, ContactPendingAndRelationTests) {
  // The running object unflipped at (200, 80): frame box 192..208 x 68..84.
  running_slot->vars[6] = 0;
  struct Row {
    uint32_t id, side, expect;
    Box player;
    int32_t pending_x, pending_y;
    bool holds;
  };
  const Box on{195, 205, 60, 68}, left_of{180, 192, 70, 80}, below{195, 205, 84, 90};
  const Row rows[] = {
      {385, 2, 1, on, 0, 0, true},           {385, 2, 1, {195, 205, 61, 69}, 0, 0, false},
      {385, 0, 1, left_of, 0, 0, true},      {385, 1, 1, {208, 220, 70, 80}, 0, 0, true},
      {385, 3, 1, below, 0, 0, true},        {385, 4, 0, on, 0, 0, true},
      {820, 0, 1, left_of, 256, 0, true},    {820, 0, 1, left_of, 255, 0, false},
      {820, 3, 1, below, 0, -256, true},     {818, 0, 1, on, 256, 0, true},
      {818, 0, 1, on, 255, 0, false},        {818, 1, 1, on, 0, -256, true},
      {1181, 0, 1, {180, 200, 70, 80}, 0, 0, true}, {1181, 2, 1, {195, 205, 60, 84}, 0, 0, true},
      {1181, 1, 1, {209, 220, 70, 80}, 0, 0, false}, {1181, 7, 0, on, 0, 0, true},
  };
  for (const Row& r : rows) {
    int32_t* m = current_player->motion;
    m[kWorldLeft] = r.player.left, m[kWorldRight] = r.player.right;
    m[kWorldTop] = r.player.top, m[kWorldBottom] = r.player.bottom;
    CurPlayerVar(13) = r.pending_x;
    CurPlayerVar(14) = r.pending_y;
    EXPECT_EQ(!Run({r.id, r.side, r.expect, 77}), r.holds) << r.id << " side " << r.side;
    // The same geometry and movement as the collide object's.
    collide_world = CollideGeometry{r.player.left, r.player.right, r.player.top, r.player.bottom, 0, 0, 0, 0};
    partner_->vars[11] = r.pending_x;
    partner_->vars[12] = r.pending_y;
    if (r.id != 1181) {
      EXPECT_EQ(!Run({r.id + 1, r.side, r.expect, 77}), r.holds) << r.id + 1;
    }
  }
  // Relations 4 to 6: the player's own position, ends included.
  CurPlayerVar(4) = 80;
  for (int32_t x : {208, 209}) {
    CurPlayerVar(3) = x;
    EXPECT_EQ(!Run({1181, 5, 1, 77}), x == 208);
  }
  collide_object = &void_slot;  // no partner: never in contact
  EXPECT_TRUE(Run({386, 4, 1, 77}));
}

TEST_F(BoxCommands, DistancesToTheRunningObject) {
  running_slot->vars[6] = 0;  // frame box 192..208 x 68..84, centre (200, 76)
  struct Row {
    uint32_t field, ref;
    int32_t player, collide;  // -1: nothing written
  };
  // Player fields top 160, bottom 170, left 140, right 150, centre 100 and
  // 110, position 1000, 2000; collide fields 13, 14, 11, 12, 15, 16, 500, 600.
  const Row rows[] = {{4, 2, 100 - 200, 15 - 200}, {0, 0, 160 - 68, 13 - 68}, {1, 1, 170 - 84, 14 - 84},
                      {5, 2, 110 - 76, 16 - 76},    {6, 3, 1000 - 200, 500 - 200}, {7, 3, 2000 - 80, 600 - 80},
                      {8, 0, -1, -1},              {2, 4, -1, -1}};
  for (const Row& r : rows) {
    CharVar(5) = partner_->vars[9] = -1;
    Run({1217, r.field, r.ref, 5});
    Run({1218, r.field, r.ref, 9});
    EXPECT_EQ(CharVar(5), r.player) << r.field << " " << r.ref;
    EXPECT_EQ(partner_->vars[9], r.collide) << r.field << " " << r.ref;
  }
}

// Destinations outside their blocks write nothing anywhere.
TEST_F(BoxCommands, OutOfRangeDestinationsWriteNothing) {
  std::vector<int32_t> regs(registers, registers + register_count);
  std::vector<int32_t> pd(player_records[1].character_vars, player_records[1].character_vars + PlayerBlockSize());
  std::vector<int32_t> cv(current_character_vars, current_character_vars + PlayerBlockSize());
  std::vector<int32_t> od(od_->vars, od_->vars + od_->var_count);
  std::vector<int32_t> col(partner_->vars, partner_->vars + partner_->var_count);
  uint32_t far_reg = register_count, far_pd = PlayerBlockSize(), far_od = od_->var_count;
  for (uint32_t id : {332u, 333u, 1228u, 1229u}) Run({id, 0, far_reg, far_reg + 1});
  for (uint32_t id : {330u, 331u, 1230u, 1231u}) Run({id, 0, far_pd, 0x3FFFFFFF});
  for (uint32_t id : {326u, 329u, 1232u, 1233u}) Run({id, 0, far_od, far_od + 7});
  for (uint32_t id : {960u, 966u, 1222u, 1240u}) Run({id, 0, far_reg});
  for (uint32_t id : {963u, 969u, 1225u, 1243u}) Run({id, 0, far_pd});
  for (uint32_t id : {965u, 971u, 1227u, 1245u}) Run({id, 0, far_od});
  Run({1217, 0, 0, character_register_count});
  Run({1218, 0, 0, partner_->var_count});
  EXPECT_EQ(std::vector<int32_t>(registers, registers + register_count), regs);
  EXPECT_EQ(std::vector<int32_t>(player_records[1].character_vars, player_records[1].character_vars + far_pd), pd);
  EXPECT_EQ(std::vector<int32_t>(current_character_vars, current_character_vars + far_pd), cv);
  EXPECT_EQ(std::vector<int32_t>(od_->vars, od_->vars + od_->var_count), od);
  EXPECT_EQ(std::vector<int32_t>(partner_->vars, partner_->vars + partner_->var_count), col);
}

// 1219-1221 make the handle's object the collide object and put its frame
// box, per flip, into the object box values.
TEST_F(BoxCommands, PartnerBoxForEachFlip) {
  struct Source {
    uint32_t id;
    int32_t* cell;
  };
  const Source sources[] = {{1219, &registers[30]}, {1220, &PAVar(5)}, {1221, &OAVar(8)}};
  for (const Source& s : sources) {
    for (int32_t flip = 0; flip < 4; flip++) {
      SCOPED_TRACE(testing::Message() << s.id << " flip " << flip);
      partner_->vars[6] = flip;
      collide_object = &void_slot;
      *s.cell = EncodeObjectHandle(partner_);
      Run({s.id, s.id == 1219 ? 30u : s.id == 1220 ? 5u : 8u});
      const Box& h = flip & 1 ? frame_.mirrored_box : frame_.box;
      const Box& v = flip & 2 ? frame_.mirrored_box : frame_.box;
      EXPECT_EQ(collide_object, partner_);
      EXPECT_EQ(running_slot, oa_);
      EXPECT_EQ((Box{object_box_left, object_box_right, object_box_top, object_box_bottom}),
                (Box{h.left, h.right, v.top, v.bottom}));
      EXPECT_EQ(object_box_inner_left, h.left + 1);
      EXPECT_EQ(object_box_inner_right, h.right - 1);
      EXPECT_EQ(object_box_centre_x, (h.left + h.right) >> 1);
      EXPECT_EQ(object_box_centre_y, (v.top + v.bottom) >> 1);
    }
  }
  registers[30] = 12345;  // no handle: no partner, box values kept
  int32_t left = object_box_left;
  Run({1219, 30});
  EXPECT_EQ(collide_object, &void_slot);
  EXPECT_EQ(object_box_left, left);
}

}  // namespace tolv::test
