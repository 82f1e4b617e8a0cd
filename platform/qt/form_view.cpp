#include <QKeyEvent>
#include <QLineEdit>
#include <memory>
#include <unordered_set>

#include "platform/qt/form_view_parts.h"
#include "platform/qt/keys.h"
#include "platform/qt/text.h"

namespace platform_qt {

using form::Kind;
using namespace view;

namespace {

using form::kFrameHeightWithMenu;
using form::kFrameHeightWithoutMenu;
using form::kFrameWidth;

void raise_move(form::Control& control, double x, double y) {
  if (control.on_mouse_move) control.on_mouse_move(x, y);
}

form::WindowState state_of(Qt::WindowStates states) {
  if (states & Qt::WindowMinimized) return form::WindowState::Minimised;
  if (states & (Qt::WindowMaximized | Qt::WindowFullScreen)) return form::WindowState::Maximised;
  return form::WindowState::Normal;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Life

FormView::FormView(Renderer::Impl& owner, form::Form& form)
    : owner_(owner),
      form_(form),
      window_(std::make_unique<FormWindow>()),
      menus_(std::make_unique<Menus>()) {
  window_->setObjectName(to_qstring(form.name()));
  window_->setAttribute(Qt::WA_DeleteOnClose, false);
  window_->content()->installEventFilter(this);
  window_->content()->setMouseTracking(true);
  window_->content()->paint_over = [this](QPainter& painter) {
    if (!retired_) paint_shapes(painter, form_);
  };
  window_->on_close = [this] {
    on_form([](form::Form& f) { f.user_closes(); });
    owner_.closed_by_user();
  };
  window_->on_resized = [this] { window_resized(); };
  window_->on_moved = [this] { window_moved(); };
  window_->on_state_changed = [this] { window_state_changed(); };
}

FormView::~FormView() {
  retire();
  window_.reset();
}

void FormView::retire() {
  retired_ = true;
  if (!window_) return;
  window_->on_close = nullptr;
  window_->on_resized = nullptr;
  window_->on_moved = nullptr;
  window_->on_state_changed = nullptr;
  for (auto& [id, item] : items_) {
    if (item->timer) item->timer->stop();
  }
}

form::Control* FormView::control_by_id(std::uint64_t id) const {
  if (retired_) return nullptr;
  // The lookup of the last full pass holds while no control was made or destroyed since.
  if (form::structure_revision() == seen_structure_) {
    const auto found = by_id_.find(id);
    if (found != by_id_.end()) return found->second;
  }
  return form_.find_descendant_if(
      [id](const form::Control& control) { return control.id() == id; });
}

form::Control* FormView::control_of(const QWidget* widget) const {
  for (const QWidget* w = widget; w && w != window_.get(); w = w->parentWidget()) {
    if (auto found = ids_.find(w); found != ids_.end()) return control_by_id(found.value());
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Model -> widgets

void FormView::forget_shown() {
  window_shown_.valid = false;
  for (auto& [id, item] : items_) {
    item->shown.valid = false;
    item->overlay.clear();
  }
  overlay_.clear();
  seen_properties_ = ~std::uint64_t{0};
}

void FormView::refresh() {
  if (retired_) return;
  const QPointer<QWidget> had_focus = window_->focusWidget();
  syncing_ = true;
  shown_now_.clear();
  sync_window();
  sync_menus();
  // What an event changed costs its own work: the full pass over the form runs only when
  // controls came or went; otherwise each control with a widget is compared with what its widget
  // was last given, and lines and shapes are looked at only when something they paint changed.
  const std::uint64_t structure = form::structure_revision();
  const std::uint64_t properties = form::property_revision();
  if (structure != seen_structure_) {
    synced_.clear();
    containers_.clear();
    by_id_.clear();
    std::vector<std::uint64_t> seen;
    find_buddies();
    reconcile(form_, window_->content(), seen);
    drop_unseen(seen);
    link_buddies();
  } else {
    for (const auto& [item, control] : synced_) sync(*item, *control);
  }
  if (structure != seen_structure_ || properties != seen_properties_) {
    update_overlay(form_, window_->content(), overlay_);
    for (const auto& [item, container] : containers_) {
      update_overlay(*container, item->widget, item->overlay);
    }
  }
  seen_structure_ = structure;
  seen_properties_ = properties;
  sync_state();
  sync_geometry();
  sync_visibility();
  if (!owner_.in_handler()) settle_focus(had_focus);
  shown_now_.clear();
  syncing_ = false;
  // Once the event in hand is over: a focus change the user started may still be on its way to
  // the model (a list box, say, reports its new current row before the focus change arrives).
  if (!focus_sync_pending_) {
    focus_sync_pending_ = true;
    QTimer::singleShot(0, this, [this] {
      focus_sync_pending_ = false;
      sync_focus();
    });
  }
}

void FormView::sync_focus() {
  if (retired_) return;
  const form::Control* wanted = form_.focused();
  // Compared by address only: the model may still point at a control it has since unloaded.
  if (!wanted || !window_->isVisible() ||
      !form_.find_descendant_if(
          [wanted](const form::Control& control) { return &control == wanted; })) {
    return;
  }
  const auto item = items_.find(wanted->id());
  if (item == items_.end() || !item->second->widget) return;
  QWidget* widget = item->second->widget;
  if (control_of(window_->focusWidget()) == wanted) return;
  if (widget->isVisible() && widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus) {
    widget->setFocus(Qt::OtherFocusReason);
  }
}

bool FormView::can_hold_focus(const QWidget* widget) const {
  return widget && widget->isVisibleTo(window_.get()) && widget->isEnabled() &&
         widget->focusPolicy() != Qt::NoFocus;
}

QWidget* FormView::focus_heir(const QWidget* lost) const {
  if (const form::Control* wanted = form_.focused()) {
    const auto item = items_.find(wanted->id());
    if (item != items_.end() && wanted->usable() && can_hold_focus(item->second->widget)) {
      return item->second->widget;
    }
  }
  // The frames of a blinking picture take turns in one place: the focus stays with the picture.
  for (QWidget* twin : shown_now_) {
    if (twin != lost && twin->parentWidget() == lost->parentWidget() &&
        twin->geometry() == lost->geometry() && can_hold_focus(twin)) {
      return twin;
    }
  }
  return window_->content();
}

void FormView::settle_focus(QWidget* before) {
  if (!before || before == window_->content()) return;
  if (before->isVisibleTo(window_.get()) && before->isEnabled()) return;
  // Qt may have passed the focus to the next control in the tab order already, or left it where
  // it was; either way the choice is made here.
  QWidget* heir = focus_heir(before);
  heir->setFocus(Qt::OtherFocusReason);
  form::Control* holder = control_of(heir);
  if (holder == form_.focused()) return;
  const std::uint64_t id = holder ? holder->id() : 0;
  on_form([self = QPointer<FormView>(this), id](form::Form& f) {
    f.set_focus(id ? self->control_by_id(id) : nullptr);
  });
}

void FormView::reconcile(form::Container& container, QWidget* host,
                         std::vector<std::uint64_t>& seen) {
  for (form::Control* child : container.children()) {
    if (is_painted(child->kind())) continue;
    seen.push_back(child->id());
    auto& item = items_[child->id()];
    if (!item) {
      item = std::make_unique<Item>();
      create(*item, *child, host);
    }
    sync(*item, *child);
    synced_.emplace_back(item.get(), child);
    by_id_.emplace(child->id(), child);
    if (is_container(child->kind()) && item->widget) {
      auto& inner = as<form::Container>(*child);
      containers_.emplace_back(item.get(), &inner);
      reconcile(inner, item->widget, seen);
    }
  }
}

void FormView::drop_unseen(const std::vector<std::uint64_t>& seen) {
  if (seen.size() == items_.size()) return;
  const std::unordered_set<std::uint64_t> alive(seen.begin(), seen.end());
  for (auto it = items_.begin(); it != items_.end();) {
    if (alive.count(it->first)) {
      ++it;
      continue;
    }
    Item& gone = *it->second;
    if (gone.widget) {
      ids_.remove(gone.widget);
      gone.widget->hide();
      // The widget may be the one whose signal is being handled right now.
      gone.widget->deleteLater();
    }
    if (gone.timer) {
      gone.timer->stop();
      gone.timer->deleteLater();
    }
    it = items_.erase(it);
  }
}

void FormView::create(Item& item, form::Control& control, QWidget* host) {
  item.kind = control.kind();
  if (control.kind() == Kind::Timer) {
    item.timer = new QTimer(this);
    connect(item.timer, &QTimer::timeout, this, [this, id = control.id()] {
      if (owner_.busy()) return;  // a handler is running: this tick is skipped
      on_control(id, [](form::Control& c) { as<form::Timer>(c).tick(); });
    });
    return;
  }
  item.widget = make_widget(control, host);
  item.widget->setObjectName(to_qstring(control.name()));  // for tests and debugging tools
  watch(item.widget, control.id(), is_passive(control.kind()));
  // Shown or hidden by its first sync, once it has its place: a widget shown before it is placed
  // is first sized to fit its content, which lays out its text in fonts it may never use.
}

void FormView::watch(QWidget* widget, std::uint64_t id, bool passive) {
  ids_.insert(widget, id);
  widget->installEventFilter(this);
  widget->setMouseTracking(true);
  if (passive) widget->setFocusPolicy(Qt::NoFocus);
}

// ---------------------------------------------------------------------------------------------
// The window

void FormView::sync_window() {
  if (window_title_ != form_.caption || window_title_.empty()) {
    window_title_ = form_.caption;
    const QString title = to_qstring(form_.caption);
    if (window_->windowTitle() != title) window_->setWindowTitle(title);
  }
  if (!window_->isVisible()) {
    const Qt::WindowFlags flags =
        form_.fixed_dialog ? Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint
                           : Qt::Window;
    if (window_->windowFlags() != flags) window_->setWindowFlags(flags);
  }
  Shown& shown = window_shown_;
  if (!shown.valid || shown.enabled != form_.enabled) window_->setEnabled(form_.enabled);
  if (!shown.valid || shown.pointer != form_.pointer) apply_pointer(window_.get(), form_.pointer);
  HostWidget* content = window_->content();
  if (!shown.valid || shown.font_size != form_.font_size || shown.font_bold != form_.font_bold) {
    apply_font(content, form_.font_size, form_.font_bold);
  }
  if (!shown.valid || shown.fore != form_.fore_colour || shown.back != form_.back_colour) {
    apply_colours(content, form_.fore_colour, form_.back_colour, true);
  }
  shown.valid = true;
  shown.enabled = form_.enabled;
  shown.pointer = form_.pointer;
  shown.font_size = form_.font_size;
  shown.font_bold = form_.font_bold;
  shown.fore = form_.fore_colour;
  shown.back = form_.back_colour;
}

int FormView::frame_height() const {
  const bool menu = std::any_of(form_.menus().begin(), form_.menus().end(),
                                [](const auto& item) { return item->visible; });
  return static_cast<int>(menu ? kFrameHeightWithMenu : kFrameHeightWithoutMenu);
}

QSize FormView::wanted_content() const {
  return QSize(std::max(1, geometry().px(form_.width() - kFrameWidth)),
               std::max(1, geometry().px(form_.height() - frame_height())));
}

QSize FormView::content_size() const {
  const int width = window_->width();
  return QSize(width, window_->height() - window_->menu_height(width));
}

void FormView::sync_state() {
  const form::WindowState wanted = form_.window_state();
  if (state_of(window_->windowState()) == wanted) return;
  applying_state_ = true;
  const Qt::WindowStates states = wanted == form::WindowState::Maximised   ? Qt::WindowMaximized
                                  : wanted == form::WindowState::Minimised ? Qt::WindowMinimized
                                                                           : Qt::WindowNoState;
  window_->setWindowState(states);
  applying_state_ = false;
}

void FormView::sync_geometry() {
  if (form_.window_state() != form::WindowState::Normal ||
      state_of(window_->windowState()) != form::WindowState::Normal) {
    return;
  }
  const QSize content = wanted_content();
  const QSize size(content.width(), content.height() + window_->menu_height(content.width()));
  if (window_->size() != size) {
    if (form_.fixed_dialog) {
      window_->setFixedSize(size);
    } else {
      window_->resize(size);
    }
  }
  const QPoint position(geometry().px(form_.left()), geometry().px(form_.top()));
  if (window_->pos() != position) window_->move(position);
  // A hidden window gets no resize event until shown; its content must fit already (printing
  // grabs hidden forms).
  window_->lay_out();
}

void FormView::sync_visibility() {
  if (form_.visible && !window_->isVisible()) {
    window_->show();
    window_->raise();
    window_->activateWindow();
  } else if (!form_.visible && window_->isVisible()) {
    window_->hide();
  }
}

void FormView::window_resized() {
  if (retired_ || applying_state_) return;
  window_state_changed();
  if (window_->isMinimized() || !window_->isVisible()) return;
  const QSize content = content_size();
  if (content == wanted_content()) return;
  const double width = geometry().twips(content.width()) + kFrameWidth;
  const double height = geometry().twips(content.height()) + frame_height();
  on_form([width, height](form::Form& f) { f.user_resizes(width, height); });
}

void FormView::window_moved() {
  if (retired_ || applying_state_ || !window_->isVisible()) return;
  if (form_.window_state() != form::WindowState::Normal ||
      state_of(window_->windowState()) != form::WindowState::Normal) {
    return;
  }
  const QPoint position = window_->pos();
  if (position == QPoint(geometry().px(form_.left()), geometry().px(form_.top()))) return;
  const double left = geometry().twips(position.x());
  const double top = geometry().twips(position.y());
  on_form([left, top](form::Form& f) { f.user_moves(left, top); });
}

void FormView::window_state_changed() {
  if (retired_ || applying_state_) return;
  const form::WindowState state = state_of(window_->windowState());
  if (state == form_.window_state()) return;
  on_form([state](form::Form& f) { f.set_window_state(state); });
}

// ---------------------------------------------------------------------------------------------
// Input

bool FormView::key_pressed(QWidget* receiver, const QKeyEvent& event) {
  if (retired_) return false;
  form::Control* control = control_of(receiver);
  // A control the user cannot see or reach takes no key: the key is the window's, and the
  // widget never acts on it.
  const bool astray = control && (!receiver->isVisibleTo(window_.get()) || !receiver->isEnabled() ||
                                  !control->usable());
  if (astray) control = nullptr;
  const int code = key_code(event);
  const int shift = shift_mask(event);
  if (button_key(control, event)) return true;
  if (code != 0 && (!control || form_.key_preview)) {
    on_form([code, shift](form::Form& f) { f.user_key_down(code, shift); });
  }
  if (!control) return astray;
  const std::uint64_t id = control->id();
  control = control_by_id(id);  // the key handler may have unloaded it
  if (!control || control->kind() != Kind::TextBox) return false;
  return text_box_key(as<form::TextBox>(*control), event);
}

bool FormView::button_key(const form::Control* focused, const QKeyEvent& event) {
  if (event.modifiers() & ~Qt::KeypadModifier) return false;
  const int key = event.key();
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  const bool escape = key == Qt::Key_Escape;
  // A picture that works as a button is pressed as a button is.
  if (focused && focused->kind() == Kind::Image && (enter || key == Qt::Key_Space)) {
    click(focused->id());
    return true;
  }
  if (!enter && !escape) return false;
  // With no control focused, a window that handles its own keys keeps them (Escape's Return).
  if (!focused && form_.on_key_down) return false;
  // A text box sees Enter first, through its key filter; a field that takes Enter to move on to
  // the next one keeps it.
  if (enter && focused && focused->kind() == Kind::TextBox) {
    selection_to_model(focused->id());
    filter_keys(focused->id(), {form::kKeyReturn});
    if (form_.focused() != focused) return true;
  }
  const form::Control* target = nullptr;
  if (enter && focused && focused->kind() == Kind::Button) {
    target = focused;
  } else {
    target = form_.find_descendant_if([enter](const form::Control& c) {
      if (c.kind() != Kind::Button || !c.usable()) return false;
      const auto& button = static_cast<const form::Button&>(c);
      return enter ? button.is_default : button.is_cancel;
    });
  }
  if (target) {
    click(target->id());
    return true;
  }
  if (escape && form_.fixed_dialog) {
    window_->close();  // a dialog without a cancel button closes as its title bar's button does
    return true;
  }
  // Enter went through a text box's filter already.
  return enter && focused && focused->kind() == Kind::TextBox;
}

void FormView::click(std::uint64_t id) {
  on_control(id, [](form::Control& c) {
    if (c.usable()) raise(c.on_click);
  });
}

// A typed key goes through the model's key filter. A key the filter lets through unchanged is
// left to the widget, which owns editing (undo, selection, input methods); a changed key is typed
// in its place, and a discarded one is used up.
bool FormView::text_box_key(form::TextBox& box, const QKeyEvent& event) {
  const int code = typed_code(event);
  if (code == -1) return false;  // navigation and editing keys: Qt's own
  selection_to_model(box.id());
  const std::vector<int> filtered = filter_keys(box.id(), {code});
  if (filtered == std::vector<int>{code}) return false;
  type_into(box.id(), filtered);
  return true;
}

bool FormView::text_composed(QWidget* receiver, const QString& text) {
  form::Control* control = retired_ ? nullptr : control_of(receiver);
  if (!control || control->kind() != Kind::TextBox || text.isEmpty()) return false;
  std::vector<int> codes;
  for (uint c : text.toUcs4()) codes.push_back(static_cast<int>(c));
  selection_to_model(control->id());
  // Each character goes through the key filter as if typed.
  const std::vector<int> filtered = filter_keys(control->id(), codes);
  if (filtered == codes) return false;
  type_into(control->id(), filtered);
  return true;
}

std::vector<int> FormView::filter_keys(std::uint64_t id, const std::vector<int>& codes) {
  // The handlers may run later when a refresh is under way; then nothing is typed now.
  auto result = std::make_shared<std::vector<int>>();
  on_control(id, [codes, result](form::Control& c) {
    for (int code : codes) {
      as<form::TextBox>(c).filter_key(code);
      result->push_back(code);
    }
  });
  return *result;
}

void FormView::type_into(std::uint64_t id, const std::vector<int>& codes) {
  auto found = items_.find(id);
  if (found == items_.end() || !found->second->widget) return;
  auto* edit = static_cast<QLineEdit*>(found->second->widget.data());
  for (int code : codes) {
    if (code == form::kKeyBackspace) {
      edit->backspace();
    } else if (code >= 32 && code != 127) {
      const char32_t c = static_cast<char32_t>(code);
      edit->insert(QString::fromUcs4(&c, 1));
    }
  }
}

void FormView::focus_moved_to(QWidget* now) {
  // While the widgets catch up with the model, focus moves are its own doing (settle_focus).
  if (retired_ || syncing_) return;
  form::Control* control = control_of(now);
  if (control == form_.focused()) return;
  const std::uint64_t id = control ? control->id() : 0;
  on_form([self = QPointer<FormView>(this), id](form::Form& f) {
    f.set_focus(id ? self->control_by_id(id) : nullptr);
  });
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
  // Every event of every widget passes here, thousands while a window is built: only the mouse's
  // are looked at further.
  const auto type = event->type();
  if (retired_ || (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
                   type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)) {
    return false;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  if (widget == window_->content()) return mouse_event(0, widget, event, true);
  const auto found = ids_.find(widget);
  if (found == ids_.end()) return false;
  const form::Control* control = control_by_id(found.value());
  if (!control) return false;
  return mouse_event(found.value(), widget, event, is_passive(control->kind()));
}

bool FormView::mouse_event(std::uint64_t id, QWidget* widget, QEvent* event, bool passive) {
  const auto type = event->type();
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const bool left = mouse->button() == Qt::LeftButton;
  const QPointF at = mouse->position();
  const auto target = [this, id]() -> form::Control* {
    return id ? control_by_id(id) : static_cast<form::Control*>(&form_);
  };
  form::Control* control = target();
  if (!control) return false;
  if (type == QEvent::MouseMove && control->on_mouse_move) {
    const double x = geometry().twips(at.x());
    const double y = geometry().twips(at.y());
    const auto handler = [x, y](form::Control& c) { raise_move(c, x, y); };
    id ? on_control(id, handler) : on_form(handler);
  } else if (passive && left && type == QEvent::MouseButtonRelease &&
             widget->rect().contains(at.toPoint())) {
    const auto handler = [](form::Control& c) { raise(c.on_click); };
    id ? on_control(id, handler) : on_form(handler);
  } else if (passive && left && type == QEvent::MouseButtonDblClick) {
    const auto handler = [](form::Control& c) { raise(c.on_double_click); };
    id ? on_control(id, handler) : on_form(handler);
  }
  // A passive control keeps its mouse to itself, as the desktop's controls do: its container
  // never sees the event.
  return passive;
}

}  // namespace platform_qt
