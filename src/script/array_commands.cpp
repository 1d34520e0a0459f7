// Array commands: indexed access to a run of cells of one operand space.
#include <iterator>

#include "script/operand_kinds.h"

namespace tolv {

// Cell number base + index, wrapped to 32 bits, then to the operand's 30
// index bits; the space accessor checks it like any other index.
inline uint32_t ArrayIndex(uint32_t base, int32_t index) {
  return (base + static_cast<uint32_t>(index)) & kIndexMask;
}

// op1 base, op2 index cell, op3 destination.
template <Kind space, Kind index, Kind dst>
static void ReadArray() {
  int32_t v = KindCell<space>(ArrayIndex(Op(1), KindValue<index>(Op(2))));
  KindCell<dst>(Op(3)) = v;
}

// op1 source, op2 base, op3 index cell.
template <Kind space, Kind index, Kind src>
static void WriteArray() {
  int32_t v = KindValue<src>(Op(1));
  KindCell<space>(ArrayIndex(Op(2), KindValue<index>(Op(3)))) = v;
}

// Read variant i: destination i / 9, array space (i / 3) % 3, index i % 3.
static constexpr auto kReadDefs = FamilyDefs<27>([](auto i) {
  constexpr int n = decltype(i)::value;
  constexpr Kind spaces[3] = {Kind::R, Kind::PB, Kind::OB};
  constexpr Kind indexes[3] = {Kind::R, Kind::PA, Kind::OA};
  return WithKinds(CommandDef TOLV_ALL(uint16_t(668 + n), 4,
                                       (ReadArray<spaces[n / 3 % 3], indexes[n % 3], kDestKinds[n / 9]>),
                                       "read array"),
                   {spaces[n / 3 % 3], indexes[n % 3], kDestKinds[n / 9]});
});

// Write variant i: array space i / 12, index (i / 4) % 3, source i % 4.
static constexpr auto kWriteDefs = FamilyDefs<36>([](auto i) {
  constexpr int n = decltype(i)::value;
  constexpr Kind indexes[3] = {Kind::R, Kind::PB, Kind::OB};
  constexpr Kind sources[4] = {Kind::R, Kind::PA, Kind::OA, Kind::K};
  return WithKinds(CommandDef TOLV_ALL(uint16_t(695 + n), 4,
                                       (WriteArray<kDestKinds[n / 12], indexes[n / 4 % 3], sources[n % 4]>),
                                       "write array"),
                   {sources[n % 4], kDestKinds[n / 12], indexes[n / 4 % 3]});
});

static constexpr auto kArrayCommands = JoinDefs(kReadDefs, kWriteDefs);

static const CommandDoc kArrayDocs[] = {
    {"read array", CommandArea::kArithmetic, {"first cell of the array", "index", "destination"},
     "Stores cell first + index of the array's kind into the destination (`~Array d = a[i]`): an array is a "
     "run of registers or of variables of one slot. A cell outside its kind's cells reads 0."},
    {"write array", CommandArea::kArithmetic, {"value", "first cell of the array", "index"},
     "Stores the value into cell first + index of the array's kind (`~Array a[i] = v`); a cell outside its "
     "kind's cells is not written."},
};
extern constinit const CommandList array_command_list = {kArrayCommands.data(), kArrayCommands.size(), kArrayDocs,
                                                         std::size(kArrayDocs)};

}  // namespace tolv
