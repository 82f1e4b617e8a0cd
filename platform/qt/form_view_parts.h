#pragma once
// What the files of the form view share: the record kept per control, the menu bookkeeping and
// the small helpers. Inside the renderer only.
#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/qt/renderer_impl.h"

namespace platform_qt {

struct FormView::Item {
  form::Kind kind;
  QPointer<QWidget> widget;
  QPointer<QTimer> timer;
  Shown shown;
  unsigned image_serial = 0;
  std::vector<double> overlay;       // lines and shapes this container last painted
  std::vector<std::string> toolbar;  // buttons the toolbar was built with
  std::string picture;
  bool stretch = true;
  unsigned file_serial = 0;
  QPixmap file;  // the picture file an image shows, null for none or unreadable
};

// What a menu item's action was last given.
struct MenuShown {
  bool valid = false;
  std::string caption;
  std::string shortcut;
  bool visible = false;
  bool enabled = false;
  bool checked = false;
  QAction* action = nullptr;
};

struct FormView::Menus {
  std::vector<form::MenuItem*> shape;  // every item, depth first, as built
  std::vector<MenuShown> shown;        // for each item of shape
  std::unordered_map<form::MenuItem*, QAction*> actions;
  std::vector<QPointer<QMenu>> menus;
};

template <typename F>
void FormView::on_control(std::uint64_t id, F handler) {
  if (retired_) return;
  owner_.dispatch([self = QPointer<FormView>(this), id, handler] {
    if (!self || self->retired_) return;
    if (form::Control* control = self->control_by_id(id)) handler(*control);
  });
}

template <typename F>
void FormView::on_form(F handler) {
  if (retired_) return;
  owner_.dispatch([self = QPointer<FormView>(this), handler] {
    if (self && !self->retired_) handler(self->form_);
  });
}

namespace view {

inline bool is_container(form::Kind kind) {
  return kind == form::Kind::PictureBox || kind == form::Kind::Frame;
}
inline bool is_painted(form::Kind kind) {
  return kind == form::Kind::Line || kind == form::Kind::Shape;
}
// Controls whose widgets do nothing with the mouse themselves: the model gets every click.
inline bool is_passive(form::Kind kind) {
  return kind == form::Kind::Label || kind == form::Kind::Image || kind == form::Kind::PictureBox ||
         kind == form::Kind::Frame;
}

inline void raise(const std::function<void()>& handler) {
  if (handler) handler();
}

template <typename T>
T& as(form::Control& control) {
  return static_cast<T&>(control);
}

// The properties every widget takes from its control (and a form's content area from its form).
void apply_colours(QWidget* widget, const std::optional<platform::Colour>& fore,
                   const std::optional<platform::Colour>& back, bool fill);
void apply_font(QWidget* widget, double points, bool bold);
void apply_pointer(QWidget* widget, form::Pointer pointer);

}  // namespace view
}  // namespace platform_qt
