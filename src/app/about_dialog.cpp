// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about_dialog.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>

#include <utility>

#include "app/about_logo.h"
#include "core/lang/texts.h"
#include "core/model/parameter_image.h"

namespace zelmo {
namespace {

constexpr int kClientWidth = 342;
constexpr int kClientHeight = 420;
constexpr int kOkLeft = 248;
constexpr int kOkTop = 364;
constexpr int kOkWidth = 72;
constexpr int kOkHeight = 40;

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

TFormAbout::TFormAbout(std::function<std::uint8_t()> languageId, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      languageId_(std::move(languageId)) {
  setObjectName(QStringLiteral("FormAbout"));
  setModal(true);
  setFixedSize(kClientWidth, kClientHeight);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);

  AddLabel("LabelAbout", QStringLiteral("Programm for setting of ignition"), 16, 24, 16);

  auto* image = new QLabel(this);
  image->setObjectName(QStringLiteral("Image1"));
  image->setPixmap(AboutLogo());
  image->setGeometry(32, 72, kAboutLogoWidth, kAboutLogoHeight);

  AddLabel("Label2", QStringLiteral("Zelmo TCI programming tool"), 32, 180, 16);
  // In the current language, again each time the box is shown.
  licence_ = AddLabel("Label3", QString(), 32, 205, 16);
  AddLabel("Label4", QStringLiteral("Built with Qt ") + QString::fromLatin1(QT_VERSION_STR), 32, 230, 16);
  AddLabel("Label5", QStringLiteral("User manual: press F1"), 32, 255, 16);
  AddLabel("Label9", QStringLiteral("Contact: see the README"), 32, 291, 16);
  AddLabel("Label10", QStringLiteral("Sources and issues: see the README"), 32, 316, 16);

  // A real button: the keyboard reaches it, and as the default button Enter
  // presses it.
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("ButtonOk"));
  QFont font = ok_->font();
  font.setPixelSize(23);
  ok_->setFont(font);
  ok_->setGeometry(kOkLeft, kOkTop, kOkWidth, kOkHeight);
  ok_->setDefault(true);
  ok_->setFocus();
  connect(ok_, &QPushButton::clicked, this, &TFormAbout::Button1Click);

  FormCreate();
}

QLabel* TFormAbout::AddLabel(const char* name, const QString& text, int left, int top, int pixelSize) {
  auto* label = new QLabel(text, this);
  label->setObjectName(QString::fromLatin1(name));
  QFont font = label->font();
  font.setPixelSize(pixelSize);
  label->setFont(font);
  label->move(left, top);
  label->adjustSize();
  return label;
}

void TFormAbout::FormCreate() {
  // The compiler's own forms: "Jun  9 2014" and "14:06:15".
  AddLabel("LabelDate", QStringLiteral(__DATE__), 32, 350, 11);
  AddLabel("LabelTime", QStringLiteral(__TIME__), 32, 370, 11);
  AddLabel("LabelRsKey", QStringLiteral("Version - %1").arg(kProtocolVersion), 32, 391, 11);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.x() + area.width() / 2 - kClientWidth / 2, area.y() + area.height() / 2 - kClientHeight / 2);
  }
  ShowLicence();
}

void TFormAbout::FormActivate() {
  setWindowTitle(FromUtf8(AboutCaption(languageId_())));
  ShowLicence();
}

void TFormAbout::ShowLicence() {
  const std::uint8_t language = languageId_();
  // The short licence id fits the box; the full name is a hover away and read
  // out by screen readers.
  licence_->setText(FromUtf8(LicenceLine(language)));
  licence_->adjustSize();
  licence_->setToolTip(FromUtf8(LicenceName(language)));
  licence_->setAccessibleName(FromUtf8(LicenceName(language)));
}

void TFormAbout::Button1Click() { accept(); }

bool TFormAbout::event(QEvent* event) {
  // Show comes before activation, so the caption is right from the first frame.
  if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate) {
    FormActivate();
  }
  return QDialog::event(event);
}

}  // namespace zelmo
