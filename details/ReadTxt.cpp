#include "details/ReadTxt.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

constexpr double kTwoTo32 = 4294967296.0;

// The low 32 bits of a whole, non-negative number held in a double, as the original's 32-bit
// sums keep them (only codes of ten digits and more ever leave the 32-bit range).
std::uint32_t Low32Bits(double wholeNumber) {
  return static_cast<std::uint32_t>(std::fmod(wholeNumber, kTwoTo32));
}

}  // namespace

int SwapStep(std::string_view code) {
  if (code.empty()) {
    return -1;
  }
  std::uint32_t powerSum = 0;  // unsigned so that wrapping is defined; read back as signed
  std::uint32_t digitSum = 0;
  int position = 0;
  for (const char character : code) {
    if (character < '0' || character > '9') {
      return -1;
    }
    const int digit = character - '0';
    ++position;
    powerSum += Low32Bits(std::round(std::pow(static_cast<double>(digit), position)));
    digitSum += static_cast<std::uint32_t>(digit);
  }
  const auto signedPowerSum = static_cast<std::int32_t>(powerSum);
  if (signedPowerSum < 0) {
    return 0;  // a wrapped sum has no square root; such codes are left unscrambled
  }
  const double difference =
      std::sqrt(static_cast<double>(signedPowerSum)) - static_cast<std::int32_t>(digitSum);
  const long rounded = std::lround(difference);
  return static_cast<int>(std::labs(rounded % 10));
}

std::u16string ReadTxt(std::string_view code, std::u16string_view text) {
  const int step = SwapStep(code);
  if (step < 0) {
    return {};
  }
  std::u16string result(text);
  if (step < 2) {
    return result;
  }
  const auto stride = static_cast<std::size_t>(step);
  for (std::size_t position = stride; position <= result.size(); position += stride) {
    std::swap(result[position - 2], result[position - 1]);
  }
  return result;
}
