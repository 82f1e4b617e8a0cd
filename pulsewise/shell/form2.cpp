#include "pulsewise/shell/form2.h"

#include "pulsewise/shell/program_title.h"

namespace pulsewise {

Form2::Form2(platform::Platform platform)
    : Form("Form2", kProgramTitle), Picture1(this, "Picture1", platform.surfaces) {
  back_colour = platform::kWhite;
  Picture1.border = false;
}

platform::DrawSurface& Form2::take_chart(double chart_width, double chart_height) {
  set_bounds(left(), top(), chart_width + kFrameWidth, chart_height + kFrameHeight);
  Picture1.set_bounds(0, 0, chart_width, chart_height);
  Picture1.image_changed();
  return Picture1.surface();
}

}  // namespace pulsewise
