// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#include "print/print_sheet.h"
#include "print/sheet_printer.h"

namespace zelmo {
namespace {

QStringList DefaultFolders() {
  const QDir program(QCoreApplication::applicationDirPath());
  return {program.path(), QDir::cleanPath(program.filePath(QStringLiteral(ZELMO_RELATIVE_MODULE_DIR)))};
}

}  // namespace

PrintModule::PrintModule() : PrintModule(DefaultFolders()) {}

PrintModule::PrintModule(QStringList folders) : folders_(std::move(folders)) {}

// Qt keeps a loaded plugin until the program ends; nothing to unload here.
PrintModule::~PrintModule() = default;

const SheetPrinter* PrintModule::printer() {
  // A failed load is tried again at the next printout: the user may have
  // mended the installation meanwhile.
  if (printer_ != nullptr) return printer_;
  const QString name = QStringLiteral(ZELMO_PRINT_MODULE_FILE);
  for (const QString& folder : folders_) {
    const QString path = QDir(folder).filePath(name);
    if (!QFileInfo::exists(path)) continue;
    loader_ = std::make_unique<QPluginLoader>(path);
    printer_ = qobject_cast<SheetPrinter*>(loader_->instance());
    if (printer_ == nullptr) {
      loadError_ = QStringLiteral("the printing module %1 could not be loaded (%2)").arg(path, loader_->errorString());
    }
    return printer_;
  }
  loadError_ = QStringLiteral("the printing module %1 is not installed in %2")
                   .arg(name, folders_.join(QStringLiteral(" or ")));
  return nullptr;
}

bool PrintModule::hasDefaultPrinter() {
  const SheetPrinter* module = printer();
  return module != nullptr && module->hasDefaultPrinter();
}

PrintResult PrintModule::print(const PrintPicture& clientArea, const PrintTarget& target) {
  const SheetPrinter* module = printer();
  if (module == nullptr) return {false, loadError_};
  return module->print(clientArea, target);
}

}  // namespace zelmo
