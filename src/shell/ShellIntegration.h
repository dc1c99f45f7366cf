// SPDX-License-Identifier: GPL-3.0-or-later
// Living on the desktop: registering ".qlln" documents and repairing a failed registration,
// the open request the running program accepts, and whether the first-time setup is done.
#pragma once

#include <QSettings>
#include <QString>
#include <cstdint>

#include "platform/FileTypes.h"

namespace quillon {

// The failure code of the first-time setup's unit write.
inline constexpr int32_t kUnitWriteFailed = 1;

// Writes every entry of the registration, each tried even after an earlier one failed, and
// stores under "ddeins" the code of the last that failed (failedBefore when none did). Returns
// the code stored.
int32_t RegisterFileType(FileTypeRegistrar& registrar, QSettings& store, int32_t failedBefore = 0);
// When "ddeins" records a failure, registers again; every error is swallowed.
void RepairFileType(FileTypeRegistrar& registrar, QSettings& store);

// The file named by an execute macro: its first line must read [open("NAME")]; anything else
// names nothing, nor does a NAME with a double quote inside (the execute string cannot carry
// one).
QString MacroFileName(const QString& macro);
// The execute string that asks the running program to open path.
QString OpenMacro(const QString& path);

// Whether this user completed the first-time setup ("setup" is 1 under "CustomSettings").
bool SetupCompleted(QSettings& store);
// Records the completed setup with the chosen unit; false when the store could not keep them.
bool RecordSetup(QSettings& store, int32_t units);

}  // namespace quillon
