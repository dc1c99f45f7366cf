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
  return wmf.Finish();
}

}  // namespace quillon::fixtures
