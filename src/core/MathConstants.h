#pragma once
// Constants shared by every module, defined once. Code in double precision uses std::numbers::pi.

#include <numbers>

namespace selvir {

// π in extended precision, for the geodesy.
inline constexpr long double kPi = std::numbers::pi_v<long double>;
// π as the settings conversions have always written it, 3.141592653589793 (the double nearest π), held
// in extended precision: degrees typed into the settings must give the same radians as ever.
inline constexpr long double kSettingsPi = 3.141592653589793L;

} // namespace selvir
