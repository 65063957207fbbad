#pragma once
// A thin holder of a PROJ operation for the oracle tests: one context and one object per instance.

#include <cstdio>
#include <proj.h>
#include <stdexcept>
#include <string>

namespace selvir::test {

class ProjOperation {
public:
    explicit ProjOperation(const std::string& definition) : context_(proj_context_create()) {
        proj_ = proj_create(context_, definition.c_str());
        if (proj_ == nullptr) {
            const std::string message = proj_context_errno_string(context_, proj_context_errno(context_));
            proj_context_destroy(context_);
            throw std::runtime_error("PROJ rejected \"" + definition + "\": " + message);
        }
    }
    ~ProjOperation() {
        proj_destroy(proj_);
        proj_context_destroy(context_);
    }
    ProjOperation(const ProjOperation&) = delete;
    ProjOperation& operator=(const ProjOperation&) = delete;

    // Forward transformation of one coordinate (units as the definition expects them).
    PJ_COORD forward(double a, double b, double c = 0) const {
        return proj_trans(proj_, PJ_FWD, proj_coord(a, b, c, 0));
    }
    PJ_COORD inverse(double a, double b, double c = 0) const {
        return proj_trans(proj_, PJ_INV, proj_coord(a, b, c, 0));
    }

    PJ* get() const { return proj_; }

private:
    PJ_CONTEXT* context_;
    PJ* proj_ = nullptr;
};

// "+a=... +f=..." with every digit of the values.
inline std::string projEllipsoid(double a, double f) {
    char text[96];
    std::snprintf(text, sizeof text, "+a=%.17g +f=%.17g", a, f);
    return text;
}

inline std::string projNumber(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

} // namespace selvir::test
