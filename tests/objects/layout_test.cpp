#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/message_log.h"
#include "files/game_files.h"
#include "files/working_folder.h"
#include "layout_fixture.h"
#include "script/string_slots.h"
#include "../base/message_lines.h"
#include "../base/temp_files.h"

namespace tolv::test {
namespace {

void StartLane(ScriptContext& ctx, uint16_t f, uint16_t pc) {
  current_context = &ctx;
  StartFunction(f);
  ctx.lane_pcs[FindLane(&ctx, f)] = pc;
}

TEST_F(LayoutTest, ScopeCodingBothWays) {
  uint32_t stored = 0;
  EXPECT_TRUE(EncodeScopeId(123, 120, 5, &stored));
  EXPECT_EQ(stored, 16387u);
  EXPECT_EQ(DecodeScopeId(16387, 120, 5), 123u);
  EXPECT_TRUE(EncodeScopeId(127, 120, 5, &stored));
  EXPECT_EQ(stored, 32770u);
  EXPECT_EQ(DecodeScopeId(32770, 120, 5), 127u);
  EXPECT_TRUE(EncodeScopeId(119, 120, 5, &stored));
  EXPECT_EQ(stored, 119u);
  // The read threshold is 16348, not 16384.
  EXPECT_EQ(DecodeScopeId(16350, 120, 5), 86u);
  EXPECT_EQ(DecodeScopeId(16347, 120, 5), 16347u);
  // Game ids from 16348 on would read back as something else.
  EXPECT_FALSE(EncodeScopeId(16348, 20000, 0, &stored));
  EXPECT_TRUE(EncodeScopeId(16347, 20000, 0, &stored));
}

// A world with every kind of state a record holds.
struct Populated {
  ObjectSlot *a, *zone, *unsaved, *act, *snap;
};

Populated Populate(LayoutTest& t) {
  Populated w;
  w.a = t.Place(2, {10, 20, 500, 3, 5, 6, 77, -8});
  w.zone = t.Place(121, {11, 21, 400, 0, 0, 1, 99});
  w.unsaved = t.Place(3, {12, 22, 300});
  w.act = t.Place(126, {13, 23, 200});
  w.snap = t.Place(4, {14, 24, 100, 0, 0, 0, 1234});

  timed_context = &w.a->animation_ctx;
  StartTimedFunction(5, 3, 255);
  AddTimedLane();
  StartTimedFunction(1, 7, 8);
  TimedScriptContext& an = w.a->animation_ctx;
  an.lane_pcs[0] = 4;
  an.frame_values[0] = 7;
  an.wait_acc[0] = 1;
  an.wait_step[0] = 2;
  an.wait_limit[0] = 9;
  GrowTimedCounters(3);
  an.counters[0] = 5;
  an.counters[2] = 65000;

  StartLane(w.zone->movement_ctx, 6, 5);
  StartLane(w.zone->movement_ctx, 1, 0);
  StartLane(w.act->drawing_ctx, 4, 3);

  w.zone->parent = w.a;
  w.a->children = static_cast<ObjectSlot**>(std::malloc(4 * sizeof(ObjectSlot*)));
  w.a->children[0] = w.zone;
  w.a->children[1] = nullptr;
  w.a->children[2] = w.unsaved;
  w.a->children[3] = w.act;
  w.a->child_count = 4;
  w.act->parent = w.unsaved;

  w.a->mover = builtin_movers[1];
  w.zone->mover = builtin_movers[5];
  w.act->mover = builtin_movers[5];

  CopyObjectContexts(w.snap, &object_snapshots[0]);
  w.snap->snapshot_index = 0;
  snapshot_count = 1;
  w.snap->vars[1] = 999;  // moved since it was spawned
  return w;
}

TEST_F(LayoutTest, RoundTripGivesTheSameWorld) {
  Populated w = Populate(*this);
  std::vector<uint8_t> file = Write();
  ASSERT_GE(file.size(), 9u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "SOBJ");
  EXPECT_EQ(file[4], 4);
  EXPECT_EQ(file[5], 4);  // the unsaved type is left out
  EXPECT_EQ(w.snap->vars[1], 14);  // put back to its snapshot

  ClearWorld();
  ASSERT_EQ(Read(file), 4);
  ASSERT_EQ(registers[kRegActiveObjects], 4);
  ObjectSlot* a = object_slots[0];
  ObjectSlot* zone = object_slots[1];
  ObjectSlot* act = object_slots[2];
  ObjectSlot* snap = object_slots[3];
  EXPECT_EQ(a->vars[0], 2);
  EXPECT_EQ(zone->vars[0], 121);
  EXPECT_EQ(act->vars[0], 126);
  EXPECT_EQ(snap->vars[0], 4);
  ASSERT_EQ(a->var_count, 9);
  EXPECT_EQ(a->vars[8], -8);
  const TimedScriptContext& an = a->animation_ctx;
  ASSERT_EQ(an.lane_count, 2);
  EXPECT_EQ(an.lane_funcs[0], 5);
  EXPECT_EQ(an.wait_limit[0], 9);
  EXPECT_EQ(an.param2[1], 8);
  ASSERT_EQ(an.counter_len, 3);
  EXPECT_EQ(an.counters[2], 65000);
  ASSERT_EQ(zone->movement_ctx.lane_count, 2);
  EXPECT_EQ(zone->movement_ctx.lane_funcs[0], 6);
  EXPECT_EQ(zone->movement_ctx.lane_pcs[0], 5);
  EXPECT_EQ(act->drawing_ctx.lane_funcs[0], 4);

  EXPECT_EQ(zone->parent, a);
  ASSERT_EQ(a->child_count, 4);
  EXPECT_EQ(a->children[0], zone);
  EXPECT_EQ(a->children[1], nullptr);
  EXPECT_EQ(a->children[2], nullptr);  // the unsaved object is not linked to
  EXPECT_EQ(a->children[3], act);
  EXPECT_EQ(act->parent, nullptr);
  EXPECT_EQ(a->mover, builtin_movers[1]);
  EXPECT_EQ(zone->mover, builtin_movers[5]);

  EXPECT_EQ(snap->snapshot_index, 0);
  EXPECT_EQ(snapshot_count, 1);
  EXPECT_EQ(object_snapshots[0].vars[1], 14);

  EXPECT_EQ(Write(), file);  // the same file again
}

TEST_F(LayoutTest, LoadingAddsAfterTheActiveObjects) {
  Populate(*this);
  std::vector<uint8_t> file = Write();
  ClearWorld();
  ObjectSlot* hud = Place(5, {0, 0, -5});
  ASSERT_EQ(Read(file), 4);
  EXPECT_EQ(registers[kRegActiveObjects], 5);
  EXPECT_EQ(object_slots[4], hud);  // sorted behind by its draw key
  // Links resolve to the slots the records went to, not to the first ones.
  EXPECT_EQ(object_slots[1]->parent, object_slots[0]);
}

TEST_F(LayoutTest, EmptyWorldWritesNineBytes) {
  std::vector<uint8_t> expect = {'S', 'O', 'B', 'J', 4, 0, 0, 0, 0};
  EXPECT_EQ(Write(), expect);
  Place(3, {1, 2, 3});  // not saved in layouts
  EXPECT_EQ(Write(), expect);
  EXPECT_EQ(Read(expect), 0);
  EXPECT_EQ(registers[kRegActiveObjects], 1);
}

// A v4 record with no lanes, no links, mover 0 and no snapshot.
Bytes& PlainRecord(Bytes& b, uint32_t type, uint16_t nvars) {
  b.LE32(type).BE16(nvars);
  for (uint32_t i = 1; i < nvars; i++) b.LE32(i * 10);
  b.U8(0).U8(0).U8(0).U8(0);                  // animation lanes, counters, movement, drawing
  return b.LE16(65535).U8(0).U8(0).U8(0);  // parent, children, mover, snapshot
}

TEST_F(LayoutTest, ReadsVersionZero) {
  Bytes b;
  // Type 6 (two own variables: 9 words), then zone type 1 (coded 16385).
  b.LE32(6);
  for (uint32_t i = 1; i < 9; i++) b.LE32(i);
  b.U8(1).LE16(2).LE16(1).LE16(3).LE16(4).LE16(5).LE16(6);
  for (int k = 0; k < 8; k++) b.LE16(k + 100);
  b.LE32(16385);
  for (uint32_t i = 1; i < 8; i++) b.LE32(i + 50);
  b.U8(0);
  for (int k = 0; k < 8; k++) b.LE16(0);
  b.LE32(2);
  ASSERT_EQ(Read(b.b), 2);
  ObjectSlot* o = object_slots[0]->vars[0] == 6 ? object_slots[0] : object_slots[1];
  ObjectSlot* z = o == object_slots[0] ? object_slots[1] : object_slots[0];
  ASSERT_EQ(o->var_count, 9);
  EXPECT_EQ(o->vars[3], 3);
  EXPECT_EQ(o->vars[4], 0);  // cleared
  EXPECT_EQ(o->vars[8], 8);
  const TimedScriptContext& an = o->animation_ctx;
  ASSERT_EQ(an.lane_count, 1);
  EXPECT_EQ(an.lane_funcs[0], 2);
  EXPECT_EQ(an.lane_pcs[0], 1);
  EXPECT_EQ(an.frame_values[0], 3);
  EXPECT_EQ(an.wait_limit[0], 6);
  EXPECT_EQ(an.param1[0], 255);
  EXPECT_EQ(an.param2[0], 255);
  ASSERT_EQ(an.counter_len, 8);
  EXPECT_EQ(an.counters[7], 107);
  EXPECT_EQ(o->mover, builtin_movers[5]);  // from the type
  EXPECT_EQ(o->movement_ctx.lane_count, 0);
  EXPECT_EQ(o->snapshot_index, 65535);
  EXPECT_EQ(z->vars[0], 121);
  EXPECT_EQ(z->var_count, 8);
}

TEST_F(LayoutTest, ReadsVersionsOneToThree) {
  for (uint8_t version = 1; version <= 3; version++) {
    SCOPED_TRACE(version);
    ClearWorld();
    Bytes b;
    b.Str("SOBJ").U8(version);
    // Record 0: type 2 with variables, one Animation and one Movement lane.
    b.LE32(2);
    version == 3 ? b.BE16(9) : b.U8(9);
    for (uint32_t i = 1; i < 9; i++) b.LE32(i);
    b.U8(1).LE16(16385).LE16(1).LE16(0).LE16(0).LE16(0).LE16(0).U8(4).U8(5);
    b.U8(1).LE16(9);
    b.U8(1).LE16(32768).LE16(2);
    b.U8(0);
    b.LE16(65535).U8(1).LE16(1).U8(1).U8(1);
    // Record 1: act type 0 (126), child of record 0, snapshot byte 2.
    b.LE32(32769);
    version == 3 ? b.BE16(7) : b.U8(7);
    for (uint32_t i = 1; i < 7; i++) b.LE32(0);
    b.U8(0).U8(0).U8(0).U8(0).LE16(0).U8(0).U8(0).U8(2);
    if (version >= 2) b.BE16(0).U8(0).U8(4);
    b.LE32(2);
    ASSERT_EQ(Read(b.b), 2);
    ObjectSlot* p = object_slots[0];
    ObjectSlot* c = object_slots[1];
    ASSERT_EQ(p->vars[0], 2);
    EXPECT_EQ(c->vars[0], 126);
    EXPECT_EQ(p->vars[4], version == 1 ? 0 : 4);
    EXPECT_EQ(p->animation_ctx.lane_funcs[0], 5);
    EXPECT_EQ(p->animation_ctx.param2[0], 5);
    EXPECT_EQ(p->movement_ctx.lane_funcs[0], 6);
    EXPECT_EQ(p->movement_ctx.lane_pcs[0], 2);
    EXPECT_EQ(p->animation_ctx.counters[0], 9);
    EXPECT_EQ(p->child_count, 1);
    EXPECT_EQ(p->children[0], c);
    EXPECT_EQ(c->parent, p);
    EXPECT_EQ(p->mover, builtin_movers[1]);
    EXPECT_EQ(p->snapshot_index, 0);
    EXPECT_EQ(object_snapshots[0].vars[0], 2);
    // Byte 2 takes a snapshot of its own, never another object's entry 0;
    // from version 2 on it keeps its stored latch and state.
    EXPECT_EQ(c->snapshot_index, 1);
    EXPECT_EQ(c->range_latch, version == 1 ? 1 : 0);
    EXPECT_EQ(c->range_state, version == 1 ? 255 : 4);
    EXPECT_EQ(snapshot_count, 2);
  }
}

// Snapshot byte 2 keeps the snapshot it names when that one is free, with
// the stored latch and state; an index past the snapshots gets a fresh one.
TEST_F(LayoutTest, StoredSnapshotsAreKept) {
  struct Case {
    uint16_t index;
    uint16_t kept_as;
  };
  for (Case k : {Case{1, 1}, Case{7, 2}}) {
    ClearWorld();
    snapshot_count = 2;  // entries 0 and 1 exist; no active object has 1
    Place(2)->snapshot_index = 0;
    Bytes b;
    b.Str("SOBJ").U8(4).LE32(1).LE32(1).BE16(7);
    for (uint32_t i = 1; i < 7; i++) b.LE32(0);
    b.U8(0).U8(0).U8(0).U8(0).LE16(65535).U8(0).U8(0).U8(2).BE16(k.index).U8(0).U8(9);
    ASSERT_EQ(Read(b.b), 1);
    const ObjectSlot* o = object_slots[1];
    EXPECT_EQ(o->snapshot_index, k.kept_as) << k.index;
    EXPECT_EQ(snapshot_count, k.kept_as + 1) << k.index;
    EXPECT_EQ(o->range_latch, 0);
    EXPECT_EQ(o->range_state, 9);
  }
}

// The list is sorted before snapshots are copied back: an object whose draw
// key grew since its snapshot is written where its current key puts it.
TEST_F(LayoutTest, SortedBeforeSnapshotsAreRestored) {
  ObjectSlot* a = Place(2, {0, 0, 1});
  a->snapshot_index = snapshot_count;
  CopyObjectContexts(a, &object_snapshots[snapshot_count++]);
  a->vars[3] = 5;
  Place(4, {0, 0, 3});
  std::vector<uint8_t> file = Write();
  EXPECT_EQ(file[9], 2);  // first record: type 2, written with its snapshot's key
  EXPECT_EQ(a->vars[3], 1);
}

TEST_F(LayoutTest, BadValuesAreMadeHarmless) {
  Bytes b;
  b.Str("SOBJ").U8(4).LE32(4);
  // Type 3 needs 10 words; only 2 stored.
  b.LE32(3).BE16(2).LE32(42);
  b.U8(3);
  b.LE16(7).LE16(0).LE16(0).LE16(0).LE16(0).LE16(0).U8(0).U8(0);       // no function 7
  b.LE16(0).LE16(2).LE16(0).LE16(0).LE16(0).LE16(0).U8(0).U8(0);       // pc past the end
  b.LE16(16386).LE16(7).LE16(9).LE16(0).LE16(0).LE16(0).U8(0).U8(0);   // zone 2 = 6, 8 long
  b.U8(0).U8(1).LE16(65534).LE16(0).U8(0);
  b.LE16(9).U8(2).LE16(4).LE16(5).U8(9).U8(0);  // links past the count, mover 9
  PlainRecord(b, 40000, 7);   // decodes to no type
  PlainRecord(b, 9500, 8).b.resize(b.b.size() - 9);  // past 9000: ends after its words
  PlainRecord(b, 0, 0);
  ASSERT_EQ(Read(b.b), 4);
  ObjectSlot* o = nullptr;
  for (int i = 0; i < 4; i++)
    if (object_slots[i]->vars[0] == 3) o = object_slots[i];
  ASSERT_NE(o, nullptr);
  ASSERT_EQ(o->var_count, 10);
  EXPECT_EQ(o->vars[1], 42);
  EXPECT_EQ(o->vars[9], 0);
  const TimedScriptContext& an = o->animation_ctx;
  ASSERT_EQ(an.lane_count, 3);
  EXPECT_EQ(an.lane_funcs[0], kFreeLane);
  EXPECT_EQ(an.lane_funcs[1], kFreeLane);
  EXPECT_EQ(an.param1[1], 255);
  EXPECT_EQ(an.lane_funcs[2], 6);
  EXPECT_EQ(an.lane_pcs[2], 7);
  EXPECT_EQ(o->movement_ctx.lane_funcs[0], kFreeLane);
  EXPECT_EQ(o->parent, nullptr);
  EXPECT_EQ(o->children[0], nullptr);
  EXPECT_EQ(o->children[1], nullptr);
  EXPECT_EQ(o->mover, builtin_movers[0]);
  int zeros = 0;
  for (int i = 0; i < 4; i++) zeros += object_slots[i]->vars[0] == 0;
  EXPECT_EQ(zeros, 3);
}

TEST_F(LayoutTest, RejectedFilesLeaveTheWorldAlone) {
  Populate(*this);
  std::vector<uint8_t> file = Write();
  Place(5, {1, 1, 1});
  std::vector<int64_t> before = WorldDigest();
  for (size_t n = 0; n < file.size(); n++) {
    std::vector<uint8_t> cut(file.begin(), file.begin() + n);
    ASSERT_EQ(Read(cut), -1) << n;
    ASSERT_EQ(WorldDigest(), before) << n;
  }
  EXPECT_EQ(LastMessage(), "Layout file ends early");

  Bytes v5;
  v5.Str("SOBJ").U8(5).LE32(0);
  EXPECT_EQ(Read(v5.b), -1);
  EXPECT_EQ(LastMessage(), "Unknown layout version 5");
  EXPECT_EQ(WorldDigest(), before);

  Bytes v0;
  v0.LE32(7000);
  for (int i = 0; i < 20; i++) v0.LE32(0);
  v0.LE32(1);
  EXPECT_EQ(Read(v0.b), -1);
  EXPECT_EQ(LastMessage(), "Layout: unknown object type 7000");
  EXPECT_EQ(WorldDigest(), before);

  Bytes many;
  many.Str("SOBJ").U8(4).LE32(kObjectSlotCount - 5);
  EXPECT_EQ(Read(many.b), -1);
  EXPECT_EQ(WorldDigest(), before);
  EXPECT_EQ(Read(file), 4);
}

class LayoutFileTest : public LayoutTest {
 protected:
  std::filesystem::path root, saved_cwd;
  void SetUp() override {
    LayoutTest::SetUp();
    saved_cwd = std::filesystem::current_path();
    char tmpl[] = "/tmp/tolv_layout_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root = tmpl;
    std::filesystem::create_directories(root / "game" / "zone01");
    game_folder = (root / "game").string();
    ASSERT_EQ(ChangeWorkingFolder(game_folder.c_str()), 1);
    ClearMessages();
  }
  void TearDown() override {
    ChangeWorkingFolder(saved_cwd.string().c_str());
    std::filesystem::remove_all(root);
    game_folder.clear();
    LayoutTest::TearDown();
  }
  std::string Slurp(const std::string& rel) {
    std::ifstream f(root / "game" / rel, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
};

TEST_F(LayoutFileTest, SaveAndLoadThroughFiles) {
  EXPECT_TRUE(SaveObjectLayout("empty.obj"));
  EXPECT_EQ(Slurp("empty.obj"), std::string("SOBJ\4\0\0\0\0", 9));
  EXPECT_FALSE(Logged("Saved empty.obj"));

  Populate(*this);
  layout_file_path = "/zone01/act1.obj";
  EXPECT_TRUE(SaveObjectLayout(layout_file_path.c_str()));
  EXPECT_EQ(LastMessage(), "Saved /zone01/act1.obj");
  std::string saved = Slurp("zone01/act1.obj");
  EXPECT_FALSE(TempFileBeside(root / "game" / "zone01" / "act1.obj"));

  ClearWorld();
  ASSERT_EQ(ChangeWorkingFolder("zone01"), 1);
  LoadObjectLayout("act1.obj");
  EXPECT_EQ(layout_file_path, "act1.obj");
  EXPECT_EQ(registers[kRegActiveObjects], 4);
  LoadObjectLayout("missing.obj");
  EXPECT_EQ(LastMessage(), "Can't open missing.obj");
  EXPECT_EQ(registers[kRegActiveObjects], 4);
}

// A good layout with a sparse tail past 4 GiB is no layout.
TEST_F(LayoutFileTest, FilesPast4GiBAreNotLoaded) {
  Populate(*this);
  ASSERT_TRUE(SaveObjectLayout("act.obj"));
  ClearWorld();
  const auto file = root / "game" / "act.obj";
  std::filesystem::resize_file(file, (uint64_t(4) << 30) + std::filesystem::file_size(file));
  LoadObjectLayout("act.obj");
  EXPECT_EQ(LastMessage(), "Not loaded: act.obj");
  EXPECT_EQ(registers[kRegActiveObjects], 0);
}

TEST_F(LayoutFileTest, FailedSaveKeepsThePreviousFile) {
  Populate(*this);
  ASSERT_TRUE(SaveObjectLayout("act.obj"));
  std::string good = Slurp("act.obj");

  // A game function from 16348 on cannot be scope-coded.
  CodeSet big;
  big.functions = static_cast<ScriptFunction*>(std::calloc(16400, sizeof(ScriptFunction)));
  big.total = big.game = 16400;
  ObjectSlot* o = object_slots[0];
  BindContext(o->drawing_ctx, script_commands, &big);
  current_context = &o->drawing_ctx;
  StartFunction(16390);
  EXPECT_FALSE(SaveObjectLayout("act.obj"));
  EXPECT_TRUE(Logged("Function 16390 can't go in a layout"));
  EXPECT_EQ(LastMessage(), "Cannot write file act.obj");
  EXPECT_EQ(Slurp("act.obj"), good);
  ClearContext();
  BindContext(o->drawing_ctx, script_commands, &draw);
  std::free(big.functions);

  EXPECT_FALSE(SaveObjectLayout("nofolder/act.obj"));
  EXPECT_EQ(LastMessage(), "Cannot write file nofolder/act.obj");
  EXPECT_FALSE(SaveObjectLayout("../outside.obj"));
  std::filesystem::create_directory_symlink(root, root / "game" / "up");
  uint32_t save_linked[] = {1133, 2};  // command 1133 through a folder that links out
  ResizeStringSlots(3);
  SetStringSlot(2, "up/outside.obj");
  current_instruction = save_linked;
  script_commands[1133]();
  EXPECT_EQ(LastMessage(), "Cannot write file up/outside.obj");
  FreeStringSlots();
  EXPECT_FALSE(std::filesystem::exists(root / "outside.obj"));
  EXPECT_FALSE(SaveObjectLayout(""));
  EXPECT_FALSE(SaveObjectLayout("zone01"));  // a folder
  EXPECT_TRUE(std::filesystem::is_directory(root / "game" / "zone01"));
}

TEST_F(LayoutFileTest, CommandsTakeStringSlotsAndTheCurrentFile) {
  ResizeStringSlots(2);
  SetStringSlot(1, "cmd.obj");
  registers[260] = 1;
  Populate(*this);
  uint32_t save_current[] = {1133, 0x7FFFFFFF};
  uint32_t save_reg[] = {1133, 0x40000000 | 260};
  uint32_t load_const[] = {35, 1};
  uint32_t load_missing[] = {35, 9};
  current_instruction = save_reg;
  script_commands[1133]();
  EXPECT_EQ(Slurp("cmd.obj").substr(0, 5), "SOBJ\4");
  ClearWorld();
  current_instruction = load_const;
  timed_commands[35]();
  EXPECT_EQ(registers[kRegActiveObjects], 4);
  EXPECT_EQ(layout_file_path, "cmd.obj");
  current_instruction = save_current;
  script_commands[1133]();
  EXPECT_EQ(LastMessage(), "Saved cmd.obj");
  current_instruction = load_missing;
  script_commands[35]();  // no such slot: nothing happens
  EXPECT_EQ(registers[kRegActiveObjects], 4);
  FreeStringSlots();
}

}  // namespace
}  // namespace tolv::test
