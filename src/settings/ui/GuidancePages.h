// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the guidance pages 1024 to 1080: what the user can do at that moment, in a few
// short sentences. Controls are named in square brackets exactly as the window shows them: a
// caption ("[Fill Color]") or a menu path ("[File > Print]").
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace quillon {

inline constexpr int32_t kFirstGuidancePage = 1024;
inline constexpr int32_t kLastGuidancePage = 1080;

// The page's text with its bracketed control names; empty outside 1024..1080.
QString GuidanceMarkup(int32_t page);
// The text as shown: brackets dropped, the controls in bold, HTML-escaped.
QString GuidanceRichText(int32_t page);
// The text as plain words, brackets dropped.
QString GuidancePlainText(int32_t page);
// The controls the page names, in order: captions, and menu paths as "Menu > Entry".
QStringList GuidanceControls(int32_t page);

}  // namespace quillon
