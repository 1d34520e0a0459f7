// Power commands, three-operand and in place.
#include <cmath>
#include <iterator>

#include "script/family_handlers.h"

namespace tolv {

// A double outside the int32 range (or infinite, or NaN) has no defined
// conversion, so it is caught before the cast.
int32_t PowerInt(int32_t base, int32_t exponent) {
  double r = std::pow(static_cast<double>(base), static_cast<double>(exponent));
  if (!(r > -2147483649.0 && r < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(r);
}

static constexpr auto kPowerDefs = SigDefs<kPowerSigs>();

static const CommandDoc kPowerDocs[] = {
    {"power", CommandArea::kArithmetic, {"base", "exponent", "destination"},
     "Stores the base raised to the exponent, rounded toward zero (`~Eval d = a POW b`), so a negative "
     "exponent gives 0 unless the base is 1 or -1. A result outside the 32-bit range, or 0 to a negative "
     "power, gives -2147483648."},
    {"power in place", CommandArea::kArithmetic, {"exponent", "destination"},
     "Raises the destination to the exponent (`~Eval d POW= v`), as `power` does."},
};
extern const CommandList power_command_list = {kPowerDefs.data(), kPowerDefs.size(), kPowerDocs,
                                               std::size(kPowerDocs)};

}  // namespace tolv
