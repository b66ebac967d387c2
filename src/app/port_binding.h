// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which devices the "COM n" numbers stand for at start-up: the "PORTS" section
// of the settings file, and a device named with --port for the port that the
// settings select.
#include <QString>
#include <optional>

#include "core/device/port_names.h"
#include "core/settings/config_dir.h"

namespace zelmo {

PortMapping StartupPortMapping(const std::optional<ConfigFiles>& files, const QString& portDevice);

}  // namespace zelmo
