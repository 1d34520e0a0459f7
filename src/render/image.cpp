#include "render/image.h"

#include "host/message_log.h"

namespace tolv {

Image sprite_image;

static int NoImageReader(const char* name, Image*, int) {
  ShowMessage(name);
  ShowMessage("Image file not found");
  return 0;
}

int (*load_image_file)(const char* name, Image* image, int set_palette) = NoImageReader;

}  // namespace tolv
