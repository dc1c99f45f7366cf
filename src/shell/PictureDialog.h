// SPDX-License-Identifier: GPL-3.0-or-later
// The open dialog of Insert Picture: what it offers, and what the chosen file leaves in the
// settings (the last picture folder and the filter entry of its extension).
#pragma once

#include <QString>

#include "platform/FileDialogs.h"
#include "settings/TParams.h"

namespace quillon {

inline constexpr char kInsertPictureFilter[] =
    "JPEG Image Files (*.jpg,*.jpeg)|*.jpg;*.jpeg|GIF Image Files (*.gif)|*.gif|Bitmaps "
    "(*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles "
    "(*.wmf)|*.wmf|Quillon Files (*.qlln)|*.qlln";

// The dialog for the next picture: the remembered folder and filter entry, and the file
// inserted last.
FileDialogRequest InsertPictureRequest(const TParams& params, const QString& lastInserted);

// Remembers the folder of the chosen path and, when its extension has a filter entry of its
// own, that entry. Returns the path's extension in lower case without dots.
QString RememberPictureChoice(TParams& params, const QString& path);

}  // namespace quillon
