// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an editor session tells the front end that shows it: the window, the
// command-line tool, a test. Events only; the session never asks for anything.
#include <string_view>

#include "core/device/monitor.h"

namespace zelmo {

// Milestones of the unit's side beyond the engine's own transfer events.
enum class SessionEvent {
  UnitInfoAccepted,   // block 0 of a Read or Program had the right version
  ImageRead,          // a Read took the unit's parameters into the editor (ordered)
  ImageStored,        // a Program's block was echoed correctly; its verify follows
  Verified,           // the unit holds the editor's parameters (Verify, or the end of Read and Program)
  SavingFinished,     // after a Program, the unit reported its saving countdown run out
  SavingUnconfirmed,  // after a Program, the unit fell silent or never finished saving
  ReadFailed,
  VerifyFailed,  // unitAfterFailure() holds what the unit answered, when it answered
  ProgramFailed,
  VersionMismatch,  // the unit carries another parameter-set version; nothing was written
  ConnectionLost,   // "No Connection" appeared
  ConnectionBack,   // the unit answers again
};

class SessionListener {
 public:
  // The image changed outside the fields' own editing (an edit put in order,
  // a drag step, undo, a file, the unit): the fields show it now. With
  // rescaleGraph the graph's axes follow; a drag step keeps them.
  virtual void imageChanged(bool rescaleGraph) = 0;
  // The undo history recorded or stepped: what undo and redo can do changed.
  virtual void undoChanged() {}
  // The current file's name changed (open, save, new, read).
  virtual void fileNameChanged() {}
  virtual void sessionEvent(SessionEvent /*event*/) {}
  virtual void monitorFrame(const MonitorData& /*data*/) {}
  // A message for a modal box, in the session's language. Ticks go on while
  // it shows, so the session's state may move on meanwhile.
  virtual void message(std::string_view text) = 0;
  // A failure beside the command the user gave (the history could not be
  // written). It comes from inside a tick: show it once the tick is over.
  virtual void warning(std::string_view text) = 0;

 protected:
  ~SessionListener() = default;
};

}  // namespace zelmo
