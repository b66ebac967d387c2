#pragma once
// Commands that work on parameter files alone, without a unit.
#include "cli/command.h"

namespace zelmo::cli {

// new [--bike CODE] OUT.ign
int RunNew(Arguments arguments, const Context& context, std::ostream& out, std::ostream& err);
// image FILE.ign: the 50 image bytes as 100 lowercase hex digits
int RunImage(Arguments arguments, const Context& context, std::ostream& out, std::ostream& err);
// show FILE.ign: the parameters in user units
int RunShow(Arguments arguments, const Context& context, std::ostream& out, std::ostream& err);
// normalize IN.ign OUT.ign
int RunNormalize(Arguments arguments, const Context& context, std::ostream& out, std::ostream& err);

}  // namespace zelmo::cli
