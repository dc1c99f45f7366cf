// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user settings store: QSettings in its native format for the organisation "Quillon",
// which is the registry key "\Software\Quillon" on Windows and Quillon.conf in the user's
// configuration folder elsewhere, with one group per key ("CustomSettings", "CustomWidths",
// ...) and the value names unchanged.
#pragma once

#include <QSettings>
#include <memory>

#include "settings/TParams.h"

namespace quillon {

// The user's store.
std::unique_ptr<QSettings> OpenSettingsStore();

// Sets every default, then reads "CustomSettings", the custom weights, shadows, patterns,
// directions, text angles and font sizes, and the user colours. Missing values keep their
// defaults; values of the wrong type or out of range are ignored.
void LoadSettings(TParams& params, QSettings& store);
void LoadSettings(TParams& params);
// Writes the custom lists and colours, then "CustomSettings", then frees the font list. A write
// that fails is skipped.
void SaveSettings(TParams& params, QSettings& store);
void SaveSettings(TParams& params);

// The colour chooser's sixteen custom colours under "DialogColors" ("colorA" .. "colorP", as
// hexadecimal digits, "FFFFFFFF" for none); a missing, empty or unreadable value is skipped.
void LoadDialogColours(TParams& params, QSettings& store);
// Deletes each of the sixteen values and writes it again when the chooser holds a colour there.
void SaveDialogColours(const TParams& params, QSettings& store);

}  // namespace quillon
