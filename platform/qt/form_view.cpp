#include <QApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <utility>

#include "platform/qt/image_surface.h"
#include "platform/qt/keys.h"
#include "platform/qt/renderer_impl.h"
#include "platform/qt/text.h"

namespace platform_qt {

using form::Kind;

struct FormView::Item {
  Kind kind;
  QPointer<QWidget> widget;
  QPointer<QTimer> timer;
  unsigned image_serial = 0;
  std::vector<double> overlay;       // lines and shapes this container last painted
  std::vector<std::string> toolbar;  // buttons the toolbar was built with
  std::string picture;
  bool stretch = true;
};

struct FormView::Menus {
  std::vector<form::MenuItem*> shape;  // every item, depth first, as built
  std::unordered_map<form::MenuItem*, QAction*> actions;
  std::vector<QPointer<QMenu>> menus;
};

namespace {

// The window frame the desktop adds around a form's content area, in twips.
constexpr double kFrameWidth = 240;
constexpr double kFrameHeightWithMenu = 690;
constexpr double kFrameHeightWithoutMenu = 390;

bool is_container(Kind kind) {
  return kind == Kind::PictureBox || kind == Kind::Frame;
}
bool is_painted(Kind kind) {
  return kind == Kind::Line || kind == Kind::Shape;
}
// Controls whose widgets do nothing with the mouse themselves: the model gets every click.
bool is_passive(Kind kind) {
  return kind == Kind::Label || kind == Kind::Image || kind == Kind::PictureBox ||
         kind == Kind::Frame;
}

void raise(const std::function<void()>& handler) {
  if (handler) handler();
}

void raise_move(form::Control& control, double x, double y) {
  if (control.on_mouse_move) control.on_mouse_move(x, y);
}

template <typename T>
T& as(form::Control& control) {
  return static_cast<T&>(control);
}

Qt::Alignment label_alignment(form::Align align) {
  switch (align) {
    case form::Align::Centre:
      return Qt::AlignHCenter | Qt::AlignTop;
    case form::Align::Right:
      return Qt::AlignRight | Qt::AlignTop;
    case form::Align::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

void apply_colours(QWidget* widget, const std::optional<platform::Colour>& fore,
                   const std::optional<platform::Colour>& back, bool fill) {
  QPalette palette = QApplication::palette(widget);
  if (fore) {
    const QColor colour = to_qcolor(*fore);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
      palette.setColor(role, colour);
    }
  }
  if (back) {
    const QColor colour = to_qcolor(*back);
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
      palette.setColor(role, colour);
    }
  }
  widget->setAutoFillBackground(fill && back.has_value());
  if (widget->palette() != palette) widget->setPalette(palette);
}

void apply_font(QWidget* widget, double points, bool bold) {
  QFont font = widget->font();
  font.setPointSizeF(points > 0 ? points : 8.0);
  font.setBold(bold);
  if (font != widget->font()) widget->setFont(font);
}

void apply_pointer(QWidget* widget, form::Pointer pointer) {
  const bool busy =
      widget->testAttribute(Qt::WA_SetCursor) && widget->cursor().shape() == Qt::WaitCursor;
  if (pointer == form::Pointer::Busy && !busy) widget->setCursor(Qt::WaitCursor);
  if (pointer == form::Pointer::Default && busy) widget->unsetCursor();
}

form::WindowState state_of(Qt::WindowStates states) {
  if (states & Qt::WindowMinimized) return form::WindowState::Minimised;
  if (states & (Qt::WindowMaximized | Qt::WindowFullScreen)) return form::WindowState::Maximised;
  return form::WindowState::Normal;
}

void collect_menus(const std::vector<std::unique_ptr<form::MenuItem>>& items,
                   std::vector<form::MenuItem*>& out) {
  for (const auto& item : items) {
    out.push_back(item.get());
    collect_menus(item->items(), out);
  }
}

// Everything about the lines and shapes of a container that shows on screen.
std::vector<double> overlay_signature(const form::Container& container) {
  std::vector<double> out;
  for (const form::Control* child : container.children()) {
    if (!is_painted(child->kind())) continue;
    out.insert(out.end(), {static_cast<double>(child->id()), child->visible ? 1.0 : 0.0,
                           child->left(), child->top(), child->width(), child->height()});
    if (child->kind() == Kind::Line) {
      const auto& line = static_cast<const form::Line&>(*child);
      out.insert(out.end(),
                 {line.x1, line.y1, line.x2, line.y2, static_cast<double>(line.border_colour),
                  static_cast<double>(line.border_width)});
    } else {
      const auto& shape = static_cast<const form::Shape&>(*child);
      out.insert(out.end(),
                 {static_cast<double>(shape.outline), static_cast<double>(shape.border_colour),
                  shape.fill_colour ? static_cast<double>(*shape.fill_colour) : -1.0,
                  static_cast<double>(shape.border_width)});
    }
  }
  return out;
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

namespace {
form::Control* find_by_id(const form::Container& container, std::uint64_t id) {
  for (form::Control* child : container.children()) {
    if (child->id() == id) return child;
    if (is_container(child->kind())) {
      if (form::Control* found = find_by_id(static_cast<form::Container&>(*child), id)) {
        return found;
      }
    }
  }
  return nullptr;
}

bool holds(const form::Container& container, const form::Control* control) {
  for (const form::Control* child : container.children()) {
    if (child == control) return true;
    if (is_container(child->kind()) &&
        holds(static_cast<const form::Container&>(*child), control)) {
      return true;
    }
  }
  return false;
}
}  // namespace

form::Control* FormView::control_by_id(std::uint64_t id) const {
  return retired_ ? nullptr : find_by_id(form_, id);
}

form::Control* FormView::control_of(const QWidget* widget) const {
  for (const QWidget* w = widget; w && w != window_.get(); w = w->parentWidget()) {
    if (auto found = ids_.find(w); found != ids_.end()) return control_by_id(found.value());
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Model -> widgets

void FormView::refresh() {
  if (retired_) return;
  sync_window();
  sync_menus();
  std::vector<std::uint64_t> seen;
  reconcile(form_, window_->content(), seen);
  drop_unseen(seen);
  update_overlay(form_, window_->content(), overlay_);
  sync_state();
  sync_geometry();
  sync_visibility();
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
  if (!wanted || !window_->isVisible() || !holds(form_, wanted)) return;
  const auto item = items_.find(wanted->id());
  if (item == items_.end() || !item->second->widget) return;
  QWidget* widget = item->second->widget;
  if (control_of(window_->focusWidget()) == wanted) return;
  if (widget->isVisible() && widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus) {
    widget->setFocus(Qt::OtherFocusReason);
  }
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
    if (is_container(child->kind()) && item->widget) {
      auto& inner = as<form::Container>(*child);
      reconcile(inner, item->widget, seen);
      update_overlay(inner, item->widget, item->overlay);
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
  item.widget->show();
}

void FormView::watch(QWidget* widget, std::uint64_t id, bool passive) {
  ids_.insert(widget, id);
  widget->installEventFilter(this);
  widget->setMouseTracking(true);
  if (passive) widget->setFocusPolicy(Qt::NoFocus);
}

QWidget* FormView::make_widget(form::Control& control, QWidget* host) {
  const std::uint64_t id = control.id();
  switch (control.kind()) {
    case Kind::Label:
      return new QLabel(host);
    case Kind::Button: {
      auto* button = new QPushButton(host);
      button->setAutoDefault(false);
      connect(button, &QPushButton::clicked, this, [this, id] {
        on_control(id, [](form::Control& c) {
          if (c.enabled) raise(c.on_click);
        });
      });
      return button;
    }
    case Kind::TextBox: {
      auto* edit = new QLineEdit(host);
      // Typed keys go through the model (see text_box_key); this is every other edit.
      connect(edit, &QLineEdit::textChanged, this, [this, id, edit](const QString& text) {
        const std::string typed = to_latin1(text);
        on_control(id, [this, id, typed, edit = QPointer<QLineEdit>(edit)](form::Control& c) {
          auto& box = as<form::TextBox>(c);
          if (typed == box.text()) return;
          box.user_edits(typed);
          // Keep the caret where the edit left it unless the handler changed the text.
          if (edit && box.text() == typed) selection_to_model(id);
        });
      });
      connect(edit, &QLineEdit::cursorPositionChanged, this,
              [this, id] { selection_to_model(id); });
      connect(edit, &QLineEdit::selectionChanged, this, [this, id] { selection_to_model(id); });
      return edit;
    }
    case Kind::ListBox: {
      auto* list = new QListWidget(host);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      connect(list, &QListWidget::currentRowChanged, this, [this, id](int row) {
        if (row < 0) return;
        just_selected_row_ = row;
        on_control(id, [row](form::Control& c) { as<form::ListBox>(c).user_selects(row); });
      });
      connect(list, &QListWidget::itemClicked, this, [this, id, list](QListWidgetItem* it) {
        const int row = list->row(it);
        // A click that changed the current row has been reported already.
        if (std::exchange(just_selected_row_, -1) == row) return;
        on_control(id, [row](form::Control& c) { as<form::ListBox>(c).user_selects(row); });
      });
      connect(list, &QListWidget::itemDoubleClicked, this, [this, id, list](QListWidgetItem* it) {
        const int row = list->row(it);
        on_control(id, [row](form::Control& c) { as<form::ListBox>(c).user_double_clicks(row); });
      });
      return list;
    }
    case Kind::ScrollBar: {
      auto* bar = new QScrollBar(Qt::Horizontal, host);
      bar->setTracking(false);  // a dragged thumb changes the value where it is let go
      connect(bar, &QScrollBar::valueChanged, this, [this, id](int value) {
        on_control(id, [value](form::Control& c) { as<form::ScrollBar>(c).set_value(value); });
      });
      return bar;
    }
    case Kind::Image: {
      auto* image = new ImageWidget(host);
      image->picture = [this, id](QSize size) -> QPixmap {
        const auto* model = static_cast<const form::Image*>(control_by_id(id));
        if (!model) return {};
        const auto& pictures = owner_.pictures;
        if (!size.isValid()) size = pictures.natural_size(model->picture);
        return pictures.pixmap(model->picture, size, window_->devicePixelRatioF());
      };
      return image;
    }
    case Kind::PictureBox: {
      auto* picture = new HostWidget(host);
      picture->paint_under = [this, id, picture](QPainter& painter) {
        paint_picture(painter, id, *picture);
      };
      picture->paint_over = [this, id](QPainter& painter) {
        if (const form::Control* c = control_by_id(id)) {
          paint_shapes(painter, static_cast<const form::Container&>(*c));
        }
      };
      return picture;
    }
    case Kind::DatePicker: {
      auto* edit = new QDateEdit(host);
      edit->setCalendarPopup(true);
      edit->setDisplayFormat(owner_.date_format);
      edit->setKeyboardTracking(false);
      connect(edit, &QDateEdit::dateChanged, this, [this, id](QDate date) {
        const double serial = serial_of_date(date);
        on_control(id, [serial](form::Control& c) { as<form::DatePicker>(c).user_picks(serial); });
      });
      return edit;
    }
    case Kind::Frame: {
      auto* frame = new FrameWidget(host);
      frame->paint_over = [this, id](QPainter& painter) {
        if (const form::Control* c = control_by_id(id)) {
          paint_shapes(painter, static_cast<const form::Container&>(*c));
        }
      };
      return frame;
    }
    case Kind::Toolbar: {
      auto* toolbar = new QToolBar(host);
      toolbar->setMovable(false);
      toolbar->setFloatable(false);
      toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
      return toolbar;
    }
    case Kind::Form:
    case Kind::Timer:
    case Kind::Line:
    case Kind::Shape:
      break;
  }
  return new QWidget(host);
}

void FormView::sync(Item& item, form::Control& control) {
  // Nothing the model sets may come back to it as a user event.
  const QSignalBlocker quiet(item.widget.data());
  if (item.widget) sync_common(item.widget, control);
  sync_kind(item, control);
}

void FormView::sync_common(QWidget* widget, const form::Control& control) {
  const QRect rect = geometry().rect(control.bounds());
  if (widget->geometry() != rect) widget->setGeometry(rect);
  if (widget->isHidden() == control.visible) widget->setVisible(control.visible);
  widget->setEnabled(control.enabled);
  const QString tip = to_qstring(control.tooltip);
  if (widget->toolTip() != tip) widget->setToolTip(tip);
  apply_font(widget, control.font_size, control.font_bold);
  apply_colours(widget, control.fore_colour, control.back_colour, is_passive(control.kind()));
  apply_pointer(widget, control.pointer);
}

void FormView::sync_kind(Item& item, form::Control& control) {
  QWidget* widget = item.widget;
  switch (control.kind()) {
    case Kind::Label: {
      auto* label = static_cast<QLabel*>(widget);
      const auto& model = as<form::Label>(control);
      const QString text = without_mnemonic(model.caption);
      if (label->text() != text) label->setText(text);
      label->setAlignment(label_alignment(model.alignment));
      label->setWordWrap(model.word_wrap);
      break;
    }
    case Kind::Button: {
      const QString text = to_qstring(as<form::Button>(control).caption);
      auto* button = static_cast<QPushButton*>(widget);
      if (button->text() != text) button->setText(text);
      break;
    }
    case Kind::TextBox:
      sync_text_box(widget, as<form::TextBox>(control));
      break;
    case Kind::ListBox: {
      auto* list = static_cast<QListWidget*>(widget);
      const auto& model = as<form::ListBox>(control);
      bool same = list->count() == static_cast<int>(model.items().size());
      for (int i = 0; same && i < list->count(); ++i) {
        same = list->item(i)->text() == to_qstring(model.items()[i]);
      }
      if (!same) {
        list->clear();
        for (const auto& text : model.items()) list->addItem(to_qstring(text));
      }
      if (list->currentRow() != model.list_index) {
        list->setCurrentRow(model.list_index);
        if (model.list_index < 0) list->clearSelection();
      }
      break;
    }
    case Kind::ScrollBar: {
      auto* bar = static_cast<QScrollBar*>(widget);
      const auto& model = as<form::ScrollBar>(control);
      bar->setRange(std::min(model.min, model.max), std::max(model.min, model.max));
      bar->setInvertedAppearance(model.min > model.max);
      bar->setSingleStep(model.small_change);
      bar->setPageStep(model.large_change);
      bar->setValue(model.value());
      break;
    }
    case Kind::Timer:
      sync_timer(item, as<form::Timer>(control));
      break;
    case Kind::Image: {
      const auto& model = as<form::Image>(control);
      auto* image = static_cast<ImageWidget*>(widget);
      image->stretch = model.stretch;
      if (item.picture != model.picture || item.stretch != model.stretch) {
        item.picture = model.picture;
        item.stretch = model.stretch;
        image->update();
      }
      break;
    }
    case Kind::PictureBox: {
      const auto& model = as<form::PictureBox>(control);
      if (item.image_serial != model.image_serial()) {
        item.image_serial = model.image_serial();
        widget->update();
      }
      break;
    }
    case Kind::DatePicker: {
      const QDate date = date_of_serial(as<form::DatePicker>(control).value());
      auto* edit = static_cast<QDateEdit*>(widget);
      if (edit->date() != date) edit->setDate(date);
      break;
    }
    case Kind::Frame: {
      const QString title = to_qstring(as<form::Frame>(control).caption);
      auto* frame = static_cast<FrameWidget*>(widget);
      if (frame->title() != title) frame->setTitle(title);
      break;
    }
    case Kind::Toolbar:
      sync_toolbar(item, as<form::Toolbar>(control));
      break;
    case Kind::Form:
    case Kind::Line:
    case Kind::Shape:
      break;
  }
}

void FormView::sync_text_box(QWidget* widget, const form::TextBox& box) {
  auto* edit = static_cast<QLineEdit*>(widget);
  const QString text = to_qstring(box.text());
  if (edit->text() != text) edit->setText(text);
  const int max_length = box.max_length > 0 ? box.max_length : 32767;
  if (edit->maxLength() != max_length) edit->setMaxLength(max_length);
  const int start = widget_index(box.text(), box.sel_start);
  const int length = widget_index(box.text(), box.sel_start + std::max(0, box.sel_length)) - start;
  const int shown_start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
  const int shown_length = edit->hasSelectedText() ? edit->selectionLength() : 0;
  if (shown_start == start && shown_length == length) return;
  if (length > 0) {
    edit->setSelection(start, length);
  } else {
    edit->setCursorPosition(start);
  }
}

void FormView::selection_to_model(std::uint64_t id) {
  auto* control = control_by_id(id);
  if (!control || control->kind() != Kind::TextBox) return;
  auto found = items_.find(id);
  if (found == items_.end() || !found->second->widget) return;
  auto* edit = static_cast<QLineEdit*>(found->second->widget.data());
  auto& box = as<form::TextBox>(*control);
  const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
  const int length = edit->hasSelectedText() ? edit->selectionLength() : 0;
  box.sel_start = model_index(box.text(), start);
  box.sel_length = model_index(box.text(), start + length) - box.sel_start;
}

void FormView::sync_toolbar(Item& item, form::Toolbar& toolbar) {
  auto* bar = static_cast<QToolBar*>(item.widget.data());
  const int side = std::clamp(bar->height() - 8, 16, 32);
  if (bar->iconSize() != QSize(side, side)) bar->setIconSize(QSize(side, side));
  std::vector<std::string> signature;
  for (const auto& button : toolbar.buttons) {
    signature.insert(signature.end(), {button.key, button.tooltip, button.image_key});
  }
  if (signature == item.toolbar) return;
  item.toolbar = std::move(signature);
  bar->clear();
  for (const auto& button : toolbar.buttons) {
    QAction* action =
        bar->addAction(owner_.pictures.icon(button.image_key),
                       to_qstring(button.tooltip.empty() ? button.key : button.tooltip));
    action->setToolTip(to_qstring(button.tooltip));
    connect(action, &QAction::triggered, this, [this, id = toolbar.id(), key = button.key] {
      on_control(id, [key](form::Control& c) { as<form::Toolbar>(c).user_presses(key); });
    });
  }
}

void FormView::sync_timer(Item& item, const form::Timer& timer) {
  if (!item.timer) return;
  if (item.timer->interval() != timer.interval_ms) item.timer->setInterval(timer.interval_ms);
  const bool running = timer.enabled && timer.interval_ms > 0;
  if (running && !item.timer->isActive()) item.timer->start();
  if (!running && item.timer->isActive()) item.timer->stop();
}

// ---------------------------------------------------------------------------------------------
// Painting

void FormView::paint_shapes(QPainter& painter, const form::Container& container) const {
  const Geometry& g = geometry();
  for (const form::Control* child : container.children()) {
    if (!child->visible || !is_painted(child->kind())) continue;
    if (child->kind() == Kind::Line) {
      const auto& line = static_cast<const form::Line&>(*child);
      painter.setPen(QPen(to_qcolor(line.border_colour), std::max(1, line.border_width)));
      painter.drawLine(g.px(line.x1), g.px(line.y1), g.px(line.x2), g.px(line.y2));
      continue;
    }
    const auto& shape = static_cast<const form::Shape&>(*child);
    QRect rect = g.rect(shape.bounds());
    using Outline = form::Shape::Outline;
    if (shape.outline == Outline::Square || shape.outline == Outline::Circle) {
      const int side = std::min(rect.width(), rect.height());
      rect = QRect(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    }
    const int pen = std::max(1, shape.border_width);
    painter.setPen(QPen(to_qcolor(shape.border_colour), pen));
    painter.setBrush(shape.fill_colour ? QBrush(to_qcolor(*shape.fill_colour)) : QBrush());
    const QRect inside = rect.adjusted(pen / 2, pen / 2, -(pen + 1) / 2, -(pen + 1) / 2);
    switch (shape.outline) {
      case Outline::Oval:
      case Outline::Circle:
        painter.drawEllipse(inside);
        break;
      case Outline::RoundedRectangle:
        painter.drawRoundedRect(inside, 15, 15, Qt::RelativeSize);
        break;
      case Outline::Rectangle:
      case Outline::Square:
        painter.drawRect(inside);
        break;
    }
  }
  painter.setBrush(QBrush());
}

void FormView::paint_picture(QPainter& painter, std::uint64_t id, const QWidget& widget) const {
  auto* model = static_cast<form::PictureBox*>(control_by_id(id));
  if (!model) return;
  const auto* surface = dynamic_cast<const QImageSurface*>(&model->surface());
  painter.fillRect(widget.rect(),
                   to_qcolor(surface ? surface->back_colour()
                                     : model->back_colour.value_or(platform::kButtonFace)));
  if (surface) painter.drawImage(0, 0, surface->image());
  if (model->border) {
    const QRect r = widget.rect().adjusted(0, 0, -1, -1);
    painter.setPen(widget.palette().color(QPalette::Dark));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(widget.palette().color(QPalette::Light));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
  }
}

void FormView::update_overlay(const form::Container& container, QWidget* host,
                              std::vector<double>& signature) {
  std::vector<double> now = overlay_signature(container);
  if (now == signature) return;
  signature = std::move(now);
  host->update();
}

// ---------------------------------------------------------------------------------------------
// Menus

void FormView::sync_menus() {
  std::vector<form::MenuItem*> shape;
  collect_menus(form_.menus(), shape);
  if (shape != menus_->shape) {
    QMenuBar* bar = window_->menu_bar();
    bar->clear();
    for (auto& old : menus_->menus) {
      if (old) old->deleteLater();
    }
    menus_->menus.clear();
    menus_->actions.clear();
    menus_->shape = shape;
    const auto on_menu = [this](form::MenuItem* item) {
      if (retired_) return;
      owner_.dispatch([self = QPointer<FormView>(this), item] {
        if (self && !self->retired_ && self->menus_->actions.count(item)) item->user_clicks();
      });
    };
    const std::function<void(QMenu*, form::MenuItem&)> build = [&](QMenu* menu,
                                                                   form::MenuItem& parent) {
      for (auto& child : parent.items()) {
        form::MenuItem* item = child.get();
        if (item->is_separator()) {
          menus_->actions[item] = menu->addSeparator();
        } else if (!item->items().empty()) {
          QMenu* sub = menu->addMenu(to_qstring(item->caption));
          menus_->menus.emplace_back(sub);
          menus_->actions[item] = sub->menuAction();
          build(sub, *item);
        } else {
          QAction* action = menu->addAction(to_qstring(item->caption));
          connect(action, &QAction::triggered, this, [on_menu, item] { on_menu(item); });
          menus_->actions[item] = action;
        }
      }
    };
    for (auto& top : form_.menus()) {
      QMenu* menu = bar->addMenu(to_qstring(top->caption));
      menus_->menus.emplace_back(menu);
      menus_->actions[top.get()] = menu->menuAction();
      // Opening a menu is an event of its own.
      connect(menu, &QMenu::aboutToShow, this, [on_menu, item = top.get()] { on_menu(item); });
      build(menu, *top);
    }
  }
  bool any_shown = false;
  for (form::MenuItem* item : shape) {
    QAction* action = menus_->actions.at(item);
    action->setVisible(item->visible);
    if (item->is_separator()) continue;
    const QString text = to_qstring(item->caption);
    if (action->text() != text) action->setText(text);
    action->setEnabled(item->enabled);
    action->setCheckable(item->checked);
    action->setChecked(item->checked);
    const QKeySequence keys(to_qstring(item->shortcut), QKeySequence::PortableText);
    if (action->shortcut() != keys) action->setShortcut(keys);
  }
  for (const auto& top : form_.menus()) any_shown = any_shown || top->visible;
  window_->set_menu_bar_shown(any_shown);
}

// ---------------------------------------------------------------------------------------------
// The window

void FormView::sync_window() {
  const QString title = to_qstring(form_.caption);
  if (window_->windowTitle() != title) window_->setWindowTitle(title);
  if (!window_->isVisible()) {
    const Qt::WindowFlags flags =
        form_.fixed_dialog ? Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint
                           : Qt::Window;
    if (window_->windowFlags() != flags) window_->setWindowFlags(flags);
  }
  window_->setEnabled(form_.enabled);
  apply_pointer(window_.get(), form_.pointer);
  HostWidget* content = window_->content();
  apply_font(content, form_.font_size, form_.font_bold);
  apply_colours(content, form_.fore_colour, form_.back_colour, true);
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
  const int code = key_code(event);
  const int shift = shift_mask(event);
  if (code != 0 && (!control || form_.key_preview)) {
    on_form([code, shift](form::Form& f) { f.user_key_down(code, shift); });
  }
  if (!control) return false;
  const std::uint64_t id = control->id();
  control = control_by_id(id);  // the key handler may have unloaded it
  if (!control || control->kind() != Kind::TextBox) return false;
  return text_box_key(as<form::TextBox>(*control), event);
}

bool FormView::text_box_key(form::TextBox& box, const QKeyEvent& event) {
  const int code = typed_code(event);
  if (code == -1) return false;  // navigation and editing keys: Qt's own
  if (code == -2) return true;   // no such character in a text box
  selection_to_model(box.id());
  on_control(box.id(), [code](form::Control& c) { as<form::TextBox>(c).user_types(code); });
  return true;
}

bool FormView::text_composed(QWidget* receiver, const QString& text) {
  form::Control* control = retired_ ? nullptr : control_of(receiver);
  if (!control || control->kind() != Kind::TextBox) return false;
  if (text.isEmpty()) return true;  // composing: nothing typed yet
  std::vector<int> codes;
  for (QChar c : text) {
    if (c.unicode() >= 32 && c.unicode() <= 0xFF && c.unicode() != 127)
      codes.push_back(c.unicode());
  }
  selection_to_model(control->id());
  // Each character goes through the key filter as if typed.
  on_control(control->id(), [codes](form::Control& c) {
    for (int code : codes) as<form::TextBox>(c).user_types(code);
  });
  return true;
}

void FormView::focus_moved_to(QWidget* now) {
  if (retired_) return;
  form::Control* control = control_of(now);
  if (control == form_.focused()) return;
  const std::uint64_t id = control ? control->id() : 0;
  on_form([self = QPointer<FormView>(this), id](form::Form& f) {
    f.set_focus(id ? self->control_by_id(id) : nullptr);
  });
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
  if (retired_) return false;
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
  if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
      type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick) {
    return false;
  }
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
