// SPDX-License-Identifier: GPL-3.0-or-later
// The samples the customization dialogs show, drawn by the item renderer where the value is a
// line or shadow style, so that the sample looks as the drawing will.
#pragma once

#include <QImage>
#include <QSize>
#include <optional>

#include "settings/TParams.h"
#include "settings/ValueLists.h"

namespace quillon {

// A horizontal black line of the weight across the sample.
QImage WeightSample(QSize size, double mm, const ScreenMetrics& screen);
// A horizontal black line, 0.5 mm wide, dashed with the slot's segments (solid when the
// pattern is not in use).
QImage PatternSample(QSize size, const custPatternRec_t& slot, const ScreenMetrics& screen);
// A pale blue square with a black outline casting the shadow with light from the direction.
QImage ShadowSample(QSize size, ShadowValue shadow, int32_t lightDirection,
                    const ScreenMetrics& screen);
// A line through the centre at the angle (degrees, counter-clockwise); empty without one.
QImage AngleSample(QSize size, std::optional<double> degrees);
// A line of text at the size in points; empty without one.
QImage FontSizeSample(QSize size, std::optional<double> points);

}  // namespace quillon
