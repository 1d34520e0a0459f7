#include "host/screenshot.h"

#include <cstdio>
#include <string>

#include "base/atomic_file.h"
#include "base/byte_writer.h"
#include "base/message_log.h"
#include "files/game_file_bytes.h"
#include "render/frame.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/palette.h"

namespace tolv {

// TGA fields are little-endian.
static void Le16(ByteWriter& w, uint32_t v) {
  w.U8(v);
  w.U8(v >> 8);
}

std::vector<uint8_t> FrameTga() {
  ByteWriter w;
  w.U8(0);  // no id field
  w.U8(1);  // a colour map
  w.U8(1);  // uncompressed, colour-mapped
  Le16(w, 0);
  Le16(w, 256);
  w.U8(24);
  Le16(w, 0);
  Le16(w, 0);
  Le16(w, uint32_t(frame_width));
  Le16(w, uint32_t(frame_area_height));
  w.U8(8);
  w.U8(0x20);  // rows top first
  for (const uint8_t* c : palette_banks[0].rgb) {
    w.U8(c[2]);
    w.U8(c[1]);
    w.U8(c[0]);
  }
  w.Bytes(FrameStart(), FrameAreaBytes());
  return std::move(w.bytes);
}

bool TakeScreenshot() {
  char name[32];
  std::snprintf(name, sizeof name, "/sh%06u.tga", uint32_t(Reg(kRegScreenshot)) % 1000000u);
  std::string path;
  if (!GameWritePath(name, &path) || !SaveFileAtomically(path, FrameTga())) {
    ShowMessage("Can't write the screenshot");
    return false;
  }
  Reg(kRegScreenshot)++;
  ShowMessage(name + 1);
  return true;
}

}  // namespace tolv
