// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/plot_command.h"

#include <QFile>
#include <QString>

#include "cli/parameter_file.h"
#include "core/lang/texts.h"
#include "core/model/ordering.h"
#include "core/model/presets.h"
#include "core/ride/ride_texts.h"
#include "ride/ride_export.h"

namespace zelmo::cli {

int RunPlot(const Invocation& line, const Context&, std::ostream&, std::ostream& err) {
  const std::string& input = line.files[0];
  const std::optional<std::string> output = line.value("output");
  if (!output || output->empty()) return UsageError(line, "plot needs -o OUT.png or -o OUT.pdf", err);
  const QString target = QString::fromStdString(*output);
  if (!IsRideExportFile(target)) return UsageError(line, "the output must end in .png or .pdf", err);

  // The visits are drawn over a curve: the file's given, else bike 0's defaults.
  ParameterImage curve = NewParameters(0);
  if (const auto file = line.value("curve")) {
    std::optional<ParameterImage> loaded = LoadParameterFile(*file, err);
    if (!loaded) return kExitError;
    OrderingMemory memory;
    StoredChoices choices;
    OrderBreakpoints(*loaded, memory, choices);
    curve = *loaded;
  }

  RideLogRead read = ReadRideLog(input);
  const std::string error = RideLogErrorText(read, input, kEnglish);
  if (!error.empty()) {
    err << "zelmo-cli: " << error << "\n";
    return kExitError;
  }
  if (const std::string notes = RideLogNotes(read, kEnglish); !notes.empty()) err << "zelmo-cli: " << notes << "\n";

  const RideData data(std::move(read.log));
  const RideScene scene{&data, data.whole(), std::nullopt, kEnglish};
  QString why;
  if (!ExportRide(target, scene, curve, &why)) {
    err << "zelmo-cli: " << why.toStdString() << "\n";
    return kExitError;
  }
  return kExitOk;
}

}  // namespace zelmo::cli
