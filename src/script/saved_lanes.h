// A context's lanes as a saved state holds them: per lane the function and
// instruction index, timed lanes also the frame value, wait timer and the
// two byte parameters, then their Count counters. Big-endian.
#pragma once
#include <cstdint>
#include <vector>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "script/machine.h"

namespace tolv {

struct SavedLane {
  uint16_t func = kFreeLane, pc = 0, frame = 0, acc = 0, step = 0, limit = 0;
  uint8_t p1 = 255, p2 = 255;
};

struct SavedLanes {
  std::vector<SavedLane> lanes;
  std::vector<uint16_t> counters;  // timed contexts only
};

void WriteLanes(ByteWriter& w, const ScriptContext& ctx);
void WriteTimedLanes(ByteWriter& w, const TimedScriptContext& ctx);

// A lane naming no function of `code`, or an instruction past its
// function's end, comes back free.
void ReadLanes(ByteReader& r, const CodeSet* code, SavedLanes& out);
void ReadTimedLanes(ByteReader& r, const CodeSet* code, SavedLanes& out);

// Replaces the context's lanes (its binding stays).
void RestoreLanes(ScriptContext& ctx, const SavedLanes& saved);
void RestoreTimedLanes(TimedScriptContext& ctx, const SavedLanes& saved);

}  // namespace tolv
