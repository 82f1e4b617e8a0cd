#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "platform/qt/date_picker.h"
#include "platform/qt/desktop_palette.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/renderer_impl.h"

namespace platform_qt {

int Geometry::px(double twips) const {
  return static_cast<int>(std::lround(twips * dpi / platform::kTwipsPerInch));
}

double Geometry::twips(double pixels) const {
  return pixels * platform::kTwipsPerInch / dpi;
}

QRect Geometry::rect(const form::Bounds& bounds) const {
  const int left = px(bounds.left);
  const int top = px(bounds.top);
  // Edges rounded on their own, so controls that touch in twips touch on screen.
  return QRect(left, top, std::max(0, px(bounds.left + bounds.width) - left),
               std::max(0, px(bounds.top + bounds.height) - top));
}

form::Bounds Geometry::bounds(const QRect& pixels) const {
  return {twips(pixels.x()), twips(pixels.y()), twips(pixels.width()), twips(pixels.height())};
}

// ---------------------------------------------------------------------------------------------

Renderer::Impl::Impl(platform::ProgramControl& program_control) : program(program_control) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    geometry.dpi = screen->logicalDotsPerInch();
  }
  date_format = date_picker_format();
  follow_desktop_palette();
  qApp->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { focus_changed(now); });
}

Renderer::Impl::~Impl() {
  qApp->removeEventFilter(this);
  disconnect(qApp, nullptr, this, nullptr);
  for (auto& view : views_) view->retire();
  views_.clear();
}

void Renderer::Impl::dispatch(std::function<void()> handler) {
  if (shut_down_ || program.ending()) return;
  if (refreshing_) {
    QTimer::singleShot(
        0, this, [this, handler = std::move(handler)]() mutable { dispatch(std::move(handler)); });
    return;
  }
  {
    struct Depth {
      int& depth;
      explicit Depth(int& d) : depth(d) { ++depth; }
      ~Depth() { --depth; }
    } running(depth_);
    handler();
  }
  after_event();
}

void Renderer::Impl::after_event() {
  refresh();
  if (program.ending()) shut_down();
}

void Renderer::Impl::refresh() {
  if (refreshing_ || shut_down_) return;
  refreshing_ = true;
  for (auto& view : views_) view->refresh();
  refreshing_ = false;
  for (const Modal& modal : modal_) {
    if (!modal.form->visible) modal.loop->quit();
  }
}

void Renderer::Impl::shut_down() {
  if (shut_down_) return;
  shut_down_ = true;
  for (auto& view : views_) {
    view->retire();
    view->window()->hide();
  }
  for (const Modal& modal : modal_) modal.loop->quit();
  QCoreApplication::quit();
}

FormView* Renderer::Impl::view_for(const form::Form& form) const {
  for (const auto& view : views_) {
    if (&view->form() == &form) return view.get();
  }
  return nullptr;
}

FormView* Renderer::Impl::view_of_window(const QWidget* window) const {
  for (const auto& view : views_) {
    if (view->window() == window) return view.get();
  }
  return nullptr;
}

FormView& Renderer::Impl::attach(form::Form& form) {
  if (FormView* view = view_for(form)) return *view;
  views_.push_back(std::make_unique<FormView>(*this, form));
  FormView& view = *views_.back();
  const bool nested = refreshing_;
  refreshing_ = true;
  view.refresh();
  refreshing_ = nested;
  return view;
}

void Renderer::Impl::detach(form::Form& form) {
  const auto found = std::find_if(views_.begin(), views_.end(),
                                  [&form](const auto& view) { return &view->form() == &form; });
  if (found == views_.end()) return;
  std::unique_ptr<FormView> view = std::move(*found);
  views_.erase(found);
  view->retire();
  view->window()->hide();
  if (!busy()) return;  // deleted here and now
  // The view may be on the stack of the event being handled: it goes once that is over, or
  // with the renderer.
  view->setParent(this);
  view.release()->deleteLater();
}

void Renderer::Impl::run_modal(form::Form& form) {
  FormView& view = attach(form);
  if (shut_down_ || program.ending()) return;
  FormWindow* window = view.window();
  if (window->isVisible()) window->hide();
  window->setWindowModality(Qt::ApplicationModal);
  fit_to_screen(form);
  if (QWidget* active = QApplication::activeWindow(); active && active != window) {
    window->winId();
    if (window->windowHandle() && active->windowHandle()) {
      window->windowHandle()->setTransientParent(active->windowHandle());
    }
  }
  form.visible = true;
  refresh();
  QEventLoop loop;
  modal_.push_back(Modal{&form, &loop});
  if (form.visible && !shut_down_) loop.exec(QEventLoop::DialogExec);
  modal_.erase(std::find_if(modal_.begin(), modal_.end(),
                            [&loop](const Modal& modal) { return modal.loop == &loop; }));
  if (FormView* still = view_for(form); still && !still->window()->isVisible()) {
    still->window()->setWindowModality(Qt::NonModal);
  }
}

void Renderer::Impl::fit_to_screen(form::Form& form) {
  if (form.visible || form.window_state() != form::WindowState::Normal) return;
  const form::Bounds wanted = form.bounds();
  const QPoint centre(geometry.px(wanted.left + wanted.width / 2),
                      geometry.px(wanted.top + wanted.height / 2));
  const QScreen* screen = QGuiApplication::screenAt(centre);
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const form::Bounds fitted =
      form::fit_within(wanted, geometry.bounds(screen->availableGeometry()));
  if (fitted == wanted) return;
  dispatch([&form, fitted] {
    form.user_moves(fitted.left, fitted.top);
    form.user_resizes(fitted.width, fitted.height);
  });
}

void Renderer::Impl::closed_by_user() {
  if (shut_down_ || !modal_.empty()) return;
  const bool any_shown = std::any_of(views_.begin(), views_.end(),
                                     [](const auto& view) { return view->form().visible; });
  if (any_shown) return;
  program.end_program();
  shut_down();
}

void Renderer::Impl::focus_changed(QWidget* now) {
  if (!now) return;
  if (FormView* view = view_of_window(now->window())) view->focus_moved_to(now);
}

bool Renderer::Impl::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (type == QEvent::ApplicationPaletteChange && watched == qApp) {
    // The desktop's theme changed: system colours mean the new ones, on every window.
    follow_desktop_palette();
    for (auto& view : views_) view->forget_shown();
    QTimer::singleShot(0, this, [this] { refresh(); });
    return false;
  }
  if ((type != QEvent::KeyPress && type != QEvent::InputMethod) || !watched->isWidgetType()) {
    return false;
  }
  auto* widget = static_cast<QWidget*>(watched);
  FormView* view = view_of_window(widget->window());
  // A key sent straight to a control hidden from the user is no one's.
  if (view && !widget->isWindow() && widget->window()->isVisible() && !widget->isVisible()) {
    return true;
  }
  // Only the first delivery: a key a child ignores comes back up through its parents.
  const QWidget* focus = QApplication::focusWidget();
  if (focus ? widget != focus : !widget->isWindow()) return false;
  if (!view) return false;
  if (type == QEvent::InputMethod) {
    return view->text_composed(widget, static_cast<QInputMethodEvent*>(event)->commitString());
  }
  return view->key_pressed(widget, *static_cast<QKeyEvent*>(event));
}

// ---------------------------------------------------------------------------------------------

Renderer::Renderer(platform::ProgramControl& program) : impl_(std::make_unique<Impl>(program)) {}

Renderer::~Renderer() = default;

void Renderer::register_picture(std::string name, QString resource_path) {
  impl_->pictures.add(std::move(name), std::move(resource_path));
}

void Renderer::attach(form::Form& form) {
  impl_->attach(form);
}

void Renderer::detach(form::Form& form) {
  impl_->detach(form);
}

void Renderer::show(form::Form& form) {
  impl_->attach(form);
  impl_->fit_to_screen(form);
  form.visible = true;
  impl_->refresh();
}

void Renderer::run_modal(form::Form& form) {
  impl_->run_modal(form);
}

QWidget* Renderer::widget_for(const form::Form& form) const {
  const FormView* view = impl_->view_for(form);
  return view ? view->window() : nullptr;
}

QImage Renderer::grab(const form::Form& form) {
  // Attaching only builds widgets; the model itself is not changed.
  FormView& view = impl_->attach(const_cast<form::Form&>(form));
  impl_->refresh();
  return view.window()->content()->grab().toImage();
}

void Renderer::refresh() {
  impl_->refresh();
}

void Renderer::post(std::function<void()> handler) {
  QTimer::singleShot(0, impl_.get(), [this, handler = std::move(handler)]() mutable {
    if (impl_->busy()) {
      // A message box or a modal form is up: handlers never overlap, so wait for it to close.
      QTimer::singleShot(50, impl_.get(), [this, handler = std::move(handler)]() mutable {
        post(std::move(handler));
      });
      return;
    }
    impl_->dispatch(std::move(handler));
  });
}

double Renderer::dpi() const {
  return impl_->geometry.dpi;
}

}  // namespace platform_qt
