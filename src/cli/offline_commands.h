// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Commands that work on parameter files alone, without a unit. A file name of
// "-" is standard input or output.
#include "cli/command.h"

namespace zelmo::cli {

// new [--bike CODE] OUT.ign
int RunNew(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err);
// bikes: the bike codes with their names, in the order of the window's list
int RunBikes(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err);
// image FILE.ign: the 50 image bytes as 100 lowercase hex digits
int RunImage(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err);
// show FILE.ign: the parameters in user units
int RunShow(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err);
// normalize IN.ign OUT.ign
int RunNormalize(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err);
// diff A.ign B.ign: the difference table in user units; exit 0 when equal,
// 1 when they differ, 2 on a file error
int RunDiff(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err);
inline constexpr int kExitDiffer = 1;

}  // namespace zelmo::cli
