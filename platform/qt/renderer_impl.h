#pragma once
// Inside the renderer: the event dispatch shared by every form, and one view per attached form.
#include <QEventLoop>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/qt/pictures.h"
#include "platform/qt/renderer.h"
#include "platform/qt/widgets.h"

class QKeyEvent;
class QLineEdit;
class QMenu;
class QTimer;

namespace platform_qt {

class FormView;

// What a widget was last given from its control, so that a control nothing changed costs a few
// comparisons and no call into Qt. Only properties the user cannot change on the widget itself are
// kept here; values the user edits (text, scroll position, selection) are compared with the widget.
struct Shown {
  bool valid = false;
  form::Bounds bounds;
  bool visible = false;
  bool enabled = false;
  std::string tooltip;
  std::optional<platform::Colour> fore;
  std::optional<platform::Colour> back;
  double font_size = 0;
  bool font_bold = false;
  form::Pointer pointer = form::Pointer::Default;
  std::string caption;  // of a label, button or frame
  std::string accessible_name;
  std::string description;
  bool is_default = false;  // of a button
  form::Align alignment = form::Align::Left;
  bool word_wrap = false;
  int min = 0, max = 0, small_change = 0, large_change = 0;  // of a scroll bar
};

// Twips <-> device-independent pixels.
struct Geometry {
  double dpi = 96.0;
  int px(double twips) const;
  double twips(double pixels) const;
  QRect rect(const form::Bounds& bounds) const;
  form::Bounds bounds(const QRect& pixels) const;
};

class Renderer::Impl : public QObject {
 public:
  explicit Impl(platform::ProgramControl& program);
  ~Impl() override;

  // Runs one model handler and then brings every form's widgets up to date. A handler wanted
  // while the widgets are being updated runs as soon as that is done; none runs once the
  // program is ending.
  void dispatch(std::function<void()> handler);
  // True while a handler runs (timers skip their tick then: handlers never overlap).
  bool busy() const { return depth_ > 0 || refreshing_; }
  // True while a handler runs: a refresh now (a window grabbed for printing) shows a passing
  // state, and the focus is settled only once the handler is over.
  bool in_handler() const { return depth_ > 0; }

  FormView& attach(form::Form& form);
  void detach(form::Form& form);
  FormView* view_for(const form::Form& form) const;
  void refresh();
  void run_modal(form::Form& form);
  // A window about to open where it was last time: moved and shrunk to lie inside the screen it
  // opens on, as the desktop would place it, and its form told so (it may lay itself out anew).
  void fit_to_screen(form::Form& form);
  // After the user closed a window: with no form left on screen the program ends, rather than
  // run on with no window.
  void closed_by_user();

  platform::ProgramControl& program;
  Geometry geometry;
  PictureRegistry pictures;
  QString date_format;  // for date pickers

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FormView* view_of_window(const QWidget* window) const;
  void focus_changed(QWidget* now);
  void after_event();
  void shut_down();

  std::vector<std::unique_ptr<FormView>> views_;
  struct Modal {
    form::Form* form;
    QEventLoop* loop;
  };
  std::vector<Modal> modal_;
  int depth_ = 0;
  bool refreshing_ = false;
  bool shut_down_ = false;
};

class FormView : public QObject {
 public:
  FormView(Renderer::Impl& owner, form::Form& form);
  ~FormView() override;

  form::Form& form() const { return form_; }
  FormWindow* window() const { return window_.get(); }
  // Model -> widgets.
  void refresh();
  // The model form may be gone: react to nothing any more.
  void retire();
  // Everything a widget was given is given again at the next refresh (the desktop's theme
  // changed what the model's system colours mean).
  void forget_shown();

  form::Control* control_by_id(std::uint64_t id) const;
  // The control a widget (or one of its inner widgets) shows; nullptr for the window itself.
  form::Control* control_of(const QWidget* widget) const;
  // A key press whose first receiver is in this window; true when it was used up.
  bool key_pressed(QWidget* receiver, const QKeyEvent& event);
  // Characters an input method (dead keys, compose) produced; true when a text box took them.
  bool text_composed(QWidget* receiver, const QString& text);
  void focus_moved_to(QWidget* now);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Item;
  struct Menus;

  template <typename F>
  void on_control(std::uint64_t id, F handler);
  template <typename F>
  void on_form(F handler);

  // Widgets for the controls (form_view.cpp, form_view_controls.cpp).
  void reconcile(form::Container& container, QWidget* host, std::vector<std::uint64_t>& seen);
  void drop_unseen(const std::vector<std::uint64_t>& seen);
  void create(Item& item, form::Control& control, QWidget* host);
  void watch(QWidget* widget, std::uint64_t id, bool passive);
  QWidget* make_widget(form::Control& control, QWidget* host);
  QWidget* make_button(std::uint64_t id, QWidget* host);
  QWidget* make_text_box(std::uint64_t id, QWidget* host);
  QWidget* make_list_box(std::uint64_t id, QWidget* host);
  QWidget* make_scroll_bar(std::uint64_t id, QWidget* host);
  QWidget* make_image(std::uint64_t id, QWidget* host);
  QWidget* make_picture_box(std::uint64_t id, QWidget* host);
  QWidget* make_date_picker(std::uint64_t id, QWidget* host);
  void sync(Item& item, form::Control& control);
  void sync_common(QWidget* widget, const form::Control& control, Shown& shown);
  // What assistive technology reads of a control: its name and what it shows now.
  void sync_access(QWidget* widget, const form::Control& control, Shown& shown);
  std::string accessible_name_of(const form::Control& control) const;
  // Labels name their buddies, and their Alt+letter reaches them.
  void find_buddies();
  void link_buddies();
  void sync_text_box(QLineEdit* edit, const form::TextBox& box);
  void sync_image(Item& item, const form::Image& model);
  void sync_toolbar(Item& item, form::Toolbar& toolbar);
  void sync_timer(Item& item, const form::Timer& timer);
  void selection_to_model(std::uint64_t id);

  // Lines and shapes, painted by the container that holds them.
  void paint_shapes(QPainter& painter, const form::Container& container) const;
  void paint_shapes_of(QPainter& painter, std::uint64_t id) const;
  void paint_picture(QPainter& painter, std::uint64_t id, const QWidget& widget) const;
  void update_overlay(const form::Container& container, QWidget* host,
                      std::vector<double>& signature);

  // Menus (form_view_menus.cpp).
  void sync_menus();
  void rebuild_menus(std::vector<form::MenuItem*> shape);
  void build_menu(QMenu* menu, form::MenuItem& parent);
  void menu_chosen(form::MenuItem* item);

  // Input.
  bool text_box_key(form::TextBox& box, const QKeyEvent& event);
  // Enter, Escape and Space pressing a button as in a dialog; true when one was pressed.
  bool button_key(const form::Control* focused, const QKeyEvent& event);
  void click(std::uint64_t id);
  // The characters as the text box's key filter leaves them (0 for each one it discarded).
  std::vector<int> filter_keys(std::uint64_t id, const std::vector<int>& codes);
  // Characters typed into the widget itself, as part of its own editing and undo history.
  void type_into(std::uint64_t id, const std::vector<int>& codes);
  // A mouse event (eventFilter passes no other) of the control id, 0 for the form.
  bool mouse_event(std::uint64_t id, QWidget* widget, QEvent* event, bool passive);

  // The window.
  void sync_window();
  void sync_state();
  void sync_geometry();
  void sync_visibility();
  void sync_focus();
  // After the widgets caught up: a control hidden or disabled while it held the focus passes it
  // on (to the control the model wants, to the other frame of a picture shown in its place, or
  // to the window itself), so no key ever lands in a control the user cannot see.
  void settle_focus(QWidget* before);
  QWidget* focus_heir(const QWidget* lost) const;
  bool can_hold_focus(const QWidget* widget) const;
  void window_resized();
  void window_moved();
  void window_state_changed();
  int frame_height() const;
  QSize wanted_content() const;
  QSize content_size() const;

  const Geometry& geometry() const { return owner_.geometry; }

  Renderer::Impl& owner_;
  form::Form& form_;
  std::unique_ptr<FormWindow> window_;
  std::unordered_map<std::uint64_t, std::unique_ptr<Item>> items_;
  QHash<const QWidget*, std::uint64_t> ids_;
  std::vector<double> overlay_;
  std::unique_ptr<Menus> menus_;
  // The controls with widgets, in the order of the last full pass, with the containers among them
  // and their lookup by id: valid while no control anywhere was made or destroyed since.
  std::vector<std::pair<Item*, form::Control*>> synced_;
  std::vector<std::pair<Item*, form::Container*>> containers_;
  std::unordered_map<std::uint64_t, form::Control*> by_id_;
  std::unordered_map<std::uint64_t, const form::Label*> buddy_labels_;  // by the buddy's id
  std::uint64_t seen_structure_ = ~std::uint64_t{0};
  std::uint64_t seen_properties_ = ~std::uint64_t{0};
  Shown window_shown_;
  std::string window_title_;
  bool retired_ = false;
  bool applying_state_ = false;
  bool focus_sync_pending_ = false;
  bool syncing_ = false;             // focus moves now are the widgets catching up
  std::vector<QWidget*> shown_now_;  // widgets the refresh under way has just shown
  int just_selected_row_ = -1;
};

}  // namespace platform_qt
