// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/history.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <system_error>

#include "core/files/ign_format.h"
#include "core/files/safe_file.h"
#include "core/lang/texts.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

// A history file is a few hundred bytes; a listing never reads more.
constexpr std::size_t kMaxHistoryFile = 64 * 1024;
constexpr int kMaxSequence = 999999;

constexpr std::string_view EventWord(HistoryEvent event) { return event == HistoryEvent::Read ? "read" : "program"; }

bool ValidTime(const LocalTime& t) {
  return t.year >= 1000 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
         t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 60;
}

// Reads a run of digits at the front of text; nothing when there is none.
std::optional<int> TakeNumber(std::string_view& text, std::size_t maxDigits) {
  std::size_t n = 0;
  while (n < text.size() && n < maxDigits && text[n] >= '0' && text[n] <= '9') ++n;
  if (n == 0) return std::nullopt;
  int value = 0;
  std::from_chars(text.data(), text.data() + n, value);
  text.remove_prefix(n);
  return value;
}

bool Take(std::string_view& text, std::string_view what) {
  if (!text.starts_with(what)) return false;
  text.remove_prefix(what.size());
  return true;
}

bool Older(const HistoryName& a, const fs::path& pa, const HistoryName& b, const fs::path& pb) {
  if (a.time != b.time) return a.time < b.time;
  if (a.sequence != b.sequence) return a.sequence < b.sequence;
  return pa.filename() < pb.filename();
}

struct Named {
  fs::path file;
  HistoryName name;
  bool regular = false;
};

// Every entry of the folder whose name is a history name, oldest first.
std::vector<Named> Scan(const fs::path& folder) {
  std::vector<Named> found;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const auto name = ParseHistoryFileName(it->path().filename().string());
    if (!name) continue;
    std::error_code typeError;
    const bool regular = fs::is_regular_file(it->symlink_status(typeError));
    found.push_back({it->path(), *name, regular && !typeError});
  }
  std::sort(found.begin(), found.end(),
            [](const Named& a, const Named& b) { return Older(a.name, a.file, b.name, b.file); });
  return found;
}

std::optional<std::uint8_t> BikeOf(const fs::path& file) {
  const ReadResult read = ReadWholeFile(file, kMaxHistoryFile);
  if (!read.ok) return std::nullopt;
  // Two different starting codes tell a bike line from a missing one.
  ParameterImage a;
  ParameterImage b;
  b.bikeCode() = 1;
  if (!ReadParameterFile(read.content, a) || !ReadParameterFile(read.content, b)) return std::nullopt;
  if (a.bikeCode() != b.bikeCode()) return std::nullopt;
  return a.bikeCode();
}

}  // namespace

std::optional<std::string> HistoryFileName(const HistoryName& name) {
  if (!ValidTime(name.time) || name.sequence < 1 || name.sequence > kMaxSequence) return std::nullopt;
  const LocalTime& t = name.time;
  char stamp[80];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d-%02d-%02d_", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  std::string text = stamp;
  text += EventWord(name.event);
  if (name.sequence > 1) text += "_" + std::to_string(name.sequence);
  return text + ".ign";
}

std::optional<HistoryName> ParseHistoryFileName(std::string_view fileName) {
  std::string_view rest = fileName;
  HistoryName name;
  LocalTime& t = name.time;
  const auto field = [&rest](int& into, std::size_t digits, std::string_view after) {
    const std::size_t before = rest.size();
    const auto value = TakeNumber(rest, digits);
    if (!value || before - rest.size() != digits || !Take(rest, after)) return false;
    into = *value;
    return true;
  };
  if (!field(t.year, 4, "-") || !field(t.month, 2, "-") || !field(t.day, 2, "_") || !field(t.hour, 2, "-") ||
      !field(t.minute, 2, "-") || !field(t.second, 2, "_")) {
    return std::nullopt;
  }
  if (Take(rest, EventWord(HistoryEvent::Read))) {
    name.event = HistoryEvent::Read;
  } else if (Take(rest, EventWord(HistoryEvent::Program))) {
    name.event = HistoryEvent::Program;
  } else {
    return std::nullopt;
  }
  if (Take(rest, "_")) {
    const auto sequence = TakeNumber(rest, 6);
    if (!sequence) return std::nullopt;
    name.sequence = *sequence;
  }
  // Leading zeros, a counter of 1 and impossible dates all fail the round trip.
  const auto again = HistoryFileName(name);
  if (!again || *again != fileName) return std::nullopt;
  return name;
}

HistorySaveResult SaveHistoryEntry(const fs::path& folder, const ParameterImage& image, HistoryEvent event,
                                   const LocalTime& time) {
  HistorySaveResult result;
  if (!ValidTime(time)) {
    result.error = folder.string() + ": no valid local time for a history entry";
    return result;
  }
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    result.error = folder.string() + ": cannot create the folder: " + ec.message();
    return result;
  }
  RemoveAbandonedSaves(folder);
  HistoryName name{time, event, 1};
  for (const Named& entry : Scan(folder)) {
    if (entry.name.time == time) name.sequence = std::max(name.sequence, entry.name.sequence + 1);
  }
  if (name.sequence > kMaxSequence) {
    result.error = folder.string() + ": too many history entries within one second";
    return result;
  }
  result.file = folder / *HistoryFileName(name);
  const FileResult saved = WriteFileAtomically(result.file, WriteParameterFile(image));
  if (!saved.ok) {
    result.error = saved.error;
    return result;
  }
  result.ok = true;

  std::vector<Named> entries = Scan(folder);
  std::erase_if(entries, [](const Named& e) { return !e.regular; });
  auto count = static_cast<std::ptrdiff_t>(entries.size());
  for (const Named& entry : entries) {
    if (count <= kHistoryLimit) break;
    if (entry.file.filename() == result.file.filename()) continue;
    if (fs::remove(entry.file, ec)) {
      ++result.removed;
      --count;
    }
  }
  return result;
}

std::vector<HistoryEntry> ListHistory(const fs::path& folder) {
  std::vector<HistoryEntry> list;
  const std::vector<Named> entries = Scan(folder);
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (!it->regular) continue;
    list.push_back({it->file, it->name, BikeOf(it->file)});
  }
  return list;
}

std::string HistoryTimeText(const LocalTime& t) {
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

std::string_view HistoryEventText(HistoryEvent event, std::uint8_t languageId) {
  return ExtraText(event == HistoryEvent::Read ? Extra::HistoryEventRead : Extra::HistoryEventProgram, languageId);
}

}  // namespace zelmo
