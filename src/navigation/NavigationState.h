#pragma once
// The main window's record of the vessel's navigation: one instance, owned by the main window, filled
// by the GNSS handlers (GnssHandlers), the echosounder handling and the realtime map update. All zero
// at start; nothing is reset when realtime stops. Single-threaded: everything runs on the
// user-interface thread.

namespace selvir {

struct NavigationState {
    // WGS-84 position from the reader's GGA decoding; both go to 0 when the receiver falls silent.
    double GpsLatitude = 0;  // decimal degrees, north positive
    double GpsLongitude = 0; // decimal degrees, east positive
    double GpsAltitude = 0;  // metres, GGA altitude field
    double SpeedKnots = 0;   // knots over ground, from RMC / VTG
    double GyroHeading = 0;  // degrees true, from HDT
    // RTK fixed solutions only: antenna ellipsoidal height (GGA altitude + geoid separation), metres,
    // and the tide it gives (RtkHeight - OffsetC), metres.
    double RtkHeight = 0;
    double RtkTide = 0;
    // Copies of the offsets window's fields, refreshed on every GNSS line while that window is closed.
    double OffsetA = 0;       // transducer draft, metres
    double SoundVelocity = 0; // m/s
    double OffsetC = 0;       // metres
    double ManualTide = 0;    // metres
    int LastFixQuality = 0;   // fix quality the GPS box was last coloured for
    // Grid position and drawn heading of the last map tick.
    double Easting = 0;       // metres
    double Northing = 0;      // metres
    double Convergence = 0;   // degrees
    double VesselHeading = 0; // degrees
    // Latest reduced depths, metres.
    double DepthHF = 0;
    double DepthLF = 0;
    // The echosounder fell silent or its device went away after the last depth: the depths above are
    // old news, not to be labelled on the map or shown as current.
    bool DepthStale = false;
};

} // namespace selvir
