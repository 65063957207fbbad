#pragma once
// A smooth synthetic seabed: depth below the water surface in metres, between 5 and 40 everywhere,
// made of long sine swells (wavelengths of 700 to 1300 m), so consecutive soundings a few metres
// apart differ by centimetres, as over a real sandy bottom.

namespace selvir::sim {

inline constexpr double kSeabedMinDepthM = 5.0;
inline constexpr double kSeabedMaxDepthM = 40.0;

// Depth at a point of the local plane (east, north in metres from the origin).
double seabedDepthM(double eastM, double northM);

// The low-frequency pulse goes into the soft top layer of the bottom: a little deeper.
inline constexpr double kLowFrequencyPenetrationM = 0.3;

} // namespace selvir::sim
