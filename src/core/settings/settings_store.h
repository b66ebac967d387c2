// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings files as start-up reads them and closing writes them.
#include <string>
#include <vector>

#include "core/files/safe_file.h"
#include "core/model/parameter_image.h"
#include "core/settings/config_dir.h"
#include "core/settings/settings.h"

namespace zelmo {

struct StartupFiles {
  bool testMode = false;
  // False on a first start: there is no settings file to take choices from.
  bool settingsFound = false;
  // Files that exist but could not be read; a missing file is no problem.
  std::vector<std::string> problems;
};

// The settings file into the record (its current values are the defaults),
// the shadow copy into the parameter area, and the test-mode marker.
StartupFiles LoadStartupFiles(const ConfigFiles& files, SettingsRecord& settings, ParameterImage& area);

// Creates the folder, rewrites the settings file (keeping what else it holds)
// and then the shadow copy. Stops at the first failure; the file that failed
// keeps its old content.
FileResult SaveCloseFiles(const ConfigFiles& files, const SettingsRecord& settings, const ParameterImage& area);

}  // namespace zelmo
