// Copying a block of cells from one tile plane to another, or within one.
#include <algorithm>

#include "script/commands.h"
#include "script/operands.h"
#include "world/tile_plane.h"

namespace tolv {

// The steps [first, last) of 0..n that stay inside both planes along one
// axis, starting at a in a plane n_a long and at b in one n_b long.
struct Span {
  int64_t first, last;
};
static Span Clip(int64_t n, int64_t a, int64_t n_a, int64_t b, int64_t n_b) {
  return {std::max({int64_t{0}, -a, -b}), std::min({n, n_a - a, n_b - b})};
}

// Operands: source plane, column, row, destination plane, column, row,
// width, height (sizes in 16 bits). Cells outside either plane are
// skipped. Rows go from the top and cells from the left, so a copy within
// a plane onto a later place reads cells it has already written.
static void CmdCopyPlaneBlock() {
  const TilePlane* from = PlaneAt(static_cast<uint8_t>(RegOrConst(Op(1))));
  TilePlane* to = PlaneAt(static_cast<uint8_t>(RegOrConst(Op(4))));
  if (!from || !to) return;
  int64_t sc = RegOrConst(Op(2)), sr = RegOrConst(Op(3)), dc = RegOrConst(Op(5)), dr = RegOrConst(Op(6));
  Span cols = Clip(Low16(Op(7)), sc, from->width, dc, to->width);
  Span rows = Clip(Low16(Op(8)), sr, from->height, dr, to->height);
  for (int64_t r = rows.first; r < rows.last; r++)
    for (int64_t c = cols.first; c < cols.last; c++) {
      const uint16_t* s = PlaneCell(*from, sc + c, sr + r);
      uint16_t* d = PlaneCell(*to, dc + c, dr + r);
      if (s && d) *d = *s;
    }
}

static const CommandDef kPlaneBlockCommands[] = {
    TOLV_ALL(825, 9, CmdCopyPlaneBlock, "copy plane block"),
};

static const CommandDoc kPlaneBlockDocs[] = {
    {"copy plane block", CommandArea::kPlanes,
     {"source plane", "source column", "source row", "destination plane", "destination column", "destination row",
      "width (tiles)", "height (tiles)"},
     "Copies a block of tile cells from one plane to another or within one, row by row from the top and "
     "each row from the left, so a copy onto a later place in the same plane repeats cells it has already "
     "written. Cells outside either plane are skipped; plane numbers use their low 8 bits and the sizes "
     "their low 16 bits."},
};
extern const CommandList plane_block_command_list = TOLV_DOCUMENTED(kPlaneBlockCommands, kPlaneBlockDocs);

}  // namespace tolv
