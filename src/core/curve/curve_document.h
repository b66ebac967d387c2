// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the graph's mouse editing needs from the world around it: the document
// it edits and the control it is shown in. The graph writes the image
// directly; everything else goes through these two interfaces, so the editing
// rules run (and are tested) without a toolkit.
#include "core/model/ordering.h"
#include "core/model/parameter_image.h"

namespace zelmo {

// The editor's document as the graph edits it: the editor session.
class CurveDocument {
 public:
  // The image the graph shows and a drag writes into.
  virtual ParameterImage& image() = 0;
  // The ordering pass's memory and the stored choices it keeps in range; the
  // graph sets movedPoint around each pass it runs.
  virtual OrderingMemory& orderingMemory() = 0;
  virtual StoredChoices& storedChoices() = 0;
  // A drag step wrote the image and put it in order: the fields show it now.
  virtual void dragStepped() = 0;
  // The dragged point was let go: one undo step for the whole drag, with the
  // program-after-change rule.
  virtual void dragReleased() = 0;

 protected:
  ~CurveDocument() = default;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// The control that shows the graph and the pointer above it.
class CurveSurface {
 public:
  virtual int graphWidth() const = 0;
  virtual int graphHeight() const = 0;
  // Screen position of the graph's top-left pixel.
  virtual ScreenPoint screenOrigin() const = 0;
  virtual void movePointer(int screenX, int screenY) = 0;
  // Whether a pointer move made by the program comes back as a move event.
  // Where it does not, no event is ignored after a move.
  virtual bool reportsProgramMoves() const = 0;
  // Gives the keyboard focus to the field of a point: the limiter field for
  // LimiterPoint, the base advance field for BasePoint, the advance field of
  // breakpoint k + 1 for 0..9. Never called with NoPoint.
  virtual void focusField(int pointCode) = 0;

 protected:
  ~CurveSurface() = default;
};

}  // namespace zelmo
