// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// plot FILE.csv -o OUT.png|OUT.pdf [--curve FILE.ign]: the ride viewer's
// export from scripts, the whole ride as the viewer first shows it. Needs a
// QGuiApplication (main makes one for this command, on the offscreen
// platform when no display is named).
#include "cli/command.h"

namespace zelmo::cli {

int RunPlot(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err);

}  // namespace zelmo::cli
