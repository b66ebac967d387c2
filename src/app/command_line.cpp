#include "app/command_line.h"

namespace zelmo {

CommandLine SplitCommandLine(const QStringList& arguments) {
  CommandLine line;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& word = arguments[i];
    if (word.startsWith(QStringLiteral("--"))) {
      line.options.insert(word, i + 1 < arguments.size() ? arguments[i + 1] : QString());
      ++i;
    } else {
      line.arguments.append(word);
    }
  }
  return line;
}

}  // namespace zelmo
