// SPDX-License-Identifier: GPL-3.0-or-later
// Comparison of renders against the stored ones under tests/render/golden. A change that is meant
// to alter the look regenerates them with scripts/regenerate-golden-renders.sh, which sets
// QUILLON_GOLDEN_OUT to the folder to write to.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <string>

#include "render/Bitmap.h"

namespace quillon::test {

inline QImage ToImage(const Bitmap& b) {
  return b.Image().convertToFormat(QImage::Format_RGB888);
}

// Writes the render when regenerating; otherwise compares it: at most 0.5 % of the pixels may
// differ from the stored render by more than 8 in a channel.
inline void CheckGolden(const std::string& name, const Bitmap& render) {
  const QImage actual = ToImage(render);
  const QString out = qEnvironmentVariable("QUILLON_GOLDEN_OUT");
  if (!out.isEmpty()) {
    QDir().mkpath(out);
    ASSERT_TRUE(actual.save(QDir(out).filePath(QString::fromStdString(name) + ".png")));
    return;
  }
  const QImage golden(QString(QUILLON_GOLDEN_DIR "/") + QString::fromStdString(name) + ".png");
  ASSERT_FALSE(golden.isNull()) << name << ": no stored render";
  ASSERT_EQ(golden.size(), actual.size()) << name;
  const QImage expected = golden.convertToFormat(QImage::Format_RGB888);
  int differing = 0;
  for (int y = 0; y < actual.height(); ++y) {
    const uchar* a = actual.constScanLine(y);
    const uchar* e = expected.constScanLine(y);
    for (int x = 0; x < actual.width(); ++x) {
      int worst = 0;
      for (int c = 0; c < 3; ++c)
        worst = std::max(worst, std::abs(a[3 * x + c] - e[3 * x + c]));
      differing += worst > 8;
    }
  }
  EXPECT_LE(differing, actual.width() * actual.height() / 200) << name << " differs";
}

}  // namespace quillon::test
