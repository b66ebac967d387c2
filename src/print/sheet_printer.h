// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the printing module offers the window. Qt Print Support (with its
// printer back ends) is loaded only when the user prints: linked into the
// window it would cost every start 0.3 MB and some milliseconds.
#include <QtPlugin>

#include "print/print_sheet.h"

namespace zelmo {

class SheetPrinter {
 public:
  virtual ~SheetPrinter() = default;
  virtual bool hasDefaultPrinter() const = 0;
  virtual PrintResult print(const PrintPicture& clientArea, const PrintTarget& target) const = 0;
};

}  // namespace zelmo

#define ZELMO_SHEET_PRINTER_IID "org.zelmo-tci.SheetPrinter/1"
Q_DECLARE_INTERFACE(zelmo::SheetPrinter, ZELMO_SHEET_PRINTER_IID)
