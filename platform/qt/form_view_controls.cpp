#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolBar>
#include <algorithm>
#include <utility>

#include "platform/qt/date_picker.h"
#include "platform/qt/form_view_parts.h"
#include "platform/qt/image_surface.h"
#include "platform/qt/text.h"

namespace platform_qt {

using form::Kind;
using namespace view;

namespace view {

void apply_colours(QWidget* widget, const std::optional<platform::Colour>& fore,
                   const std::optional<platform::Colour>& back, bool fill) {
  QPalette palette = QApplication::palette(widget);
  if (fore) {
    // A disabled control keeps the desktop's disabled text colour, so it looks disabled.
    const QColor colour = to_qcolor(*fore);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
      palette.setColor(QPalette::Active, role, colour);
      palette.setColor(QPalette::Inactive, role, colour);
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
  // Only the pointers set here are taken back: text boxes keep the I-beam Qt gives them.
  const Qt::CursorShape shown =
      widget->testAttribute(Qt::WA_SetCursor) ? widget->cursor().shape() : Qt::ArrowCursor;
  const bool ours = shown == Qt::WaitCursor || shown == Qt::PointingHandCursor;
  switch (pointer) {
    case form::Pointer::Busy:
      if (shown != Qt::WaitCursor) widget->setCursor(Qt::WaitCursor);
      break;
    case form::Pointer::Custom:
      if (shown != Qt::PointingHandCursor) widget->setCursor(Qt::PointingHandCursor);
      break;
    case form::Pointer::Default:
      if (ours) widget->unsetCursor();
      break;
  }
}

}  // namespace view

namespace {

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
                 {line.x1, line.y1, line.x2, line.y2, static_cast<double>(line.border_colour.get()),
                  static_cast<double>(line.border_width.get())});
    } else {
      const auto& shape = static_cast<const form::Shape&>(*child);
      const std::optional<platform::Colour>& fill = shape.fill_colour;
      out.insert(out.end(), {static_cast<double>(shape.outline.get()),
                             static_cast<double>(shape.border_colour.get()),
                             fill ? static_cast<double>(*fill) : -1.0,
                             static_cast<double>(shape.border_width.get())});
    }
  }
  return out;
}

void sync_label(QLabel* label, const form::Label& model, Shown& shown, bool fresh) {
  if (fresh || shown.caption != model.caption) {
    shown.caption = model.caption;
    // A label naming a field shows its Alt+letter; any other shows "&&" as "&" and "&x" as "x".
    const QString text = model.buddy ? to_qstring(model.caption) : without_mnemonic(model.caption);
    if (label->text() != text) label->setText(text);
  }
  if (fresh || shown.alignment != model.alignment || shown.word_wrap != model.word_wrap) {
    shown.alignment = model.alignment;
    shown.word_wrap = model.word_wrap;
    label->setAlignment(label_alignment(model.alignment));
    label->setWordWrap(model.word_wrap);
  }
}

void sync_button(QPushButton* button, const form::Button& model, Shown& shown, bool fresh) {
  if (fresh || shown.is_default != model.is_default) {
    shown.is_default = model.is_default;
    button->setDefault(model.is_default);
  }
  if (!fresh && shown.caption == model.caption) return;
  shown.caption = model.caption;
  const QString text = to_qstring(model.caption);
  if (button->text() != text) button->setText(text);
}

void sync_list_box(QListWidget* list, const form::ListBox& model) {
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
}

void sync_scroll_bar(QScrollBar* bar, const form::ScrollBar& model, Shown& shown, bool fresh) {
  if (fresh || shown.min != model.min || shown.max != model.max) {
    shown.min = model.min;
    shown.max = model.max;
    bar->setRange(std::min(model.min, model.max), std::max(model.min, model.max));
    bar->setInvertedAppearance(model.min > model.max);
  }
  if (fresh || shown.small_change != model.small_change ||
      shown.large_change != model.large_change) {
    shown.small_change = model.small_change;
    shown.large_change = model.large_change;
    bar->setSingleStep(model.small_change);
    bar->setPageStep(model.large_change);
  }
  // The user moves the thumb: compared with the widget, so a move the handler refused goes back.
  if (bar->value() != model.value()) bar->setValue(model.value());
}

// The date the model and the picker last agreed on. Only a date the program sets after it is
// pushed: a date the user is still typing stays as typed however many other events are handled
// meanwhile.
constexpr const char* kModelDate = "model_date";

void sync_date_picker(QDateEdit* edit, const form::DatePicker& model) {
  const QDate date = date_of_serial(model.value());
  if (edit->property(kModelDate).toDate() == date) return;
  edit->setProperty(kModelDate, date);
  if (edit->date() != date) edit->setDate(date);
}

void sync_frame(FrameWidget* frame, const form::Frame& model, Shown& shown, bool fresh) {
  if (!fresh && shown.caption == model.caption) return;
  shown.caption = model.caption;
  const QString title = to_qstring(model.caption);
  if (frame->title() != title) frame->setTitle(title);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Widgets for the controls

QWidget* FormView::make_widget(form::Control& control, QWidget* host) {
  const std::uint64_t id = control.id();
  switch (control.kind()) {
    case Kind::Label:
      return new QLabel(host);
    case Kind::Button:
      return make_button(id, host);
    case Kind::TextBox:
      return make_text_box(id, host);
    case Kind::ListBox:
      return make_list_box(id, host);
    case Kind::ScrollBar:
      return make_scroll_bar(id, host);
    case Kind::Image:
      return make_image(id, host);
    case Kind::PictureBox:
      return make_picture_box(id, host);
    case Kind::DatePicker:
      return make_date_picker(id, host);
    case Kind::Frame: {
      auto* frame = new FrameWidget(host);
      frame->paint_over = [this, id](QPainter& painter) { paint_shapes_of(painter, id); };
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

QWidget* FormView::make_button(std::uint64_t id, QWidget* host) {
  auto* button = new QPushButton(host);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, id] { click(id); });
  return button;
}

QWidget* FormView::make_text_box(std::uint64_t id, QWidget* host) {
  auto* edit = new QLineEdit(host);
  // The widget edits (typing the keys its filter let through, paste, undo, input methods); the
  // model gets the whole new text.
  connect(edit, &QLineEdit::textChanged, this, [this, id](const QString& text) {
    const std::string edited = to_utf8(text);
    on_control(id, [this, id, edited](form::Control& c) {
      auto& box = as<form::TextBox>(c);
      if (edited == box.text()) return;
      box.user_edits(edited);
      // Keep the caret where the edit left it unless the handler changed the text.
      if (box.text() == edited) selection_to_model(id);
    });
  });
  connect(edit, &QLineEdit::cursorPositionChanged, this, [this, id] { selection_to_model(id); });
  connect(edit, &QLineEdit::selectionChanged, this, [this, id] { selection_to_model(id); });
  return edit;
}

QWidget* FormView::make_list_box(std::uint64_t id, QWidget* host) {
  auto* list = new QListWidget(host);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  // Selection, not the current row: Qt makes the first row current when the list gets the
  // focus, and that is no choice of the user's.
  connect(list, &QListWidget::itemSelectionChanged, this, [this, id, list] {
    const auto selected = list->selectedItems();
    if (selected.isEmpty()) return;
    const int row = list->row(selected.front());
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

QWidget* FormView::make_scroll_bar(std::uint64_t id, QWidget* host) {
  auto* bar = new ScrollBarWidget(host);
  // Tab reaches it, and the arrow and page keys move it as the mouse does.
  bar->setFocusPolicy(Qt::StrongFocus);
  bar->setTracking(false);  // a dragged thumb changes the value where it is let go
  connect(bar, &QScrollBar::valueChanged, this, [this, id](int value) {
    on_control(id, [value](form::Control& c) { as<form::ScrollBar>(c).set_value(value); });
  });
  return bar;
}

QWidget* FormView::make_image(std::uint64_t id, QWidget* host) {
  auto* image = new ImageWidget(host);
  image->picture = [this, id](QSize size) -> QPixmap {
    const auto* model = static_cast<const form::Image*>(control_by_id(id));
    if (!model) return {};
    if (const auto item = items_.find(id); item != items_.end() && !item->second->file.isNull()) {
      const QPixmap& file = item->second->file;
      if (!size.isValid()) return file;
      const double ratio = window_->devicePixelRatioF();
      QPixmap scaled = file.scaled(size * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      scaled.setDevicePixelRatio(ratio);
      return scaled;
    }
    const auto& pictures = owner_.pictures;
    if (!size.isValid()) size = pictures.natural_size(model->picture);
    return pictures.pixmap(model->picture, size, window_->devicePixelRatioF());
  };
  return image;
}

QWidget* FormView::make_picture_box(std::uint64_t id, QWidget* host) {
  auto* picture = new HostWidget(host);
  picture->paint_under = [this, id, picture](QPainter& painter) {
    paint_picture(painter, id, *picture);
  };
  picture->paint_over = [this, id](QPainter& painter) { paint_shapes_of(painter, id); };
  return picture;
}

QWidget* FormView::make_date_picker(std::uint64_t id, QWidget* host) {
  auto* edit = new DatePickerEdit(host);
  edit->setCalendarPopup(true);
  edit->setDisplayFormat(owner_.date_format);
  // A date typed in full is the picker's date at once, so a command given before Enter or a
  // change of focus works on the date the picker shows; a part still being typed is not a date.
  edit->setKeyboardTracking(true);
  connect(edit, &QDateEdit::dateChanged, this, [this, id, edit](QDate date) {
    if (!QDate::fromString(edit->text(), edit->displayFormat()).isValid()) return;
    edit->setProperty(kModelDate, date);
    const double serial = serial_of_date(date);
    on_control(id, [serial](form::Control& c) { as<form::DatePicker>(c).user_picks(serial); });
  });
  return edit;
}

// ---------------------------------------------------------------------------------------------
// Model -> widgets

void FormView::sync(Item& item, form::Control& control) {
  // Nothing the model sets may come back to it as a user event.
  const QSignalBlocker quiet(item.widget.data());
  const bool fresh = !item.shown.valid;
  if (item.widget) sync_common(item.widget, control, item.shown);
  QWidget* widget = item.widget;
  switch (control.kind()) {
    case Kind::Label:
      sync_label(static_cast<QLabel*>(widget), as<form::Label>(control), item.shown, fresh);
      break;
    case Kind::Button:
      sync_button(static_cast<QPushButton*>(widget), as<form::Button>(control), item.shown, fresh);
      break;
    case Kind::TextBox:
      sync_text_box(static_cast<QLineEdit*>(widget), as<form::TextBox>(control));
      break;
    case Kind::ListBox:
      sync_list_box(static_cast<QListWidget*>(widget), as<form::ListBox>(control));
      break;
    case Kind::ScrollBar:
      sync_scroll_bar(static_cast<QScrollBar*>(widget), as<form::ScrollBar>(control), item.shown,
                      fresh);
      break;
    case Kind::Timer:
      sync_timer(item, as<form::Timer>(control));
      break;
    case Kind::Image:
      sync_image(item, as<form::Image>(control));
      break;
    case Kind::PictureBox:
      if (item.image_serial != as<form::PictureBox>(control).image_serial()) {
        item.image_serial = as<form::PictureBox>(control).image_serial();
        widget->update();
      }
      break;
    case Kind::DatePicker:
      sync_date_picker(static_cast<QDateEdit*>(widget), as<form::DatePicker>(control));
      break;
    case Kind::Frame:
      sync_frame(static_cast<FrameWidget*>(widget), as<form::Frame>(control), item.shown, fresh);
      break;
    case Kind::Toolbar:
      sync_toolbar(item, as<form::Toolbar>(control));
      break;
    case Kind::Form:
    case Kind::Line:
    case Kind::Shape:
      break;
  }
  if (widget) sync_access(widget, control, item.shown);
}

namespace {

int letters_in(const QString& text) {
  return static_cast<int>(
      std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }));
}

}  // namespace

std::string FormView::accessible_name_of(const form::Control& control) const {
  if (!control.accessible_name.empty()) return control.accessible_name;
  if (control.kind() == Kind::Button) {
    // A caption of one letter or a sign ("n", "<") says nothing read aloud: the tooltip does.
    const std::string& caption = static_cast<const form::Button&>(control).caption;
    if (letters_in(without_mnemonic(caption)) >= 2) return to_utf8(without_mnemonic(caption));
  }
  if (const auto label = buddy_labels_.find(control.id()); label != buddy_labels_.end()) {
    return to_utf8(without_mnemonic(label->second->caption));
  }
  return control.tooltip;  // empty: Qt's own (a label's words, a frame's caption)
}

void FormView::sync_access(QWidget* widget, const form::Control& control, Shown& shown) {
  std::string name = accessible_name_of(control);
  if (name != shown.accessible_name) {
    shown.accessible_name = std::move(name);
    widget->setAccessibleName(to_qstring(shown.accessible_name));
  }
  if (!control.describe) return;
  std::string description = control.describe();
  if (description == shown.description) return;
  shown.description = std::move(description);
  widget->setAccessibleDescription(to_qstring(shown.description));
}

void FormView::find_buddies() {
  buddy_labels_.clear();
  form_.find_descendant_if([this](const form::Control& c) {
    if (c.kind() == Kind::Label) {
      const auto& label = static_cast<const form::Label&>(c);
      if (label.buddy) buddy_labels_[label.buddy->id()] = &label;
    }
    return false;
  });
}

void FormView::link_buddies() {
  for (const auto& [buddy, label] : buddy_labels_) {
    const auto from = items_.find(label->id());
    const auto to = items_.find(buddy);
    if (from == items_.end() || to == items_.end() || !from->second->widget) continue;
    auto* widget = static_cast<QLabel*>(from->second->widget.data());
    if (widget->buddy() != to->second->widget) widget->setBuddy(to->second->widget);
  }
}

void FormView::sync_common(QWidget* widget, const form::Control& control, Shown& shown) {
  const bool fresh = !shown.valid;
  const form::Bounds& bounds = control.bounds();
  if (fresh || bounds.left != shown.bounds.left || bounds.top != shown.bounds.top ||
      bounds.width != shown.bounds.width || bounds.height != shown.bounds.height) {
    shown.bounds = bounds;
    const QRect rect = geometry().rect(bounds);
    if (fresh || widget->geometry() != rect) widget->setGeometry(rect);
  }
  if (fresh || shown.visible != control.visible) {
    shown.visible = control.visible;
    // A new widget is shown or hidden here for the first time (FormView::create).
    const bool new_widget = !widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
    if (new_widget || widget->isHidden() == control.visible) {
      widget->setVisible(control.visible);
      if (control.visible && syncing_ && !new_widget) shown_now_.push_back(widget);
    }
  }
  if (fresh || shown.enabled != control.enabled) {
    shown.enabled = control.enabled;
    widget->setEnabled(control.enabled);
  }
  if (fresh || shown.tooltip != control.tooltip) {
    shown.tooltip = control.tooltip;
    const QString tip = to_qstring(control.tooltip);
    if (widget->toolTip() != tip) widget->setToolTip(tip);
  }
  if (fresh || shown.font_size != control.font_size || shown.font_bold != control.font_bold) {
    shown.font_size = control.font_size;
    shown.font_bold = control.font_bold;
    apply_font(widget, control.font_size, control.font_bold);
  }
  if (fresh || shown.fore != control.fore_colour || shown.back != control.back_colour) {
    shown.fore = control.fore_colour;
    shown.back = control.back_colour;
    apply_colours(widget, control.fore_colour, control.back_colour, is_passive(control.kind()));
  }
  if (fresh || shown.pointer != control.pointer) {
    shown.pointer = control.pointer;
    apply_pointer(widget, control.pointer);
  }
  shown.valid = true;
}

void FormView::sync_text_box(QLineEdit* edit, const form::TextBox& box) {
  // The widget counts UTF-16 units, the model characters: a limit in units is never looser.
  const int max_length = box.max_length > 0 ? box.max_length : 32767;
  if (edit->maxLength() != max_length) edit->setMaxLength(max_length);
  const QString text = to_qstring(box.text());
  if (edit->text() != text) {
    // Replaced as an edit of the widget's own, so the program's change is one more step of the
    // undo history instead of wiping it.
    edit->selectAll();
    edit->insert(text);
  }
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

void FormView::sync_image(Item& item, const form::Image& model) {
  auto* image = static_cast<ImageWidget*>(item.widget.data());
  image->stretch = model.stretch;
  const Qt::FocusPolicy policy = model.takes_focus ? Qt::TabFocus : Qt::NoFocus;
  if (image->focusPolicy() != policy) image->setFocusPolicy(policy);
  if (item.file_serial != model.file_serial()) {
    item.file_serial = model.file_serial();
    item.file = model.file().empty() ? QPixmap() : QPixmap(to_qstring(model.file()));
    image->update();
  }
  if (item.picture == model.picture && item.stretch == model.stretch) return;
  item.picture = model.picture;
  item.stretch = model.stretch;
  image->update();
}

// ---------------------------------------------------------------------------------------------
// Painting

void FormView::paint_shapes(QPainter& painter, const form::Container& container) const {
  const Geometry& g = geometry();
  // Lines in a row with the same pen go to the painter together: a chart holds thousands.
  std::vector<QLine> run;
  platform::Colour run_colour = 0;
  int run_width = 0;
  const auto flush = [&] {
    if (run.empty()) return;
    painter.setPen(QPen(to_qcolor(run_colour), run_width));
    painter.drawLines(run.data(), static_cast<int>(run.size()));
    run.clear();
  };
  for (const form::Control* child : container.children()) {
    if (!child->visible || !is_painted(child->kind())) continue;
    if (child->kind() == Kind::Line) {
      const auto& line = static_cast<const form::Line&>(*child);
      const int width = std::max(1, line.border_width.get());
      if (line.border_colour != run_colour || width != run_width) {
        flush();
        run_colour = line.border_colour;
        run_width = width;
      }
      run.emplace_back(g.px(line.x1), g.px(line.y1), g.px(line.x2), g.px(line.y2));
      continue;
    }
    flush();
    const auto& shape = static_cast<const form::Shape&>(*child);
    QRect rect = g.rect(shape.bounds());
    using Outline = form::Shape::Outline;
    if (shape.outline == Outline::Square || shape.outline == Outline::Circle) {
      const int side = std::min(rect.width(), rect.height());
      rect = QRect(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    }
    const int pen = std::max(1, shape.border_width.get());
    const std::optional<platform::Colour>& fill = shape.fill_colour;
    painter.setPen(QPen(to_qcolor(shape.border_colour), pen));
    painter.setBrush(fill ? QBrush(to_qcolor(*fill)) : QBrush());
    const QRect inside = rect.adjusted(pen / 2, pen / 2, -(pen + 1) / 2, -(pen + 1) / 2);
    switch (shape.outline.get()) {
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
  flush();
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
    // Filled one-pixel strips, not lines: a line is centred on the pixel edge and, at a scale of
    // 2, would leave the last row and column of device pixels outside the border.
    const int w = widget.width(), h = widget.height();
    const QColor dark = widget.palette().color(QPalette::Dark);
    const QColor light = widget.palette().color(QPalette::Light);
    painter.fillRect(QRect(0, 0, w, 1), dark);
    painter.fillRect(QRect(0, 0, 1, h), dark);
    painter.fillRect(QRect(0, h - 1, w, 1), light);
    painter.fillRect(QRect(w - 1, 1, 1, h - 1), light);
  }
}

void FormView::paint_shapes_of(QPainter& painter, std::uint64_t id) const {
  if (const form::Control* container = control_by_id(id)) {
    paint_shapes(painter, static_cast<const form::Container&>(*container));
  }
}

void FormView::update_overlay(const form::Container& container, QWidget* host,
                              std::vector<double>& signature) {
  std::vector<double> now = overlay_signature(container);
  if (now == signature) return;
  signature = std::move(now);
  host->update();
}

}  // namespace platform_qt
