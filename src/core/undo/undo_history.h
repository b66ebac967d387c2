// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ring of parameter snapshots behind undo and redo, and the
// program-after-change rule that every recorded edit applies. The history
// decides; its owner carries out (refreshing the controls, starting a
// programming transfer).
#include <array>
#include <cstdint>

#include "core/model/parameter_image.h"

namespace zelmo {

class UndoHistory {
 public:
  static constexpr int kSlotCount = 200;
  static constexpr std::size_t kSlotSize = 105;  // a snapshot fills the first 55 bytes

  struct PushResult {
    bool changed = false;
    bool startAutoProgram = false;
  };
  struct StepResult {
    bool restored = false;  // the image now holds the restored snapshot
    bool startAutoProgram = false;
  };

  // Forgets everything and makes the image the only state.
  void reset(const ParameterImage& image);
  // Records the image if it differs from the current snapshot, then applies the
  // program-after-change rule for a box that is (or is not) checked.
  PushResult push(const ParameterImage& image, bool programAfterChange);
  StepResult undo(ParameterImage& image, bool programAfterChange);
  StepResult redo(ParameterImage& image, bool programAfterChange);

  bool canUndo() const { return current_ != oldest_; }
  bool canRedo() const { return current_ != newest_; }

  int current() const { return current_; }
  int oldest() const { return oldest_; }
  int newest() const { return newest_; }
  bool changed() const { return changed_; }
  bool autoProgramArmed() const { return autoProgramArmed_; }

 private:
  void store(const ParameterImage& image);
  void restore(ParameterImage& image) const;

  std::array<std::array<std::uint8_t, kSlotSize>, kSlotCount> slots_{};
  std::uint16_t current_ = 0;
  std::uint16_t oldest_ = 0;
  std::uint16_t newest_ = 0;
  bool changed_ = false;
  bool autoProgramArmed_ = false;
};

}  // namespace zelmo
