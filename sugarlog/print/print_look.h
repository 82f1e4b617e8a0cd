#pragma once
// The window in its print colours for as long as a page is printed: each change is remembered
// with the value it replaced, so that restore() brings back every colour and every shown or
// hidden control exactly as the screen had it.
#include <functional>
#include <vector>

#include "platform/core/form.h"
#include "sugarlog/charts/chart_frame.h"

namespace sugarlog {

class PrintLook {
 public:
  PrintLook() = default;
  PrintLook(const PrintLook&) = delete;
  PrintLook& operator=(const PrintLook&) = delete;
  // Restores whatever is still changed.
  ~PrintLook();

  void hide(form::Control& control);
  void text_colour(form::Control& control, platform::Colour colour);
  void back_colour(form::Control& control, platform::Colour colour);
  // The text colour of every label and frame at any depth below the container.
  void all_texts(form::Container& container, platform::Colour colour);
  // Every line the chart holds: objective lines and plot lines alike, whatever their number.
  void chart_lines(ChartControls& chart, platform::Colour colour);
  void chart_background(ChartControls& chart, platform::Colour colour);

  // Undoes every change, the last one first.
  void restore();

 private:
  std::vector<std::function<void()>> undo_;
};

}  // namespace sugarlog
