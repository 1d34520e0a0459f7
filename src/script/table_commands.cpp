// Script data table reads: destination := element op2 of table op1.
#include <iterator>

#include "script/operand_kinds.h"
#include "script/script_tables.h"

namespace tolv {

template <Kind table, Kind index, Kind dst, uint32_t width>
static void ReadTable() {
  uint32_t t = uint32_t(KindValue<table>(Op(1)));
  int32_t v = ReadTableElement(t, KindValue<index>(Op(2)), width);
  KindCell<dst>(Op(3)) = v;
}

// Variant i: destination i / 36, table number (i / 9) % 4, index (i / 3) % 3, width i % 3.
static constexpr auto kTableDefs = FamilyDefs<108>([](auto i) {
  constexpr int n = decltype(i)::value;
  constexpr Kind tables[4] = {Kind::K, Kind::R, Kind::PD, Kind::OD};
  constexpr Kind indexes[3] = {Kind::R, Kind::PD, Kind::OD};
  constexpr uint32_t widths[3] = {1, 2, 4};
  constexpr const char* names[3] = {"read table byte", "read table word", "read table double word"};
  return WithKinds(
      CommandDef TOLV_ALL(uint16_t(1284 + n), 4,
                          (ReadTable<tables[n / 9 % 4], indexes[n / 3 % 3], kDestKinds[n / 36], widths[n % 3]>),
                          names[n % 3]),
      {tables[n / 9 % 4], indexes[n / 3 % 3], kDestKinds[n / 36]});
});

#define TOLV_TABLE(name, text) {name, CommandArea::kArithmetic, {"data table", "entry", "destination"}, text}
static const CommandDoc kTableDocs[] = {
    TOLV_TABLE("read table byte",
               "Stores entry n of the data table, a byte (`~TableB d = t[n]`), sign-extended unless the table is "
               "unsigned. Tables count the game's first, then the zone's (`z` n) and the act's; a table or entry "
               "that does not exist, or a negative entry, gives 0."),
    TOLV_TABLE("read table word",
               "Stores entry n of the data table, two bytes (`~TableW d = t[n]`), sign-extended unless the table "
               "is unsigned; a table or entry that does not exist gives 0."),
    TOLV_TABLE("read table double word",
               "Stores entry n of the data table, four bytes (`~TableD d = t[n]`); a table or entry that does not "
               "exist gives 0."),
};
#undef TOLV_TABLE
extern constinit const CommandList table_command_list = {kTableDefs.data(), kTableDefs.size(), kTableDocs,
                                                         std::size(kTableDocs)};

}  // namespace tolv
