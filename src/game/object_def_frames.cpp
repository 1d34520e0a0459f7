// Sprite sets described inline in an object definition file: frames cut
// from images, with their offsets, boxes and hot spots.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "files/script_error.h"
#include "files/tokenizer.h"
#include "game/function_files.h"
#include "game/object_defs.h"
#include "render/image.h"
#include "world/frame_fields.h"
#include "world/sprite_sets.h"

namespace tolv {

static void ReadFrame(FileStream& s, SpriteFrame* f, uint32_t set, uint32_t frame, char* last_image) {
  char name[kTokenSize];
  ReadPathToken(s, name);
  if (std::strcmp(name, last_image) != 0) {
    std::memcpy(last_image, name, kTokenSize);
    load_image_file(name, &sprite_image, 0);
  }
  int32_t w = ReadNumberToken(s), h = ReadNumberToken(s);
  if (!FrameSizeFits(w, h))
    ScriptError(FrameSizeError("Sprite " + std::to_string(set) + " Frame " + std::to_string(frame), w, h).c_str());
  int32_t x = ReadNumberToken(s), y = ReadNumberToken(s);
  InitSpriteFrame(f, w, h);
  CutFrameFromImage(&sprite_image, f, x, y);
  ReadFrameFields(
      f, [&s] { return ReadNumberToken(s); }, [&s](const char* what) { return uint8_t(ReadCount(s, 255, what)); });
}

void ReadInlineSpriteSets(FileStream& s, int scope, int32_t count) {
  uint32_t first = SetSpriteSetScope(scope, count);
  char last_image[kTokenSize] = "";
  for (uint32_t set = first; set < sprite_set_counts.total; set++) {
    AllocSetFrames(set, ReadCount(s, 65535, "frame"));
    SpriteSet* ss = sprite_sets[set];
    for (uint32_t f = 0; f < ss->frame_count; f++) ReadFrame(s, &ss->frames[f], set - first, f, last_image);
  }
}

}  // namespace tolv
