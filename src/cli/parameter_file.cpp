// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/parameter_file.h"

#include <cstdio>
#include <ostream>

#include "core/files/ign_format.h"
#include "core/files/safe_file.h"
#include "core/lang/texts.h"
#include "core/model/presets.h"

namespace zelmo::cli {
namespace {

// The same cap as for a named file: a stream of anything else is refused
// before it fills the memory.
ReadResult ReadStandardInput() {
  ReadResult result;
  char buffer[16384];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
    if (result.content.size() + n > kMaxFileSize) {
      result.content.clear();
      result.error = "standard input: refused: larger than " + std::to_string(kMaxFileSize) + " bytes";
      return result;
    }
    result.content.append(buffer, n);
  }
  if (std::ferror(stdin)) {
    result.content.clear();
    result.error = "standard input: cannot read";
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace

std::string InputName(const std::string& path) { return path == kStandardStream ? "standard input" : path; }

std::optional<ParameterImage> LoadParameterFile(const std::string& path, std::ostream& err) {
  const ReadResult file = path == kStandardStream ? ReadStandardInput() : ReadWholeFile(path);
  if (!file.ok) {
    err << "zelmo-cli: " << file.error << "\n";
    return std::nullopt;
  }
  ParameterImage image = NewParameters(0);
  if (!ReadParameterFile(file.content, image)) {
    err << "zelmo-cli: " << InputName(path) << ": " << IgnVersionMessage(kEnglish).value_or("") << "\n";
    return std::nullopt;
  }
  return image;
}

bool OutputWritten(std::ostream& out, std::ostream& err) {
  out.flush();
  if (out) return true;
  err << "zelmo-cli: standard output: cannot write\n";
  return false;
}

bool WriteOutputFile(const std::string& path, const std::string& text, std::ostream& out, std::ostream& err) {
  if (path == kStandardStream) {
    // The very bytes the file would hold, so "> FILE" makes the same file.
    out << text;
    return OutputWritten(out, err);
  }
  const FileResult saved = WriteFileAtomically(path, text);
  if (!saved.ok) err << "zelmo-cli: " << saved.error << "\n";
  return saved.ok;
}

}  // namespace zelmo::cli
