#pragma once
#include <iosfwd>
#include <optional>
#include <string>

#include "core/model/parameter_image.h"

namespace zelmo::cli {

// Reads a parameter file as the window's Open does, onto the image of a first
// start (not yet ordered). Says on err what went wrong, naming the file.
std::optional<ParameterImage> LoadParameterFile(const std::string& path, std::ostream& err);

}  // namespace zelmo::cli
