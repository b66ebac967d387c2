// SPDX-License-Identifier: GPL-3.0-or-later
#include "ride/ride_window.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "core/lang/pattern.h"
#include "core/ride/ride_texts.h"
#include "ride/ride_export.h"

namespace zelmo {
namespace {

QString Text(RideText text, std::uint8_t language) {
  const std::string_view t = RideTextOf(text, language);
  return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

}  // namespace

RideLogRead ReadRecording(const QString& file) { return ReadRideLog(QFile::encodeName(file).toStdString()); }

RidePlotWidget::RidePlotWidget(const RideData& ride, std::uint8_t language, QWidget* parent)
    : QWidget(parent), data_(ride), language_(language), view_(ride.whole()) {
  setMouseTracking(true);
  setMinimumSize(420, 320);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(Text(RideText::Time, language));
}

void RidePlotWidget::setView(const TimeView& view) {
  if (view == view_) return;
  view_ = view;
  update();
}

void RidePlotWidget::setLanguage(std::uint8_t language) {
  language_ = language;
  update();
}

RideScene RidePlotWidget::scene() const { return {&data_, view_, cursorMs_, language_}; }

RideTimeAxis RidePlotWidget::axis() const { return TimeAxisOf(QRectF(rect()), view_, font(), language_); }

void RidePlotWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintRidePlot(painter, QRectF(rect()), scene());
}

void RidePlotWidget::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  if (steps == 0) return;
  const std::int64_t anchor = axis().timeAt(event->position().x());
  setView(ZoomAround(view_, anchor, std::pow(0.8, steps), data_.whole()));
  event->accept();
}

void RidePlotWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragX_ = event->position().x();
}

void RidePlotWidget::mouseMoveEvent(QMouseEvent* event) {
  const RideTimeAxis a = axis();
  if (dragX_ && (event->buttons() & Qt::LeftButton)) {
    const double dx = event->position().x() - *dragX_;
    const auto delta =
        static_cast<std::int64_t>(std::llround(-dx / (a.right - a.left) * static_cast<double>(view_.span())));
    dragX_ = event->position().x();
    setView(Pan(view_, delta, data_.whole()));
  }
  cursorMs_ = a.timeAt(event->position().x());
  update();
}

void RidePlotWidget::mouseReleaseEvent(QMouseEvent*) { dragX_.reset(); }

void RidePlotWidget::mouseDoubleClickEvent(QMouseEvent*) { setView(data_.whole()); }

void RidePlotWidget::leaveEvent(QEvent*) {
  cursorMs_.reset();
  update();
}

RideVisitsWidget::RideVisitsWidget(const RideData& ride, const ParameterImage& editor, std::uint8_t language,
                                   QWidget* parent)
    : QWidget(parent), data_(ride), editor_(editor), language_(language) {
  setMinimumSize(300, 230);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void RideVisitsWidget::setEditor(const ParameterImage& editor) {
  editor_ = editor;
  update();
}

void RideVisitsWidget::setLanguage(std::uint8_t language) {
  language_ = language;
  update();
}

void RideVisitsWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  const int height = std::min(this->height(), width() * 3 / 4);
  PaintRideVisits(painter, QRect(0, 0, width(), height), data_.visits(), editor_, language_);
}

RideWindow::RideWindow(RideLog log, const QString& fileName, const ParameterImage& editor, std::uint8_t language,
                       QWidget* parent)
    : QWidget(parent, Qt::Window),
      data_(std::make_unique<RideData>(std::move(log))),
      fileName_(fileName),
      editor_(editor),
      language_(language) {
  setAttribute(Qt::WA_DeleteOnClose);
  plot_ = new RidePlotWidget(*data_, language, this);
  visits_ = new RideVisitsWidget(*data_, editor, language, this);
  exportPng_ = new QPushButton(this);
  exportPdf_ = new QPushButton(this);
  help_ = new QLabel(this);
  connect(exportPng_, &QPushButton::clicked, this, [this] { askAndExport(QStringLiteral("png")); });
  connect(exportPdf_, &QPushButton::clicked, this, [this] { askAndExport(QStringLiteral("pdf")); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(exportPng_);
  buttons->addWidget(exportPdf_);
  buttons->addStretch(1);
  buttons->addWidget(help_);
  auto* side = new QVBoxLayout;
  side->addWidget(visits_);
  side->addStretch(1);
  auto* views = new QHBoxLayout;
  views->addWidget(plot_, 3);
  views->addLayout(side, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addLayout(views, 1);
  retranslate();
  resize(1100, 640);
}

RideWindow::~RideWindow() = default;

void RideWindow::setEditor(const ParameterImage& editor) {
  editor_ = editor;
  visits_->setEditor(editor);
}

void RideWindow::setLanguage(std::uint8_t language) {
  language_ = language;
  plot_->setLanguage(language);
  visits_->setLanguage(language);
  retranslate();
}

void RideWindow::retranslate() {
  setWindowTitle(QString::fromStdString(
      FillText(RideTextOf(RideText::Caption, language_), QFileInfo(fileName_).fileName().toStdString())));
  exportPng_->setText(Text(RideText::ExportPng, language_));
  exportPdf_->setText(Text(RideText::ExportPdf, language_));
  help_->setText(Text(RideText::Help, language_));
}

bool RideWindow::exportTo(const QString& file) {
  QString error;
  if (ExportRide(file, plot_->scene(), editor_, &error)) return true;
  QMessageBox::warning(this, windowTitle(), error);
  return false;
}

void RideWindow::askAndExport(const QString& suffix) {
  const QFileInfo source(fileName_);
  const QString proposed = source.absoluteDir().filePath(source.completeBaseName() + QLatin1Char('.') + suffix);
  const QString filter = suffix.toUpper() + QStringLiteral(" (*.") + suffix + QLatin1Char(')');
  QString file = QFileDialog::getSaveFileName(this, windowTitle(), proposed, filter);
  if (file.isEmpty()) return;
  if (QFileInfo(file).suffix().isEmpty()) file += QLatin1Char('.') + suffix;
  exportTo(file);
}

}  // namespace zelmo
