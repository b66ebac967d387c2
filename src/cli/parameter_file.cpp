#include "cli/parameter_file.h"

#include <ostream>

#include "core/files/ign_format.h"
#include "core/files/safe_file.h"
#include "core/lang/texts.h"
#include "core/model/presets.h"

namespace zelmo::cli {

std::optional<ParameterImage> LoadParameterFile(const std::string& path, std::ostream& err) {
  const ReadResult file = ReadWholeFile(path);
  if (!file.ok) {
    err << "zelmo-cli: " << file.error << "\n";
    return std::nullopt;
  }
  ParameterImage image = NewParameters(0);
  if (!ReadParameterFile(file.content, image)) {
    err << "zelmo-cli: " << path << ": " << IgnVersionMessage(kEnglish).value_or("") << "\n";
    return std::nullopt;
  }
  return image;
}

}  // namespace zelmo::cli
