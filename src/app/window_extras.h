#pragma once
// The window's additions around the device: the difference report after a
// failed verify, the automatic history of reads and programmings, the
// recording of live values and the unprogrammed-changes indicator.
#include <QObject>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/device/device_engine.h"
#include "core/files/history.h"
#include "core/report/programmed_state.h"
#include "core/report/recording.h"

class QAction;
class QLabel;
class QPushButton;

namespace zelmo {

class TFormHlav;

class WindowExtras : public QObject {
  Q_OBJECT

 public:
  // Adds its controls and menu items to the built window.
  explicit WindowExtras(TFormHlav& window);
  ~WindowExtras() override;

  void transferEvent(TransferEvent event);
  void monitorFrame(const MonitorData& data);
  // The indicator, the button and the menu item after the image or the
  // print appearance changed.
  void refresh();
  void retranslate();
  // The window closes: a running recording ends.
  void windowClosing();

  bool recording() const { return recording_ != nullptr; }

  void showDifferences();
  void showHistory();
  void toggleRecording();

 private:
  void placeOperationExtras();
  void saveHistory(HistoryEvent event);
  void startRecording();
  void stopRecording();
  void recordingFailed();
  void warn(const QString& text);

  TFormHlav& window_;
  ProgrammedState programmed_;
  // The unit's 50 bytes of the last failed verify, while they are worth showing.
  std::optional<Payload> unitAfterFailure_;
  std::unique_ptr<LiveRecording> recording_;

  QPushButton* differencesButton_ = nullptr;
  QLabel* notProgrammed_ = nullptr;
  QLabel* rec_ = nullptr;
  QAction* differencesItem_ = nullptr;
  QAction* historyItem_ = nullptr;
  QAction* recordItem_ = nullptr;
};

}  // namespace zelmo
