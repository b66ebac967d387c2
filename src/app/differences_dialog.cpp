// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/differences_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/widget_factory.h"
#include "core/lang/texts.h"

namespace zelmo {

void ShowDifferencesDialog(QWidget* parent, const DifferenceTable& table, std::uint8_t languageId) {
  ShowDifferencesDialog(parent, table, languageId,
                        {Utf8Text(ExtraText(Extra::DifferencesCaption, languageId)),
                         Utf8Text(ExtraText(Extra::DifferencesEditor, languageId)),
                         Utf8Text(ExtraText(Extra::DifferencesUnit, languageId))});
}

void ShowDifferencesDialog(QWidget* parent, const DifferenceTable& table, std::uint8_t languageId,
                           const DifferenceHeads& heads) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("DifferencesDialog"));
  dialog.setWindowTitle(heads.caption);

  auto* grid = new QTableWidget(static_cast<int>(table.rows.size()), 3, &dialog);
  grid->setObjectName(QStringLiteral("DifferencesTable"));
  grid->setHorizontalHeaderLabels(
      {Utf8Text(ExtraText(Extra::DifferencesParameter, languageId)), heads.left, heads.right});
  grid->verticalHeader()->hide();
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::NoSelection);
  for (int r = 0; r < grid->rowCount(); ++r) {
    const DifferenceRow& row = table.rows[static_cast<std::size_t>(r)];
    const std::string_view cells[] = {row.field, row.editor, row.unit};
    for (int c = 0; c < 3; ++c) {
      auto* item = new QTableWidgetItem(Utf8Text(cells[c]));
      if (row.differs) {
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
        item->setForeground(Qt::red);
      }
      grid->setItem(r, c, item);
    }
    // The reserved bytes are one summary line with no values of their own.
    if (row.editor.empty() && row.unit.empty()) grid->setSpan(r, 0, 1, 3);
  }
  grid->resizeColumnsToContents();
  grid->horizontalHeader()->setStretchLastSection(true);
  // Wide enough for every column and the vertical scroll bar the rows need,
  // so the unit's column (the bike's long names) never hides behind a
  // horizontal one.
  int tableWidth = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < grid->columnCount(); ++c) tableWidth += grid->columnWidth(c);
  grid->setMinimumWidth(tableWidth);

  // "OK" reads the same in every language of the tool.
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(grid);
  layout->addWidget(buttons);
  dialog.resize(std::max(430, dialog.sizeHint().width()), 620);
  dialog.exec();
}

}  // namespace zelmo
