// Printing the chart and saving it as a bitmap.
#include <algorithm>

#include "pulsewise/shell/form1.h"

namespace pulsewise {

void Form1::FilePrint_Click() {
  // The chart is laid out for printing by resizing the window, which a maximised or minimised
  // window cannot do.
  if (window_state() != form::WindowState::Normal) {
    message(
        "Unable to print while this window is maximized.\n"
        "Please restore the window and try again.",
        platform::Icon::Exclamation);
    return;
  }
  if (platform_.dialogs.choose_printer()) print_chart();
  form2.visible = false;
}

// Lays the chart out on white at a size that fits a page, copies it onto the print canvas, puts
// the screen back as it was and prints the canvas.
void Form1::print_chart() {
  const platform::Colour screen_background = state.bgcolour;
  const double screen_width = width();
  const double screen_height = height();
  state.bgcolour = platform::kWhite;
  set_bounds(left(), top(), std::min(screen_width, kPrintMaxWidth),
             std::min(screen_height, kPrintMaxHeight));
  Form_Resize();
  draw_on(form2.take_chart(Picture1.width(), Picture1.height()), ChartInk::AsChosen);

  set_bounds(left(), top(), screen_width, screen_height);
  state.bgcolour = screen_background;
  Form_Resize();
  if (!platform_.printer.print_form(form2)) {
    message("The chart could not be printed.", platform::Icon::Exclamation);
  }
}

void Form1::FileSaveBMP_Click() {
  platform::SaveFileOptions options;
  options.title = "Save chart as bitmap";
  options.filter = "Bitmaps|*.BMP";
  options.default_extension = "BMP";
  options.initial_name = "Pulsewise";
  options.prompt_overwrite = true;
  const auto path = platform_.dialogs.save_file(options);
  if (!path) return;
  // The file keeps the chart's own colours, whatever the theme made of them on the screen.
  draw_on(Picture1.surface(), ChartInk::AsChosen);
  const bool written = bitmap_writer_ && bitmap_writer_(Picture1.surface(), *path);
  drawchart();
  if (!written) message("The chart could not be saved as\n" + *path, platform::Icon::Exclamation);
}

}  // namespace pulsewise
