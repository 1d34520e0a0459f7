// Power commands, three-operand and in place.
#include <cmath>

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
extern const CommandList power_command_list = {kPowerDefs.data(), kPowerDefs.size()};

}  // namespace tolv
