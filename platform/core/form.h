#pragma once
// The form model: windows as plain objects owning their controls, with one handler per event.
// Geometry is in twips. The Qt renderer shows a model as real widgets and copies its visible
// state back after every handled event; tests drive the same model directly.
//
// Rules the windows rely on:
// - Setting a text box's text or a scroll bar's value raises its change event at once, only on a
//   real change; a handler that sets the control again re-enters.
// - Date pickers raise their change event only for user changes (user_picks).
// - Key filters get the key code by reference; 0 discards the key.
// - Opening a top-level menu raises that menu's click event.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/colour.h"
#include "platform/core/date.h"
#include "platform/core/services.h"
#include "platform/core/surface.h"

namespace form {

using platform::Colour;

enum class Kind {
  Form,
  Label,
  Button,
  TextBox,
  ListBox,
  ScrollBar,
  Timer,
  Line,
  Shape,
  Image,
  PictureBox,
  DatePicker,
  Frame,
  Toolbar
};
// Custom: the control's own pointer, a pointing hand (a picture that opens something).
enum class Pointer { Default, Busy, Custom };
enum class WindowState { Normal = 0, Minimised = 1, Maximised = 2 };
enum class Align { Left, Centre, Right };

constexpr int kKeyBackspace = 8;
constexpr int kKeyReturn = 13;
constexpr int kKeyEscape = 27;

class Container;

// Two counts that let a view tell at once that nothing it shows can have changed: the structure
// revision moves whenever a control is made or destroyed, the property revision whenever a tracked
// property really changes value (a control's bounds or visibility, what a line or shape paints).
std::uint64_t structure_revision();
std::uint64_t property_revision();

namespace detail {
void property_changed();
}  // namespace detail

// A property whose every real change moves the property revision; it reads and assigns like the
// value it holds.
template <typename T>
class Tracked {
 public:
  Tracked(const T& value = T()) : value_(value) {}  // NOLINT: converts like the value itself
  Tracked(const Tracked&) = default;
  Tracked& operator=(const T& value) {
    if (!(value_ == value)) {
      value_ = value;
      detail::property_changed();
    }
    return *this;
  }
  Tracked& operator=(const Tracked& other) { return *this = other.value_; }
  operator const T&() const { return value_; }  // NOLINT: reads as the value
  const T& get() const { return value_; }

 private:
  T value_;
};

struct Bounds {
  double left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Bounds&) const = default;
};

// A window's bounds moved and, when it is larger, shrunk to lie wholly inside the area (the
// screen it opens on).
Bounds fit_within(const Bounds& window, const Bounds& area);

class Control {
 public:
  Control(Container* parent, std::string name, Kind kind);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  Kind kind() const { return kind_; }
  Container* parent() const { return parent_; }
  // Unique for the whole run, so a view never mistakes a new control for a destroyed one.
  std::uint64_t id() const { return id_; }

  double left() const { return bounds_.left; }
  double top() const { return bounds_.top; }
  double width() const { return bounds_.width; }
  double height() const { return bounds_.height; }
  const Bounds& bounds() const { return bounds_; }
  void set_bounds(double left, double top, double width, double height);
  void set_left(double v) { set_bounds(v, top(), width(), height()); }
  void set_top(double v) { set_bounds(left(), v, width(), height()); }
  void set_width(double v) { set_bounds(left(), top(), v, height()); }
  void set_height(double v) { set_bounds(left(), top(), width(), v); }

  // Plain properties, copied to the widget after every event.
  Tracked<bool> visible = true;
  bool enabled = true;
  std::string tooltip;
  std::optional<Colour> fore_colour;  // nothing: the desktop's default
  std::optional<Colour> back_colour;
  double font_size = 8;
  bool font_bold = false;
  Pointer pointer = Pointer::Default;

  // What assistive technology says of the control. The name, when empty, comes from what a
  // sighted user reads: a button's caption, the label whose buddy the control is, the tooltip.
  // A control that shows something without words (a chart, a gauge) describes what it shows now:
  // `describe` is asked again after every event, so the words never go stale.
  std::string accessible_name;
  std::function<std::string()> describe;

  // Shown on screen: this control and every container around it visible (the form itself aside).
  bool shown() const;
  // Shown and enabled, with every container around it enabled: the user can reach it.
  bool usable() const;

  // Events common to most controls.
  std::function<void()> on_click;
  std::function<void()> on_double_click;
  std::function<void(double x, double y)> on_mouse_move;
  std::function<void()> on_lost_focus;

 protected:
  virtual void bounds_changed() {}

 private:
  Container* parent_;
  std::string name_;
  Kind kind_;
  std::uint64_t id_;
  Bounds bounds_;
};

// A control that holds others (forms, frames, picture boxes). Children are listed in creation
// order; control arrays add and remove children at run time.
class Container : public Control {
 public:
  using Control::Control;
  const std::vector<Control*>& children() const { return children_; }
  Control* find(std::string_view name) const;
  // A control at any depth below this one, frames and picture boxes included; each level is
  // searched before the ones inside it.
  Control* find_descendant(std::string_view name) const;
  template <class Pred>
  Control* find_descendant_if(Pred&& pred) const;

 private:
  friend class Control;
  std::vector<Control*> children_;
};

template <class Pred>
Control* Container::find_descendant_if(Pred&& pred) const {
  for (Control* child : children_) {
    if (pred(*child)) return child;
  }
  for (Control* child : children_) {
    if (const auto* inner = dynamic_cast<const Container*>(child)) {
      if (Control* found = inner->find_descendant_if(pred)) return found;
    }
  }
  return nullptr;
}

class Label : public Control {
 public:
  Label(Container* parent, std::string name, std::string caption = {});
  std::string caption;
  Align alignment = Align::Left;
  bool word_wrap = true;
  // The field this label names: it takes the label's words as its name, and the label's
  // Alt+letter moves the focus to it.
  Control* buddy = nullptr;
};

class Button : public Control {
 public:
  Button(Container* parent, std::string name, std::string caption = {});
  std::string caption;
  // Enter presses the default button and Escape the cancel button of the window, while they can
  // be reached; a window holds at most one of each that is shown at a time.
  bool is_default = false;
  bool is_cancel = false;
};

// Text is UTF-8; the caret, the selection and the length limit count characters.
class TextBox : public Control {
 public:
  TextBox(Container* parent, std::string name);
  const std::string& text() const { return text_; }
  // Raises on_change when the text really changes; the selection moves to the end.
  void set_text(std::string text);
  int sel_start = 0;
  int sel_length = 0;
  int max_length = 0;  // 0: no limit
  void select_all();
  // A key the user presses, through the key filter: afterwards `key` is the character to type
  // (a code point, or 8 for Backspace), or 0 when the filter discarded it.
  void filter_key(int& key);
  // A key typed by the user: the key filter first, then the (possibly changed) key replaces the
  // selection or, for Backspace, deletes it or the character before the caret.
  void user_types(int key);
  // Each character of a UTF-8 text typed in turn.
  void user_types_text(std::string_view text);
  // Any other edit by the user (paste, Delete key, undo, an edit the widget made itself): the
  // whole new text.
  void user_edits(std::string text);
  std::function<void(int& key)> on_key_press;
  std::function<void()> on_change;

 private:
  std::string text_;
};

class ListBox : public Control {
 public:
  ListBox(Container* parent, std::string name);
  bool sorted = false;
  const std::vector<std::string>& items() const { return items_; }
  void add_item(std::string item);
  void clear();
  int list_index = -1;  // the selected item, -1 for none
  std::string selected_text() const;
  // The user clicks an item: selects it and raises on_click.
  void user_selects(int index);
  void user_double_clicks(int index);

 private:
  std::vector<std::string> items_;
};

class ScrollBar : public Control {
 public:
  ScrollBar(Container* parent, std::string name);
  int min = 0;
  int max = 32767;
  int small_change = 1;
  int large_change = 1;
  int value() const { return value_; }
  // Raises on_change when the value really changes (from code and from the user alike).
  void set_value(int value);
  std::function<void()> on_change;

 private:
  int value_ = 0;
};

class Timer : public Control {
 public:
  Timer(Container* parent, std::string name, int interval_ms, bool enabled);
  int interval_ms;
  std::function<void()> on_tick;
  // One tick, as the platform's timer gives it (tests call it by hand).
  void tick();
};

class Line : public Control {
 public:
  Line(Container* parent, std::string name);
  Tracked<double> x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Tracked<Colour> border_colour = platform::kBlack;
  Tracked<int> border_width = 1;
  // Copies the look and position of another line (control arrays load copies of element 0).
  void copy_from(const Line& other);
};

class Shape : public Control {
 public:
  enum class Outline { Rectangle, Square, Oval, Circle, RoundedRectangle };
  Shape(Container* parent, std::string name);
  Tracked<Outline> outline = Outline::Rectangle;
  Tracked<Colour> border_colour = platform::kBlack;
  Tracked<std::optional<Colour>> fill_colour;  // nothing: transparent
  Tracked<int> border_width = 1;
};

// A picture from the program's resources, by name ("thermometer", ...), optionally stretched.
class Image : public Control {
 public:
  Image(Container* parent, std::string name, std::string picture = {});
  std::string picture;
  bool stretch = true;
  // A picture that works as a button: Tab reaches it and Space or Enter clicks it.
  bool takes_focus = false;
  // Shows a picture file instead of the named picture (which stays for a file that cannot be
  // read); the file is read anew on every call, also under a name shown before.
  void load_file(std::string path) {
    file_ = std::move(path);
    ++file_serial_;
  }
  const std::string& file() const { return file_; }
  unsigned file_serial() const { return file_serial_; }

 private:
  std::string file_;
  unsigned file_serial_ = 0;
};

// A picture box with a persistent image that handlers draw into; it may also hold controls.
class PictureBox : public Container {
 public:
  PictureBox(Container* parent, std::string name, platform::SurfaceFactory& surfaces);
  platform::DrawSurface& surface() { return *surface_; }
  const platform::DrawSurface& surface() const { return *surface_; }
  bool border = true;
  // Incremented by every change a handler may have made to the image, so views repaint.
  void image_changed() { ++image_serial_; }
  unsigned image_serial() const { return image_serial_; }

 protected:
  void bounds_changed() override;

 private:
  std::unique_ptr<platform::DrawSurface> surface_;
  unsigned image_serial_ = 0;
};

class DatePicker : public Control {
 public:
  DatePicker(Container* parent, std::string name, platform::Serial value);
  platform::Serial value() const { return value_; }
  // From the program: no change event.
  void set_value(platform::Serial value) { value_ = platform::day_part(value); }
  // From the user: raises on_change when the date really changes.
  void user_picks(platform::Serial value);
  std::function<void()> on_change;

 private:
  platform::Serial value_;
};

class Frame : public Container {
 public:
  Frame(Container* parent, std::string name, std::string caption = {});
  std::string caption;
};

struct ToolButton {
  std::string key;
  std::string tooltip;
  std::string image_key;
};

class Toolbar : public Control {
 public:
  Toolbar(Container* parent, std::string name);
  std::vector<ToolButton> buttons;
  std::function<void(const std::string& key)> on_button_click;
  void user_presses(const std::string& key);
};

// A control array: element 0 is made with the form, the others are loaded and unloaded while the
// program runs; each load starts as a copy of element 0.
template <typename T>
class ControlArray {
 public:
  ControlArray(Container* parent, std::string base_name)
      : parent_(parent), base_(std::move(base_name)) {}
  T& load(int index) {
    auto control = std::make_unique<T>(parent_, base_ + "(" + std::to_string(index) + ")");
    if (auto zero = elements_.find(0); zero != elements_.end()) control->copy_from(*zero->second);
    T& ref = *control;
    elements_[index] = std::move(control);
    return ref;
  }
  void unload(int index) { elements_.erase(index); }
  bool loaded(int index) const { return elements_.count(index) != 0; }
  T& operator[](int index) { return *elements_.at(index); }
  const T& operator[](int index) const { return *elements_.at(index); }
  std::size_t size() const { return elements_.size(); }

 private:
  Container* parent_;
  std::string base_;
  std::map<int, std::unique_ptr<T>> elements_;
};

class MenuItem {
 public:
  MenuItem(std::string name, std::string caption, std::string shortcut = {});
  std::string name;
  std::string caption;   // "&Save"; "-" makes a separator line
  std::string shortcut;  // "Ctrl+T", "F1", "Shift+F1" or empty
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  bool is_separator() const { return caption == "-"; }
  std::vector<std::unique_ptr<MenuItem>>& items() { return items_; }
  const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }
  MenuItem& add(std::string name, std::string caption, std::string shortcut = {});
  // Chosen by the user (for a top-level menu: opened). Disabled or hidden items do nothing.
  void user_clicks();
  std::function<void()> on_click;

 private:
  std::vector<std::unique_ptr<MenuItem>> items_;
};

// The frame a desktop window puts around a form's content area, in twips: the borders on both
// sides across (four pixels each at 96 DPI, the thin frame the windows are laid out for, so a
// control placed a margin away from the right edge shows whole), and the title bar, the menu bar
// when there is one, and the borders down.
inline constexpr double kFrameWidth = 120;
inline constexpr double kFrameHeightWithMenu = 690;
inline constexpr double kFrameHeightWithoutMenu = 390;

class Form : public Container {
 public:
  explicit Form(std::string name, std::string caption = {});
  std::string caption;
  bool key_preview = false;
  bool fixed_dialog = false;  // a fixed-size dialog frame without minimise and maximise

  std::vector<std::unique_ptr<MenuItem>>& menus() { return menus_; }
  const std::vector<std::unique_ptr<MenuItem>>& menus() const { return menus_; }
  MenuItem& add_menu(std::string name, std::string caption);
  MenuItem* find_menu_item(std::string_view name) const;

  WindowState window_state() const { return state_; }
  // Leaving the maximised or minimised state puts the normal size back and raises on_resize.
  void set_window_state(WindowState state);
  // The size and position the window has in its normal state.
  const Bounds& normal_bounds() const { return normal_; }

  // The window changed size by the user or the desktop (raises on_resize on a real change).
  void user_resizes(double width, double height);
  void user_moves(double left, double top);
  // The user closes the window: on_unload runs, and the window is hidden afterwards unless the
  // handler called keep_open() (a quit whose save failed keeps the window and its data).
  void user_closes();
  void keep_open() { keep_open_ = true; }
  // A key reaches the window itself (key down, before any control).
  void user_key_down(int key, int shift);

  std::function<void()> on_load;
  std::function<void()> on_resize;
  std::function<void()> on_unload;
  std::function<void(int key, int shift)> on_key_down;

  // The focused control, if any; moving the focus raises the old one's on_lost_focus.
  Control* focused() const { return focused_; }
  void set_focus(Control* control);

 protected:
  void bounds_changed() override;

 private:
  std::vector<std::unique_ptr<MenuItem>> menus_;
  WindowState state_ = WindowState::Normal;
  Bounds normal_;
  Control* focused_ = nullptr;
  bool keep_open_ = false;

  friend class Control;
};

}  // namespace form
