#include "world/sprite_sets.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "base/byte_reader.h"
#include "base/message_log.h"
#include "files/game_file_bytes.h"
#include "files/scopes.h"
#include "world/sprite_file.h"

namespace tolv {

SpriteSet** sprite_sets = nullptr;
ScopeCounts sprite_set_counts;

static void FreeSet(SpriteSet* set) {
  if (!set) return;
  FreeSetFrames(*set);
  delete set;
}

static void ResizeSets(uint32_t old, uint32_t total) {
  for (uint32_t s = total; s < old; s++) FreeSet(sprite_sets[s]);
  auto* p = static_cast<SpriteSet**>(std::realloc(sprite_sets, (total ? total : 1) * sizeof(SpriteSet*)));
  if (!p) throw std::bad_alloc();
  sprite_sets = p;
  for (uint32_t s = old; s < total; s++) sprite_sets[s] = new SpriteSet{};
}

void FreeSpriteSets(int drop) {
  uint32_t old = sprite_set_counts.total;
  ResizeSets(old, DropScopes(sprite_set_counts, drop));
}

uint32_t SetSpriteSetScope(int scope, int64_t n) {
  uint32_t old = sprite_set_counts.total;
  uint32_t first = SetScopeCount(sprite_set_counts, scope, n, "sprite set");
  ResizeSets(old, first < old ? first : old);
  ResizeSets(first < old ? first : old, sprite_set_counts.total);
  return first;
}

void AllocSetFrames(uint32_t s, uint32_t n) {
  SpriteSet* set = sprite_sets[s];
  set->frames = static_cast<SpriteFrame*>(std::calloc(n ? n : 1, sizeof(SpriteFrame)));
  if (!set->frames) throw std::bad_alloc();
  set->frame_count = uint16_t(n);
}

static SpriteSet BlankSet() {
  SpriteSet set;
  set.frames = static_cast<SpriteFrame*>(std::calloc(1, sizeof(SpriteFrame)));
  if (!set.frames) throw std::bad_alloc();
  set.frame_count = 1;
  InitBlankFrame(&set.frames[0]);
  return set;
}

// The notices of a file that could not be used; a damaged one is named
// as such first.
static void ReportUnreadable(const char* path, bool damaged) {
  if (damaged) {
    ShowMessage("Damaged sprite file:");
    ShowMessage(path);
  }
  ShowMessage("Can't open sprite file for read:");
  ShowMessage(path);
}

void LoadSpriteSets(const char* path, int scope) {
  static const char* const kBlankLines[3] = {"Creating one Game set with a blank frame",
                                             "Creating one Zone set with a blank frame",
                                             "Creating one Act set with a blank frame"};
  if (scope < kScopeGame || scope > kScopeAct) {
    ShowMessage("Sprite file for no known scope:");
    ShowMessage(path);
    return;
  }
  std::vector<SpriteSet> sets;
  std::vector<uint8_t> bytes;
  GameFileRead got = ReadGameFileBytes(path, bytes, kMaxSpriteFileSize);
  bool opened = got != GameFileRead::kMissing, ok = false;
  if (got == GameFileRead::kRead) {
    ByteReader in(bytes.data(), bytes.size());
    ok = ReadSpriteFile(in, sets) && ScopeFirst(sprite_set_counts, scope) + sets.size() <= kMaxScopedEntries;
  }
  if (!ok) {
    for (SpriteSet& set : sets) FreeSetFrames(set);
    ReportUnreadable(path, opened);
    ShowMessage(kBlankLines[scope]);
    sets.assign(1, BlankSet());
  }
  uint32_t first = SetSpriteSetScope(scope, int64_t(sets.size()));
  for (size_t i = 0; i < sets.size(); i++) *sprite_sets[first + i] = sets[i];
}

void LoadCharacterSprites(const char* path, int c, SpriteSet* out) {
  std::vector<uint8_t> bytes;
  GameFileRead got = ReadGameFileBytes(path, bytes, kMaxSpriteFileSize);
  if (got == GameFileRead::kRead) {
    ByteReader in(bytes.data(), bytes.size());
    in.Skip(2);  // the set count: a character file holds one set
    if (ReadCountedSpriteSet(in, out)) return;
  }
  char line[64];
  ReportUnreadable(path, got != GameFileRead::kMissing);
  std::snprintf(line, sizeof line, "Created one blank frame for character %d", c);
  ShowMessage(line);
  *out = BlankSet();
}

}  // namespace tolv
