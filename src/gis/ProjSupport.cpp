// PROJ contexts for the gis objects, and PROJ's error texts.
#include "gis/ProjSupport.h"

namespace selvir::gis {

ProjContextHandle makeProjContext() {
    ProjContextHandle context(proj_context_create());
    if (context) {
        proj_log_level(context.get(), PJ_LOG_NONE);
        proj_context_set_enable_network(context.get(), 0);
    }
    return context;
}

namespace {

std::string errorText(PJ_CONTEXT* context, int code) {
    const char* message = code != 0 ? proj_context_errno_string(context, code) : nullptr;
    return message && *message ? std::string(message) : std::string("unknown error");
}

} // namespace

std::string projContextError(PJ_CONTEXT* context) {
    return errorText(context, proj_context_errno(context));
}

std::string takeProjError(const PJ* object) {
    const std::string text = errorText(nullptr, proj_errno(object));
    proj_errno_reset(object);
    return text;
}

} // namespace selvir::gis
