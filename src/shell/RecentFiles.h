// SPDX-License-Identifier: GPL-3.0-or-later
// The recently used files: sixteen positions, the most recent first.
#pragma once

#include <QString>
#include <array>

#include "settings/TParams.h"

namespace quillon {

using RecentFileList = std::array<QString, kRecentFiles>;

inline constexpr char kCannotFindFile[] = "Cannot find the file.";
inline constexpr char kClearRecentQuestion[] = "Clear the list of recently used files?";
// Tags of the Reopen entries: 8051 for the first.
inline constexpr int kFirstReopenTag = 8051;

// Puts path at position 1 with the spelling given. The lowest earlier position that holds the
// same name, compared case-insensitively, is removed first; otherwise the oldest drops out of a
// full list. An empty name changes nothing.
void AddRecentFile(RecentFileList& list, const QString& path);

// The caption of a position's menu entry: the file name without folder (either kind of slash)
// and without extension; empty for an empty position.
QString RecentFileCaption(const QString& path);

}  // namespace quillon
