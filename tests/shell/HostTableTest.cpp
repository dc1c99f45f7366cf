// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/HostTable.h"

#include <gtest/gtest.h>

#include "document/ToolNumbers.h"
#include "settings/TParams.h"

namespace quillon {
namespace {

// The placement slots are kept in the user's settings: a code that moved to another slot would
// open where another dialog was left.
TEST(HostTableTest, EachCodeOpensInOneHostWithItsRememberedSlot) {
  struct Case {
    HostKind kind;
    int code;
    int slot;
  };
  const Case cases[] = {
      {HostKind::X, kHostAbout, 1},          {HostKind::X, kToolNewPicture, 2},
      {HostKind::X, kToolEditClip, 2},       {HostKind::X, kToolAddClip, 2},
      {HostKind::X, kHostPreview, 3},        {HostKind::X, kHostPageSetup, 4},
      {HostKind::Y, kHostLineWeights, 5},    {HostKind::X, kHostLinePatterns, 6},
      {HostKind::X, kHostLineAngles, 7},     {HostKind::X, kHostGridForNewFiles, 8},
      {HostKind::X, kHostGridForWindow, 8},  {HostKind::X, kHostTextAngles, 9},
      {HostKind::X, kHostFontSizes, 9},      {HostKind::X, kHostFirstTimeSetup, 12},
      {HostKind::Y, kHostShadows, 13},       {HostKind::Y, kHostSpeed, 14},
      {HostKind::Y, kHostPrintSelection, 16}, {HostKind::Y, kHostPreviewSelection, 16},
  };
  for (const Case& c : cases) {
    const HostKind other = c.kind == HostKind::X ? HostKind::Y : HostKind::X;
    const HostEntry* entry = FindHost(c.kind, c.code);
    ASSERT_NE(entry, nullptr) << c.code;
    EXPECT_NE(entry->panel, nullptr) << c.code;
    EXPECT_EQ(HostSlotFor(c.kind, c.code), c.slot) << c.code;
    EXPECT_LE(c.slot, kHostSlots) << c.code;
    EXPECT_EQ(FindHost(other, c.code), nullptr) << c.code;
    EXPECT_EQ(HostSlotFor(other, c.code), 0) << c.code;
  }
}

TEST(HostTableTest, CaptionsTakeTheTitleAsTheirEntrySays) {
  struct Case {
    HostKind kind;
    int code;
    const char* title;
    const char* caption;
  };
  const Case cases[] = {
      {HostKind::X, kHostGridForNewFiles, "", "Grid and Snap"},
      {HostKind::X, kHostGridForWindow, "card", "Grid and Snap - card"},
      {HostKind::X, kHostPageSetup, "", "Page Setup - "},
      {HostKind::X, kHostPageSetup, "card", "Page Setup - card"},
      {HostKind::Y, kHostSpeed, "Speed - card", "Speed - card"},
      {HostKind::X, kHostPreview, "card", "card"},
      {HostKind::X, kHostAbout, "card", "About"},
      // A code the host does not show keeps an empty caption and the plain buttons.
      {HostKind::Y, kHostAbout, "card", ""},
  };
  for (const Case& c : cases) {
    const HostLayout layout = HostLayoutFor(c.kind, c.code, QString::fromLatin1(c.title));
    EXPECT_EQ(layout.caption, QString::fromLatin1(c.caption)) << c.code << " " << c.title;
  }
  const HostLayout unknown = HostLayoutFor(HostKind::Y, kHostAbout, QString());
  EXPECT_EQ(unknown.first, QStringLiteral("Save"));
  EXPECT_EQ(unknown.second, QStringLiteral("Cancel"));
}

}  // namespace
}  // namespace quillon
