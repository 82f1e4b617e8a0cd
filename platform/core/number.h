#pragma once
// Number reading and formatting in the forms the programs show and store.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The leading number of a text: blanks skipped, an optional sign, digits and at most one full
// stop with further digits; the first other character ends it; no number at all gives 0.
double val(std::string_view text);

// A number as the programs print it: shortest round-trip form up to 15 significant digits, no
// exponent for ordinary magnitudes, and a leading blank in the sign position for values >= 0
// ("str") or without it ("plain_number").
std::string str(double value);
std::string plain_number(double value);

// Formats after a picture of "0" (digit always shown), "#" (digit shown when significant) and "."
// (decimal separator, written as decimal_separator): "00.0", "##0", "0.00". Rounds half away from
// zero on the decimal value, so 2.675 with "0.00" is 2.68.
std::string format_number(double value, std::string_view picture,
                          std::string_view decimal_separator);

// Rounds half to even.
double round_half_even(double value);
// Rounds half to even into a 16-bit integer, saturating at the 16-bit limits instead of wrapping.
std::int16_t round_to_int16(double value);
// Towards minus infinity.
double int_floor(double value);

}  // namespace platform
