// Player records, their variable blocks, giving a player a character and
// the character's key combinations.
#include "objects/players.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "base/key_state.h"
#include "objects/builtin_routines.h"
#include "objects/character.h"
#include "objects/object_pool.h"
#include "objects/player_select.h"
#include "script/count_slot.h"
#include "script/registers.h"

namespace tolv {

uint16_t* debug_types = nullptr;
uint8_t debug_type_count = 0;

static void FreeHitBoxLists(PlayerRecord& r) {
  if (r.owns_attack_boxes) std::free(r.attack_boxes);
  if (r.owns_hurt_boxes) std::free(r.hurt_boxes);
  r.attack_boxes = r.hurt_boxes = nullptr;
  r.owns_attack_boxes = r.owns_hurt_boxes = 0;
}

static void EmptyPlayerContexts(PlayerRecord& r) {
  SavedMachineState keep;
  timed_context = &r.main_ctx;
  FreeTimedContext();
  current_context = &r.character_ctx;
  ClearContext();
}

void ResetPlayers() {
  for (int p = 0; p < kMaxPlayers; p++) {
    PlayerRecord& r = player_records[p];
    FreeHitBoxLists(r);
    EmptyPlayerContexts(r);
    std::free(r.labels);
    std::free(r.character_vars);
    r = PlayerRecord{};
    r.index = static_cast<uint8_t>(p);
  }
}

void AllocPlayerVars() {
  uint32_t n = PlayerBlockSize();
  for (int p = 0; p < kMaxPlayers; p++) {
    PlayerRecord& r = player_records[p];
    r.moved = 0;
    r.character = 255;
    auto* v = static_cast<int32_t*>(std::realloc(r.character_vars, n * sizeof(int32_t)));
    if (!v) throw std::bad_alloc();
    std::memset(v, 0, n * sizeof(int32_t));
    r.character_vars = v;
    r.player_vars = v + character_register_count;
    FreeHitBoxLists(r);
    r.player_object = r.second_object = nullptr;
    EmptyPlayerContexts(r);
    SavedMachineState keep;
    timed_context = &r.main_ctx;
    AddTimedLane();
  }
  if (current_player != &void_player) SelectPlayer(current_player->index);
}

static int32_t FirstFrameBottom(int c) {
  const SpriteSet& s = characters[c].sprites;
  return s.frames && s.frame_count ? s.frames[0].box.bottom : 0;
}

void ResetCharacterVars(int p) {
  if (p < 0 || p >= kMaxPlayers) return;
  PlayerRecord& r = player_records[p];
  if (r.character >= character_count || !r.character_vars) return;
  const Character& ch = characters[r.character];
  uint32_t n = ch.default_var_count < character_register_count ? ch.default_var_count : character_register_count;
  if (ch.default_vars && n) std::memcpy(r.character_vars, ch.default_vars, n * sizeof(int32_t));
}

static void CopyMainLabels(PlayerRecord& r, const Character& ch) {
  std::free(r.labels);
  r.labels = nullptr;
  r.label_count = 0;
  if (!ch.main_labels || !ch.main_label_count) return;
  r.labels = static_cast<uint16_t*>(std::malloc(ch.main_label_count * sizeof(uint16_t)));
  if (!r.labels) throw std::bad_alloc();
  std::memcpy(r.labels, ch.main_labels, ch.main_label_count * sizeof(uint16_t));
  r.label_count = ch.main_label_count;
}

// Binds the player's contexts to the player functions, starts main label
// 0 and runs the character's init label. A label that gives its own player
// a character meanwhile gets no second start: the runs would nest without
// end, and fan out, as both labels may do it.
static uint8_t starting_character[kMaxPlayers];

struct StartingCharacter {
  uint8_t& flag;
  ~StartingCharacter() { flag = 0; }
};

static void StartCharacterScripts(PlayerRecord& r, const Character& ch) {
  if (r.index >= kMaxPlayers || starting_character[r.index]) return;
  StartingCharacter starting{starting_character[r.index] = 1};
  SavedMachineState keep;
  {
    CountSlotGuard count(CountLoopTimed);
    BindContext(r.main_ctx, timed_commands, &player_functions);
    current_context = timed_context = &r.main_ctx;
    ResetTimedContext();
    if (r.label_count) StartTimedFunctionNowNoArgs(r.labels[0]);
  }
  CountSlotGuard count(CountLoopInCharacterVars);
  BindContext(r.character_ctx, script_commands, &player_functions);
  current_context = &r.character_ctx;
  ResetContext();
  if (ch.default_vars && ch.default_var_count) RunFunctionNow(static_cast<uint16_t>(ch.default_vars[0]));
}

void SetPlayerCharacter(int p, int c) {
  if (p < 0 || p >= kMaxPlayers || !player_records[p].character_vars) return;
  int32_t saved_player = registers[kRegPlayer];
  SelectPlayer(p);
  PlayerRecord& r = player_records[p];
  int32_t& y = PVar(&r, kPvY);
  if (r.character < character_count) y = WrapAdd(y, FirstFrameBottom(r.character));
  r.character = static_cast<uint8_t>(c);
  PVar(&r, kPvCharacter) = c;
  if (c >= 0 && c < character_count) {
    y = static_cast<int32_t>(static_cast<uint32_t>(y) - static_cast<uint32_t>(FirstFrameBottom(c)));
    ResetCharacterVars(p);
    r.frames = &characters[c].sprites;
    CopyMainLabels(r, characters[c]);
    StartCharacterScripts(r, characters[c]);
  }
  SelectPlayer(saved_player);
}

static bool AllKeysSet(const PlayerRecord* r, const KeyCombination& kc) {
  uint32_t pad = 512u + uint32_t{pad_stride} * r->index;
  for (int i = 0; i < kc.key_count; i++) {
    uint16_t code = kc.keys[i];
    uint32_t at = (code & 0x8000) ? pad + (code - 0x8000u) : code;
    if (!KeyByte(at)) return false;
  }
  return true;
}

// The character and action are looked up again for every combination: a
// label may reload the character or change the action.
void RunKeyCombinations() {
  PlayerRecord* r = current_player;
  if (r == &void_player) return;
  for (uint32_t k = 0;; k++) {
    if (r->character >= character_count) return;
    const Character& ch = characters[r->character];
    uint32_t action = static_cast<uint32_t>(PVar(r, kPvAction));
    if (!ch.actions || action >= ch.action_count) return;
    const ActionGroup& g = ch.actions[action];
    if (!g.combinations || k >= g.combination_count) return;
    const KeyCombination& kc = g.combinations[k];
    if (!kc.key_count || !kc.keys || !AllKeysSet(r, kc) || kc.label >= r->label_count) continue;
    SavedMachineState keep;
    current_context = &r->character_ctx;
    RunFunctionNow(r->labels[kc.label]);
  }
}

}  // namespace tolv
