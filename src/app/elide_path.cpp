// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/elide_path.h"

namespace zelmo {
namespace {

const QChar kEllipsis(0x2026);

int PathEnd(const QString& text, qsizetype start) {
  qsizetype end = start;
  while (end < text.size() && !text.at(end).isSpace() && text.at(end) != QLatin1Char(')')) ++end;
  return static_cast<int>(end);
}

// Adapters end their names with what tells two of a kind apart (serial
// number, interface, port), so the end keeps two thirds of the room.
QString ElideName(const QString& name, const QFontMetrics& metrics, int room) {
  const int ellipsis = metrics.horizontalAdvance(kEllipsis);
  qsizetype endLength = 0;
  while (endLength < name.size() && metrics.horizontalAdvance(name.right(endLength + 1)) <= (room - ellipsis) * 2 / 3) {
    ++endLength;
  }
  const QString end = name.right(endLength);
  qsizetype startLength = 0;
  while (startLength < name.size() - endLength &&
         metrics.horizontalAdvance(name.left(startLength + 1) + kEllipsis + end) <= room) {
    ++startLength;
  }
  return name.left(startLength) + kEllipsis + end;
}

}  // namespace

QString ElideDevicePath(const QString& text, const QFontMetrics& metrics, int width) {
  if (metrics.horizontalAdvance(text) <= width) return text;
  const qsizetype pathStart = text.indexOf(QLatin1Char('/'));
  if (pathStart < 0) return metrics.elidedText(text, Qt::ElideMiddle, width);

  const int pathEnd = PathEnd(text, pathStart);
  const qsizetype nameStart = text.lastIndexOf(QLatin1Char('/'), pathEnd - 1) + 1;
  const QString head = text.left(pathStart);
  const QString folders = text.mid(pathStart, nameStart - pathStart);
  const QString tail = text.mid(nameStart);

  // The folders keep as much of their start and end as the room allows, so
  // "/dev/…/" still says where the name lives.
  const int folderRoom = width - metrics.horizontalAdvance(head) - metrics.horizontalAdvance(tail);
  if (folderRoom >= metrics.horizontalAdvance(kEllipsis)) {
    QString shortened = metrics.elidedText(folders, Qt::ElideMiddle, folderRoom);
    if (shortened.isEmpty()) shortened = kEllipsis;
    return head + shortened + tail;
  }
  // No room for the folders at all: they become "…/" and the name gives up
  // part of its middle.
  const QString name = text.mid(nameStart, pathEnd - nameStart);
  const QString after = text.mid(pathEnd);
  const QString gone = QString(kEllipsis) + QLatin1Char('/');
  const int nameRoom = folderRoom + metrics.horizontalAdvance(name) - metrics.horizontalAdvance(gone);
  if (nameRoom >= metrics.horizontalAdvance(kEllipsis)) {
    return head + gone + ElideName(name, metrics, nameRoom) + after;
  }
  return metrics.elidedText(text, Qt::ElideRight, width);
}

}  // namespace zelmo
