// SPDX-License-Identifier: GPL-3.0-or-later
// The numbers that tie the shell, the drawing window and the panels together, named once: tool
// numbers (side panels and tools), the drawing window's modes and the handle codes.
#pragma once

#include <cstdint>

#include "document/ItemRecord.h"

namespace quillon {

// Tool numbers.
inline constexpr int32_t kToolPointer = 20;
inline constexpr int32_t kToolDeselect = 34;
inline constexpr int32_t kToolSeveralKinds = 59;
inline constexpr int32_t kToolLine = 98;
inline constexpr int32_t kToolSelectedLine = 99;
inline constexpr int32_t kToolFirstShape = 100;
inline constexpr int32_t kToolSpline = 109;
inline constexpr int32_t kToolSolid = 110;
inline constexpr int32_t kToolCurve = 111;
inline constexpr int32_t kToolOblong = 112;
inline constexpr int32_t kToolLastShape = 199;
inline constexpr int32_t kToolFirstSelectedShape = 200;
inline constexpr int32_t kToolLastSelectedShape = 296;
inline constexpr int32_t kToolSelectedPolygon = 299;
inline constexpr int32_t kToolText = 300;
inline constexpr int32_t kToolSelectedText = 301;
inline constexpr int32_t kToolInsertPicture = 400;
inline constexpr int32_t kToolSelectedPicture = 401;
inline constexpr int32_t kToolUndoGuidance = 1038;
inline constexpr int32_t kToolFirstGuidance = 1024;
inline constexpr int32_t kToolLastGuidance = 1080;
// The picture clip editor: opening a picture file for a new picture, editing the selected
// picture's clip, and adding a clip of the selected picture's source.
inline constexpr int32_t kToolNewPicture = 51;
inline constexpr int32_t kToolEditClip = 503;
inline constexpr int32_t kToolAddClip = 510;
// The clip editor's clip records: two corners, or a centre and a point on the rim.
inline constexpr int32_t kKindRectangularClip = kKindClipImage;
inline constexpr int32_t kKindRoundClip = kKindRoundClipOutline;
// The clip kind chosen in the clip editor.
inline constexpr int32_t kClipNone = 0;
inline constexpr int32_t kClipRectangular = 1;
inline constexpr int32_t kClipRound = 2;

// Tools the main frame runs: back to the tool shown before a guidance page, the text panel
// while a text is typed and with its angle list chosen, and the guidance pages of entering the
// points of a spline, solid, curve or oblong and of continuing a spline or curve.
inline constexpr int32_t kToolPreviousTool = 43;
inline constexpr int32_t kToolTypedText = 302;
inline constexpr int32_t kToolTextAngles = 303;
inline constexpr int32_t kToolSplineGuidance = 1061;
inline constexpr int32_t kToolSolidGuidance = 1064;
inline constexpr int32_t kToolCurveGuidance = 1070;
inline constexpr int32_t kToolOblongGuidance = 1073;
inline constexpr int32_t kToolContinueSplineGuidance = 1074;
inline constexpr int32_t kToolContinueCurveGuidance = 1075;

// The dialogs the two host windows show, by the code that opens them; the picture clip editor
// opens under its tool numbers (kToolNewPicture, kToolEditClip, kToolAddClip).
inline constexpr int32_t kHostLineWeights = 9;
inline constexpr int32_t kHostLinePatterns = 10;
inline constexpr int32_t kHostLineAngles = 11;
inline constexpr int32_t kHostGridForNewFiles = 26;
inline constexpr int32_t kHostGridForWindow = 27;
inline constexpr int32_t kHostTextAngles = 40;
inline constexpr int32_t kHostFontSizes = 41;
inline constexpr int32_t kHostAbout = 45;
inline constexpr int32_t kHostPageSetup = 54;
inline constexpr int32_t kHostPreview = 57;
inline constexpr int32_t kHostFirstTimeSetup = 60;
inline constexpr int32_t kHostShadows = 63;
inline constexpr int32_t kHostSpeed = 64;
inline constexpr int32_t kHostPrintSelection = 66;
inline constexpr int32_t kHostPreviewSelection = 67;

// The drawing window's modes; the shape tools 100 to 199 are modes of their own number.
inline constexpr int32_t kModePointer = 0;
inline constexpr int32_t kModeLine = 1;
inline constexpr int32_t kModeRubberBand = 8;
inline constexpr int32_t kModeText = 31;
inline constexpr int32_t kModeTextHandle = 33;
inline constexpr int32_t kModeTextEdit = 37;
inline constexpr int32_t kModeShapeHandle = 46;
inline constexpr int32_t kModeCircleHandle = 47;
inline constexpr int32_t kModeEllipseHandle = 48;
inline constexpr int32_t kModePictureHandle = 52;
inline constexpr int32_t kModePaste = 53;
inline constexpr int32_t kModeGroupRotation = 58;
inline constexpr int32_t kModeContinueSpline = 297;
inline constexpr int32_t kModeContinueCurve = 298;
inline constexpr int32_t kModeLineHandle = 1001;

// Handle codes; negative codes are outline points (-1 the first).
inline constexpr int32_t kHandleStart = 1;
inline constexpr int32_t kHandleEnd = 2;
inline constexpr int32_t kHandleMiddle = 3;
inline constexpr int32_t kHandleTurn = 5;
inline constexpr int32_t kHandleMove = 7;
inline constexpr int32_t kHandlePictureTopLeft = 101;
inline constexpr int32_t kHandlePictureBottomLeft = 104;
inline constexpr int32_t kHandlePictureTop = 105;
inline constexpr int32_t kHandlePictureLeft = 108;
inline constexpr int32_t kHandleSideBottom = 205;
inline constexpr int32_t kHandleSideLeft = 208;
inline constexpr int32_t kHandleGroupTurn = 500;

// The drawing window's gestures: the text panel's tools, the guidance pages the gestures
// open and the handles their drags tell apart.
inline constexpr int32_t kToolTriangle = 100;
inline constexpr int32_t kToolSquare = 101;
inline constexpr int32_t kToolRectangle = 102;
inline constexpr int32_t kToolCircle = 103;
inline constexpr int32_t kToolEllipse = 104;
inline constexpr int32_t kToolStar = 105;
inline constexpr int32_t kToolPie = 107;
inline constexpr int32_t kToolArc = 108;
inline constexpr int32_t kToolPolygon = kToolLastShape;
inline constexpr int32_t kToolTextPanel = 302;
inline constexpr int32_t kToolTextAngle = 303;  // the text panel with its angle list chosen
inline constexpr int32_t kGuidanceSelectedLine = 1025;
inline constexpr int32_t kGuidanceNewText = 1035;
inline constexpr int32_t kGuidanceSelectedText = 1036;
inline constexpr int32_t kGuidanceFirstSelectedShape = 1044;
inline constexpr int32_t kGuidanceContinueSpline = 1074;
inline constexpr int32_t kGuidanceContinueCurve = 1075;
inline constexpr int kGuidanceSwitchNewText = 4;
inline constexpr int kGuidanceSwitchContinueSpline = 27;
inline constexpr int kGuidanceSwitchContinueCurve = 36;
inline constexpr int32_t kHandleCircleRimLast = 4;  // a circle's rim handles are 1 to 4
inline constexpr int32_t kHandleEllipseFarStart = 3;
inline constexpr int32_t kHandleEllipseFarEnd = 4;
inline constexpr int32_t kHandlePictureTopRight = 102;
inline constexpr int32_t kHandlePictureBottomRight = 103;
inline constexpr int32_t kHandlePictureRight = 106;
inline constexpr int32_t kHandlePictureBottom = 107;
inline constexpr int32_t kHandleSideRight = 206;
inline constexpr int32_t kHandleSideTop = 207;

constexpr bool IsShapeTool(int32_t mode) {
  return mode >= kToolFirstShape && mode <= kToolLastShape;
}

// The modes of a drawing tool, which stay after each item made.
constexpr bool IsToolMode(int32_t mode) {
  return mode == kModeLine || mode == kModeText || IsShapeTool(mode);
}

// Modes in which clicks define the points of a new or continued item (text aside).
constexpr bool IsCreationMode(int32_t mode) {
  return mode == kModeLine || IsShapeTool(mode) || mode == kModeContinueSpline ||
         mode == kModeContinueCurve;
}

constexpr bool IsGuidanceTool(int32_t tool) {
  return tool >= kToolFirstGuidance && tool <= kToolLastGuidance;
}

// The side panels, each shown for a range of tool numbers.
enum class PanelKind {
  None,
  Toolbox,
  Unibox,
  Linebox,
  Polybox,
  Textbox,
  Pictbox,
  Colorbox,
  Guidance
};

constexpr PanelKind PanelOfTool(int32_t tool) {
  if (tool == kToolPointer) return PanelKind::Toolbox;
  if (tool == kToolSeveralKinds) return PanelKind::Unibox;
  if (tool == kToolLine || tool == kToolSelectedLine) return PanelKind::Linebox;
  if (tool >= kToolFirstShape && tool <= kToolSelectedPolygon) return PanelKind::Polybox;
  if (tool >= kToolText && tool <= kToolTextAngles) return PanelKind::Textbox;
  if (tool == kToolInsertPicture) return PanelKind::Pictbox;
  if (tool == kToolSelectedPicture) return PanelKind::Colorbox;
  if (IsGuidanceTool(tool)) return PanelKind::Guidance;
  return PanelKind::None;
}

// Tools whose panel shows the selection's values and applies changes to it; the others show
// the settings new items get.
constexpr bool IsSelectedStateTool(int32_t tool) {
  return tool == kToolSelectedLine || tool == kToolSelectedText || tool == kToolSelectedPicture ||
         tool == kToolSeveralKinds ||
         (tool >= kToolFirstSelectedShape && tool <= kToolSelectedPolygon);
}

// The drawing tool of the same kind as a selected-state tool (99 -> 98, 2xx -> 1xx, 301 -> 300;
// the selected star 206 is drawn with 105).
constexpr int32_t DrawingToolOf(int32_t tool) {
  if (tool == kToolSelectedLine) return kToolLine;
  if (tool == kToolSelectedText) return kToolText;
  if (tool == 206) return 105;
  if (tool >= kToolFirstSelectedShape && tool <= kToolSelectedPolygon) return tool - 100;
  return tool;
}

// Modes in which the pointer drags handles of the selection.
constexpr bool IsHandleDragMode(int32_t mode) {
  return mode == kModeTextHandle || (mode >= kModeShapeHandle && mode <= 50) ||
         mode == kModePictureHandle || mode == kModeGroupRotation || mode == kModeLineHandle;
}

// The mode a press on a handle of an item of this kind starts.
constexpr int32_t HandleDragMode(int32_t kind, int32_t handle) {
  if (handle == kHandleGroupTurn) return kModeGroupRotation;
  switch (kind) {
    case kKindText:
      return kModeTextHandle;
    case kKindLine:
      return kModeLineHandle;
    case kKindCircle:
      return kModeCircleHandle;
    case kKindEllipse:
      return kModeEllipseHandle;
    case kKindPicture:
      return kModePictureHandle;
    default:
      return kModeShapeHandle;
  }
}

// Whether a handle code of an item of this kind can be grabbed: texts only their ends, middle,
// rotation dot and outline points; other items also the centre, picture and side handles and
// the group rotation dot.
constexpr bool IsGrabbableHandle(int32_t kind, int32_t code) {
  if (code < 0) return true;
  if (code >= kHandleStart && code <= kHandleTurn) return kind != kKindText || code != 4;
  if (kind == kKindText) return false;
  return code == kHandleMove || (code >= kHandlePictureTopLeft && code <= kHandlePictureLeft) ||
         (code >= kHandleSideBottom && code <= kHandleSideLeft) || code == kHandleGroupTurn;
}

}  // namespace quillon
