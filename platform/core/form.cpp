#include "platform/core/form.h"

#include <algorithm>

#include "platform/core/utf8.h"

namespace form {

using platform::decode_utf8;
using platform::DecodedChar;
using platform::encode_utf8;
using platform::utf8_length;
using platform::utf8_offset;

Bounds fit_within(const Bounds& window, const Bounds& area) {
  if (area.width <= 0 || area.height <= 0) return window;  // no screen to speak of
  Bounds out = window;
  out.width = std::min(window.width, area.width);
  out.height = std::min(window.height, area.height);
  out.left = std::clamp(window.left, area.left, area.left + area.width - out.width);
  out.top = std::clamp(window.top, area.top, area.top + area.height - out.height);
  return out;
}

namespace {
std::uint64_t next_control_id() {
  static std::uint64_t counter = 0;
  return ++counter;
}

std::uint64_t g_structure_revision = 0;
std::uint64_t g_property_revision = 0;

void raise(const std::function<void()>& handler) {
  if (handler) handler();
}
}  // namespace

std::uint64_t structure_revision() {
  return g_structure_revision;
}

std::uint64_t property_revision() {
  return g_property_revision;
}

void detail::property_changed() {
  ++g_property_revision;
}

Control::Control(Container* parent, std::string name, Kind kind)
    : parent_(parent), name_(std::move(name)), kind_(kind), id_(next_control_id()) {
  ++g_structure_revision;
  if (parent_) parent_->children_.push_back(this);
}

Control::~Control() {
  ++g_structure_revision;
  if (!parent_) return;
  // Searched from the end: controls loaded at run time sit at the end and are mostly unloaded
  // from there, so a chart of thousands of lines clears in linear time.
  auto& siblings = parent_->children_;
  if (const auto found = std::find(siblings.rbegin(), siblings.rend(), this);
      found != siblings.rend()) {
    siblings.erase(std::next(found).base());
  }
  // A control unloaded while it has the focus must not be told later that it lost it.
  Container* top = parent_;
  while (top->parent()) top = top->parent();
  if (top->kind() == Kind::Form) {
    auto* window = static_cast<Form*>(top);
    if (window->focused_ == this) window->focused_ = nullptr;
  }
}

void Control::set_bounds(double left, double top, double width, double height) {
  Bounds next{left, top, width, height};
  if (next.left == bounds_.left && next.top == bounds_.top && next.width == bounds_.width &&
      next.height == bounds_.height) {
    return;
  }
  bounds_ = next;
  detail::property_changed();
  bounds_changed();
}

bool Control::shown() const {
  for (const Control* c = this; c && c->kind() != Kind::Form; c = c->parent()) {
    if (!c->visible) return false;
  }
  return true;
}

bool Control::usable() const {
  for (const Control* c = this; c && c->kind() != Kind::Form; c = c->parent()) {
    if (!c->visible || !c->enabled) return false;
  }
  return true;
}

Control* Container::find(std::string_view name) const {
  for (Control* child : children_) {
    if (child->name() == name) return child;
  }
  return nullptr;
}

Control* Container::find_descendant(std::string_view name) const {
  return find_descendant_if([name](const Control& control) { return control.name() == name; });
}

Label::Label(Container* parent, std::string name, std::string caption_text)
    : Control(parent, std::move(name), Kind::Label), caption(std::move(caption_text)) {}

Button::Button(Container* parent, std::string name, std::string caption_text)
    : Control(parent, std::move(name), Kind::Button), caption(std::move(caption_text)) {}

TextBox::TextBox(Container* parent, std::string name)
    : Control(parent, std::move(name), Kind::TextBox) {}

void TextBox::set_text(std::string text) {
  if (max_length > 0) text.resize(utf8_offset(text, static_cast<std::size_t>(max_length)));
  sel_start = static_cast<int>(utf8_length(text));
  sel_length = 0;
  if (text == text_) return;
  text_ = std::move(text);
  raise(on_change);
}

void TextBox::select_all() {
  sel_start = 0;
  sel_length = static_cast<int>(utf8_length(text_));
}

void TextBox::filter_key(int& key) {
  if (on_key_press) on_key_press(key);
}

void TextBox::user_types(int key) {
  filter_key(key);
  const bool typed_char = key >= 32 && key != 127 && key <= 0x10FFFF;
  if (key != kKeyBackspace && !typed_char) return;
  const int size = static_cast<int>(utf8_length(text_));
  int start = std::clamp(sel_start, 0, size);
  int length = std::clamp(sel_length, 0, size - start);
  if (key == kKeyBackspace && length == 0 && start > 0) {
    --start;
    length = 1;
  }
  if (typed_char && max_length > 0 && size - length >= max_length) return;
  const std::size_t from = utf8_offset(text_, static_cast<std::size_t>(start));
  const std::size_t to = utf8_offset(text_, static_cast<std::size_t>(start + length));
  std::string next = text_;
  if (key == kKeyBackspace) {
    next.erase(from, to - from);
  } else {
    next.replace(from, to - from, encode_utf8(static_cast<char32_t>(key)));
    ++start;
  }
  const bool changed = next != text_;
  text_ = std::move(next);
  sel_start = start;
  sel_length = 0;
  if (changed) raise(on_change);
}

void TextBox::user_types_text(std::string_view text) {
  while (!text.empty()) {
    const DecodedChar c = decode_utf8(text);
    user_types(static_cast<int>(c.code_point));
    text.remove_prefix(c.length);
  }
}

void TextBox::user_edits(std::string text) {
  set_text(std::move(text));
}

ListBox::ListBox(Container* parent, std::string name)
    : Control(parent, std::move(name), Kind::ListBox) {}

void ListBox::add_item(std::string item) {
  if (sorted) {
    auto at = std::upper_bound(items_.begin(), items_.end(), item);
    items_.insert(at, std::move(item));
  } else {
    items_.push_back(std::move(item));
  }
}

void ListBox::clear() {
  items_.clear();
  list_index = -1;
}

std::string ListBox::selected_text() const {
  if (list_index < 0 || list_index >= static_cast<int>(items_.size())) return {};
  return items_[list_index];
}

void ListBox::user_selects(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  list_index = index;
  raise(on_click);
}

void ListBox::user_double_clicks(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  list_index = index;
  raise(on_double_click);
}

ScrollBar::ScrollBar(Container* parent, std::string name)
    : Control(parent, std::move(name), Kind::ScrollBar) {}

void ScrollBar::set_value(int value) {
  value = std::clamp(value, std::min(min, max), std::max(min, max));
  if (value == value_) return;
  value_ = value;
  raise(on_change);
}

Timer::Timer(Container* parent, std::string name, int interval, bool is_enabled)
    : Control(parent, std::move(name), Kind::Timer), interval_ms(interval) {
  enabled = is_enabled;
  visible = false;
}

void Timer::tick() {
  if (enabled && interval_ms > 0) raise(on_tick);
}

Line::Line(Container* parent, std::string name) : Control(parent, std::move(name), Kind::Line) {}

void Line::copy_from(const Line& other) {
  x1 = other.x1;
  y1 = other.y1;
  x2 = other.x2;
  y2 = other.y2;
  border_colour = other.border_colour;
  border_width = other.border_width;
  visible = other.visible;
}

Shape::Shape(Container* parent, std::string name) : Control(parent, std::move(name), Kind::Shape) {}

Image::Image(Container* parent, std::string name, std::string picture_name)
    : Control(parent, std::move(name), Kind::Image), picture(std::move(picture_name)) {}

PictureBox::PictureBox(Container* parent, std::string name, platform::SurfaceFactory& surfaces)
    : Container(parent, std::move(name), Kind::PictureBox), surface_(surfaces.make_surface(0, 0)) {}

void PictureBox::bounds_changed() {
  if (surface_->width() != width() || surface_->height() != height()) {
    surface_->resize(width(), height());
    image_changed();
  }
}

DatePicker::DatePicker(Container* parent, std::string name, platform::Serial value)
    : Control(parent, std::move(name), Kind::DatePicker), value_(platform::day_part(value)) {}

void DatePicker::user_picks(platform::Serial value) {
  value = platform::day_part(value);
  if (value == value_) return;
  value_ = value;
  raise(on_change);
}

Frame::Frame(Container* parent, std::string name, std::string caption_text)
    : Container(parent, std::move(name), Kind::Frame), caption(std::move(caption_text)) {}

Toolbar::Toolbar(Container* parent, std::string name)
    : Control(parent, std::move(name), Kind::Toolbar) {}

void Toolbar::user_presses(const std::string& key) {
  if (enabled && on_button_click) on_button_click(key);
}

MenuItem::MenuItem(std::string item_name, std::string item_caption, std::string item_shortcut)
    : name(std::move(item_name)),
      caption(std::move(item_caption)),
      shortcut(std::move(item_shortcut)) {}

MenuItem& MenuItem::add(std::string item_name, std::string item_caption,
                        std::string item_shortcut) {
  items_.push_back(std::make_unique<MenuItem>(std::move(item_name), std::move(item_caption),
                                              std::move(item_shortcut)));
  return *items_.back();
}

void MenuItem::user_clicks() {
  if (enabled && visible && !is_separator()) raise(on_click);
}

Form::Form(std::string name, std::string caption_text)
    : Container(nullptr, std::move(name), Kind::Form), caption(std::move(caption_text)) {
  visible = false;
}

MenuItem& Form::add_menu(std::string item_name, std::string item_caption) {
  menus_.push_back(std::make_unique<MenuItem>(std::move(item_name), std::move(item_caption)));
  return *menus_.back();
}

namespace {
MenuItem* find_in(const std::vector<std::unique_ptr<MenuItem>>& items, std::string_view name) {
  for (const auto& item : items) {
    if (item->name == name) return item.get();
    if (MenuItem* found = find_in(item->items(), name)) return found;
  }
  return nullptr;
}
}  // namespace

MenuItem* Form::find_menu_item(std::string_view item_name) const {
  return find_in(menus_, item_name);
}

void Form::bounds_changed() {
  if (state_ == WindowState::Normal) normal_ = bounds();
}

void Form::set_window_state(WindowState state) {
  if (state == state_) return;
  state_ = state;
  if (state == WindowState::Normal) {
    const Bounds normal = normal_;
    set_bounds(normal.left, normal.top, normal.width, normal.height);
  }
  raise(on_resize);
}

void Form::user_resizes(double new_width, double new_height) {
  if (new_width == width() && new_height == height()) return;
  set_bounds(left(), top(), new_width, new_height);
  raise(on_resize);
}

void Form::user_moves(double new_left, double new_top) {
  set_bounds(new_left, new_top, width(), height());
}

void Form::user_closes() {
  keep_open_ = false;
  raise(on_unload);
  if (!keep_open_) visible = false;
}

void Form::user_key_down(int key, int shift) {
  if (on_key_down) on_key_down(key, shift);
}

void Form::set_focus(Control* control) {
  if (control == focused_) return;
  Control* previous = focused_;
  focused_ = control;
  if (previous) raise(previous->on_lost_focus);
}

}  // namespace form
