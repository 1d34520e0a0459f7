// make_sprite_file OUT.spr GAME_FOLDER DESCRIPTION: cuts the sprite sets that
// DESCRIPTION gives in the text form of an object definition's sprite
// block (a set count, then per set its frame count and frames: picture,
// width, height, x, y, the four drawing offsets, the main box, attack
// boxes, hurt boxes and hot spots; pictures relative to GAME_FOLDER) and
// writes them with the engine's sprite file writer. A character file reads
// the first set of such a file as its frames.
#include <cstdio>

#include "base/byte_writer.h"
#include "base/message_log.h"
#include "files/file_stream.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "files/working_folder.h"
#include "game/function_files.h"
#include "game/object_defs.h"
#include "render/image.h"
#include "tool_text.h"
#include "world/sprite_file.h"
#include "world/sprite_sets.h"

using namespace tolv;

static constexpr const char* kTool = "make_sprite_file";

static TextDescription* description_text;

// The engine's loaders stop on bad text through ScriptError; the tool
// names it as the other tools do, on one line.
[[noreturn]] static void FailAtStreamLine(const char* message, const char*) {
  std::string what = message;
  for (size_t at; (at = what.find('\n')) != std::string::npos;) what.replace(at, 1, "; ");
  description_text->line = current_stream ? int(current_stream->line) : 0;
  description_text->Fail(what);
}

// A picture that is not there would leave frames cut from the one before.
static int LoadImageOrFail(const char* name, Image* image, int set_palette) {
  if (!LoadImageFile(name, image, set_palette)) ScriptErrorFormat("Image \"%s\" not found", name);
  return 1;
}

int main(int argc, char** argv) {
  TextDescription d;
  OpenDescription(argc, argv, kTool, "OUT.spr", d);
  const std::string out = ComposePath(argv[1]), description = ComposePath(argv[3]);
  UseGameFolder(kTool, argv[2]);
  message_log_echo = true;
  description_text = &d;
  script_error_hook = FailAtStreamLine;
  load_image_file = LoadImageOrFail;
  FileStream s;
  if (!OpenPlainStream(description.c_str(), s)) ScriptErrorFormat("File \"%s\" not found", description.c_str());
  ReadInlineSpriteSets(s, kScopeGame, ReadNumberToken(s));
  CloseStream(s);
  std::vector<const SpriteSet*> sets(sprite_sets, sprite_sets + sprite_set_counts.total);
  ByteWriter bytes;
  std::string why;
  if (!BuildSpriteFile(bytes, sets.data(), uint32_t(sets.size()), &why)) {
    std::fprintf(stderr, "%s: %s not written %s\n", kTool, out.c_str(), why.c_str());
    return 1;
  }
  SaveOrFail(kTool, out, bytes.bytes.data(), bytes.bytes.size());
  return 0;
}
