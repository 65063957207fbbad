#pragma once
// Sea water properties of the UNESCO 1983 algorithms (Fofonoff, N.P. and Millard, R.C. Jr.,
// "Algorithms for computation of fundamental properties of seawater", UNESCO Technical Papers in
// Marine Science 44): depth from pressure and the Chen and Millero (1977) speed of sound. Probes that
// record pressure but not depth, or temperature and salinity but no sound velocity, are reduced with
// these, as the probes' own software does (Sea-Bird's "depSM" and "svCM" columns use the same
// equations, to the printed digits).

namespace selvir {

// Depth (metres, positive down) in sea water of the pressure `pressureDbar` (decibar, gauge: 0 at the
// surface) at `latitudeDeg` (degrees, either sign). UNESCO 1983 equation with the standard ocean
// (salinity 35, 0 °C); check value 9712.653 m for 10000 dbar at 30°.
double depthFromPressure(double pressureDbar, double latitudeDeg);

// The pressure (decibar) whose depth is `depthM` at `latitudeDeg`: the inverse of the above, by Newton
// steps, within 1e-9 dbar.
double pressureFromDepth(double depthM, double latitudeDeg);

// Speed of sound (m/s), Chen and Millero (1977) as UNESCO 1983 gives it: salinity on the practical
// scale (PSS-78), temperature in °C on IPTS-68, pressure in decibar (gauge). Valid for salinity
// 0 … 40, temperature 0 … 40 °C and pressure 0 … 10000 dbar; check value 1731.995 m/s at salinity 40,
// 40 °C and 10000 dbar.
double chenMilleroSoundSpeed(double salinity, double temperature68C, double pressureDbar);

// IPTS-68 temperature of an ITS-90 reading (°C): T68 = 1.00024 · T90, the conversion the formula above
// needs for today's probes.
constexpr double temperature68FromIts90(double temperature90C) {
    return 1.00024 * temperature90C;
}

} // namespace selvir
