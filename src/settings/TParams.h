// SPDX-License-Identifier: GPL-3.0-or-later
// The settings object: tool settings for new items, new-document defaults, the page
// descriptions of new files, the customized lists, recent files, folders, screen metrics, zoom
// and the font list. Field names follow the store's value names.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "document/ScreenMetrics.h"
#include "page/ApplyPageset.h"
#include "page/Pageset.h"
#include "settings/CustomSlots.h"

namespace quillon {

inline constexpr int kHintSwitches = 42;
inline constexpr int kRecentFiles = 16;
inline constexpr int kDialogColours = 16;
inline constexpr uint32_t kNoDialogColour = 0xFFFFFFFF;

// Grid distances and design area of one unit, as typed and as numbers.
struct UnitDefaults {
  QString gridXText;
  QString gridYText;
  double gridX = 0;
  double gridY = 0;
  std::array<QString, 4> canvasText;  // left, top, width, height
  std::array<double, 4> canvas{};
  friend bool operator==(const UnitDefaults&, const UnitDefaults&) = default;
};

// The defaults of new documents.
struct defaults_t {
  int32_t units = 3;
  double pixelsPerUnitX = 96;
  double pixelsPerUnitY = 96;
  int32_t angles = 1;
  // The six grid switches, 0 or 1.
  uint8_t gridHorizontal = 0;
  uint8_t anchorsHorizontal = 1;
  uint8_t snapHorizontal = 0;
  uint8_t gridVertical = 0;
  uint8_t anchorsVertical = 1;
  uint8_t snapVertical = 0;
  std::array<UnitDefaults, 3> perUnit;  // index units - 1
  friend bool operator==(const defaults_t&, const defaults_t&) = default;
};

// An installed scalable font family for the text panel.
struct FontEntry {
  QString name;            // trimmed, at most 32 characters
  uint32_t signature = 0;  // code-page bits of the character sets the family supports
  int32_t charset = 0;     // the family's own character set
  friend bool operator==(const FontEntry&, const FontEntry&) = default;
};

// Where a host window was last shown: its frame's left, top, width and height, whether it was
// maximised, and whether the slot has been placed at all.
struct HostPlacement {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t maximised = 0;  // 1 = yes
  uint8_t placed = 0;
  friend bool operator==(const HostPlacement&, const HostPlacement&) = default;
};
inline constexpr int kHostSlots = 16;

struct TParams {
  // Every default, for a screen of this resolution.
  explicit TParams(ScreenMetrics screen = {});

  ScreenMetrics screen;
  double zoom = 1.0;
  defaults_t defaults;

  // Lines.
  int32_t lineColor = 0;
  double lineWidth = 0;  // mm
  int32_t lineWidthTab = 0;
  int32_t linePattern = 0;
  int32_t linePatternTab = 0;
  int32_t lineFill = -2;
  double lineDirection = -1;  // degrees; negative = free
  int32_t lineDirectionTab = 0;
  double lineOutline = 0;  // mm
  int32_t lineOutlineTab = 0;
  // Texts.
  int32_t tcolor = 0;
  QString tfont = QStringLiteral("Arial");
  int32_t tcharset = 0;
  int32_t tsize = 12;
  int32_t tsizetab = 4;
  int32_t tbold = 400;
  int32_t toptions = 1 << 24;  // bytes from low: italic, underline, strikeout, justification
  int32_t tangle = -10;        // tenths of a degree
  int32_t tangletab = 0;
  int32_t tdir = -1;  // preset text angle in degrees; -1 = free
  // Shapes.
  int32_t polycolor = 0;
  double polywidth = 0;  // mm
  int32_t polytab = 0;
  int32_t polyfill = -1;
  int32_t polysides = 5;
  int32_t polyshape = 0;
  int32_t polystate = 0;
  int32_t bpolyshape = 0;
  int32_t bpolystate = 0;
  // Pictures.
  int32_t clframe = 0;
  int32_t clshadw = 0;
  int32_t frcolor = 0;
  double frwidth = 0;  // mm
  // Shadows (byte 0 size, byte 1 softness, byte 2 lightness), light and surfaces.
  int32_t shpict = 0;
  int32_t shtext = 0;
  int32_t shpoly = 0;
  int32_t lgtdir = 0;
  int32_t frplas = 0;
  int32_t liplas = 0;
  int32_t txplas = 0;
  int32_t poplas = 0;

  // Files and dialogs.
  std::array<QString, kRecentFiles> reopen;  // most recent first
  QString docdir = QStringLiteral("\\My Documents");
  QString picidr = QStringLiteral("\\My Documents\\My Pictures");
  QString expdir = QStringLiteral("\\My Documents\\My Pictures");
  int32_t picndx = 1;
  int32_t expndx = 1;
  std::array<bool, kHintSwitches> hints;

  // Page setup of new files.
  int32_t pspage = -1;  // page kind of new documents; -1 = none chosen yet
  pagesetArr_t pagesets;

  // Customized lists.
  ThicknessSlots customWeights;
  ShadowSlots customShadows;
  PatternSlots customPatterns;
  DirectionSlots customDirections;
  DirectionSlots customAngles;
  DirectionSlots customSizes;
  UserColours userColours;
  // The colour chooser's custom colours, kNoDialogColour when empty.
  std::array<uint32_t, kDialogColours> dialogColours;

  // The host windows' placement slots, numbered from 1.
  std::array<HostPlacement, kHostSlots> hostSlots{};

  std::vector<FontEntry> fonts;
  bool saveHistory = false;  // documents never keep their undo history
  bool endWithoutAsking = false;
  // Items are drawn while they are dragged (the speed dialog; not stored).
  bool liveDrag = true;
  // Seconds from a change to the document's recovery copy; 0 writes none.
  int32_t recoveryInterval = 60;
  int32_t untitledCounter = 0;

  // The new-file grid distances of each unit, as numbers.
  UnitGridDistances NewFileGrids() const;
  // Sets the unit of new documents with its pixels per unit, and of every page kind but 9.
  void SetNewDocumentUnits(int32_t units);
};

}  // namespace quillon
