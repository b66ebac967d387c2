// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/widget_factory.h"
#include "core/lang/texts.h"

namespace zelmo {

std::optional<std::filesystem::path> ChooseHistoryEntry(QWidget* parent, const std::vector<HistoryEntry>& entries,
                                                        const std::function<QString(std::uint8_t)>& bikeText,
                                                        const QString& openCaption, std::uint8_t languageId) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("HistoryDialog"));
  dialog.setWindowTitle(Utf8Text(ExtraText(Extra::HistoryCaption, languageId)));

  auto* list = new QTableWidget(static_cast<int>(entries.size()), 3, &dialog);
  list->setObjectName(QStringLiteral("HistoryTable"));
  list->setHorizontalHeaderLabels({Utf8Text(ExtraText(Extra::HistoryDate, languageId)),
                                   Utf8Text(ExtraText(Extra::HistoryEvent, languageId)),
                                   Utf8Text(ExtraText(Extra::HistoryBike, languageId))});
  list->verticalHeader()->hide();
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  for (int r = 0; r < list->rowCount(); ++r) {
    const HistoryEntry& entry = entries[static_cast<std::size_t>(r)];
    list->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(HistoryTimeText(entry.name.time))));
    list->setItem(r, 1, new QTableWidgetItem(Utf8Text(HistoryEventText(entry.name.event, languageId))));
    // An unreadable entry is still listed; opening it says why.
    list->setItem(r, 2, new QTableWidgetItem(entry.bikeCode ? bikeText(*entry.bikeCode) : QStringLiteral("?")));
  }
  list->resizeColumnsToContents();
  list->horizontalHeader()->setStretchLastSection(true);
  if (list->rowCount() > 0) list->selectRow(0);

  // Escape or the title bar cancels; the one button speaks the window's language.
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* open = buttons->addButton(openCaption, QDialogButtonBox::AcceptRole);
  open->setObjectName(QStringLiteral("HistoryOpen"));
  open->setEnabled(list->rowCount() > 0);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(list, &QTableWidget::cellDoubleClicked, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(list);
  layout->addWidget(buttons);
  dialog.resize(420, 400);

  if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0) return std::nullopt;
  return entries[static_cast<std::size_t>(list->currentRow())].file;
}

}  // namespace zelmo
