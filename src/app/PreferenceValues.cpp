#include "app/PreferenceValues.h"

#include <cctype>
#include <cstdint>

namespace tarkel::app {

int32_t LeadingDecimal(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT32_MAX) value = int64_t(INT32_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return int32_t(value);
}

int32_t BytesToKBytes(int32_t bytes) { return bytes / 1024; }

int32_t KBytesToBytes(int32_t kbytes) {
  const int64_t bytes = int64_t(kbytes) * 1024;
  if (bytes > INT32_MAX) return INT32_MAX;
  if (bytes < 0) return 0;
  return int32_t(bytes);
}

bool LeadInSecondsValid(int32_t seconds) { return seconds >= kLeadInMinSeconds && seconds <= kLeadInMaxSeconds; }

}  // namespace tarkel::app
