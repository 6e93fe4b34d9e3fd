#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace rastrix {

// Equal when every character matches, ASCII letters regardless of case; other bytes must match exactly.
bool CompareNoCase(std::string_view a, std::string_view b);

// Leading decimal digits as an unsigned 32-bit value; stops at the first non-digit, wraps on overflow.
std::uint32_t ParseDecimal(std::string_view text);

// "1234567" -> "1,234,567": a comma before every group of three digits from the right.
std::string InsertThousandsSeparators(std::string_view digits);

// Position just after the last path separator ('/' or '\\'), or 0 when there is none.
std::size_t FileTitleOf(std::string_view path);

}  // namespace rastrix
