// Object handles: how scripts hold an object slot or a player record in a
// register or variable. A handle is bit 31, a kind tag and the record's fixed
// id; it is the same every time it is made and names its record for the
// whole run (also after the object was deleted). Anything that is not a
// handle of the asked kind, or whose id is out of range, names the void
// record.
#pragma once
#include <cstdint>

#include "script/records.h"

namespace tolv {

constexpr uint32_t kHandleBit = 0x80000000u;
constexpr uint32_t kHandleKindMask = 0x7FFF0000u;
constexpr uint32_t kObjectHandleTag = 0x004F0000u;
constexpr uint32_t kPlayerHandleTag = 0x00500000u;
constexpr uint32_t kHandleIdMask = 0x0000FFFFu;

int32_t EncodeObjectHandle(const ObjectSlot* slot);
int32_t EncodePlayerHandle(const PlayerRecord* player);
ObjectSlot* DecodeObjectHandle(int32_t handle);
PlayerRecord* DecodePlayerHandle(int32_t handle);

}  // namespace tolv
