#pragma once
// Owning handles for PROJ objects and the text of PROJ's last error. Internal to src/gis.
//
// Every object that keeps PJ objects keeps its own PJ_CONTEXT: PROJ objects are not safe to use from
// two threads, and a context of its own makes each owner independent of the others. PROJ's own log
// output is silenced; failures are reported through the owners' error texts.

#include <memory>
#include <proj.h>
#include <string>

namespace selvir::gis {

struct ProjContextDeleter {
    void operator()(PJ_CONTEXT* context) const { proj_context_destroy(context); }
};
struct ProjObjectDeleter {
    void operator()(PJ* object) const { proj_destroy(object); }
};
using ProjContextHandle = std::unique_ptr<PJ_CONTEXT, ProjContextDeleter>;
using ProjHandle = std::unique_ptr<PJ, ProjObjectDeleter>;

// A new context with logging off and the network off (grids come from the data folders only).
ProjContextHandle makeProjContext();

// PROJ's message for the context's last error, e.g. after a proj_create that failed ("unknown error"
// when PROJ gives none).
std::string projContextError(PJ_CONTEXT* context);
// PROJ's message for the object's last error (after a proj_trans that failed); resets the object's
// error number so the next call starts clean.
std::string takeProjError(const PJ* object);

} // namespace selvir::gis
