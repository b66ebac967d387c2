// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/undo/undo_history.h"

#include <algorithm>

namespace zelmo {
namespace {

std::uint16_t Next(std::uint16_t index) {
  return static_cast<std::uint16_t>(index + 1 >= UndoHistory::kSlotCount ? 0 : index + 1);
}
std::uint16_t Previous(std::uint16_t index) {
  return static_cast<std::uint16_t>(index == 0 ? UndoHistory::kSlotCount - 1 : index - 1);
}

}  // namespace

void UndoHistory::store(const ParameterImage& image) {
  std::copy(image.area.begin(), image.area.end(), slots_[current_].begin());
}

void UndoHistory::restore(ParameterImage& image) const {
  std::copy_n(slots_[current_].begin(), kAreaSize, image.area.begin());
}

void UndoHistory::reset(const ParameterImage& image) {
  current_ = oldest_ = newest_ = 0;
  store(image);
}

UndoHistory::PushResult UndoHistory::push(const ParameterImage& image, bool programAfterChange) {
  changed_ = !std::equal(image.area.begin(), image.area.end(), slots_[current_].begin());
  if (changed_) {
    current_ = Next(current_);
    newest_ = current_;
    if (oldest_ == current_) oldest_ = Next(oldest_);
    store(image);
  }
  PushResult result;
  result.changed = changed_;
  if (programAfterChange) {
    result.startAutoProgram = changed_ || autoProgramArmed_;
    autoProgramArmed_ = true;
  } else {
    autoProgramArmed_ = false;
  }
  return result;
}

UndoHistory::StepResult UndoHistory::undo(ParameterImage& image, bool programAfterChange) {
  if (current_ == oldest_) return {};
  current_ = Previous(current_);
  restore(image);
  return {true, programAfterChange};
}

UndoHistory::StepResult UndoHistory::redo(ParameterImage& image, bool programAfterChange) {
  if (current_ == newest_) return {};
  current_ = Next(current_);
  restore(image);
  return {true, programAfterChange};
}

}  // namespace zelmo
