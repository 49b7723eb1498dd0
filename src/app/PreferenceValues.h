#pragma once
// The conversions of the preference pages: text fields read as a leading decimal number, buffer
// sizes shown in kByte and stored in bytes, and the range of the lead-in/out time.
#include <cstdint>
#include <string>

namespace tarkel::app {

inline constexpr int32_t kLeadInMinSeconds = 0;
inline constexpr int32_t kLeadInMaxSeconds = 60;
inline constexpr int kTimeSliceMaxChars = 4;

// The decimal number at the start of `text` (after blanks, with an optional sign); trailing
// characters are ignored and text without a number gives 0. Limited to 32 bits.
int32_t LeadingDecimal(const std::string& text);

// A buffer size as the page shows it, and the bytes an entry in kByte stands for (limited to
// the largest 32-bit value).
int32_t BytesToKBytes(int32_t bytes);
int32_t KBytesToBytes(int32_t kbytes);

bool LeadInSecondsValid(int32_t seconds);

}  // namespace tarkel::app
