#include "sugarlog/print/print_look.h"

namespace sugarlog {

PrintLook::~PrintLook() {
  restore();
}

void PrintLook::hide(form::Control& control) {
  undo_.push_back([&control, was = control.visible] { control.visible = was; });
  control.visible = false;
}

void PrintLook::text_colour(form::Control& control, platform::Colour colour) {
  undo_.push_back([&control, was = control.fore_colour] { control.fore_colour = was; });
  control.fore_colour = colour;
}

void PrintLook::back_colour(form::Control& control, platform::Colour colour) {
  undo_.push_back([&control, was = control.back_colour] { control.back_colour = was; });
  control.back_colour = colour;
}

void PrintLook::all_texts(form::Container& container, platform::Colour colour) {
  for (form::Control* child : container.children()) {
    if (child->kind() == form::Kind::Label || child->kind() == form::Kind::Frame) {
      text_colour(*child, colour);
    }
    if (auto* inner = dynamic_cast<form::Container*>(child)) all_texts(*inner, colour);
  }
}

void PrintLook::chart_lines(ChartControls& chart, platform::Colour colour) {
  for (form::Control* child : chart.Graphique.children()) {
    if (child->kind() != form::Kind::Line) continue;
    auto& line = static_cast<form::Line&>(*child);
    undo_.push_back([&line, was = line.border_colour] { line.border_colour = was; });
    line.border_colour = colour;
  }
}

void PrintLook::chart_background(ChartControls& chart, platform::Colour colour) {
  const platform::Colour was = chart.Graphique.back_colour.value_or(kChartBlack);
  undo_.push_back([&chart, was] { set_chart_background(chart, was); });
  set_chart_background(chart, colour);
}

void PrintLook::restore() {
  while (!undo_.empty()) {
    undo_.back()();
    undo_.pop_back();
  }
}

}  // namespace sugarlog
