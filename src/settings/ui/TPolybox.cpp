// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QFormLayout>

#include "document/ToolNumbers.h"
#include "edit/PanelCommands.h"
#include "settings/ui/PropertyPanels.h"

namespace quillon {
namespace {

constexpr int32_t kSideCounts[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 20};

// The choices of the "Shape" list for a drawing tool: the tools or styles it switches between.
struct ShapeChoices {
  std::vector<const char*> texts;
  std::vector<int32_t> kinds;  // kinds switched between; empty for spline and curve styles
  std::vector<int32_t> tools;  // the drawing tools of those kinds
};

ShapeChoices ChoicesOf(int32_t drawingTool) {
  switch (drawingTool) {
    case 101:
    case 102:
      return {{"Square", "Rectangle"}, {kKindSquare, kKindRectangle}, {101, 102}};
    case 103:
    case 104:
      return {{"Circle", "Ellipse"}, {kKindCircle, kKindEllipse}, {103, 104}};
    case 107:
    case 108:
      return {{"Arc", "Pie"}, {kKindArc, kKindPie}, {108, 107}};
    case kToolSpline:
    case kToolSolid:
      return {{"Open Spline", "Closed Spline", "Solid Shape"}, {}, {}};
    case kToolCurve:
    case kToolOblong:
      return {{"Open Curve", "Closed Curve", "Oblong Shape"}, {}, {}};
    default:
      return {};
  }
}

bool IsCurveFamily(int32_t drawingTool) {
  return drawingTool == kToolCurve || drawingTool == kToolOblong;
}

std::optional<double> Field(double value) {
  return value;
}

// The guidance of a shape drawing tool: its name, where the first click goes, and the two
// lines that follow.
struct ToolGuidance {
  int32_t tool;
  const char* name;
  const char* lines[3];
};
constexpr char kHoldAndRelease[] =
    "Hold down the mouse button, move the mouse, and release the button.";
constexpr char kThirdPoint[] = "Then, move the mouse and click again to make the third point.";
constexpr ToolGuidance kToolGuidance[] = {
    {100,
     "triangle",
     {"Click where you want to start the triangle, or...", kHoldAndRelease, kThirdPoint}},
    {101,
     "square",
     {"Click where you want to start the square, or...", kHoldAndRelease,
      "You can undo your edits by clicking on the Undo button in the upper menu."}},
    {102,
     "rectangle",
     {"Click where you want to start the rectangle, or...", kHoldAndRelease, kThirdPoint}},
    {103,
     "circle",
     {"Click where you want to place the center of the circle.",
      "Then, move the mouse and click again to set the size of the circle.",
      "Or, hold down the mouse button, move the mouse, and release the button."}},
    {104,
     "ellipse",
     {"Click where you want to place the center of the ellipse.",
      "Then, move the mouse and click again to set the length of the ellipse.",
      "Finally, move the mouse and click again to set the width of the ellipse."}},
    {199,
     "polygon",
     {"Click where you want to place the polygon center.",
      "Then, move the mouse and click again to set the size of the polygon.",
      "Or, hold down the mouse button, move the mouse, and release the button."}},
    {105,
     "star",
     {"Click where you want to place the star center.",
      "Then, move the mouse and click again to set the size of the star.",
      "Finally, move the mouse and click again to set the length of the spikes."}},
    {107,
     "pie",
     {"Click where you want to place the center of the pie.",
      "Then, move the mouse and click again to set the size of the pie.",
      "Finally, move the mouse and click again to set the length of the pie."}},
    {108,
     "arc",
     {"Click where you want to place the center of the arc.",
      "Then, move the mouse and click again at the start of the arc.",
      "Finally, move the mouse and click again at the end of the arc."}},
    {109,
     "spline",
     {"Click where you want to start the spline.",
      "Then, click where you want to place the turning points.",
      "Finally, hold down the Shift key and click where you want to end the spline."}},
    {110,
     "solid",
     {"Click where you want to start the solid.",
      "Then, click where you want to place the edge points.",
      "Finally, hold down the Shift key and click where you want to end the solid."}},
    {111,
     "curve",
     {"Click where you want to start the curve.",
      "Then, click where you want to place the turning points.",
      "Finally, hold down the Shift key and click where you want to end the curve."}},
    {112,
     "oblong",
     {"Click where you want to start the oblong.",
      "Then, click where you want to place the edge points.",
      "Finally, hold down the Shift key and click where you want to end the oblong."}},
};

const ToolGuidance* GuidanceOf(int32_t tool) {
  for (const ToolGuidance& g : kToolGuidance) {
    if (g.tool == tool) return &g;
  }
  return nullptr;
}

}  // namespace

TPolybox::TPolybox(PanelContext& context, int32_t tool, QWidget* parent)
    : PropertyPanel(context, tool, QStringLiteral("Basics"), QStringLiteral("Effects"), parent) {
  setObjectName(QStringLiteral("TPolybox"));
  const int32_t drawing = DrawingToolOf(tool);
  const ShapeChoices choices = ChoicesOf(drawing);
  if (!choices.texts.empty()) {
    shape_ = new QComboBox(this);
    MakeNarrow(shape_);
    shape_->setObjectName(QStringLiteral("Shape"));
    for (const char* text : choices.texts)
      shape_->addItem(QString::fromLatin1(text));
    Page(0)->addRow(QStringLiteral("Shape"), shape_);
    connect(shape_, &QComboBox::activated, this, &TPolybox::ShapeChosen);
  }
  if (drawing == kToolLastShape || drawing == 105) {
    sides_ = new QComboBox(this);
    MakeNarrow(sides_);
    sides_->setObjectName(QStringLiteral("Sides"));
    for (int32_t n : kSideCounts)
      sides_->addItem(QString::number(n));
    Page(0)->addRow(drawing == 105 ? QStringLiteral("Spikes") : QStringLiteral("Sides"), sides_);
    connect(sides_, &QComboBox::activated, this, &TPolybox::SidesChosen);
  }
  AddList(0, QStringLiteral("Color"), LineColourBinding(&TParams::polycolor));
  AddList(0, QStringLiteral("Fill Color"), FillColourBinding(&TParams::polyfill));
  AddList(0, QStringLiteral("Outline Weight"),
          WeightBinding(&TParams::polywidth, &TParams::polytab));
  if (ShowsSelection()) AddTurnButtons(0);
  AddList(1, QStringLiteral("Surface"), SurfaceBinding(&TParams::poplas));
  AddList(1, QStringLiteral("Shadow"), ShadowBinding(&TParams::shpoly));
  if (ShowsSelection()) {
    ShowSelectionGuidance();
  } else if (const ToolGuidance* g = GuidanceOf(drawing)) {
    const QString name = QString::fromLatin1(g->name);
    SetHeading(name.left(1).toUpper() + name.mid(1));
    SetGuidance({QStringLiteral("Select how you want the next %1 drawn.").arg(name),
                 QString::fromLatin1(g->lines[0]), QString::fromLatin1(g->lines[1]),
                 QString::fromLatin1(g->lines[2])});
  }
  ShowValues();
}

void TPolybox::ShowSelectionGuidance() {
  const int32_t selected = Tool();
  if (selected >= 209 && selected <= 212) {
    // Open splines and curves grow at their end; closed ones are reshaped by their points.
    const bool open = shape_ != nullptr && shape_->currentIndex() == 0;
    SetGuidance(
        {QStringLiteral("Change how you want the selected item drawn."),
         open ? QStringLiteral("Press Ctrl-A to add more points at the end of the perimeter.")
              : QStringLiteral("Drag the points on the perimeter to change the shape."),
         QStringLiteral("Or, place the cursor over an edge point and press Ctrl-D to delete "
                        "the point."),
         QStringLiteral("Or, place the cursor on the edge line and press Ctrl-I to insert a "
                        "point.")});
  } else {
    ShowSelectedItemGuidance();
  }
}

void TPolybox::ShowValues() {
  PropertyPanel::ShowValues();
  const int32_t drawing = DrawingToolOf(Tool());
  const ShapeChoices choices = ChoicesOf(drawing);
  const TParams& params = Context().Params();
  if (shape_ != nullptr) {
    int index = -1;
    if (!choices.kinds.empty()) {
      // Squares and rectangles and the like: the tool in use, or the selection's kind.
      for (std::size_t i = 0; i < choices.kinds.size(); ++i) {
        const bool shown = ShowsSelection()
                               ? CommonValue([](const ItemRecord& r) { return Field(r.kind()); }) ==
                                     std::optional<double>(choices.kinds[i])
                               : choices.tools[i] == drawing;
        if (shown) index = static_cast<int>(i);
      }
    } else if (ShowsSelection()) {
      const auto style = CommonValue([](const ItemRecord& r) { return Field(r.shapeStyle()); });
      index = style ? static_cast<int>(*style) : -1;
    } else {
      index = IsCurveFamily(drawing) ? params.bpolyshape : params.polyshape;
    }
    shape_->setCurrentIndex(index);
    if (ShowsSelection()) ShowSelectionGuidance();
  }
  if (sides_ != nullptr) {
    const auto count = ShowsSelection()
                           ? CommonValue([](const ItemRecord& r) { return Field(r.sides()); })
                           : std::optional<double>(params.polysides);
    int index = -1;
    for (std::size_t i = 0; i < std::size(kSideCounts); ++i) {
      if (count && *count == kSideCounts[i]) index = static_cast<int>(i);
    }
    sides_->setCurrentIndex(index);
  }
}

void TPolybox::ListChosen(ValueCombo& combo, int index) {
  PropertyPanel::ListChosen(combo, index);
  if (combo.objectName() != QStringLiteral("Color")) return;
  ListLabelled(QStringLiteral("Fill Color"))->Fill(Context().Params());
  ShowValues();
}

void TPolybox::ShapeChosen(int index) {
  const int32_t drawing = DrawingToolOf(Tool());
  const ShapeChoices choices = ChoicesOf(drawing);
  if (index < 0 || index >= shape_->count()) return;
  TParams& params = Context().Params();
  if (!choices.kinds.empty()) {
    const int32_t kind = choices.kinds[std::size_t(index)];
    if (ShowsSelection()) {
      ApplyToSelection([kind](ItemList& l, EditObserver& o, const GeometryContext& g) {
        ApplyKindSwitch(l, o, kind, g);
      });
    } else {
      Context().RunTool(choices.tools[std::size_t(index)]);
    }
    return;
  }
  if (ShowsSelection()) {
    ApplyToSelection([index](ItemList& l, EditObserver& o, const GeometryContext& g) {
      ApplyShapeStyle(l, o, index, g);
    });
    return;
  }
  // Open and closed are remembered; the solid style has a tool of its own.
  const bool curves = IsCurveFamily(drawing);
  if (index < 2) (curves ? params.bpolystate : params.polystate) = index;
  (curves ? params.bpolyshape : params.polyshape) = index;
  const int32_t next =
      index == 2 ? (curves ? kToolOblong : kToolSolid) : (curves ? kToolCurve : kToolSpline);
  if (next != drawing) {
    Context().RunTool(next);
  } else {
    Context().PanelChanged(Tool());
  }
}

void TPolybox::SidesChosen(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kSideCounts))) return;
  const int32_t count = kSideCounts[index];
  if (ShowsSelection()) {
    ApplyToSelection([count](ItemList& l, EditObserver& o, const GeometryContext& g) {
      ApplySides(l, o, count, g);
    });
  } else {
    Context().Params().polysides = count;
    Context().PanelChanged(Tool());
  }
}

}  // namespace quillon
