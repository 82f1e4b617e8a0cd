#include "platform/qt/widgets.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionSlider>

namespace platform_qt {
namespace {

void call(const std::function<void()>& hook) {
  if (hook) hook();
}

// A frame in the highlight colour, two pixels wide: the styles' own focus frames are a faint
// dotted line or nothing at all on a scroll bar, too little to find the focus by.
void paint_focus_frame(QWidget& widget, QPainter& painter) {
  if (!widget.hasFocus()) return;
  painter.setPen(QPen(widget.palette().color(QPalette::Highlight), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(widget.rect()).adjusted(1, 1, -1, -1));
}

}  // namespace

HostWidget::HostWidget(QWidget* parent) : QWidget(parent) {}

void HostWidget::paintEvent(QPaintEvent*) {
  if (!paint_under && !paint_over) return;
  QPainter painter(this);
  if (paint_under) paint_under(painter);
  if (paint_over) paint_over(painter);
}

void FrameWidget::paintEvent(QPaintEvent* event) {
  QGroupBox::paintEvent(event);
  if (!paint_over) return;
  QPainter painter(this);
  paint_over(painter);
}

void ImageWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPixmap pixmap = picture ? picture(stretch ? size() : QSize()) : QPixmap();
  if (!pixmap.isNull()) {
    if (stretch) {
      painter.drawPixmap(rect(), pixmap);
    } else {
      painter.drawPixmap(0, 0, pixmap);
    }
  }
  paint_focus_frame(*this, painter);
}

void ImageWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void ImageWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void ScrollBarWidget::keyPressEvent(QKeyEvent* event) {
  // Qt's scroll bars take the keys the way a vertical bar reads them (PageUp towards the
  // minimum, Right towards it too on some platforms); a horizontal bar reads left to right.
  const bool flipped = invertedAppearance() != isRightToLeft();
  const auto towards = [flipped](bool right, SliderAction step_right, SliderAction step_left) {
    return right != flipped ? step_right : step_left;
  };
  SliderAction action = SliderNoAction;
  switch (event->key()) {
    case Qt::Key_Right:
      action = towards(true, SliderSingleStepAdd, SliderSingleStepSub);
      break;
    case Qt::Key_Left:
      action = towards(false, SliderSingleStepAdd, SliderSingleStepSub);
      break;
    case Qt::Key_PageDown:
      action = towards(true, SliderPageStepAdd, SliderPageStepSub);
      break;
    case Qt::Key_PageUp:
      action = towards(false, SliderPageStepAdd, SliderPageStepSub);
      break;
    case Qt::Key_Home:
      action = towards(false, SliderToMaximum, SliderToMinimum);
      break;
    case Qt::Key_End:
      action = towards(true, SliderToMaximum, SliderToMinimum);
      break;
    default:
      QScrollBar::keyPressEvent(event);
      return;
  }
  triggerAction(action);
  event->accept();
}

void ScrollBarWidget::focusInEvent(QFocusEvent* event) {
  QScrollBar::focusInEvent(event);
  update();
}

void ScrollBarWidget::focusOutEvent(QFocusEvent* event) {
  QScrollBar::focusOutEvent(event);
  update();
}

void ScrollBarWidget::paintEvent(QPaintEvent* event) {
  if (isEnabled()) {
    QScrollBar::paintEvent(event);
    QPainter painter(this);
    paint_focus_frame(*this, painter);
    return;
  }
  QStyleOptionSlider option;
  initStyleOption(&option);
  option.subControls = QStyle::SubControls(QStyle::SC_All);
  option.subControls &= ~QStyle::SubControls(QStyle::SC_ScrollBarSlider);
  option.activeSubControls = QStyle::SC_None;
  QPainter painter(this);
  style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
}

FormWindow::FormWindow() : menu_bar_(new QMenuBar(this)), content_(new HostWidget(this)) {
  menu_bar_->setNativeMenuBar(false);
  menu_bar_->hide();
}

int FormWindow::menu_height(int width) const {
  if (!menu_shown_) return 0;
  const int for_width = menu_bar_->heightForWidth(width);
  return for_width > 0 ? for_width : menu_bar_->sizeHint().height();
}

void FormWindow::set_menu_bar_shown(bool shown) {
  if (shown == menu_shown_) return;
  menu_shown_ = shown;
  menu_bar_->setVisible(shown);
  lay_out();
}

void FormWindow::lay_out() {
  const int top = menu_height(width());
  menu_bar_->setGeometry(0, 0, width(), top);
  content_->setGeometry(0, top, width(), std::max(0, height() - top));
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (!on_close) return;  // no model behind it any more: an ordinary close
  // The model decides: its unload handler runs and the renderer hides the window.
  event->ignore();
  on_close();
}

void FormWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  lay_out();
  call(on_resized);
}

void FormWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  call(on_moved);
}

void FormWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) call(on_state_changed);
}

}  // namespace platform_qt
