// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about box: what the program is, who makes it, when it was built and
// which parameter-set version it speaks.
#include <QDialog>

#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;

namespace zelmo {

class TFormAbout : public QDialog {
  Q_OBJECT

 public:
  // languageId is asked each time the box becomes active, for its caption.
  explicit TFormAbout(std::function<std::uint8_t()> languageId, QWidget* parent = nullptr);

 protected:
  bool event(QEvent* event) override;

 private:
  QLabel* AddLabel(const char* name, const QString& text, int left, int top, int pixelSize);
  void FormCreate();
  void FormActivate();
  void ShowLicence();
  void Button1Click();

  std::function<std::uint8_t()> languageId_;
  QPushButton* ok_ = nullptr;
  QLabel* licence_ = nullptr;
};

}  // namespace zelmo
