// SPDX-License-Identifier: GPL-3.0-or-later
// The printing module: the printout with Qt Print Support, as a Qt plugin the
// window loads when the user first prints.
#include <QObject>

#include "print/qt_print_sheet.h"
#include "print/sheet_printer.h"

namespace zelmo {

class QtSheetPrinter : public QObject, public SheetPrinter {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID ZELMO_SHEET_PRINTER_IID)
  Q_INTERFACES(zelmo::SheetPrinter)

 public:
  bool hasDefaultPrinter() const override { return QtHasDefaultPrinter(); }
  PrintResult print(const PrintPicture& clientArea, const PrintTarget& target) const override {
    return QtPrintSheet(clientArea, target);
  }
};

}  // namespace zelmo

#include "print_plugin.moc"
