// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/editor_session.h"

#include <algorithm>

#include "core/device/unit_info.h"
#include "core/files/ign_format.h"
#include "core/files/safe_file.h"
#include "core/lang/pattern.h"
#include "core/model/bike_code.h"
#include "core/model/presets.h"

namespace zelmo {
namespace {

// A transfer fails 20 ticks after its first send; a reply younger than this
// answered one of its sends, not an earlier command or poll.
constexpr std::uint8_t kFreshReplyTicks = 16;
// After its verify the unit still writes its memory, about a second. One
// that falls silent meanwhile, or never finishes, may not have kept it.
constexpr long kSavingWaitTicks = 400;
constexpr int kMaxAdvance = 60;

std::string NameOf(const std::filesystem::path& file) {
  const std::u8string name = file.u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace

EditorSession::EditorSession(SerialLink& link, SessionListener& listener, Setup setup)
    : link_(link),
      listener_(listener),
      setup_(std::move(setup)),
      image_(NewParameters(0)),
      engine_(link, *this, image_, messages_, choices_) {
  ForgetPushes(ordering_);
  FillMessageTable(messages_, choices_.languageId);
  undo_.reset(image_);
}

// ---- the document ------------------------------------------------------------

void EditorSession::begin(const ParameterImage& loaded, const StoredChoices& choices, std::string fileName) {
  image_ = loaded;
  // A shadow copy from before the correction existed holds 0 there.
  if (image_.speedCorrection() == 0) image_.speedCorrection() = 100;
  choices_ = choices;
  messages_.currentFileName = std::move(fileName);
  order();
  FillMessageTable(messages_, choices_.languageId);
  undo_.reset(image_);
  changed(true);
  listener_.undoChanged();
  listener_.fileNameChanged();
}

void EditorSession::setLanguage(std::uint8_t languageId) {
  choices_.languageId = languageId;
  FillMessageTable(messages_, languageId);
}

void EditorSession::order() { OrderBreakpoints(image_, ordering_, choices_); }

void EditorSession::applyChange() {
  order();
  changed(true);
  record();
}

void EditorSession::record() {
  const bool program = undo_.push(image_, programAfterChange_).startAutoProgram;
  listener_.undoChanged();
  if (program) startAutoProgram();
}

void EditorSession::startAutoProgram() {
  forgetTransfer();
  engine_.startAutoProgram();
}

void EditorSession::forgetTransfer() {
  savingWait_.reset();
  programStored_ = false;
}

void EditorSession::stepField(const ParameterImage& fields) {
  ordering_.movedPoint = kControlEdit;
  image_ = fields;
  applyChange();
}

void EditorSession::applyFields(const ParameterImage& fields) {
  image_ = fields;
  applyChange();
}

void EditorSession::takeFields(const ParameterImage& fields) {
  image_ = fields;
  order();
  changed(false);
}

void EditorSession::chooseBike(int listIndex) {
  if (const auto code = BikeIndexToCode(listIndex)) image_.bikeCode() = *code;
  bikeChosen_ = true;
  ApplyBikePresets(image_, bikeChosen_);
  applyChange();
}

void EditorSession::shiftAdvance(const ParameterImage& fields, int delta, bool all) {
  image_ = fields;
  order();
  const auto shift = [delta](std::uint8_t& advance) {
    if (delta < 0 && advance > 0) --advance;
    if (delta > 0 && advance < kMaxAdvance) ++advance;
  };
  if (all) {
    for (int i = 0; i < kBreakpointCount; ++i) shift(image_.advance(i));
  } else if (!engine_.belowCurve()) {
    shift(image_.advance(engine_.nearestPoint()));
  }
  applyChange();
}

void EditorSession::newParameters() {
  bikeChosen_ = false;
  ApplyBikePresets(image_, bikeChosen_);
  applyChange();
  setFileName({});
}

void EditorSession::undo() {
  const UndoHistory::StepResult result = undo_.undo(image_, programAfterChange_);
  if (result.restored) changed(true);
  listener_.undoChanged();
  if (result.startAutoProgram) startAutoProgram();
}

void EditorSession::redo() {
  const UndoHistory::StepResult result = undo_.redo(image_, programAfterChange_);
  if (result.restored) changed(true);
  listener_.undoChanged();
  if (result.startAutoProgram) startAutoProgram();
}

void EditorSession::dragStepped() { changed(false); }

void EditorSession::dragReleased() { record(); }

void EditorSession::setFileName(std::string name) {
  messages_.currentFileName = std::move(name);
  listener_.fileNameChanged();
}

std::string_view EditorSession::notProgrammedText() const {
  return programmed_.indicatorText(image_, choices_.languageId);
}

// ---- files -------------------------------------------------------------------

FileOutcome EditorSession::openFile(const std::filesystem::path& file) {
  const ReadResult read = ReadWholeFile(file);
  if (!read.ok) return {false, false, std::string(kOpenFileError) + "\n" + read.error};
  ParameterImage loaded = image_;
  if (!ReadParameterFile(read.content, loaded)) {
    // The file's name on its own line says which one of several was refused.
    const auto message = IgnVersionMessage(choices_.languageId);
    return {false, true, message ? std::string(*message) + "\n" + NameOf(file) : std::string()};
  }
  image_ = loaded;
  order();
  changed(true);
  setFileName(NameOf(file));
  return {true, false, {}};
}

FileOutcome EditorSession::saveFile(const std::filesystem::path& file, const ParameterImage& fields) {
  takeFields(fields);
  // Written whole beside the target and renamed over it: a failure leaves the
  // old file as it was.
  const FileResult written = WriteFileAtomically(file, WriteParameterFile(image_));
  if (!written.ok) return {false, false, std::string(kOpenFileError) + "\n" + written.error};
  setFileName(NameOf(file));
  return {true, false, {}};
}

// ---- the unit ----------------------------------------------------------------

void EditorSession::startRead() {
  forgetTransfer();
  engine_.startRead();
  setFileName({});
}

void EditorSession::startVerify(const ParameterImage& fields) {
  forgetTransfer();
  takeFields(fields);
  engine_.startVerify();
}

void EditorSession::startProgram(const ParameterImage& fields) {
  forgetTransfer();
  takeFields(fields);
  engine_.startProgram();
}

void EditorSession::tick() {
  engine_.tick();
  if (savingWait_ && ++*savingWait_ > kSavingWaitTicks) {
    savingWait_.reset();
    notify(SessionEvent::SavingUnconfirmed);
  }
}

void EditorSession::transferEvent(TransferEvent event) {
  switch (event) {
    case TransferEvent::UnitInfoAccepted:
      if (engine_.transferState() == TransferState::Program) {
        order();
        changed(false);
      }
      notify(SessionEvent::UnitInfoAccepted);
      break;
    case TransferEvent::ImageRead: {
      unitAfterFailure_.reset();
      // The history keeps the unit's own bytes, before they are put in order.
      const ParameterImage unit = image_;
      order();
      changed(true);
      saveHistory(HistoryEvent::Read, unit);
      notify(SessionEvent::ImageRead);
      break;
    }
    case TransferEvent::ImageStored:
      unitAfterFailure_.reset();
      programStored_ = true;
      saveHistory(HistoryEvent::Program, image_);
      notify(SessionEvent::ImageStored);
      break;
    case TransferEvent::VerifyOk:
      unitAfterFailure_.reset();
      programmed_.verified(image_);
      if (programStored_) savingWait_ = 0;
      programStored_ = false;
      notify(SessionEvent::Verified);
      break;
    case TransferEvent::ReadFailed:
      notify(SessionEvent::ReadFailed);
      break;
    case TransferEvent::VerifyFailed:
    case TransferEvent::ProgramFailed:
      programStored_ = false;
      programmed_.holdsOther();
      keepFailure();
      notify(event == TransferEvent::VerifyFailed ? SessionEvent::VerifyFailed : SessionEvent::ProgramFailed);
      break;
    case TransferEvent::VersionMismatch:
      order();
      changed(false);
      listener_.message(VersionMismatchText(messages_, engine_.unitInfo().protocolVersion()));
      notify(SessionEvent::VersionMismatch);
      break;
  }
}

void EditorSession::keepFailure() {
  // The engine keeps the bytes of an older transfer too; only a reply to one
  // of the last sends (no polls run during a transfer) is this one's.
  const std::optional<Payload>& unit = engine_.lastUnitImage();
  if (unit && engine_.silenceTicks() < kFreshReplyTicks && !std::ranges::equal(*unit, image_.image())) {
    unitAfterFailure_ = unit;
  } else {
    unitAfterFailure_.reset();
  }
}

void EditorSession::choosePort(int index) {
  if (index >= 0 && index < kAutoComIndex) {
    const int number = ComPortNumber(index, 0);
    if (const std::string name = link_.nameToRemember(number); !name.empty()) {
      RememberPort(ports_, number, name);
      link_.bindPorts(ports_);
    }
  }
  engine_.choosePort(index);
}

void EditorSession::saveHistory(HistoryEvent event, const ParameterImage& entry) {
  if (!setup_.historyFolder || !setup_.localTime) return;
  const HistorySaveResult saved = SaveHistoryEntry(*setup_.historyFolder, entry, event, setup_.localTime());
  if (saved.ok) return;
  // Each place filled in its own part of the pattern: a "%s" in the folder's
  // name must not take the reason.
  const std::string_view pattern = ExtraText(Extra::SaveFailed, choices_.languageId);
  const std::size_t first = pattern.find("%s");
  const std::size_t split = first == std::string_view::npos ? pattern.size() : first + 2;
  listener_.warning(FillText(pattern.substr(0, split), NameOf(*setup_.historyFolder)) +
                    FillText(pattern.substr(split), saved.error));
}

void EditorSession::monitorFrame(const MonitorData& data) {
  unitVersion_ = data.protocolVersion;
  listener_.monitorFrame(data);
  // Until the unit reports on its saving, a program is not over.
  if (savingWait_ && data.savingCountdown == 0) {
    savingWait_.reset();
    notify(SessionEvent::SavingFinished);
  }
}

void EditorSession::connectionChanged(bool connected) {
  // Another unit may answer next: neither its version nor what it holds is known.
  if (!connected) {
    unitVersion_.reset();
    programmed_.unknown();
  }
  notify(connected ? SessionEvent::ConnectionBack : SessionEvent::ConnectionLost);
  if (!connected && savingWait_) {
    savingWait_.reset();
    notify(SessionEvent::SavingUnconfirmed);
  }
}

void EditorSession::portOpenFailed(std::string_view text) { listener_.message(text); }

}  // namespace zelmo
