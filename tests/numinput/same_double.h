// Exact comparison of doubles for the number text tests: NaN equals NaN, and
// the sign of a zero counts.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

inline ::testing::AssertionResult SameDouble(double expected, double actual)
{
    const bool same = (std::isnan(expected) && std::isnan(actual)) ||
                      (expected == actual && std::signbit(expected) == std::signbit(actual));
    if (same) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "expected " << ::testing::PrintToString(expected) << ", got "
                                         << ::testing::PrintToString(actual);
}
