// SPDX-License-Identifier: GPL-3.0-or-later
// EMF files written with libUEMF's record writers, played and checked by pixel probes.
#include <uemf.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "render/decoders/DecodePicture.h"
#include "render/decoders/DecoderFixtures.h"
#include "render/decoders/MetafileFixtures.h"
#include "render/decoders/ProbeHelpers.h"

namespace quillon {
namespace {

using fixtures::EmfBuilder;

constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000,
                   kBlack = 0, kYellow = 0x00FFFF;
const U_RECTL kNoBounds = {0, 0, 0, 0};

struct Probe {
  int x, y;
  uint32_t colour;
};

void ExpectProbes(const Bitmap& b, std::initializer_list<Probe> probes) {
  for (const Probe& p : probes)
    ExpectNear(b, p.x, p.y, p.colour);
}

U_POINTL P(int x, int y) {
  return point32_set(x, y);
}

U_RECTL R(int left, int top, int right, int bottom) {
  return rectl_set(P(left, top), P(right, bottom));
}

U_COLORREF C(uint32_t colour) {
  return colorref3_set(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

std::vector<U_POINT16> P16(std::initializer_list<std::pair<int, int>> points) {
  std::vector<U_POINT16> out;
  for (auto [x, y] : points)
    out.push_back(point16_set(static_cast<int16_t>(x), static_cast<int16_t>(y)));
  return out;
}

// A 200 x 200 picture with a red brush (object 1) and a blue one-pixel pen (object 2) selected.
EmfBuilder Canvas() {
  EmfBuilder emf(200, 200);
  emf.Add(U_EMRCREATEBRUSHINDIRECT_set(1, logbrush_set(U_BS_SOLID, C(kRed), 0)));
  emf.Add(U_EMRSELECTOBJECT_set(1));
  emf.Add(U_EMRCREATEPEN_set(2, logpen_set(U_PS_SOLID, P(1, 0), C(kBlue))));
  emf.Add(U_EMRSELECTOBJECT_set(2));
  return emf;
}

Bitmap Play(EmfBuilder& emf) {
  DecodedPicture picture = DecodePicture(emf.Finish(), kPictureMetafile);
  EXPECT_TRUE(picture.ok()) << picture.error;
  return std::move(picture.bitmap);
}

// True when some pixel of the square of radius r around (x, y) has the colour.
bool Near(const Bitmap& b, int x, int y, uint32_t colour, int r = 2) {
  return CountColour(b, x - r, y - r, 2 * r + 1, 2 * r + 1, colour) > 0;
}

TEST(EmfPlayer, TakesTheFrameAsItsSize) {
  EmfBuilder emf(123, 45);
  const DecodedPicture picture = DecodeMetafile(emf.Finish());
  ASSERT_TRUE(picture.ok()) << picture.error;
  EXPECT_EQ(picture.bitmap.width(), 123);
  EXPECT_EQ(picture.bitmap.height(), 45);
  ExpectNear(picture.bitmap, 60, 20, kWhite);
}

// The fuzz seeds, which touch most records, play to their full size with pixels drawn.
TEST(EmfPlayer, TheSampleMetafilesPlay) {
  for (const auto& file : {fixtures::SampleEmf(), fixtures::SampleWmf()}) {
    const DecodedPicture picture = DecodeMetafile(file);
    ASSERT_TRUE(picture.ok()) << picture.error;
    EXPECT_EQ(picture.bitmap.width(), 120);
    EXPECT_EQ(picture.bitmap.height(), 100);
    EXPECT_LT(CountColour(picture.bitmap, 0, 0, 120, 100, kWhite), 12000 - 1000);
  }
}

TEST(EmfPlayer, ClosedFiguresFillWithTheBrushAndFrameWithThePen) {
  EmfBuilder emf = Canvas();
  emf.Add(U_EMRRECTANGLE_set(R(10, 10, 40, 30)));
  emf.Add(U_EMRELLIPSE_set(R(50, 10, 90, 50)));
  emf.Add(U_EMRROUNDRECT_set(R(100, 10, 140, 50), sizel_set(20, 20)));
  auto triangle = P16({{10, 60}, {50, 60}, {10, 100}});
  emf.Add(U_EMRPOLYGON16_set(kNoBounds, 3, triangle.data()));
  // Nested squares: a hole with the alternate rule, filled with the winding rule.
  uint32_t counts[] = {4, 4};
  auto nested =
      P16({{60, 60}, {100, 60}, {100, 100}, {60, 100}, {70, 70}, {90, 70}, {90, 90}, {70, 90}});
  emf.Add(U_EMRPOLYPOLYGON16_set(kNoBounds, 2, counts, 8, nested.data()));
  emf.Add(U_EMRSETPOLYFILLMODE_set(U_WINDING));
  auto shifted = nested;
  for (U_POINT16& p : shifted)
    p.x += 50;
  emf.Add(U_EMRPOLYPOLYGON16_set(kNoBounds, 2, counts, 8, shifted.data()));
  emf.Add(U_EMRSELECTOBJECT_set(U_NULL_BRUSH));
  emf.Add(U_EMRELLIPSE_set(R(160, 10, 190, 40)));
  const Bitmap b = Play(emf);
  ExpectProbes(b, {{20, 20, kRed},
                   {10, 20, kBlue},
                   {39, 20, kBlue},
                   {40, 20, kWhite},
                   {20, 29, kBlue},
                   {20, 30, kWhite},
                   {70, 30, kRed},
                   {51, 11, kWhite},
                   {120, 30, kRed},
                   {100, 30, kBlue},
                   {101, 11, kWhite},
                   {15, 65, kRed},
                   {45, 95, kWhite},
                   {63, 63, kRed},
                   {80, 80, kWhite},
                   {130, 80, kRed},
                   {175, 25, kWhite}});
  EXPECT_GT(CountColour(b, 160, 10, 31, 31, kBlue), 40) << "the null brush still frames";
}

TEST(EmfPlayer, HatchedBrushesShowTheBackgroundOnlyWhenOpaque) {
  EmfBuilder emf = Canvas();
  emf.Add(U_EMRCREATEBRUSHINDIRECT_set(3, logbrush_set(U_BS_HATCHED, C(kGreen), U_HS_HORIZONTAL)));
  emf.Add(U_EMRSELECTOBJECT_set(3));
  emf.Add(U_EMRSELECTOBJECT_set(U_NULL_PEN));
  emf.Add(U_EMRSETBKMODE_set(U_TRANSPARENT));
  emf.Add(U_EMRRECTANGLE_set(R(10, 10, 50, 50)));
  emf.Add(U_EMRSETBKMODE_set(U_OPAQUE));
  emf.Add(U_EMRSETBKCOLOR_set(C(kYellow)));
  emf.Add(U_EMRRECTANGLE_set(R(60, 10, 100, 50)));
  const Bitmap b = Play(emf);
  EXPECT_EQ(CountColour(b, 30, 12, 1, 32, kGreen), 4);
  EXPECT_EQ(CountColour(b, 30, 12, 1, 32, kWhite), 28);
  EXPECT_EQ(CountColour(b, 80, 12, 1, 32, kGreen), 4);
  EXPECT_EQ(CountColour(b, 80, 12, 1, 32, kYellow), 28);
}

TEST(EmfPlayer, LinesCurvesAndArcsFollowThePenAndTheCurrentPosition) {
  EmfBuilder emf = Canvas();
  auto line = P16({{10, 10}, {60, 10}});
  emf.Add(U_EMRPOLYLINE16_set(kNoBounds, 2, line.data()));
  emf.Add(U_EMRMOVETOEX_set(P(10, 20)));
  emf.Add(U_EMRLINETO_set(P(60, 20)));
  auto down = P16({{60, 35}});
  emf.Add(U_EMRPOLYLINETO16_set(kNoBounds, 1, down.data()));
  auto curve = P16({{10, 80}, {10, 40}, {50, 40}, {50, 80}});
  emf.Add(U_EMRPOLYBEZIER16_set(kNoBounds, 4, curve.data()));
  emf.Add(U_EMRMOVETOEX_set(P(60, 80)));
  auto curveTo = P16({{60, 40}, {100, 40}, {100, 80}});
  emf.Add(U_EMRPOLYBEZIERTO16_set(kNoBounds, 3, curveTo.data()));
  uint32_t counts[] = {2, 2};
  auto pair = P16({{110, 10}, {150, 10}, {110, 20}, {150, 20}});
  emf.Add(U_EMRPOLYPOLYLINE16_set(kNoBounds, 2, counts, 4, pair.data()));
  emf.Add(U_EMRARC_set(R(100, 30, 160, 90), P(160, 60), P(130, 30)));
  emf.Add(U_EMRPIE_set(R(100, 100, 160, 160), P(160, 130), P(130, 100)));
  emf.Add(U_EMRSETARCDIRECTION_set(U_AD_CLOCKWISE));
  emf.Add(U_EMRCHORD_set(R(20, 130, 80, 190), P(20, 160), P(80, 160)));
  PU_EXTLOGPEN wide =
      extlogpen_set(U_PS_GEOMETRIC | U_PS_ENDCAP_FLAT, 6, U_BS_SOLID, C(kBlack), 0, 0, nullptr);
  emf.Add(U_EMREXTCREATEPEN_set(4, nullptr, 0, nullptr, wide));
  std::free(wide);
  emf.Add(U_EMRSELECTOBJECT_set(4));
  auto thick = P16({{10, 100}, {90, 100}});
  emf.Add(U_EMRPOLYLINE16_set(kNoBounds, 2, thick.data()));
  emf.Add(U_EMRCREATEPEN_set(5, logpen_set(U_PS_DASH, P(1, 0), C(kBlue))));
  emf.Add(U_EMRSELECTOBJECT_set(5));
  emf.Add(U_EMRDELETEOBJECT_set(4));
  auto dashed = P16({{10, 120}, {90, 120}});
  emf.Add(U_EMRPOLYLINE16_set(kNoBounds, 2, dashed.data()));
  const Bitmap b = Play(emf);
  // One-pixel lines leave out their last pixel, as GDI does.
  ExpectProbes(b, {{30, 10, kBlue},
                   {59, 10, kBlue},
                   {60, 10, kWhite},
                   {30, 20, kBlue},
                   {60, 27, kBlue},
                   {60, 35, kWhite},
                   {130, 10, kBlue},
                   {130, 20, kBlue},
                   {50, 97, kBlack},
                   {50, 102, kBlack},
                   {50, 95, kWhite},
                   {50, 104, kWhite},
                   {145, 115, kRed},
                   {115, 145, kWhite},
                   {50, 140, kRed},
                   {50, 175, kWhite}});
  EXPECT_TRUE(Near(b, 30, 50, kBlue)) << "the Bezier passes its midpoint";
  EXPECT_TRUE(Near(b, 80, 50, kBlue)) << "the Bezier from the current position";
  EXPECT_TRUE(Near(b, 151, 39, kBlue)) << "the arc's first quarter";
  EXPECT_FALSE(Near(b, 109, 81, kBlue)) << "the arc stops after a quarter";
  EXPECT_EQ(CountColour(b, 10, 120, 24, 1, kBlue), 18) << "dashes of 18 and gaps of 6";
}

TEST(EmfPlayer, PathsClippingAndSavedStates) {
  EmfBuilder emf = Canvas();
  emf.Add(U_EMRBEGINPATH_set());
  emf.Add(U_EMRMOVETOEX_set(P(10, 10)));
  emf.Add(U_EMRLINETO_set(P(50, 10)));
  emf.Add(U_EMRLINETO_set(P(10, 50)));
  emf.Add(U_EMRCLOSEFIGURE_set());
  emf.Add(U_EMRENDPATH_set());
  emf.Add(U_EMRFILLPATH_set(kNoBounds));
  emf.Add(U_EMRBEGINPATH_set());
  emf.Add(U_EMRRECTANGLE_set(R(60, 10, 100, 50)));
  emf.Add(U_EMRENDPATH_set());
  emf.Add(U_EMRSTROKEPATH_set(kNoBounds));
  emf.Add(U_EMRBEGINPATH_set());
  emf.Add(U_EMRELLIPSE_set(R(110, 10, 150, 50)));
  emf.Add(U_EMRENDPATH_set());
  emf.Add(U_EMRSTROKEANDFILLPATH_set(kNoBounds));
  emf.Add(U_EMRBEGINPATH_set());
  emf.Add(U_EMRRECTANGLE_set(R(160, 10, 190, 50)));
  emf.Add(U_EMRABORTPATH_set());
  emf.Add(U_EMRFILLPATH_set(kNoBounds));
  // A saved state brings back the clip, the brush and the mapping.
  emf.Add(U_EMRSAVEDC_set());
  emf.Add(U_EMRINTERSECTCLIPRECT_set(R(10, 60, 50, 100)));
  emf.Add(U_EMRCREATEBRUSHINDIRECT_set(3, logbrush_set(U_BS_SOLID, C(kGreen), 0)));
  emf.Add(U_EMRSELECTOBJECT_set(3));
  emf.Add(U_EMRSETWINDOWORGEX_set(P(-5, 0)));
  emf.Add(U_EMRRECTANGLE_set(R(0, 60, 190, 110)));
  emf.Add(U_EMRRESTOREDC_set(-1));
  emf.Add(U_EMREXCLUDECLIPRECT_set(R(70, 120, 90, 140)));
  emf.Add(U_EMRRECTANGLE_set(R(60, 110, 100, 150)));
  const U_RECTL only = R(110, 110, 130, 130);
  PU_RGNDATA region = rgndata_set(rgndataheader_set(1, only), const_cast<PU_RECTL>(&only));
  emf.Add(U_EMREXTSELECTCLIPRGN_set(U_RGN_COPY, region));
  std::free(region);
  emf.Add(U_EMRRECTANGLE_set(R(100, 100, 150, 150)));
  const Bitmap b = Play(emf);
  ExpectProbes(b, {{15, 15, kRed},
                   {30, 10, kRed},
                   {80, 30, kWhite},
                   {60, 30, kBlue},
                   {130, 30, kRed},
                   {175, 30, kWhite},
                   {30, 80, kGreen},
                   {8, 80, kWhite},
                   {60, 80, kWhite},
                   {80, 130, kWhite},
                   {65, 115, kRed},
                   {120, 120, kRed},
                   {105, 105, kWhite},
                   {140, 140, kWhite}});
}

// Draws a red rectangle from logical (left, top) to (right, bottom) after the mapping records.
Bitmap MappedRectangle(std::function<void(EmfBuilder&)> mapping, U_RECTL rect) {
  EmfBuilder emf = Canvas();
  emf.Add(U_EMRSELECTOBJECT_set(U_NULL_PEN));
  mapping(emf);
  emf.Add(U_EMRRECTANGLE_set(rect));
  return Play(emf);
}

TEST(EmfPlayer, MappingModesWindowsAndViewportsPlaceLogicalUnits) {
  struct Case {
    const char* name;
    std::function<void(EmfBuilder&)> mapping;
    U_RECTL rect;
    QRect expected;
  };
  const Case cases[] = {
      {"text with a window origin",
       [](EmfBuilder& e) { e.Add(U_EMRSETWINDOWORGEX_set(P(-50, -40))); }, R(0, 0, 20, 30),
       QRect(50, 40, 20, 30)},
      {"anisotropic",
       [](EmfBuilder& e) {
         e.Add(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC));
         e.Add(U_EMRSETWINDOWORGEX_set(P(1000, 1000)));
         e.Add(U_EMRSETWINDOWEXTEX_set(sizel_set(2000, 1000)));
         e.Add(U_EMRSETVIEWPORTEXTEX_set(sizel_set(200, 200)));
       },
       R(1100, 1050, 1300, 1150), QRect(10, 10, 20, 20)},
      {"isotropic takes the smaller scale",
       [](EmfBuilder& e) {
         e.Add(U_EMRSETMAPMODE_set(U_MM_ISOTROPIC));
         e.Add(U_EMRSETWINDOWEXTEX_set(sizel_set(100, 100)));
         e.Add(U_EMRSETVIEWPORTEXTEX_set(sizel_set(200, 100)));
         e.Add(U_EMRSETVIEWPORTORGEX_set(P(20, 30)));
       },
       R(10, 10, 30, 50), QRect(30, 40, 20, 40)},
      {"scaled extents",
       [](EmfBuilder& e) {
         e.Add(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC));
         e.Add(U_EMRSETWINDOWEXTEX_set(sizel_set(100, 100)));
         e.Add(U_EMRSETVIEWPORTEXTEX_set(sizel_set(100, 100)));
         e.Add(U_EMRSCALEVIEWPORTEXTEX_set(3, 1, 2, 1));
         e.Add(U_EMRSCALEWINDOWEXTEX_set(1, 1, 2, 1));
       },
       R(10, 10, 20, 20), QRect(30, 10, 30, 10)},
      {"tenths of a millimetre, y up",
       [](EmfBuilder& e) {
         e.Add(U_EMRSETMAPMODE_set(U_MM_LOMETRIC));
         e.Add(U_EMRSETVIEWPORTORGEX_set(P(0, 100)));
       },
       R(25, -25, 75, -100), QRect(10, 110, 20, 30)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bitmap b = MappedRectangle(c.mapping, c.rect);
    const QRect& e = c.expected;
    EXPECT_EQ(CountColour(b, 0, 0, 200, 200, kRed), e.width() * e.height());
    ExpectNear(b, e.left(), e.top(), kRed);
    ExpectNear(b, e.right(), e.bottom(), kRed);
  }
}

// Writes text with ExtTextOutW at (x, y) with 15 units per character unless dx says otherwise.
void AddText(EmfBuilder& emf, int x, int y, std::u16string text, std::vector<uint32_t> dx = {},
             uint32_t options = U_ETO_NONE, U_RECTL rect = kNoBounds) {
  if (dx.empty()) dx.assign(text.size() + 1, 15);
  char* block = emrtext_set(P(x, y), static_cast<uint32_t>(text.size()), 2, text.data(), options,
                            rect, dx.data());
  emf.Add(
      U_EMREXTTEXTOUTW_set(kNoBounds, U_GM_COMPATIBLE, 1, 1, reinterpret_cast<PU_EMRTEXT>(block)));
  std::free(block);
}

void AddFont(EmfBuilder& emf, uint32_t index, int height, int escapement) {
  uint16_t face[U_LF_FACESIZE] = {'A', 'r', 'i', 'a', 'l', 0};
  U_LOGFONT font =
      logfont_set(height, 0, escapement, escapement, 700, 0, 0, 0, 0, 0, 0, 0, 0, face);
  emf.Add(U_EMREXTCREATEFONTINDIRECTW_set(index, reinterpret_cast<const char*>(&font), nullptr));
  emf.Add(U_EMRSELECTOBJECT_set(index));
}

// The bounding box of the pixels of a colour.
QRect Extent(const Bitmap& b, uint32_t colour, QRect within) {
  QRect box;
  for (int y = within.top(); y <= within.bottom(); ++y)
    for (int x = within.left(); x <= within.right(); ++x)
      if (b.Pixel(x, y) == colour) box |= QRect(x, y, 1, 1);
  return box;
}

TEST(EmfPlayer, TextFollowsFontColourAlignmentSpacingAndEscapement) {
  EmfBuilder emf = Canvas();
  emf.Add(U_EMRSETBKMODE_set(U_TRANSPARENT));
  emf.Add(U_EMRSETTEXTCOLOR_set(C(kBlack)));
  AddFont(emf, 3, -20, 0);
  AddText(emf, 20, 20, u"HHH");
  emf.Add(U_EMRSETTEXTALIGN_set(U_TA_RIGHT | U_TA_BASELINE));
  AddText(emf, 190, 60, u"HHH");
  emf.Add(U_EMRSETTEXTALIGN_set(U_TA_LEFT | U_TA_TOP));
  AddText(emf, 20, 80, u"II", {60, 60});
  emf.Add(U_EMRSETBKCOLOR_set(C(kYellow)));
  AddText(emf, 20, 150, u"", {}, U_ETO_OPAQUE, R(20, 150, 60, 170));
  AddFont(emf, 4, -20, 900);
  AddText(emf, 150, 190, u"HHH");
  const Bitmap b = Play(emf);
  const QRect topLeft = Extent(b, kBlack, QRect(0, 0, 100, 50));
  EXPECT_GE(topLeft.left(), 20);
  EXPECT_GE(topLeft.top(), 20);
  EXPECT_LT(topLeft.top(), 30);
  EXPECT_GT(topLeft.width(), 30);
  const QRect right = Extent(b, kBlack, QRect(100, 30, 100, 40));
  EXPECT_LE(right.right(), 190);
  EXPECT_GE(right.right(), 185);
  EXPECT_EQ(right.bottom(), 59) << "the baseline sits on the reference point";
  const QRect spaced = Extent(b, kBlack, QRect(0, 75, 100, 30));
  EXPECT_GE(spaced.right(), 80) << "the second letter starts 60 units on";
  EXPECT_EQ(CountColour(b, 35, 75, 40, 30, kBlack), 0) << "nothing between the letters";
  EXPECT_EQ(CountColour(b, 20, 150, 40, 20, kYellow), 800) << "ETO_OPAQUE fills the rectangle";
  const QRect upward = Extent(b, kBlack, QRect(140, 100, 60, 100));
  EXPECT_GT(upward.height(), 2 * upward.width()) << "escapement 90 degrees runs upwards";
  EXPECT_LE(upward.bottom(), 190);
}

TEST(EmfPlayer, BitmapsAreStretchedCopiedAndMirrored) {
  EmfBuilder emf = Canvas();
  fixtures::DibParts dib = fixtures::DibOf(fixtures::Quadrants(4, 4));
  auto* info = reinterpret_cast<PU_BITMAPINFO>(dib.info.data());
  const auto bits = static_cast<uint32_t>(dib.pixels.size());
  emf.Add(U_EMRSTRETCHDIBITS_set(kNoBounds, P(10, 10), P(40, 40), P(0, 0), P(4, 4),
                                 U_DIB_RGB_COLORS, U_SRCCOPY, info, bits, dib.pixels.data()));
  // A bottom-up bitmap's source rectangle counts from its last row: (0, 0) is blue.
  emf.Add(U_EMRSTRETCHDIBITS_set(kNoBounds, P(60, 10), P(20, 20), P(0, 0), P(2, 2),
                                 U_DIB_RGB_COLORS, U_SRCCOPY, info, bits, dib.pixels.data()));
  emf.Add(U_EMRSTRETCHDIBITS_set(kNoBounds, P(190, 10), P(-40, 40), P(0, 0), P(4, 4),
                                 U_DIB_RGB_COLORS, U_SRCCOPY, info, bits, dib.pixels.data()));
  const U_XFORM identity = xform_set(1, 0, 0, 1, 0, 0);
  emf.Add(U_EMRBITBLT_set(kNoBounds, P(10, 60), P(4, 4), P(0, 0), identity, C(kWhite),
                          U_DIB_RGB_COLORS, U_SRCCOPY, info, bits, dib.pixels.data()));
  emf.Add(U_EMRSTRETCHBLT_set(kNoBounds, P(20, 60), P(8, 8), P(0, 0), P(4, 4), identity, C(kWhite),
                              U_DIB_RGB_COLORS, U_SRCCOPY, info, bits, dib.pixels.data()));
  emf.Add(U_EMRSETDIBITSTODEVICE_set(kNoBounds, P(40, 60), P(0, 0), P(4, 4), U_DIB_RGB_COLORS, 0, 4,
                                     info, bits, dib.pixels.data()));
  emf.Add(U_EMRBITBLT_set(kNoBounds, P(60, 60), P(10, 10), P(0, 0), identity, C(kWhite),
                          U_DIB_RGB_COLORS, U_PATCOPY, nullptr, 0, nullptr));
  emf.Add(U_EMRBITBLT_set(kNoBounds, P(80, 60), P(10, 10), P(0, 0), identity, C(kWhite),
                          U_DIB_RGB_COLORS, U_BLACKNESS, nullptr, 0, nullptr));
  // AND with a green square: red turns black, green and white leave green.
  emf.Add(U_EMRCREATEBRUSHINDIRECT_set(3, logbrush_set(U_BS_SOLID, C(kGreen), 0)));
  emf.Add(U_EMRSELECTOBJECT_set(3));
  emf.Add(U_EMRBITBLT_set(kNoBounds, P(100, 60), P(20, 20), P(0, 0), identity, C(kWhite),
                          U_DIB_RGB_COLORS, U_PATCOPY, nullptr, 0, nullptr));
  emf.Add(U_EMRSTRETCHDIBITS_set(kNoBounds, P(100, 60), P(20, 20), P(0, 0), P(4, 4),
                                 U_DIB_RGB_COLORS, U_SRCAND, info, bits, dib.pixels.data()));
  const Bitmap b = Play(emf);
  ExpectProbes(b, {{15, 15, kRed},
                   {45, 15, kGreen},
                   {15, 45, kBlue},
                   {45, 45, kWhite},
                   {70, 20, kBlue},
                   {185, 15, kRed},
                   {155, 15, kGreen},
                   {11, 61, kRed},
                   {13, 63, kWhite},
                   {21, 61, kRed},
                   {27, 67, kWhite},
                   {41, 61, kRed},
                   {43, 63, kWhite},
                   {65, 65, kRed},
                   {85, 65, kBlack},
                   {105, 65, kBlack},
                   {115, 65, kGreen},
                   {115, 75, kGreen},
                   {105, 75, kBlack}});
}

// The same figures through the 16-bit and the 32-bit point records draw the same pixels.
TEST(EmfPlayer, ThirtyTwoBitPointRecordsDrawLikeSixteenBitOnes) {
  const std::vector<std::pair<int, int>> triangle = {{10, 10}, {60, 10}, {10, 60}};
  const std::vector<std::pair<int, int>> line = {{70, 10}, {120, 40}, {190, 10}};
  const std::vector<std::pair<int, int>> curve = {{10, 100}, {10, 70}, {60, 70}, {60, 100}};
  const std::vector<std::pair<int, int>> curveTo = {{70, 70}, {120, 70}, {120, 100}};
  const std::vector<std::pair<int, int>> nested = {{130, 60}, {190, 60}, {190, 120}, {130, 120},
                                                   {145, 75}, {175, 75}, {175, 105}, {145, 105}};
  uint32_t counts[] = {4, 4};
  auto make = [&](bool small) {
    EmfBuilder emf = Canvas();
    auto add16 = [&](auto set, const std::vector<std::pair<int, int>>& points) {
      std::vector<U_POINT16> p;
      for (auto [x, y] : points)
        p.push_back(point16_set(static_cast<int16_t>(x), static_cast<int16_t>(y)));
      emf.Add(set(kNoBounds, static_cast<uint32_t>(p.size()), p.data()));
    };
    auto add32 = [&](auto set, const std::vector<std::pair<int, int>>& points) {
      std::vector<U_POINTL> p;
      for (auto [x, y] : points)
        p.push_back(P(x, y));
      emf.Add(set(kNoBounds, static_cast<uint32_t>(p.size()), p.data()));
    };
    if (small) {
      add16(U_EMRPOLYGON16_set, triangle);
      add16(U_EMRPOLYLINE16_set, line);
      add16(U_EMRPOLYBEZIER16_set, curve);
      emf.Add(U_EMRMOVETOEX_set(P(70, 100)));
      add16(U_EMRPOLYBEZIERTO16_set, curveTo);
      add16(U_EMRPOLYLINETO16_set, line);
      std::vector<U_POINT16> p;
      for (auto [x, y] : nested)
        p.push_back(point16_set(static_cast<int16_t>(x), static_cast<int16_t>(y)));
      emf.Add(U_EMRPOLYPOLYGON16_set(kNoBounds, 2, counts, 8, p.data()));
      for (U_POINT16& q : p)
        q.y += 70;
      emf.Add(U_EMRPOLYPOLYLINE16_set(kNoBounds, 2, counts, 8, p.data()));
    } else {
      add32(U_EMRPOLYGON_set, triangle);
      add32(U_EMRPOLYLINE_set, line);
      add32(U_EMRPOLYBEZIER_set, curve);
      emf.Add(U_EMRMOVETOEX_set(P(70, 100)));
      add32(U_EMRPOLYBEZIERTO_set, curveTo);
      add32(U_EMRPOLYLINETO_set, line);
      std::vector<U_POINTL> p;
      for (auto [x, y] : nested)
        p.push_back(P(x, y));
      emf.Add(U_EMRPOLYPOLYGON_set(kNoBounds, 2, counts, 8, p.data()));
      for (U_POINTL& q : p)
        q.y += 70;
      emf.Add(U_EMRPOLYPOLYLINE_set(kNoBounds, 2, counts, 8, p.data()));
    }
    return Play(emf);
  };
  const Bitmap small = make(true);
  const Bitmap large = make(false);
  EXPECT_GT(CountColour(large, 0, 0, 200, 200, kRed), 1000);
  EXPECT_GT(CountColour(large, 130, 130, 61, 61, kBlue), 200) << "the poly-polyline";
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x)
      ASSERT_EQ(large.Pixel(x, y), small.Pixel(x, y)) << x << "," << y;
}

TEST(EmfPlayer, ArcToJoinsTheCurrentPositionAndMovesItToTheArcsEnd) {
  EmfBuilder emf = Canvas();
  emf.Add(U_EMRMOVETOEX_set(P(10, 150)));
  emf.Add(U_EMRARCTO_set(R(100, 100, 160, 160), P(160, 130), P(130, 100)));
  emf.Add(U_EMRLINETO_set(P(130, 40)));
  const Bitmap b = Play(emf);
  EXPECT_TRUE(Near(b, 50, 145, kBlue)) << "the line to the arc's start";
  EXPECT_TRUE(Near(b, 151, 109, kBlue)) << "the arc";
  EXPECT_TRUE(Near(b, 130, 70, kBlue, 1)) << "the line from the arc's end";
  EXPECT_EQ(CountColour(b, 100, 145, 25, 16, kBlue), 0) << "only a quarter of the ellipse";
}

TEST(EmfPlayer, EightBitTextDrawsLikeWideText) {
  EmfBuilder emf = Canvas();
  emf.Add(U_EMRSETBKMODE_set(U_TRANSPARENT));
  emf.Add(U_EMRSETTEXTCOLOR_set(C(kGreen)));
  AddFont(emf, 3, -24, 0);
  char text[] = "HH";
  uint32_t dx[] = {20, 20};
  char* block = emrtext_set(P(20, 20), 2, 1, text, U_ETO_NONE, kNoBounds, dx);
  emf.Add(
      U_EMREXTTEXTOUTA_set(kNoBounds, U_GM_COMPATIBLE, 1, 1, reinterpret_cast<PU_EMRTEXT>(block)));
  std::free(block);
  AddText(emf, 20, 120, u"HH", {20, 20});
  const Bitmap b = Play(emf);
  const int narrow = CountColour(b, 0, 0, 200, 100, kGreen);
  EXPECT_GT(narrow, 50);
  EXPECT_EQ(narrow, CountColour(b, 0, 100, 200, 100, kGreen));
}

TEST(EmfPlayer, DrawingBeyondTheWorkBudgetIsSkipped) {
  // Each filled and framed square covers the whole picture: 600 of them are far more work than
  // any picture needs, and the ones past the budget are left out.
  EmfBuilder emf = Canvas();
  for (int i = 0; i < 600; ++i)
    emf.Add(U_EMRRECTANGLE_set(R(0, 0, 199, 199)));
  emf.Add(U_EMRCREATEBRUSHINDIRECT_set(3, logbrush_set(U_BS_SOLID, C(kGreen), 0)));
  emf.Add(U_EMRSELECTOBJECT_set(3));
  emf.Add(U_EMRRECTANGLE_set(R(0, 0, 199, 199)));
  ExpectProbes(Play(emf), {{100, 100, kRed}});
  // Many small figures are cheap and all of them show.
  EmfBuilder small = Canvas();
  for (int i = 0; i < 2000; ++i) {
    const int x = 10 * (i % 20), y = 10 * ((i / 20) % 20);
    small.Add(U_EMRRECTANGLE_set(R(x, y, x + 8, y + 8)));
  }
  small.Add(U_EMRCREATEBRUSHINDIRECT_set(3, logbrush_set(U_BS_SOLID, C(kGreen), 0)));
  small.Add(U_EMRSELECTOBJECT_set(3));
  small.Add(U_EMRRECTANGLE_set(R(100, 100, 108, 108)));
  ExpectProbes(Play(small), {{104, 104, kGreen}, {14, 14, kRed}});
}

TEST(EmfPlayer, UnknownRecordsAreSkippedAndDamageStopsPlayingCleanly) {
  EmfBuilder emf = Canvas();
  char* unknown = static_cast<char*>(std::calloc(1, 16));
  const uint32_t head[] = {200, 16};
  std::memcpy(unknown, head, 8);
  emf.Add(unknown);
  emf.Add(U_EMRRECTANGLE_set(R(10, 10, 20, 20)));
  const auto good = emf.Finish();
  const DecodedPicture played = DecodeMetafile(good);
  ASSERT_TRUE(played.ok()) << played.error;
  ExpectNear(played.bitmap, 15, 15, kRed);

  // A record claiming more bytes than the file has ends the picture with what was drawn.
  auto overlong = good;
  const size_t last = good.size() - 20 - 24;  // the rectangle, before the end record
  overlong[last + 5] = 0x10;
  EXPECT_TRUE(DecodeMetafile(overlong).ok());
  struct Case {
    std::vector<uint8_t> bytes;
    const char* says;
  };
  auto hugeFrame = good;
  hugeFrame[28] = 0xFF;  // frame right edge far beyond the limits
  hugeFrame[29] = 0xFF;
  hugeFrame[30] = 0x7F;
  const Case cases[] = {
      {std::vector<uint8_t>(good.begin(), good.begin() + 60), "header is cut short"},
      {{1, 0, 0, 0, 200, 0, 0, 0}, "neither"},
      {hugeFrame, "cannot be opened"},
  };
  for (const Case& c : cases) {
    const DecodedPicture picture = DecodePicture(c.bytes, kPictureMetafile);
    EXPECT_FALSE(picture.ok());
    EXPECT_NE(picture.error.find(c.says), std::string::npos) << picture.error;
  }
}

}  // namespace
}  // namespace quillon
