#pragma once
// The .ign parameter file: 13 lines of fixed-width keys and right-aligned
// numbers, led by the key line with the parameter-set version.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/model/parameter_image.h"

namespace zelmo {

// Tokens longer than this are skipped whole, as if they were not there.
inline constexpr std::size_t kMaxIgnToken = 261;

// The whole file text: CR LF after every line but the last.
std::string WriteParameterFile(const ParameterImage& image);

// Reads a file's content into the image and returns keyFound. Without an
// accepted key line the image is left as it was. Numbers are whole tokens of
// an optional sign and decimal digits; longer digit strings wrap modulo 2^32,
// which keeps the low 8 and 16 bits that the fields take exactly as written.
// Not ordered here: the caller runs OrderBreakpoints.
bool ReadParameterFile(std::string_view content, ParameterImage& image);

}  // namespace zelmo
