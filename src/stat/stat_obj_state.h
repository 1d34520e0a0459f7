// A stat object instance in a saved state: its counters, selection, lanes,
// elements and nodes as they stand (layout in docs/saved_states.md).
#pragma once
#include <cstdint>
#include <memory>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "stat/stat_obj.h"

namespace tolv {

struct StagedStatObjDelete {
  void operator()(StatObj* so) const;
};
// A parsed instance outside the pool; freed with what it owns unless
// installed.
using StagedStatObj = std::unique_ptr<StatObj, StagedStatObjDelete>;

constexpr uint8_t kNoStatObjState = 255;  // definition byte of an object without an instance

void WriteStatObjState(ByteWriter& w, int32_t id);
// Null when the block ends early, names no loaded definition, or does not
// fit it (sizes, indexes, a node tree with a loop). `none` is set for a
// block of an object without an instance.
StagedStatObj ReadStatObjState(ByteReader& r, bool* none);
// Moves a parsed instance into the pool: at `id` when that entry is free,
// else the first free one. Its id; 0 when the pool is full.
int32_t InstallStatObjState(StagedStatObj staged, int32_t id);

}  // namespace tolv
