#pragma once

#include <cstdint>

namespace driver {

// Message and hint of a status code. Only the low byte of code counts; bytes
// without a row of their own get the "unknown" row. The texts are constant.
const char* StatusMessage(std::int32_t code);
const char* StatusHint(std::int32_t code);

}  // namespace driver
