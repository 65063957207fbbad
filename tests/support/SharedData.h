#pragma once
// The real files of the shared test data stand beside the repository; a clone without them (as CI's
// clean clone) skips the tests that read them.

#include <filesystem>
#include <string>

namespace selvir::test {

inline bool sharedDataPresent(const std::string& relative) {
    return std::filesystem::exists(std::filesystem::path(SELVIR_SHARED_DATA_DIR) / relative);
}

} // namespace selvir::test

#define SELVIR_SKIP_WITHOUT_SHARED_DATA(relative)                                                            \
    if (!::selvir::test::sharedDataPresent(relative))                                                        \
    GTEST_SKIP() << "no shared test data: " << (relative)
