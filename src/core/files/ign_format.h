// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The .ign parameter file: 13 lines of text, CR LF after every line but the
// last, led by the key line with the parameter-set version (61):
//   line  text                                       field of the image
//    1    TORVANEX_KEY   61                          version (kProtocolVersion)
//    2    (empty)
//    3    BIKE            0                          bikeCode
//    4    RPM_ADV      1500  2000 ... 10000          rpmPoint[0..9] x 100, in rpm
//    5    ADVANCE         5    15 ...    33          advance[0..9], degrees
//    6    TOP             3     9                    top14, top23
//    7    EXCITATION      1                          longExcitation, flag
//    8    BASE_ADV        5                          baseAdvance, degrees
//    9    LIMITER       137                          limiter, hundreds of rpm
//   10    RPM2            1                          tacho2x, flag
//   11    RPM_CORR        0                          speedCorrection - 100, percent
//   12    BLOK_ENABLE     1                          blockEnable, flag
//   13    INV_INPUT      0                           inverseInput, flag
// Each key is followed by blanks to 12 characters, INV_INPUT to 11 and the
// key line's TORVANEX_KEY to 14. Numbers are decimal, right-aligned in 5
// characters and each followed by one blank ("%5u "; RPM_CORR may be
// negative, "%5d "); the version takes 3 characters and one blank. A flag is
// "    1" for any non-zero byte, else "    0", with no blank after it. The
// reserved bytes are not written.
//
// Reading takes white-space-separated tokens (blank, tab, CR, LF, VT, FF), so
// line breaks, alignment and the order of the lines do not matter; tokens
// longer than kMaxIgnToken characters are skipped. Reading starts after the
// first token TORVANEX_KEY that is followed by the number 61; anything before
// it is ignored, and without one the file is refused. After it each key
// (case-sensitive) takes its numbers from the tokens that follow; any other
// token is skipped, a key that is missing leaves its fields as they were
// (but RPM_CORR becomes 0), and a repeated key overwrites. BIKE also sets
// inverseInput for bike code 7 and clears it otherwise, so an INV_INPUT
// before the BIKE line does not count.
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
// which keeps the low 8 and 16 bits that the fields take exactly as written:
// a byte field takes the low 8 bits (a flag as it is, not made 0 or 1),
// RPM_ADV the low 16 bits divided by 100 and then the low 8 bits, RPM_CORR
// the number plus 100, low 8 bits. Where a number is missing (a token that is
// not a number, which is then read as a key, or the end) the field takes the
// number read last; right after the key line that is the version.
// Not ordered here: the caller runs OrderBreakpoints.
bool ReadParameterFile(std::string_view content, ParameterImage& image);

}  // namespace zelmo
