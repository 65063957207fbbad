#pragma once
// What a test does when an independent check it needs is not installed (an oracle program or library,
// a locale): outside CI it skips and says what is missing; in a CI run it fails, because there a skip
// would let the suite pass with the check never made.

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace selvir::test {

// True when the environment variable CI is set to anything but "", "0" or "false".
inline bool isCiRun() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && *ci != '\0' && std::strcmp(ci, "0") != 0 && std::strcmp(ci, "false") != 0;
}

} // namespace selvir::test

// Ends the test for want of `what` (a text saying what is missing and which package brings it).
#define SELVIR_ORACLE_MISSING(what)                                                                          \
    do {                                                                                                     \
        const std::string selvirMissing = (what);                                                            \
        if (::selvir::test::isCiRun()) {                                                                     \
            GTEST_FAIL() << selvirMissing << " (CI is set: a missing oracle fails the run)";                 \
        }                                                                                                    \
        GTEST_SKIP() << selvirMissing;                                                                       \
    } while (false)
