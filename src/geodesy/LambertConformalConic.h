#pragma once
// Lambert Conformal Conic projection, forward, ellipsoidal (Snyder 1987, equations 15-1, 15-2, 15-7,
// 15-9; EPSG methods 9801 "LCC 1SP" and 9802 "LCC 2SP").
//
// Two parameter sets live in one object, as the program keeps them for the whole process:
// - the one-parallel set, defined by an origin (central) parallel φ0 with scale factor k0 on it; it is
//   also the working set every forward conversion uses;
// - the two-parallel set, defined by two standard parallels φ1, φ2 and a latitude of origin. It is
//   reduced to the equivalent one-parallel definition (origin φc = asin n, scale k, false northing
//   shifted so the true origin keeps its northing), which is then made the working set.
// A new object holds the start values: one parallel at 45° with k0 = 1, central meridian 0, no false
// origin, on WGS-84 (f = 1/298.257223563); the two-parallel set holds parallels 40° and 50°, origin 45°.
//
// Units: angles in radians, lengths in metres. Longitudes are accepted in [-π, 2π]; the difference to
// the central meridian is taken in [-π, π]. Easting grows east, northing north. The cone constant n
// (sin of the working origin latitude) gives the meridian convergence: grid north lies n·(λ − λ0)
// clockwise from true north, so a true bearing becomes a grid bearing by adding −n·(λ − λ0).
//
// Every setter checks its arguments and stores nothing when a check fails, reporting the failures as
// bits (OR-ed). A failed forward conversion reports bits and leaves the outputs meaningless.

#include <string>

namespace selvir {

// Error bits of setOneParallel().
struct LambertOneParallelError {
    static constexpr unsigned kOriginLatitude =
        0x10; // |φ0| > 1.5707914786580854 (1″ short of the pole), or 0
    static constexpr unsigned kCentralMeridian = 0x20; // outside [-π, 2π]
    static constexpr unsigned kScaleFactor = 0x40;     // outside [0.3, 3]
    static constexpr unsigned kSemiMajorAxis = 0x80;   // not positive
    static constexpr unsigned kFlattening = 0x100;     // 1/f outside [250, 350]
};

// Error bits of setTwoParallel().
struct LambertTwoParallelError {
    static constexpr unsigned kFirstParallel = 0x10;      // |φ1| > 1.5707914786580854
    static constexpr unsigned kSecondParallel = 0x20;     // |φ2| > 1.5707914786580854
    static constexpr unsigned kOriginLatitude = 0x40;     // |φ0| > 1.5707914786580854
    static constexpr unsigned kCentralMeridian = 0x80;    // outside [-π, 2π]
    static constexpr unsigned kSemiMajorAxis = 0x100;     // not positive
    static constexpr unsigned kFlattening = 0x200;        // 1/f outside [250, 350]
    static constexpr unsigned kOppositeParallels = 0x400; // φ1 = −φ2 (no cone)
    static constexpr unsigned kBothParallelsZero = 0x800;
    // The equivalent one-parallel definition would be refused by setOneParallel; nothing is stored. Not
    // seen for parallels within the limits (the equivalent scale stays above 0.58), but checked so that
    // the two sets can never disagree.
    static constexpr unsigned kEquivalentRejected = 0x1000;
};

// Error bits of the forward conversions.
struct LambertConversionError {
    static constexpr unsigned kLatitude = 0x01;  // outside [-π/2, π/2], or the pole away from the apex
    static constexpr unsigned kLongitude = 0x02; // outside [-π, 2π]
};

struct LambertOneParallelDefinition {
    long double semiMajorAxisM = 6378137.0L;
    long double flattening = 1 / 298.257223563L;
    long double originLatitudeRad = 0;  // φ0, the central parallel, non-zero
    long double centralMeridianRad = 0; // λ0
    long double falseEastingM = 0;
    long double falseNorthingM = 0; // northing of the origin (φ0, λ0)
    long double scaleFactor = 1;    // k0 on φ0
};

struct LambertTwoParallelDefinition {
    long double semiMajorAxisM = 6378137.0L;
    long double flattening = 1 / 298.257223563L;
    long double originLatitudeRad = 0;  // latitude of the false origin
    long double centralMeridianRad = 0; // λ0
    long double firstParallelRad = 0;   // φ1
    long double secondParallelRad = 0;  // φ2
    long double falseEastingM = 0;
    long double falseNorthingM = 0; // northing of the false origin
};

struct LambertSetResult {
    unsigned errors = 0;
    long double coneConstant = 0; // n of the definition in force after the call
    bool ok() const { return errors == 0; }
};

struct LambertGridResult {
    unsigned errors = 0;
    long double eastingM = 0; // meaningful only when ok()
    long double northingM = 0;
    bool ok() const { return errors == 0; }
};

class LambertConformalConic {
public:
    // The working (one-parallel) set with its derived values.
    struct OneParallelSet {
        long double semiMajorAxisM, flattening;
        long double eccentricity, halfEccentricity; // es = sqrt(2f − f²), es/2
        long double coneConstant;                   // n = sin φ0
        long double rho0M;                          // a·k0·m0/n
        long double rhoOriginM;                     // radius at the origin latitude (= rho0)
        long double t0;                             // t(φ0)
        long double originLatitudeRad, centralMeridianRad;
        long double falseNorthingM, falseEastingM;
        long double scaleFactor;
        long double deltaEastingM, deltaNorthingM; // extent limits kept for an inverse conversion
    };
    struct TwoParallelSet {
        long double semiMajorAxisM, flattening;
        long double eccentricity, halfEccentricity;
        long double equivalentOriginLatitudeRad; // φc = asin n
        long double equivalentScaleFactor;       // k on φc
        long double equivalentFalseNorthingM;    // FN + (t0ⁿ − tcⁿ)·L
        long double firstParallelRad, secondParallelRad;
        long double originLatitudeRad, centralMeridianRad;
        long double falseNorthingM, falseEastingM;
    };

    LambertConformalConic();

    // Sets the one-parallel (working) definition. Returns the error bits (LambertOneParallelError) and
    // the cone constant in force afterwards (the old one when a check failed). A central meridian
    // beyond π is stored minus 2π.
    LambertSetResult setOneParallel(const LambertOneParallelDefinition& definition);
    // Sets the two-parallel definition, derives its equivalent one-parallel definition and makes that
    // the working set. Returns the error bits (LambertTwoParallelError) and the cone constant of the
    // two-parallel definition (unspecified when a check failed).
    LambertSetResult setTwoParallel(const LambertTwoParallelDefinition& definition);

    // Geodetic to grid with the working set.
    LambertGridResult forwardOneParallel(long double latitudeRad, long double longitudeRad) const;
    // Geodetic to grid with the two-parallel set: makes its equivalent the working set again, then
    // converts as forwardOneParallel().
    LambertGridResult forwardTwoParallel(long double latitudeRad, long double longitudeRad);

    const OneParallelSet& oneParallelSet() const { return one_; }
    const TwoParallelSet& twoParallelSet() const { return two_; }

private:
    OneParallelSet one_{};
    TwoParallelSet two_{};
};

// The failures named in a short English text, for messages ("origin latitude out of range; ...").
std::string describeLambertOneParallelErrors(unsigned errors);
std::string describeLambertTwoParallelErrors(unsigned errors);
std::string describeLambertConversionErrors(unsigned errors);

} // namespace selvir
