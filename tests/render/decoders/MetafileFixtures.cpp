// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/decoders/MetafileFixtures.h"

#include <uemf.h>
#include <uwmf.h>

#include <cstdlib>
#include <cstring>

#include "render/decoders/DecoderFixtures.h"

namespace quillon::fixtures {
namespace {

void Patch32(Bytes& b, size_t at, uint32_t v) {
  std::memcpy(b.data() + at, &v, 4);
}

void Patch16(Bytes& b, size_t at, uint16_t v) {
  std::memcpy(b.data() + at, &v, 2);
}

U_POINT16 P16(int x, int y) {
  return point16_set(static_cast<int16_t>(x), static_cast<int16_t>(y));
}

}  // namespace

EmfBuilder::EmfBuilder(int width, int height) {
  const U_RECTL bounds = {0, 0, width - 1, height - 1};
  // At 4 pixels per millimetre a pixel is 25 hundredths of a millimetre.
  const U_RECTL frame = {0, 0, width * 25, height * 25};
  char* header = U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, sizel_set(400, 400),
                                 sizel_set(100, 100), 0);
  Add(header);
}

EmfBuilder& EmfBuilder::Add(char* record) {
  uint32_t size = 0;
  std::memcpy(&size, record + 4, 4);
  bytes_.insert(bytes_.end(), record, record + size);
  std::free(record);
  ++records_;
  return *this;
}

Bytes EmfBuilder::Finish() {
  EMFTRACK track{};
  Add(U_EMREOF_set(0, nullptr, &track));
  Bytes out = bytes_;
  Patch32(out, 48, static_cast<uint32_t>(out.size()));
  Patch32(out, 52, records_);
  Patch16(out, 56, 64);
  return out;
}

WmfBuilder::WmfBuilder(int width, int height, bool placeable) {
  U_PAIRF size = {static_cast<float>(width) / 96, static_cast<float>(height) / 96};
  char* header = U_WMRHEADER_set(placeable ? &size : nullptr, 96);
  const size_t length = placeable ? U_SIZE_WMRPLACEABLE + U_SIZE_WMRHEADER : U_SIZE_WMRHEADER;
  bytes_.assign(header, header + length);
  std::free(header);
  headerAt_ = placeable ? U_SIZE_WMRPLACEABLE : 0;
}

WmfBuilder& WmfBuilder::Add(char* record) {
  const uint32_t size = U_wmr_size(reinterpret_cast<const U_METARECORD*>(record));
  bytes_.insert(bytes_.end(), record, record + size);
  largest_ = std::max(largest_, size / 2);
  std::free(record);
  return *this;
}

Bytes WmfBuilder::Finish() {
  Add(U_WMREOF_set());
  Bytes out = bytes_;
  // The header's file size and largest record are in 16-bit words; the object table holds 16.
  Patch32(out, headerAt_ + 6, static_cast<uint32_t>((out.size() - headerAt_) / 2));
  Patch16(out, headerAt_ + 10, 16);
  Patch32(out, headerAt_ + 12, largest_);
  return out;
}

DibParts DibOf(const QImage& image) {
  const Bytes dib = MakeDib(image);
  return {std::vector<uint8_t>(dib.begin(), dib.begin() + 40),
          std::vector<char>(dib.begin() + 40, dib.end())};
}

Bytes SampleEmf() {
  EmfBuilder emf(120, 100);
  const U_RECTL none = {0, 0, 0, 0};
  emf.Add(U_EMRCREATEBRUSHINDIRECT_set(1, logbrush_set(U_BS_SOLID, colorref3_set(255, 0, 0), 0)));
  emf.Add(U_EMRSELECTOBJECT_set(1));
  emf.Add(
      U_EMRCREATEPEN_set(2, logpen_set(U_PS_SOLID, point32_set(2, 0), colorref3_set(0, 0, 255))));
  emf.Add(U_EMRSELECTOBJECT_set(2));
  emf.Add(U_EMRRECTANGLE_set(rectl_set(point32_set(5, 5), point32_set(40, 30))));
  emf.Add(U_EMRELLIPSE_set(rectl_set(point32_set(50, 5), point32_set(90, 40))));
  const U_POINT16 triangle[] = {P16(10, 60), P16(40, 90), P16(5, 90)};
  emf.Add(U_EMRPOLYGON16_set(none, 3, triangle));
  emf.Add(U_EMRPIE_set(rectl_set(point32_set(60, 50), point32_set(110, 95)), point32_set(110, 70),
                       point32_set(85, 50)));
  uint16_t face[U_LF_FACESIZE] = {'A', 'r', 'i', 'a', 'l', 0};
  U_LOGFONT font = logfont_set(-14, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, face);
  emf.Add(U_EMREXTCREATEFONTINDIRECTW_set(3, reinterpret_cast<const char*>(&font), nullptr));
  emf.Add(U_EMRSELECTOBJECT_set(3));
  uint16_t text[] = {'Q', 'l'};
  uint32_t dx[] = {9, 9};
  char* block = emrtext_set(point32_set(45, 42), 2, 2, text, U_ETO_NONE, none, dx);
  emf.Add(U_EMREXTTEXTOUTW_set(none, U_GM_COMPATIBLE, 1, 1, reinterpret_cast<PU_EMRTEXT>(block)));
  std::free(block);
  DibParts dib = DibOf(Quadrants(4, 4));
  emf.Add(U_EMRSTRETCHDIBITS_set(none, point32_set(95, 5), point32_set(20, 20), point32_set(0, 0),
                                 point32_set(4, 4), U_DIB_RGB_COLORS, U_SRCCOPY,
                                 reinterpret_cast<PU_BITMAPINFO>(dib.info.data()),
                                 static_cast<uint32_t>(dib.pixels.size()), dib.pixels.data()));
  // Mapping, saved state, clipping, paths, styled pens, hatches, arcs and brush blits.
  emf.Add(U_EMRSAVEDC_set());
  emf.Add(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC));
  emf.Add(U_EMRSETWINDOWEXTEX_set(sizel_set(240, 200)));
  emf.Add(U_EMRSETVIEWPORTEXTEX_set(sizel_set(120, 100)));
  emf.Add(U_EMRINTERSECTCLIPRECT_set(rectl_set(point32_set(0, 100), point32_set(240, 200))));
  emf.Add(U_EMRCREATEBRUSHINDIRECT_set(
      4, logbrush_set(U_BS_HATCHED, colorref3_set(0, 128, 0), U_HS_DIAGCROSS)));
  emf.Add(U_EMRSELECTOBJECT_set(4));
  emf.Add(U_EMRBEGINPATH_set());
  emf.Add(U_EMRMOVETOEX_set(point32_set(10, 110)));
  const U_POINT16 curve[] = {P16(60, 110), P16(60, 190), P16(10, 190)};
  emf.Add(U_EMRPOLYBEZIERTO16_set(none, 3, curve));
  emf.Add(U_EMRCLOSEFIGURE_set());
  emf.Add(U_EMRENDPATH_set());
  emf.Add(U_EMRSTROKEANDFILLPATH_set(none));
  PU_EXTLOGPEN dashed =
      extlogpen_set(U_PS_DASH, 1, U_BS_SOLID, colorref3_set(0, 0, 0), 0, 0, nullptr);
  emf.Add(U_EMREXTCREATEPEN_set(5, nullptr, 0, nullptr, dashed));
  std::free(dashed);
  emf.Add(U_EMRSELECTOBJECT_set(5));
  emf.Add(U_EMRARC_set(rectl_set(point32_set(80, 110), point32_set(160, 190)),
                       point32_set(160, 150), point32_set(80, 150)));
  emf.Add(U_EMRSETARCDIRECTION_set(U_AD_CLOCKWISE));
  emf.Add(U_EMRCHORD_set(rectl_set(point32_set(170, 110), point32_set(230, 190)),
                         point32_set(230, 150), point32_set(170, 150)));
  emf.Add(U_EMRRESTOREDC_set(-1));
  const U_RECTL clip = {0, 0, 60, 60};
  PU_RGNDATA region = rgndata_set(rgndataheader_set(1, clip), const_cast<PU_RECTL>(&clip));
  emf.Add(U_EMREXTSELECTCLIPRGN_set(U_RGN_COPY, region));
  std::free(region);
  emf.Add(U_EMRBITBLT_set(none, point32_set(0, 0), point32_set(8, 8), point32_set(0, 0),
                          xform_set(1, 0, 0, 1, 0, 0), colorref3_set(255, 255, 255),
                          U_DIB_RGB_COLORS, U_PATCOPY, nullptr, 0, nullptr));
  char narrow[] = "Ab";
  uint32_t advances[] = {8, 8};
  char* ansi = emrtext_set(point32_set(2, 40), 2, 1, narrow, U_ETO_NONE, none, advances);
  emf.Add(U_EMREXTTEXTOUTA_set(none, U_GM_COMPATIBLE, 1, 1, reinterpret_cast<PU_EMRTEXT>(ansi)));
  std::free(ansi);
  return emf.Finish();
}

Bytes SampleWmf() {
  WmfBuilder wmf(120, 100);
  wmf.Add(U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
  wmf.Add(U_WMRSETWINDOWORG_set(P16(0, 0)));
  wmf.Add(U_WMRSETWINDOWEXT_set(P16(120, 100)));
  wmf.Add(U_WMRCREATEBRUSHINDIRECT_set(U_WLOGBRUSH_set(U_BS_SOLID, colorref3_set(0, 128, 0), 0)));
  wmf.Add(U_WMRSELECTOBJECT_set(0));
  wmf.Add(U_WMRCREATEPENINDIRECT_set(U_PEN_set(U_PS_SOLID, 1, colorref3_set(0, 0, 0))));
  wmf.Add(U_WMRSELECTOBJECT_set(1));
  wmf.Add(U_WMRRECTANGLE_set(U_RECT16{5, 5, 40, 30}));
  wmf.Add(U_WMRELLIPSE_set(U_RECT16{50, 5, 90, 40}));
  const U_POINT16 triangle[] = {P16(10, 60), P16(40, 90), P16(5, 90)};
  wmf.Add(U_WMRPOLYGON_set(3, triangle));
  wmf.Add(U_WMRCHORD_set(P16(110, 70), P16(85, 50), U_RECT16{60, 50, 110, 95}));
  U_FONT* font = U_FONT_set(-14, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, const_cast<char*>("Arial"));
  wmf.Add(U_WMRCREATEFONTINDIRECT_set(font));
  std::free(font);
  wmf.Add(U_WMRSELECTOBJECT_set(2));
  wmf.Add(U_WMRTEXTOUT_set(P16(45, 42), const_cast<char*>("Ql")));
  DibParts dib = DibOf(Quadrants(4, 4));
  wmf.Add(U_WMRSTRETCHDIB_set(P16(95, 5), P16(20, 20), P16(0, 0), P16(4, 4), U_DIB_RGB_COLORS,
                              U_SRCCOPY, reinterpret_cast<const U_BITMAPINFO*>(dib.info.data()),
                              static_cast<uint32_t>(dib.pixels.size()), dib.pixels.data()));
  // Saved state, clipping, scaling, hatches, poly-polygons, arcs, spaced text and blits.
  wmf.Add(U_WMRSAVEDC_set());
  wmf.Add(U_WMRINTERSECTCLIPRECT_set(U_RECT16{0, 50, 120, 100}));
  wmf.Add(U_WMRSCALEWINDOWEXT_set(P16(1, 1), P16(2, 2)));
  wmf.Add(U_WMRCREATEBRUSHINDIRECT_set(
      U_WLOGBRUSH_set(U_BS_HATCHED, colorref3_set(0, 0, 255), U_HS_CROSS)));
  wmf.Add(U_WMRSELECTOBJECT_set(3));
  const uint16_t counts[] = {3, 3};
  const U_POINT16 pair[] = {P16(10, 110), P16(60, 110),  P16(10, 190),
                            P16(70, 110), P16(120, 110), P16(70, 190)};
  wmf.Add(U_WMRPOLYPOLYGON_set(2, counts, pair));
  wmf.Add(U_WMRARC_set(P16(200, 150), P16(130, 150), U_RECT16{130, 110, 200, 190}));
  wmf.Add(U_WMRPIE_set(P16(240, 150), P16(210, 110), U_RECT16{210, 110, 240, 190}));
  wmf.Add(U_WMRROUNDRECT_set(10, 10, U_RECT16{130, 160, 230, 199}));
  wmf.Add(U_WMRRESTOREDC_set(-1));
  wmf.Add(U_WMRDELETEOBJECT_set(3));
  int16_t advances[] = {9, 9};
  wmf.Add(U_WMREXTTEXTOUT_set(P16(2, 40), 2, U_ETO_OPAQUE, "Ab", advances, U_RECT16{0, 0, 0, 0}));
  wmf.Add(U_WMRDIBSTRETCHBLT_set(P16(0, 0), P16(8, 8), P16(0, 0), P16(4, 4), U_SRCCOPY,
                                 reinterpret_cast<const U_BITMAPINFO*>(dib.info.data()),
                                 static_cast<uint32_t>(dib.pixels.size()), dib.pixels.data()));
  wmf.Add(U_WMRPATBLT_set(P16(10, 0), P16(8, 8), U_PATCOPY));
  return wmf.Finish();
}

}  // namespace quillon::fixtures
