// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ShellIntegration.h"

namespace quillon {
namespace {

const QString kRegistrationValue = QStringLiteral("CustomSettings/ddeins");
const QString kSetupValue = QStringLiteral("CustomSettings/setup");
const QString kUnitsValue = QStringLiteral("CustomSettings/units");

}  // namespace

int32_t RegisterFileType(FileTypeRegistrar& registrar, QSettings& store, int32_t failedBefore) {
  int32_t failed = failedBefore;
  for (FileTypeStep step : kFileTypeSteps) {
    if (!registrar.Write(step)) failed = static_cast<int32_t>(step);
  }
  store.setValue(kRegistrationValue, failed);
  store.sync();
  return failed;
}

void RepairFileType(FileTypeRegistrar& registrar, QSettings& store) {
  bool isNumber = false;
  const int failed = store.value(kRegistrationValue).toInt(&isNumber);
  if (isNumber && failed > 0) RegisterFileType(registrar, store);
}

QString MacroFileName(const QString& macro) {
  const QString line = macro.section(u'\n', 0, 0).section(u'\r', 0, 0).trimmed();
  if (!line.startsWith(QLatin1String("[open(\""), Qt::CaseInsensitive) ||
      !line.endsWith(QLatin1String("\")]"))) {
    return {};
  }
  // Everything up to the first double quote goes, then everything from the next one on. That
  // next quote must be the closing one: a name with a quote inside would be cut short and
  // name another file, so it names nothing.
  const qsizetype open = line.indexOf(u'"');
  const qsizetype close = line.indexOf(u'"', open + 1);
  if (close != line.size() - 3) return {};
  return line.mid(open + 1, close - open - 1);
}

QString OpenMacro(const QString& path) {
  return QStringLiteral("[open(\"%1\")]").arg(path);
}

bool SetupCompleted(QSettings& store) {
  bool isNumber = false;
  return store.value(kSetupValue).toInt(&isNumber) == 1 && isNumber;
}

bool RecordSetup(QSettings& store, int32_t units) {
  store.setValue(kUnitsValue, units);
  store.setValue(kSetupValue, 1);
  store.sync();
  return store.status() == QSettings::NoError;
}

}  // namespace quillon
