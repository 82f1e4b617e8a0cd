#pragma once
// The hidden canvas a chart is printed from: a white window holding a copy of the chart.
#include "platform/core/form.h"
#include "platform/core/services.h"

namespace pulsewise {

class Form2 : public form::Form {
 public:
  explicit Form2(platform::Platform platform);

  // The window's frame around its content: the border on both sides across, the title bar and
  // borders down. The canvas is this much larger than the chart, so the printed content holds the
  // whole chart and nothing of its right edge is cut off.
  static constexpr double kFrameWidth = form::kFrameWidth;
  static constexpr double kFrameHeight = form::kFrameHeightWithoutMenu;

  // Sizes the canvas around a chart picture of the given size and returns the picture to draw
  // the copy into.
  platform::DrawSurface& take_chart(double chart_width, double chart_height);

  form::PictureBox Picture1;
};

}  // namespace pulsewise
