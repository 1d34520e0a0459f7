// make_sprite_file OUT FOLDER DESCRIPTION: cuts the sets that DESCRIPTION
// describes in the text form of an object definition's sprite block (set
// count, then per set its frames: image, size, area, offsets, boxes, hot
// spots; image paths relative to FOLDER) and writes them to OUT, built by
// the engine's sprite file writer. Makes the sprite files of the sample game
// and the test fixtures.
#include <cstdio>

#include "base/atomic_file.h"
#include "base/message_log.h"
#include "files/file_stream.h"
#include "files/game_files.h"
#include "files/scopes.h"
#include "files/script_error.h"
#include "files/working_folder.h"
#include "game/function_files.h"
#include "game/object_defs.h"
#include "render/image.h"
#include "world/sprite_file.h"
#include "world/sprite_sets.h"

using namespace tolv;

// A picture that is not there would leave frames cut from the one before.
static int LoadImageOrFail(const char* name, Image* image, int set_palette) {
  if (!LoadImageFile(name, image, set_palette)) ScriptErrorFormat("Image \"%s\" not found", name);
  return 1;
}

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_sprite_file OUT.spr FOLDER DESCRIPTION\n");
    return 2;
  }
  const std::string out = ComposePath(argv[1]), description = ComposePath(argv[3]);
  if (!ChangeWorkingFolder(argv[2])) {
    std::fprintf(stderr, "make_sprite_file: no folder %s\n", argv[2]);
    return 1;
  }
  game_folder = WorkingFolder();
  game_unpacked = 1;
  message_log_echo = true;
  load_image_file = LoadImageOrFail;
  FileStream s;
  if (!OpenPlainStream(description.c_str(), s)) ScriptErrorFormat("File \"%s\" not found", description.c_str());
  ReadInlineSpriteSets(s, kScopeGame, ReadNumberToken(s));
  CloseStream(s);
  std::vector<const SpriteSet*> sets(sprite_sets, sprite_sets + sprite_set_counts.total);
  ByteWriter bytes;
  std::string why;
  if (BuildSpriteFile(bytes, sets.data(), uint32_t(sets.size()), &why) && SaveFileAtomically(out, bytes.bytes)) return 0;
  std::fprintf(stderr, "make_sprite_file: %s not written %s\n", out.c_str(), why.c_str());
  return 1;
}
