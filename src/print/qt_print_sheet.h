// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printout itself, with Qt Print Support: built into the printing module
// and into its tests, never into the window.
#include "print/print_sheet.h"

namespace zelmo {

// Whether the system names a default printer.
bool QtHasDefaultPrinter();

// Prints the picture scaled to fit the page (FitToPage), its top left corner
// at the page's top left corner. A PDF page is A4 without margins.
PrintResult QtPrintSheet(const PrintPicture& clientArea, const PrintTarget& target);

}  // namespace zelmo
