#pragma once

#include <cstdint>
#include <string_view>

// Decimal text to integer as C's atoi reads it: leading white space, an
// optional sign, then digits up to the first other character; no digits
// read as 0. Unlike atoi, a value out of range saturates instead of being
// undefined.
int64_t ReadDecimal64(std::string_view text);
int32_t ReadDecimal32(std::string_view text);
