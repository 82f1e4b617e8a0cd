#pragma once
// Shows form models as real Qt widgets. Each form gets its widgets once; widget events go to the
// model's handlers, and after every handled event (and every timer tick) the visible state of
// every attached form is copied back to its widgets with their signals blocked, so nothing echoes
// back into the model. That copy costs what the event changed: a widget is touched only where its
// control differs from what it was last given, and the lines and shapes of a container are looked
// at only when one of them changed (form::property_revision) or controls came or went
// (form::structure_revision). When a handler asks to end the program, every form is hidden and the
// application quits once that handler returns; no handler runs after that.
//
// - Handlers never overlap: a timer whose tick falls while a handler runs (a message box or a
//   modal form is up) skips that tick.
// - The user closing a window runs the form's unload handler; when no form is left on screen
//   afterwards, the program ends.
// - A handler moving the model's focus moves the keyboard focus; text boxes take typed keys
//   through their key filter (Latin-1 codes, Return as 13, Backspace as 8).
// - The renderer never raises a form's load event: the window's owner does.
//
// Geometry: twips become device-independent pixels by the screen's logical DPI. A form's width
// and height are the outer size of its window; its controls sit at their twip positions in the
// content area below the menu bar: the form's size less the frame of form.h, 120 twips across
// and 690 twips down for a form with a menu bar (390 for one without).
#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/form.h"
#include "platform/core/services.h"

class QWidget;

namespace platform_qt {

class Renderer {
 public:
  // Needs a QApplication. The program control is read after every event.
  explicit Renderer(platform::ProgramControl& program);
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Pictures for Image controls (by their picture name) and toolbar buttons (by image key):
  // a Qt resource or file path, SVG or any raster format Qt reads.
  void register_picture(std::string name, QString resource_path);

  // Builds the widgets of a form once, hidden. A form must be detached (or the renderer
  // destroyed) before the form object itself goes away.
  void attach(form::Form& form);
  void detach(form::Form& form);
  // Attaches if needed, sets form.visible and shows the window.
  void show(form::Form& form);
  // Shows the form application-modal and returns once its visible flag is false again (a
  // handler hid it, or the user closed it and its unload handler ran), or the program ends.
  void run_modal(form::Form& form);

  // The form's top-level window (nullptr when not attached).
  QWidget* widget_for(const form::Form& form) const;
  // The form's content area (below the menu bar) as it is drawn now, visible or not; attaches
  // the form when needed.
  QImage grab(const form::Form& form);

  // Copies the model's visible state of every attached form to its widgets.
  void refresh();

  // Runs a handler that no widget started (a download that arrived, say) as an event of its
  // own: once no other handler runs, then brings the widgets up to date.
  void post(std::function<void()> handler);

  // Logical DPI used for twips <-> pixels.
  double dpi() const;

  class Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform_qt
