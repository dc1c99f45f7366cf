// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ui/GuidancePages.h"

#include <QRegularExpression>

namespace quillon {
namespace {

struct GuidancePage {
  int32_t page;
  const char* text;
};

// One row per page, 1024 to 1080 in order. Odd pages from 1043 on follow a finished shape and
// the page after each is its "Move" page; 1061, 1064, 1070 and 1073 show while the points of a
// spline, solid, curve or oblong are being clicked.
constexpr GuidancePage kPages[] = {
    {1024,
     "Your line is drawn, and the line tool stays ready: click on the page to start the next one. "
     "Choose [Draw next line] to change its [Color], [Weight] or [Pattern] first. Choose "
     "[Fine-tune this line] to change this line, or [Move this line] to move it."},
    {1025,
     "Your newest line is selected. Drag its middle point to move it, or drag either end to "
     "change its length and direction. Drag the round dot to turn it. [Edit > Undo] takes back a "
     "move you did not want."},
    {1026,
     "A line's look comes from the [Weight] and [Pattern] lists of the line panel. Choose "
     "[Customize > Line Weights] or [Customize > Line Patterns] to add weights and dash patterns "
     "of your own to those lists."},
    {1027,
     "The [Direction] list holds each new line on a fixed angle, whatever way the mouse moves. "
     "Choose the free entry to draw at any angle again. Add angles of your own with "
     "[Customize > Line Angles]."},
    {1028,
     "The gridlines help you place items at equal distances. Set the distance between them with "
     "[Tools > Grid > Customize...]. Turn on [Tools > Snap] so that clicks land on the "
     "gridlines. [Tools > Grid > None] hides the grid again."},
    {1029,
     "Snap is on: every click and drag lands on the nearest gridline. To place an item freely, "
     "choose [Tools > Snap > None]. The [Snap] button on the toolbar switches it too."},
    {1030,
     "[File > Page Setup] chooses what you design: a sheet of paper, cards, labels or a picture "
     "measured in pixels. Pick a ready-made sheet in [Quick select], or type the sizes of your "
     "own. Your design is drawn once and printed on every card of the sheet."},
    {1031,
     "[File > Print Preview] shows the sheet as it will be printed. Click on a card in the preview "
     "to leave it out, which saves a partly used sheet of labels. [File > Print] sends the sheet "
     "to the printer."},
    {1032,
     "[File > Export] saves your design as a picture. [File > Export > Exact] keeps every pixel "
     "as it is drawn on the page. [File > Export > Smooth] shows a preview first and smooths the "
     "edges for the web or a photo print."},
    {1033,
     "[File > Save] keeps your design in a file that opens again with [File > Open]. The files "
     "you used last are under [File > Reopen]. Use [File > Save As] to keep a copy under another "
     "name."},
    {1034,
     "The [Zoom] menu and the [Zoom in] and [Zoom out] buttons change how large the page shows "
     "on the screen. Zooming changes nothing in the design or the printout. Choose [100%] to see "
     "the page at its real size in pixels."},
    {1035,
     "Type your text now; Enter starts a new line and Backspace removes the last character. "
     "Choose the [Name], [Size] and [Color] of the letters in the text panel while you type. "
     "Click outside the text box when you are done."},
    {1036,
     "Your newest text is selected. Drag its middle point to move it, or drag the round dot to "
     "turn it. Double-click on the text to change its words. Choose [Fine-tune this text] to "
     "change its font and colour."},
    {1037,
     "The [Font] page of the text panel sets the [Name], [Size], [Weight] and [Angle] of the "
     "letters. Add sizes and angles of your own with [Customize > Text Sizes] and "
     "[Customize > Text Angles]. The [Effects] page gives a text a [Shadow]."},
    {1038,
     "The items are cut from the page. Changed your mind? [Edit > Undo] or the "
     "[Undo the last edit] button brings them back. [Edit > Redo] cuts them again."},
    {1039,
     "[Edit > Copy] keeps a copy of the selected items, and [Edit > Paste] places that copy in "
     "the active window, even in another document. Move the pasted items where you want them and "
     "click to put them down."},
    {1040,
     "Hold down the Shift key and click on items to select several at once. Choose "
     "[Edit > Join Items] to make them one group that moves and turns as a whole. The "
     "[Fill Color] and [Outline Weight] you choose now change every selected item."},
    {1041,
     "[Edit > Split Group] separates a selected group into its items again. Each item keeps its "
     "place and look. [Edit > Undo] joins them again."},
    {1042,
     "Anchors are the small blue marks beside the rulers where the gridlines start. Drag an anchor "
     "to move its gridline, or point at it and press Delete to remove the line. Shift-click "
     "beside a ruler to add a gridline, and [Tools > Grid > Reset] makes the distances equal "
     "again."},
    {1043,
     "Your triangle is drawn, and the triangle tool stays ready for the next one. Choose "
     "[Start next triangle] to change its [Color] or [Fill Color] first. Choose [Fine-tune] to "
     "change this triangle, or [Move this triangle] to move it."},
    {1044,
     "Your newest triangle is selected. Drag its centre to move it, or drag a corner to change "
     "its shape. Drag the round dot to turn it."},
    {1045,
     "Your square is drawn, and the square tool stays ready for the next one. Choose "
     "[Start next square] to change its [Color] or [Fill Color] first. Choose [Fine-tune] to "
     "change this square, or [Move this square] to move it."},
    {1046,
     "Your newest square is selected. Drag its centre to move it, or drag a corner to change it. "
     "Drag the round dot to turn it."},
    {1047,
     "Your rectangle is drawn, and the rectangle tool stays ready for the next one. Choose "
     "[Start next rectangle] to change its [Color] or [Fill Color] first. Choose [Fine-tune] to "
     "change this rectangle, or [Move this rectangle] to move it."},
    {1048,
     "Your newest rectangle is selected. Drag its centre to move it, or drag a corner to change "
     "it. Drag the round dot to turn it."},
    {1049,
     "Your circle is drawn, and the circle tool stays ready for the next one. Choose "
     "[Start next circle] to change its [Color] or [Fill Color] first. Choose [Fine-tune] to "
     "change this circle, or [Move this circle] to move it."},
    {1050,
     "Your newest circle is selected. Drag its centre to move it, or drag a point on the rim to "
     "make it larger or smaller."},
    {1051,
     "Your ellipse is drawn, and the ellipse tool stays ready for the next one. Choose "
     "[Start next ellipse] to change its [Color] or [Fill Color] first. Choose [Fine-tune] to "
     "change this ellipse, or [Move this ellipse] to move it."},
    {1052,
     "Your newest ellipse is selected. Drag its centre to move it, or drag the end of an axis to "
     "make it longer or wider. Drag the round dot to turn it."},
    {1053,
     "Your polygon is drawn, and the polygon tool stays ready for the next one. Choose "
     "[Start next polygon] to change its [Sides] or [Color] first. Choose [Fine-tune] to change "
     "this polygon, or [Move this polygon] to move it."},
    {1054,
     "Your newest polygon is selected. Drag its centre to move it, or drag a corner to change its "
     "shape. Drag the round dot to turn it."},
    {1055,
     "Your star is drawn, and the star tool stays ready for the next one. Choose "
     "[Start next star] to change its [Spikes] or [Color] first. Choose [Fine-tune] to change "
     "this star, or [Move this star] to move it."},
    {1056,
     "Your newest star is selected. Drag its centre to move it, or drag one of its points to "
     "change its shape. Drag the round dot to turn it."},
    {1057,
     "Your pie is drawn, and the pie tool stays ready for the next one. Choose [Start next pie] "
     "to change its [Color] or [Fill Color] first. Choose [Fine-tune] to change this pie, or "
     "[Move this pie] to move it."},
    {1058,
     "Your newest pie is selected. Drag its centre to move it, or drag one of its three points to "
     "change its size and opening. Drag the round dot to turn it."},
    {1059,
     "Your spline is drawn, and the spline tool stays ready for the next one. Choose "
     "[Start next spline] to pick an open or closed [Shape] first. Choose [Fine-tune] to change "
     "this spline, or [Move this spline] to move it."},
    {1060,
     "Your newest spline is selected. Drag its centre to move it, or drag a turning point to "
     "bend it. Press Ctrl-I on the line to insert a point and Ctrl-D on a point to delete it."},
    {1061,
     "Click where you want the next turning point of the spline. Backspace takes back the last "
     "point and Esc stops without drawing. Hold down the Shift key for the last click, or press "
     "Enter to end the spline at the last point."},
    {1062,
     "Your solid is drawn, and the solid tool stays ready for the next one. Choose "
     "[Start next solid] to change its [Color] first. Choose [Fine-tune] to change this solid, or "
     "[Move this solid] to move it."},
    {1063,
     "Your newest solid is selected. Drag its centre to move it, or drag an edge point to change "
     "its shape. Press Ctrl-I on the edge to insert a point and Ctrl-D on a point to delete it."},
    {1064,
     "Click where you want the next edge point of the solid. Backspace takes back the last point "
     "and Esc stops without drawing. Hold down the Shift key for the last click, or press Enter "
     "to close the solid at the last point."},
    {1065,
     "Your arc is drawn, and the arc tool stays ready for the next one. Choose [Start next arc] "
     "to change its [Color] or [Outline Weight] first. Choose [Fine-tune] to change this arc, or "
     "[Move this arc] to move it."},
    {1066,
     "Your newest arc is selected. Drag its centre to move it, or drag one of its three points to "
     "change its size and length. Drag the round dot to turn it."},
    {1067,
     "The [Mirror] and [Flip] buttons of a panel mirror the selected item left to right or top "
     "to bottom. The [Rotate] buttons turn it by a quarter turn. Each press is one step that "
     "[Edit > Undo] takes back."},
    {1068,
     "Your curve is drawn, and the curve tool stays ready for the next one. Choose "
     "[Start next curve] to pick an open or closed [Shape] first. Choose [Fine-tune] to change "
     "this curve, or [Move this curve] to move it."},
    {1069,
     "Your newest curve is selected. Drag its centre to move it, or drag a turning point to bend "
     "it. Press Ctrl-I on the line to insert a point and Ctrl-D on a point to delete it."},
    {1070,
     "Click where you want the next turning point of the curve. Backspace takes back the last "
     "point and Esc stops without drawing. Hold down the Shift key for the last click, or press "
     "Enter to end the curve at the last point."},
    {1071,
     "Your oblong is drawn, and the oblong tool stays ready for the next one. Choose "
     "[Start next oblong] to change its [Color] first. Choose [Fine-tune] to change this oblong, "
     "or [Move this oblong] to move it."},
    {1072,
     "Your newest oblong is selected. Drag its centre to move it, or drag an edge point to change "
     "its shape. Press Ctrl-I on the edge to insert a point and Ctrl-D on a point to delete it."},
    {1073,
     "Click where you want the next edge point of the oblong. Backspace takes back the last point "
     "and Esc stops without drawing. Hold down the Shift key for the last click, or press Enter "
     "to close the oblong at the last point."},
    {1074,
     "The selected spline goes on from its last point: click where you want each new turning "
     "point. Press Enter to finish, or Backspace to take back the last point."},
    {1075,
     "The selected curve goes on from its last point: click where you want each new turning "
     "point. Press Enter to finish, or Backspace to take back the last point."},
    {1076,
     "Your clip is outlined on the picture. Outline more clips the same way, one click at each "
     "end. Click on [Insert] to place the clips in your design."},
    {1077,
     "Your picture is in the design. Choose [Insert new picture] to add another one, or "
     "[Fine-tune] to change its colours and frame. Choose [Move this clip] to move it on the "
     "page."},
    {1078,
     "Your newest picture is selected. Drag its centre to move it, or drag a corner or a side to "
     "change its size. Drag the round dot to turn it."},
    {1079,
     "The [Colors] page of the picture panel changes the selected picture only in your design, "
     "never the picture file. Move [Saturation], [Contrast] or [Lightness] to adjust it. Choose "
     "[Edit this clip] to change which part of the picture shows."},
    {1080,
     "The [Effects] page of the picture panel gives the selected picture a [Frame] of the "
     "[Frame Color] you choose. [Frame 3-D] makes the frame look raised, and [Shadow] puts a "
     "soft shadow behind the picture."},
};

static_assert(std::size(kPages) == kLastGuidancePage - kFirstGuidancePage + 1);

constexpr bool InPageOrder() {
  for (std::size_t i = 0; i < std::size(kPages); ++i) {
    if (kPages[i].page != kFirstGuidancePage + static_cast<int32_t>(i)) return false;
  }
  return true;
}
static_assert(InPageOrder(), "one row per guidance page, in order");

const QRegularExpression& ControlPattern() {
  static const QRegularExpression pattern(QStringLiteral("\\[([^\\[\\]]+)\\]"));
  return pattern;
}

}  // namespace

QString GuidanceMarkup(int32_t page) {
  if (page < kFirstGuidancePage || page > kLastGuidancePage) return {};
  return QString::fromUtf8(kPages[page - kFirstGuidancePage].text);
}

QString GuidanceRichText(int32_t page) {
  const QString markup = GuidanceMarkup(page);
  QString html;
  qsizetype at = 0;
  for (auto it = ControlPattern().globalMatch(markup); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    html += markup.mid(at, match.capturedStart() - at).toHtmlEscaped();
    html += QStringLiteral("<b>") + match.captured(1).toHtmlEscaped() + QStringLiteral("</b>");
    at = match.capturedEnd();
  }
  return html + markup.mid(at).toHtmlEscaped();
}

QString GuidancePlainText(int32_t page) {
  QString text = GuidanceMarkup(page);
  return text.replace(ControlPattern(), QStringLiteral("\\1"));
}

QStringList GuidanceControls(int32_t page) {
  QStringList controls;
  for (auto it = ControlPattern().globalMatch(GuidanceMarkup(page)); it.hasNext();)
    controls.append(it.next().captured(1));
  return controls;
}

}  // namespace quillon
