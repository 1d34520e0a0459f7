#include <cstdio>
#include <map>
#include <sstream>
#include <stdexcept>

#include "base/key_state.h"
#include "object_world.h"
#include "objects/character.h"
#include "objects/character_loader.h"
#include "objects/player_select.h"
#include "render/image.h"
#include "script/string_slots.h"

namespace tolv::test {

// Character files as text: whitespace-separated tokens. A player function
// is one token of instructions "w,w,w;w,..."; "@n" in an instruction word
// means the n-th function of this file (label base + n).
static std::map<std::string, std::string> files;
struct TextTokens {
  std::istringstream in;
};

static int open_files = 0;
static bool OpenText(const char* path, TokenSource* src) {
  auto it = files.find(path);
  if (it == files.end()) return false;
  open_files++;
  src->state = new TextTokens{std::istringstream(it->second)};
  src->next = [](void* s, char* text) {
    std::string t;
    if (!(static_cast<TextTokens*>(s)->in >> t)) return false;
    std::snprintf(text, 256, "%s", t.c_str());
    return true;
  };
  return true;
}
static void CloseText(TokenSource* src) {
  open_files--;
  delete static_cast<TextTokens*>(src->state);
}
static bool CompileText(TokenSource* src, ScriptFunction* out, const char* name) {
  char text[256];
  if (!src->next(src->state, text) || std::strncmp(name, "Player Func", 11) != 0) return false;
  FunctionBuilder b;
  std::stringstream all(text);
  std::string ins;
  while (std::getline(all, ins, ';')) {
    std::vector<uint32_t> words;
    std::stringstream ws(ins);
    std::string w;
    while (std::getline(ws, w, ',')) words.push_back(static_cast<uint32_t>(std::stoul(w)));
    b.Add(words.data(), static_cast<uint32_t>(words.size()));
  }
  *out = b.Finish();
  return true;
}

static uint8_t image_px[32 * 32];

// Command 1550 stands in for script work the tests can count.
constexpr uint32_t kProbeCommand = 1550;
static int fired = 0;
static void Fire() { fired++; }

class Characters : public ObjectWorld {
 protected:
  void SetUp() override {
    ObjectWorld::SetUp();
    files.clear();
    open_character_file = OpenText;
    close_character_file = CloseText;
    compile_player_function = CompileText;
    load_image_file = [](const char*, Image* img, int) {
      *img = Image{32, 32, image_px};
      return 1;
    };
    character_register_count = 9;
    player_register_count = 39;
    AllocPlayerVars();
  }
  void TearDown() override {
    FreeCharacters(-1);
    FreeRetiredCharacterData();
    FreeCodeSet(player_functions);
    character_count = 0;
    sprite_image = Image{};
    std::memset(key_state, 0, sizeof key_state);
    current_player = &void_player;
    ObjectWorld::TearDown();
  }
  // One frame of width 16 and the given box bottom; 9 default variables
  // (the init label f0 first); one action with the given combinations;
  // main labels; then the functions.
  static std::string CharacterText(int bottom, const std::string& combos, const std::string& main_labels,
                                   const std::string& functions) {
    return "1  pic.pcx 0 0 16 16  -8 -16 0 0  -8 -16 8 " + std::to_string(bottom) +
           "  1 -4 -4 4 4  0  0"
           "  f0 0 0 0 0 0 0 0 0"
           "  0"
           "  1 c65535 c65535 " + combos + "  " + main_labels + "  " + functions;
  }
};

TEST_F(Characters, LoaderReadsFramesLabelsActionsAndFunctions) {
  pad_row_offset = 10;
  pad_stride = 40;
  files["a.chr"] = "1  pic.pcx 2 3 16 8  -8 -4 0 0  -8 -4 8 4  1 1 2 3 4  0  1 5 6"
                   "  f1 $10 3 0 0 0 0 0 0"
                   "  2 4 c7"
                   "  1 0 c2 2  2 t5 ph3 1  1 m1r2 0"
                   "  2 1 c9"
                   "  2 79 79;79";
  player_functions.total = 0;
  ASSERT_TRUE(LoadCharacterDef("a.chr", 0));
  const Character& ch = characters[0];
  EXPECT_EQ(character_count, 1);
  ASSERT_EQ(ch.sprites.frame_count, 1);
  const SpriteFrame& f = ch.sprites.frames[0];
  EXPECT_EQ(f.pixels[0], image_px[3 * 32 + 2]);
  EXPECT_EQ(f.box.bottom, 4);
  EXPECT_EQ(f.mirrored_box.right, 15);
  EXPECT_EQ(f.mirrored_attack_boxes[0].left, 4);  // MX 7 - right 3
  EXPECT_EQ(f.mirrored_hotspots[0].x, 2);
  EXPECT_EQ(ch.default_vars[0], 1);
  EXPECT_EQ(ch.default_vars[1], 16);
  EXPECT_EQ(ch.extra_labels[1], 7);
  const ActionGroup& g = ch.actions[0];
  EXPECT_EQ(g.before_label, 0);
  EXPECT_EQ(g.after_label, 2);
  ASSERT_EQ(g.combination_count, 2);
  EXPECT_EQ(g.combinations[0].keys[0], 5);
  EXPECT_EQ(g.combinations[0].keys[1], 0x8000 + 3 + 10);
  EXPECT_EQ(g.combinations[1].keys[0], 512 + 40 + 2 + 20);
  EXPECT_EQ(ch.main_labels[0], 1);
  EXPECT_EQ(ch.main_labels[1], 9);
  EXPECT_EQ(player_functions.total, 2);
  EXPECT_STREQ(ch.path, "a.chr");
  EXPECT_EQ(ParseKeyCode(std::string("h7").data()), 135);
  EXPECT_EQ(ParseKeyCode(std::string("p4").data()), 0x8004);
  pad_row_offset = pad_stride = 0;
}

TEST_F(Characters, BadFilesReportAndLeaveTheCharacterEmpty) {
  static std::vector<std::string> errors;
  errors.clear();
  auto fatal = character_error;
  character_error = [](const char* m) { errors.emplace_back(m); };
  EXPECT_FALSE(LoadCharacterDef("missing.chr", 0));
  files["w.chr"] = "1 pic.pcx 0 0 0 4";
  EXPECT_FALSE(LoadCharacterDef("w.chr", 0));
  files["h.chr"] = "1 pic.pcx 30 30 4 4";
  EXPECT_FALSE(LoadCharacterDef("h.chr", 0));
  files["short.chr"] = "1 pic.pcx 0 0 4 4 0 0";
  EXPECT_FALSE(LoadCharacterDef("short.chr", 0));
  files["far.chr"] = "1 pic.pcx 2147483647 0 4 4";  // the cut's bounds check must not wrap
  EXPECT_FALSE(LoadCharacterDef("far.chr", 0));
  files["wide.chr"] = "1 pic.pcx 0 0 65536 65537";  // named as written
  EXPECT_FALSE(LoadCharacterDef("wide.chr", 0));
  ASSERT_EQ(errors.size(), 6u);
  EXPECT_EQ(errors[5].rfind("Sprite Frame 0 - Invalid width 65536 and height 65537\n", 0), 0u);
  EXPECT_EQ(errors[4], "Sprite load attempted to read beyond the bounds of the loaded image");
  EXPECT_EQ(errors[0], "File \"missing.chr\" not found");
  EXPECT_EQ(errors[1].rfind("Sprite Frame 0 - Invalid width 0\n", 0), 0u);
  EXPECT_EQ(errors[2], "Sprite load attempted to read beyond the bounds of the loaded image");
  EXPECT_EQ(errors[3], "File ended unexpectedly");
  EXPECT_EQ(characters[0].sprites.frames, nullptr);
  EXPECT_EQ(open_files, 0);
  // A fatal error whose hook throws unwinds past the loader: the file
  // still closes.
  character_error = [](const char* m) { throw std::runtime_error(m); };
  EXPECT_THROW(LoadCharacterDef("short.chr", 0), std::runtime_error);
  EXPECT_EQ(open_files, 0);
  character_error = fatal;
}

// Labels relative to the label base wrap like script numbers (UBSan shows
// an overflow otherwise).
TEST_F(Characters, RelativeLabelsWrap) {
  files["w.chr"] = "1  pic.pcx 0 0 16 16  -8 -16 0 0  -8 -16 8 0  0  0  0"
                   "  f2147483647 0 0 0 0 0 0 0 0  0  1 2147483647 c1 0  1 -1  0";
  player_functions.total = 1;
  ASSERT_TRUE(LoadCharacterDef("w.chr", 0));
  EXPECT_EQ(characters[0].default_vars[0], INT32_MIN);
  EXPECT_EQ(characters[0].actions[0].before_label, 0);
  EXPECT_EQ(characters[0].main_labels[0], 0);
  player_functions.total = 0;  // a count without functions
}

TEST_F(Characters, ChangingCharacterKeepsTheFeet) {
  player_functions.total = 0;
  files["low.chr"] = CharacterText(16, "0", "0", "1 79");
  files["tall.chr"] = CharacterText(24, "0", "0", "1 79");
  ASSERT_TRUE(LoadCharacterDef("low.chr", 0));
  ASSERT_TRUE(LoadCharacterDef("tall.chr", 1));
  PlayerRecord& r = player_records[0];
  PVar(&r, kPvY) = 100;
  registers[kRegPlayer] = 1;
  SetPlayerCharacter(0, 0);
  EXPECT_EQ(PVar(&r, kPvY), 84);
  EXPECT_EQ(PVar(&r, kPvCharacter), 0);
  EXPECT_EQ(r.frames, &characters[0].sprites);
  SetPlayerCharacter(0, 1);
  EXPECT_EQ(PVar(&r, kPvY), 76);
  EXPECT_EQ(registers[kRegPlayer], 1);
  r.character_vars[3] = 55;
  SetPlayerCharacter(0, 255);  // none: the variables stay
  EXPECT_EQ(r.character, 255);
  EXPECT_EQ(PVar(&r, kPvY), 100);
  EXPECT_EQ(r.character_vars[3], 55);
}

TEST_F(Characters, KeyCombinationsFireOncePerFrameWhenEveryKeyIsSet) {
  player_functions.total = 0;
  pad_stride = 30;
  // Combination: key 5 pressed and pad entry 2 of the player's pad; label
  // slot 1 = function 1, which fires the probe and ends.
  files["k.chr"] = CharacterText(16, "2  2 t5 p2 1  1 t9 7", "2 0 1", "2 79 1550");
  ASSERT_TRUE(LoadCharacterDef("k.chr", 0));
  script_commands[kProbeCommand] = Fire;
  fired = 0;
  SetPlayerCharacter(1, 0);
  SelectPlayer(1);
  key_state[5] = 1;
  RunKeyCombinations();
  EXPECT_EQ(fired, 0);  // the pad entry is not set
  key_state[512 + 30 + 2] = 1;
  key_state[9] = 1;  // label slot 7 does not exist: ignored
  RunKeyCombinations();
  RunKeyCombinations();
  EXPECT_EQ(fired, 2);
  PVar(current_player, kPvAction) = 4;  // no such action
  RunKeyCombinations();
  EXPECT_EQ(fired, 2);
  pad_stride = 0;
}

TEST_F(Characters, LabelGivingItsOwnCharacterAgainStartsItOnce) {
  player_functions.total = 0;
  script_commands[kProbeCommand] = timed_commands[kProbeCommand] = Fire;
  fired = 0;
  // Main label 0 and the init label are the same function: it gives player 0
  // character 0 again, then fires.
  files["again.chr"] = CharacterText(16, "0", "1 0", "1 94,0,0;1550");
  ASSERT_TRUE(LoadCharacterDef("again.chr", 0));
  SetPlayerCharacter(0, 0);
  EXPECT_EQ(fired, 2);
  EXPECT_EQ(player_records[0].character, 0);
  SetPlayerCharacter(0, 0);  // and it starts again afterwards
  EXPECT_EQ(fired, 4);
}

}  // namespace tolv::test

namespace tolv::test {

TEST_F(Characters, ReloadWhileItsLanesRunFreesTheOldDataAtTheFrameEnd) {
  player_functions.total = 0;
  script_commands[kProbeCommand] = timed_commands[kProbeCommand] = Fire;
  fired = 0;
  // Main label 0 reloads its own character, then fires and idles.
  files["r.chr"] = CharacterText(16, "0", "1 0", "1 1441,5,0;1550;1527,2");
  files["s.chr"] = CharacterText(20, "0", "1 0", "1 79");
  files["t.chr"] = CharacterText(24, "0", "1 0", "1 79");
  ASSERT_TRUE(LoadCharacterDef("r.chr", 0));
  ASSERT_TRUE(LoadCharacterDef("s.chr", 1));
  ASSERT_TRUE(LoadCharacterDef("t.chr", 2));
  ResizeStringSlots(6);
  SetStringSlot(5, "r.chr");
  ObjectType& t = AddType();
  GiveSprites(t, &characters[2].sprites);  // a type drawing with character 2's frames
  files["t.chr"] = CharacterText(30, "0", "1 0", "1 79");
  SetPlayerCharacter(0, 0);  // label 0 runs at once and reloads
  EXPECT_EQ(fired, 0);
  EXPECT_EQ(player_functions.total, 3);
  EXPECT_EQ(characters[2].label_base, 2);
  EXPECT_EQ(TypeFrame(&t, 0, 0)->box.bottom, 30);
  EXPECT_EQ(player_records[0].main_ctx.function_count, 3);
  FreeRetiredCharacterData();
  timed_context = &player_records[0].main_ctx;
  RunTimedLanes();  // the lane goes on after the reload command
  RunTimedLanes();
  EXPECT_EQ(fired, 1);
  ASSERT_EQ(player_records[0].main_ctx.lane_count, 1);
  EXPECT_EQ(player_records[0].main_ctx.lane_pcs[0], 2);
  FreeStringSlots();
  timed_context = nullptr;
}

}  // namespace tolv::test
