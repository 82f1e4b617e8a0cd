#pragma once
// The hidden canvas a chart is printed from: a white window holding a copy of the chart.
#include "platform/core/form.h"
#include "platform/core/services.h"

namespace pulsewise {

class Form2 : public form::Form {
 public:
  explicit Form2(platform::Platform platform);

  // Sizes the canvas around a chart picture of the given size (a margin of 100 twips across and
  // 400 down, as the window frame takes) and returns the picture to draw the copy into.
  platform::DrawSurface& take_chart(double chart_width, double chart_height);

  form::PictureBox Picture1;
};

}  // namespace pulsewise
