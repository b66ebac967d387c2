// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor session: the tool's one document (the parameter area, the
// ordering memory, the stored choices, the undo history, the current file)
// and the device engine that reads, verifies and programs it. The window, the
// command-line tool and the tests are front ends of it: they hand it what the
// user did, it runs the rules and tells them through a SessionListener what
// to show.
//
// Where a command first takes what the fields hold, the front end hands those
// values in as an image (`fields`): the session never asks for them.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/curve/curve_document.h"
#include "core/device/device_engine.h"
#include "core/device/port_names.h"
#include "core/files/history.h"
#include "core/lang/texts.h"
#include "core/model/ordering.h"
#include "core/model/parameter_image.h"
#include "core/report/programmed_state.h"
#include "core/session/session_listener.h"
#include "core/undo/undo_history.h"

namespace zelmo {

// The result of a file command: on failure the text to show, in the
// session's language (empty when there is nothing to say).
struct FileOutcome {
  bool ok = false;
  // The file was read but is no parameter file of this version: a notice,
  // not an error of the system.
  bool refused = false;
  std::string message;
};

class EditorSession final : public CurveDocument, private EngineListener {
 public:
  struct Setup {
    // Where every Read and Program keeps a copy; none, no history.
    std::optional<std::filesystem::path> historyFolder;
    // The local time for the names of history entries.
    std::function<LocalTime()> localTime;
  };

  // The link must outlive the session. The session starts with the
  // parameters of a first start (bike code 0 with its presets), English, COM2.
  EditorSession(SerialLink& link, SessionListener& listener, Setup setup);
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  // ---- the document --------------------------------------------------------
  const ParameterImage& image() const { return image_; }
  const StoredChoices& choices() const { return choices_; }
  const MessageTable& messages() const { return messages_; }
  const std::string& fileName() const { return messages_.currentFileName; }

  // Start-up: the parameters and choices loaded from the settings (or the
  // defaults), put in order; the undo history starts from them.
  void begin(const ParameterImage& loaded, const StoredChoices& choices, std::string fileName);
  void setLanguage(std::uint8_t languageId);

  // A field was stepped or left: the values go through the ordering pass as
  // a field edit, are recorded for undo and programmed when that is on.
  void stepField(const ParameterImage& fields);
  // The same for Enter in a field and a check box: ordered, recorded.
  void applyFields(const ParameterImage& fields);
  // Takes the fields and puts them in order without recording (before a
  // save, at close).
  void takeFields(const ParameterImage& fields);
  // A bike chosen from the list (list index): its presets, recorded.
  void chooseBike(int listIndex);
  // Advance - and Advance +: every advance with `all`, else the breakpoint
  // nearest to the live speed unless the engine runs below the curve.
  void shiftAdvance(const ParameterImage& fields, int delta, bool all);
  // New: the presets of the current bike code from the defaults, recorded.
  void newParameters();

  void undo();
  void redo();
  bool canUndo() const { return undo_.canUndo(); }
  bool canRedo() const { return undo_.canRedo(); }
  // "Programming after change": a recorded change is then programmed at once.
  void setProgramAfterChange(bool on) { programAfterChange_ = on; }
  bool programAfterChange() const { return programAfterChange_; }

  // CurveDocument: the graph's drag writes the image and orders it itself.
  ParameterImage& image() override { return image_; }
  OrderingMemory& orderingMemory() override { return ordering_; }
  StoredChoices& storedChoices() override { return choices_; }
  void dragStepped() override;
  void dragReleased() override;

  // ---- files ---------------------------------------------------------------
  // Reads a parameter file into the editor without an undo step.
  FileOutcome openFile(const std::filesystem::path& file);
  // Takes the fields, orders them and saves them whole or not at all.
  FileOutcome saveFile(const std::filesystem::path& file, const ParameterImage& fields);

  // ---- the unit ------------------------------------------------------------
  const DeviceEngine& engine() const { return engine_; }
  void openPort() { engine_.openPort(); }
  void closePort() { engine_.closePort(); }
  // A fixed port is remembered by its stable name (rememberedPorts).
  void choosePort(int index);
  // The "PORTS" entries of the settings: loaded at start-up, written at close.
  const std::map<int, std::string>& rememberedPorts() const { return ports_; }
  void setRememberedPorts(std::map<int, std::string> ports) { ports_ = std::move(ports); }
  void startRead();
  void startVerify(const ParameterImage& fields);
  void startProgram(const ParameterImage& fields);
  // One tick of the 55 ms timer.
  void tick();
  void showStamp(std::optional<std::string_view> stamp) { engine_.showStamp(stamp); }
  void hideOperation() { engine_.hideOperation(); }
  void withdrawStamp() { engine_.withdrawMessage(); }

  // "Not programmed" in the language while the editor differs from what this
  // run has learnt the unit holds, else empty (also before anything is known
  // and after the connection was lost).
  std::string_view notProgrammedText() const;
  // The unit's 50 bytes of the last failed Verify or Program, while they
  // differ from the editor's and are worth a difference report.
  const std::optional<Payload>& unitAfterFailure() const { return unitAfterFailure_; }
  // The parameter-set version the unit's monitor frames carry, once one came.
  std::optional<std::uint8_t> unitVersion() const { return unitVersion_; }

 private:
  // EngineListener
  void transferEvent(TransferEvent event) override;
  void monitorFrame(const MonitorData& data) override;
  void connectionChanged(bool connected) override;
  void portOpenFailed(std::string_view text) override;

  void order();
  void changed(bool rescaleGraph) { listener_.imageChanged(rescaleGraph); }
  void applyChange();
  void record();
  void startAutoProgram();
  // A new transfer starts: nothing of the last one is waited for any more.
  void forgetTransfer();
  void setFileName(std::string name);
  void keepFailure();
  void saveHistory(HistoryEvent event, const ParameterImage& entry);
  void notify(SessionEvent event) { listener_.sessionEvent(event); }

  SerialLink& link_;
  SessionListener& listener_;
  Setup setup_;
  ParameterImage image_;
  OrderingMemory ordering_;
  StoredChoices choices_;
  UndoHistory undo_;
  MessageTable messages_;
  ProgrammedState programmed_;
  DeviceEngine engine_;
  bool bikeChosen_ = false;
  bool programAfterChange_ = false;
  bool programStored_ = false;      // the running Program's block was echoed
  std::optional<long> savingWait_;  // ticks since a Program verified, until the unit saved
  std::optional<Payload> unitAfterFailure_;
  std::optional<std::uint8_t> unitVersion_;
  std::map<int, std::string> ports_;
};

}  // namespace zelmo
