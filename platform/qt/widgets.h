#pragma once
// The few widget classes the renderer needs beyond stock Qt ones. They hold no model state:
// painting and events go through hooks the form's view sets.
#include <QGroupBox>
#include <QPixmap>
#include <QScrollBar>
#include <QWidget>
#include <functional>

class QMenuBar;

namespace platform_qt {

using PaintHook = std::function<void(QPainter&)>;

// The content area of a form and picture boxes: a picture underneath, then the lines and shapes
// of the model container, then the child widgets on top.
class HostWidget : public QWidget {
 public:
  explicit HostWidget(QWidget* parent = nullptr);
  PaintHook paint_under;
  PaintHook paint_over;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A frame with a caption; its lines and shapes are drawn over the frame itself.
class FrameWidget : public QGroupBox {
 public:
  explicit FrameWidget(QWidget* parent = nullptr) : QGroupBox(parent) {}
  PaintHook paint_over;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A picture, stretched to the widget or at its own size from the top-left corner. One that takes
// the focus (a picture working as a button) shows it with a frame in the highlight colour.
class ImageWidget : public QWidget {
 public:
  explicit ImageWidget(QWidget* parent = nullptr) : QWidget(parent) {}
  std::function<QPixmap(QSize)> picture;
  bool stretch = true;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

// A horizontal scroll bar that, when disabled, shows its arrows greyed and no thumb at all, as
// the desktop's disabled scroll bars do; some styles draw the thumb as if nothing had changed.
// With the keyboard focus it wears a frame in the highlight colour, as few styles show the focus
// of a scroll bar at all, and its keys move the thumb the way they point: Right and PageDown
// towards the right end, Left and PageUp towards the left, Home and End to either end.
class ScrollBarWidget : public QScrollBar {
 public:
  explicit ScrollBarWidget(QWidget* parent = nullptr) : QScrollBar(Qt::Horizontal, parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

// A form's top-level window: the menu bar on top and the content area below it, laid out by
// hand so their sizes stay exactly what the model asks for.
class FormWindow : public QWidget {
 public:
  FormWindow();
  QMenuBar* menu_bar() const { return menu_bar_; }
  HostWidget* content() const { return content_; }
  // Height the menu bar takes at the given window width (0 when it is hidden).
  int menu_height(int width) const;
  void set_menu_bar_shown(bool shown);
  void lay_out();

  std::function<void()> on_close;
  std::function<void()> on_resized;
  std::function<void()> on_moved;
  std::function<void()> on_state_changed;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QMenuBar* menu_bar_;
  HostWidget* content_;
  bool menu_shown_ = false;
};

}  // namespace platform_qt
