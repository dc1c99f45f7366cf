// SPDX-License-Identifier: GPL-3.0-or-later
// WMF files written with libUEMF's record writers, played and checked by pixel probes.
#include <uemf.h>
#include <uwmf.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "render/decoders/DecodePicture.h"
#include "render/decoders/DecoderFixtures.h"
#include "render/decoders/MetafileFixtures.h"
#include "render/decoders/ProbeHelpers.h"

namespace quillon {
namespace {

using fixtures::WmfBuilder;

constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000,
                   kBlack = 0, kYellow = 0x00FFFF;

U_POINT16 P(int x, int y) {
  return point16_set(static_cast<int16_t>(x), static_cast<int16_t>(y));
}

U_RECT16 R(int left, int top, int right, int bottom) {
  return U_RECT16{static_cast<int16_t>(left), static_cast<int16_t>(top),
                  static_cast<int16_t>(right), static_cast<int16_t>(bottom)};
}

U_COLORREF C(uint32_t colour) {
  return colorref3_set(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// A 200 x 200 placeable picture at one unit per pixel, with a red brush (slot 0) and a blue
// one-pixel pen (slot 1) selected.
WmfBuilder Canvas() {
  WmfBuilder wmf(200, 200);
  wmf.Add(U_WMRCREATEBRUSHINDIRECT_set(U_WLOGBRUSH_set(U_BS_SOLID, C(kRed), 0)));
  wmf.Add(U_WMRSELECTOBJECT_set(0));
  wmf.Add(U_WMRCREATEPENINDIRECT_set(U_PEN_set(U_PS_SOLID, 1, C(kBlue))));
  wmf.Add(U_WMRSELECTOBJECT_set(1));
  return wmf;
}

// libUEMF gives its SetViewportExt record the function code of SetWindowExt; this mends it.
char* ViewportExt(int x, int y) {
  char* record = U_WMRSETVIEWPORTEXT_set(P(x, y));
  record[4] = U_WMR_SETVIEWPORTEXT;
  return record;
}

Bitmap Play(WmfBuilder& wmf) {
  DecodedPicture picture = DecodePicture(wmf.Finish(), kPictureMetafile);
  EXPECT_TRUE(picture.ok()) << picture.error;
  return std::move(picture.bitmap);
}

struct Probe {
  int x, y;
  uint32_t colour;
};

void ExpectProbes(const Bitmap& b, std::initializer_list<Probe> probes) {
  for (const Probe& p : probes)
    ExpectNear(b, p.x, p.y, p.colour);
}

TEST(WmfPlayer, ThePlaceableBoxAndItsUnitsPerInchGiveTheSize) {
  struct Case {
    bool placeable;
    int width, height;
    QSize expected;
  };
  // Without a placeable header the first window extent stands in, shrunk to 1024 pixels.
  const Case cases[] = {
      {true, 150, 90, {150, 90}}, {false, 300, 200, {300, 200}}, {false, 4000, 2000, {1024, 512}}};
  for (const Case& c : cases) {
    WmfBuilder wmf(c.width, c.height, c.placeable);
    if (!c.placeable) wmf.Add(U_WMRSETWINDOWEXT_set(P(c.width, c.height)));
    wmf.Add(U_WMRCREATEBRUSHINDIRECT_set(U_WLOGBRUSH_set(U_BS_SOLID, C(kRed), 0)));
    wmf.Add(U_WMRSELECTOBJECT_set(0));
    wmf.Add(U_WMRRECTANGLE_set(R(0, 0, c.width, c.height)));
    const Bitmap b = Play(wmf);
    EXPECT_EQ(b.width(), c.expected.width());
    EXPECT_EQ(b.height(), c.expected.height());
    ExpectNear(b, b.width() - 2, b.height() - 2, kRed);
  }
}

TEST(WmfPlayer, ShapesPensBrushesAndObjectSlots) {
  WmfBuilder wmf = Canvas();
  wmf.Add(U_WMRRECTANGLE_set(R(10, 10, 40, 30)));
  wmf.Add(U_WMRELLIPSE_set(R(50, 10, 90, 50)));
  wmf.Add(U_WMRROUNDRECT_set(20, 20, R(100, 10, 140, 50)));
  const U_POINT16 triangle[] = {P(10, 60), P(50, 60), P(10, 100)};
  wmf.Add(U_WMRPOLYGON_set(3, triangle));
  const uint16_t counts[] = {4, 4};
  const U_POINT16 nested[] = {P(60, 60), P(100, 60), P(100, 100), P(60, 100),
                              P(70, 70), P(90, 70),  P(90, 90),   P(70, 90)};
  wmf.Add(U_WMRSETPOLYFILLMODE_set(U_ALTERNATE));
  wmf.Add(U_WMRPOLYPOLYGON_set(2, counts, nested));
  const U_POINT16 line[] = {P(110, 60), P(150, 60)};
  wmf.Add(U_WMRPOLYLINE_set(2, line));
  wmf.Add(U_WMRMOVETO_set(P(110, 70)));
  wmf.Add(U_WMRLINETO_set(P(150, 70)));
  wmf.Add(U_WMRARC_set(P(190, 110), P(160, 80), R(130, 80, 190, 140)));
  wmf.Add(U_WMRPIE_set(P(60, 130), P(30, 100), R(0, 100, 60, 160)));
  wmf.Add(U_WMRCHORD_set(P(70, 160), P(130, 160), R(70, 130, 130, 190)));
  // Deleting the brush frees slot 0, which the hatched brush then takes.
  wmf.Add(U_WMRDELETEOBJECT_set(0));
  wmf.Add(U_WMRCREATEBRUSHINDIRECT_set(U_WLOGBRUSH_set(U_BS_HATCHED, C(kGreen), U_HS_VERTICAL)));
  wmf.Add(U_WMRSELECTOBJECT_set(0));
  wmf.Add(U_WMRSETBKMODE_set(U_OPAQUE));
  wmf.Add(U_WMRSETBKCOLOR_set(C(kYellow)));
  wmf.Add(U_WMRCREATEPENINDIRECT_set(U_PEN_set(U_PS_NULL, 1, C(kBlue))));
  wmf.Add(U_WMRSELECTOBJECT_set(2));
  wmf.Add(U_WMRRECTANGLE_set(R(150, 150, 190, 190)));
  const Bitmap b = Play(wmf);
  ExpectProbes(b, {{20, 20, kRed},
                   {10, 20, kBlue},
                   {40, 20, kWhite},
                   {70, 30, kRed},
                   {51, 11, kWhite},
                   {120, 30, kRed},
                   {101, 11, kWhite},
                   {15, 65, kRed},
                   {63, 63, kRed},
                   {80, 80, kWhite},
                   {130, 60, kBlue},
                   {150, 60, kWhite},
                   {130, 70, kBlue},
                   {45, 115, kRed},
                   {15, 145, kWhite},
                   {100, 180, kRed},
                   {100, 140, kWhite}});
  EXPECT_GT(CountColour(b, 175, 80, 15, 15, kBlue), 0) << "the arc's first quarter";
  EXPECT_EQ(CountColour(b, 130, 115, 30, 25, kBlue), 0) << "and no more";
  EXPECT_EQ(CountColour(b, 152, 170, 32, 1, kGreen), 4);
  EXPECT_EQ(CountColour(b, 152, 170, 32, 1, kYellow), 28);
}

TEST(WmfPlayer, MappingClippingAndSavedStates) {
  WmfBuilder wmf = Canvas();
  wmf.Add(U_WMRCREATEPENINDIRECT_set(U_PEN_set(U_PS_NULL, 1, C(kBlue))));
  wmf.Add(U_WMRSELECTOBJECT_set(2));
  wmf.Add(U_WMRSAVEDC_set());
  // Doubling the window halves everything; the viewport then moves it.
  wmf.Add(U_WMRSCALEWINDOWEXT_set(P(1, 1), P(2, 2)));  // denominators, then numerators
  wmf.Add(U_WMROFFSETWINDOWORG_set(P(-20, 0)));
  wmf.Add(U_WMRRECTANGLE_set(R(0, 0, 40, 40)));
  wmf.Add(U_WMRSETVIEWPORTORG_set(P(100, 0)));
  wmf.Add(U_WMROFFSETVIEWPORTORG_set(P(0, 10)));
  wmf.Add(U_WMRRECTANGLE_set(R(0, 0, 20, 20)));
  wmf.Add(U_WMRRESTOREDC_set(-1));
  wmf.Add(U_WMRSAVEDC_set());
  wmf.Add(U_WMRINTERSECTCLIPRECT_set(R(10, 60, 50, 100)));
  wmf.Add(U_WMRRECTANGLE_set(R(0, 50, 200, 110)));
  wmf.Add(U_WMRRESTOREDC_set(-1));
  wmf.Add(U_WMREXCLUDECLIPRECT_set(R(70, 130, 90, 150)));
  wmf.Add(U_WMRRECTANGLE_set(R(60, 120, 100, 160)));
  wmf.Add(U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
  wmf.Add(U_WMRSETWINDOWORG_set(P(0, 0)));
  wmf.Add(U_WMRSETWINDOWEXT_set(P(100, 100)));
  wmf.Add(ViewportExt(200, 200));
  wmf.Add(U_WMRSCALEVIEWPORTEXT_set(P(2, 2), P(1, 1)));
  wmf.Add(U_WMRRECTANGLE_set(R(150, 150, 180, 180)));
  const Bitmap b = Play(wmf);
  ExpectProbes(b, {{12, 2, kRed},
                   {28, 18, kRed},
                   {32, 2, kWhite},
                   {112, 12, kRed},
                   {119, 19, kRed},
                   {30, 80, kRed},
                   {5, 80, kWhite},
                   {60, 80, kWhite},
                   {80, 140, kWhite},
                   {65, 125, kRed},
                   {160, 160, kRed},
                   {145, 145, kWhite}});
}

TEST(WmfPlayer, TextAndBitmaps) {
  WmfBuilder wmf = Canvas();
  U_FONT* font = U_FONT_set(-20, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, const_cast<char*>("Arial"));
  wmf.Add(U_WMRCREATEFONTINDIRECT_set(font));
  std::free(font);
  wmf.Add(U_WMRSELECTOBJECT_set(2));
  wmf.Add(U_WMRSETTEXTCOLOR_set(C(kBlack)));
  wmf.Add(U_WMRSETBKMODE_set(U_TRANSPARENT));
  wmf.Add(U_WMRTEXTOUT_set(P(10, 10), const_cast<char*>("HH")));
  wmf.Add(U_WMRSETTEXTALIGN_set(U_TA_RIGHT | U_TA_BASELINE));
  int16_t dx[] = {40, 40};
  wmf.Add(U_WMREXTTEXTOUT_set(P(190, 60), 2, U_ETO_NONE, "II", dx, R(0, 0, 0, 0)));
  wmf.Add(U_WMRSETBKCOLOR_set(C(kYellow)));
  // libUEMF writes this rectangle's fields in reverse, so they are given reversed to make the
  // file hold left, top, right, bottom as GDI writes them.
  wmf.Add(U_WMREXTTEXTOUT_set(P(20, 70), 0, U_ETO_OPAQUE, "", nullptr, R(80, 40, 70, 20)));
  fixtures::DibParts dib = fixtures::DibOf(fixtures::Quadrants(4, 4));
  const auto* info = reinterpret_cast<const U_BITMAPINFO*>(dib.info.data());
  const auto bits = static_cast<uint32_t>(dib.pixels.size());
  wmf.Add(U_WMRSTRETCHDIB_set(P(10, 100), P(40, 40), P(0, 0), P(4, 4), U_DIB_RGB_COLORS, U_SRCCOPY,
                              info, bits, dib.pixels.data()));
  wmf.Add(U_WMRDIBSTRETCHBLT_set(P(60, 100), P(20, 20), P(0, 0), P(4, 4), U_SRCCOPY, info, bits,
                                 dib.pixels.data()));
  wmf.Add(
      U_WMRDIBBITBLT_set(P(90, 100), P(4, 4), P(0, 0), U_SRCCOPY, info, bits, dib.pixels.data()));
  wmf.Add(U_WMRPATBLT_set(P(100, 100), P(10, 10), U_PATCOPY));
  wmf.Add(U_WMRDIBBITBLT_set(P(120, 100), P(10, 10), P(0, 0), U_BLACKNESS, nullptr, 0, nullptr));
  const Bitmap b = Play(wmf);
  EXPECT_GT(CountColour(b, 10, 10, 40, 22, kBlack), 20) << "TextOut from the top-left corner";
  EXPECT_EQ(CountColour(b, 0, 0, 200, 9, kBlack), 0);
  EXPECT_GT(CountColour(b, 100, 40, 100, 20, kBlack), 10) << "spaced text ends at x 190";
  EXPECT_EQ(CountColour(b, 100, 60, 100, 10, kBlack), 0) << "and sits on the baseline";
  EXPECT_EQ(CountColour(b, 130, 40, 20, 30, kBlack), 0) << "40 units between the letters";
  EXPECT_EQ(CountColour(b, 20, 70, 20, 10, kYellow), 200);
  ExpectProbes(b, {{15, 105, kRed},
                   {45, 105, kGreen},
                   {15, 135, kBlue},
                   {45, 135, kWhite},
                   {62, 102, kRed},
                   {78, 118, kWhite},
                   {90, 100, kRed},
                   {93, 103, kWhite},
                   {105, 105, kRed},
                   {125, 105, kBlack}});
}

// libUEMF has no writer for SetDIBitsToDevice, so the record is laid out here: function 0x0D33,
// colour usage, scan count, first scan, source y and x, height, width, destination y and x,
// then the packed bitmap.
char* SetDibToDev(int x, int y, const fixtures::Bytes& dib, int width, int height) {
  const size_t size = 6 + 18 + dib.size();
  char* record = static_cast<char*>(std::calloc(1, size));
  const uint32_t words = static_cast<uint32_t>(size / 2);
  std::memcpy(record, &words, 4);
  const int16_t fields[] = {0x0D33,
                            0,
                            static_cast<int16_t>(height),
                            0,
                            0,
                            0,
                            static_cast<int16_t>(height),
                            static_cast<int16_t>(width),
                            static_cast<int16_t>(y),
                            static_cast<int16_t>(x)};
  std::memcpy(record + 4, fields, sizeof fields);
  std::memcpy(record + 24, dib.data(), dib.size());
  return record;
}

TEST(WmfPlayer, UnplayedObjectsStillTakeTheirSlotAndDibsGoToTheDevice) {
  WmfBuilder wmf(200, 200);
  U_PLTNTRY entry = U_PLTNTRY_set(C(kGreen));
  U_PALETTE* palette = U_PLTENTRY_set(0, 1, &entry);
  wmf.Add(U_WMRCREATEPALETTE_set(palette));
  std::free(palette);
  wmf.Add(U_WMRCREATEBRUSHINDIRECT_set(U_WLOGBRUSH_set(U_BS_SOLID, C(kRed), 0)));
  wmf.Add(U_WMRSELECTOBJECT_set(1));
  wmf.Add(U_WMRSELECTOBJECT_set(0));
  wmf.Add(U_WMRRECTANGLE_set(R(10, 10, 50, 50)));
  wmf.Add(SetDibToDev(60, 10, fixtures::MakeDib(fixtures::Quadrants(4, 4)), 4, 4));
  const Bitmap b = Play(wmf);
  ExpectProbes(b, {{30, 30, kRed},
                   {60, 10, kRed},
                   {62, 10, kGreen},
                   {60, 12, kBlue},
                   {63, 13, kWhite},
                   {64, 14, kWhite}});
}

TEST(WmfPlayer, DamagedFilesFailOrStopCleanly) {
  WmfBuilder wmf = Canvas();
  wmf.Add(U_WMRRECTANGLE_set(R(10, 10, 20, 20)));
  const auto good = wmf.Finish();
  auto overlong = good;
  overlong[overlong.size() - 6 - 14] = 0xFF;  // the rectangle claims 255 words
  const DecodedPicture stopped = DecodeMetafile(overlong);
  ASSERT_TRUE(stopped.ok()) << stopped.error;
  EXPECT_EQ(stopped.bitmap.Pixel(15, 15), kWhite);
  struct Case {
    std::vector<uint8_t> bytes;
    const char* says;
  };
  auto noSize = good;
  noSize[10] = noSize[11] = 0;  // the placeable box's right edge at 0
  noSize[14] = noSize[15] = 0;
  const Case cases[] = {
      {std::vector<uint8_t>(good.begin(), good.begin() + 30), "header is cut short"},
      {noSize, "has no size"},
  };
  for (const Case& c : cases) {
    const DecodedPicture picture = DecodePicture(c.bytes, kPictureMetafile);
    EXPECT_FALSE(picture.ok());
    EXPECT_NE(picture.error.find(c.says), std::string::npos) << picture.error;
  }
}

}  // namespace
}  // namespace quillon
