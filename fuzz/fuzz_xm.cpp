// Fuzz target for the XM reader and player: any input is refused or loads
// a module that plays for a while (every effect, envelope and loop the
// bytes ask for) without reading outside it.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "audio/mixer.h"
#include "audio/xm_player.h"

using namespace tolv;

static XmPlayer player;
static int32_t acc[2 * 4096];

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  XmModule m;
  if (ParseXmModule(data, size, m)) {
    if (!m.patterns.empty() || !m.instruments.empty()) std::abort();
    return 0;
  }
  StartXm(player, &m, size & 1);
  for (int i = 0; i < 8; i++) {
    std::memset(acc, 0, sizeof(acc));
    RenderXm(player, acc, 4096);
  }
  xm_effect_posts.Clear();
  return 0;
}
