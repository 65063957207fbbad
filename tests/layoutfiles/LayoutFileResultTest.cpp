// The result of the layout-file operations; the reasons of each operation are checked with it.
#include "layoutfiles/LayoutFileResult.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace selvir {
namespace {

// What an operation throws becomes its reason, with the file in front; bytes in memory name none.
TEST(LayoutFileResult, WhatAnOperationThrowsBecomesItsReason) {
    const auto fails = [](auto exception) {
        return runLayoutFileOperation("plan.gvx", [&]() -> LayoutFileResult { throw exception; }).error;
    };
    EXPECT_EQ(fails(std::bad_alloc()), "plan.gvx: not enough memory");
    EXPECT_EQ(fails(std::runtime_error("disk on fire")), "plan.gvx: disk on fire");
    EXPECT_EQ(fails(7), "plan.gvx: an exception of unknown type");
    const auto done = runLayoutFileOperation("plan.gvx", [] { return LayoutFileResult::success(); });
    EXPECT_TRUE(done && done.error.empty());
    EXPECT_EQ(runLayoutFileOperation({}, [] { return LayoutFileResult::failure("why"); }).error, "why");
}

} // namespace
} // namespace selvir
