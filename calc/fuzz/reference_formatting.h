// A second, deliberately plain writing of doubles as text that the fuzzer
// holds the library's against: the digits come from the C library's exact
// decimal expansion, then the two roundings and the layout by their rules.
#pragma once

#include <string>

namespace veskora::fuzz {

std::string ReferenceDoubleToText(double value);

}  // namespace veskora::fuzz
