// SPDX-License-Identifier: GPL-3.0-or-later
// EMF and WMF files assembled from records that libUEMF's writer functions make.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

namespace quillon::fixtures {

using Bytes = std::vector<uint8_t>;

class EmfBuilder {
 public:
  // A header whose frame is width x height pixels of a 4 pixel per millimetre device.
  EmfBuilder(int width, int height);
  // Appends a record made by a U_EMR*_set function and frees it.
  EmfBuilder& Add(char* record);
  // Appends the end-of-file record and fills in the header's totals.
  Bytes Finish();

 private:
  Bytes bytes_;
  uint32_t records_ = 0;
};

class WmfBuilder {
 public:
  // With placeable, a bounding box of width x height units at 96 units per inch; without, a
  // bare header.
  WmfBuilder(int width, int height, bool placeable = true);
  // Appends a record made by a U_WMR*_set function and frees it.
  WmfBuilder& Add(char* record);
  Bytes Finish();

 private:
  Bytes bytes_;
  size_t headerAt_ = 0;
  uint32_t largest_ = 0;
};

// A bitmap info structure and 24-bit bottom-up pixels of an image, for the bitmap records.
struct DibParts {
  std::vector<uint8_t> info;  // U_BITMAPINFO: header without colour table
  std::vector<char> pixels;
};
DibParts DibOf(const QImage& image);

// Seed metafiles that touch most records, also used by the fuzz seeds.
Bytes SampleEmf();
Bytes SampleWmf();

}  // namespace quillon::fixtures
