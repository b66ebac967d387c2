// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The unit's side of the window: "No Connection", the live values, the COM
// label, the firmware texts, the operation message with its gauge, the red
// banners, the service readouts, and the indicators around the operation
// message (the Differences button, "Not programmed", REC). It draws what the
// device engine's display and the editor session say; it decides nothing.
#include <QObject>
#include <array>

#include "app/widget_factory.h"
#include "core/device/device_engine.h"

class QLabel;
class QPushButton;

namespace zelmo {

class DevicePanel : public QObject {
  Q_OBJECT

 public:
  DevicePanel(QWidget* client, ControlRegistry& registry);

  // Draws the engine's display; only what changed since the last call unless
  // forced. The print appearance leaves out the operation message and "No
  // Connection" the engine shows.
  void show(const DeviceDisplay& now, bool force);
  void setPrinting(bool printing);
  void setTestMode(bool on);
  void setTwinPickup(bool twin);
  // The indicators: notProgrammed is the text of the sign (empty: none).
  void showIndicators(std::string_view notProgrammed, bool differences, bool recording);
  void retranslate(const MessageTable& messages, std::uint8_t languageId);
  void hideOperation();
  // "No Connection" at that left edge, "REC" still clear of it.
  void placeNoConnection(int left);
  bool noConnectionShown() const;

 signals:
  void differencesClicked();

 private:
  void buildLiveColumn(QWidget* client, ControlRegistry& registry);
  void buildDeviceColumn(QWidget* client, ControlRegistry& registry);
  void buildIndicators(QWidget* client, ControlRegistry& registry);
  void placeIndicators();
  void applyVisibility();

  DeviceDisplay shown_;
  bool printing_ = false;
  bool differences_ = false;
  bool recording_ = false;

  QLabel* noConnection_ = nullptr;
  QLabel* com_ = nullptr;
  QLabel* operation_ = nullptr;
  Gauge* operationGauge_ = nullptr;
  Gauge* rpmGauge_ = nullptr;
  QLabel* rpm_ = nullptr;
  QLabel* advance_ = nullptr;
  QLabel* voltage_ = nullptr;
  QLabel* blocking_ = nullptr;
  QLabel* neutral_ = nullptr;
  QLabel* sideStand_ = nullptr;
  QLabel* pickup1_ = nullptr;
  QLabel* pickup2_ = nullptr;
  QLabel* programmingCount_ = nullptr;
  QLabel* dataError_ = nullptr;
  QLabel* version_ = nullptr;
  std::array<QLabel*, 3> firmware_{};
  std::array<QLabel*, 8> tests_{};
  QPushButton* differencesButton_ = nullptr;
  QLabel* notProgrammed_ = nullptr;
  QLabel* rec_ = nullptr;
};

}  // namespace zelmo
