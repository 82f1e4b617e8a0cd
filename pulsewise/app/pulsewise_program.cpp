#include "pulsewise/app/pulsewise_program.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "platform/core/version.h"
#include "platform/qt/desktop_program.h"
#include "platform/qt/image_surface.h"
#include "platform/qt/text.h"

// Resources of a static library are registered by hand, outside any namespace.
static void init_pulsewise_resources() {
  Q_INIT_RESOURCE(pulsewise);
}

namespace pulsewise {
namespace {

constexpr std::array<std::pair<const char*, const char*>, 10> kToolbarPictures{{
    {"PrintIconKey", ":/pulsewise/icons/print.svg"},
    {"DiskIconKey", ":/pulsewise/icons/disk.svg"},
    {"Back3IconKey", ":/pulsewise/icons/back3.svg"},
    {"Back2IconKey", ":/pulsewise/icons/back2.svg"},
    {"Back1IconKey", ":/pulsewise/icons/back1.svg"},
    {"CalendarIconKey", ":/pulsewise/icons/calendar.svg"},
    {"Forward1IconKey", ":/pulsewise/icons/forward1.svg"},
    {"Forward2IconKey", ":/pulsewise/icons/forward2.svg"},
    {"Forward3IconKey", ":/pulsewise/icons/forward3.svg"},
    {"SpeechIconKey", ":/pulsewise/icons/speech.svg"},
}};

// Text widths in the font the window's own widgets use, so the chart's text lines are centred
// the way they look next to the buttons.
class WindowFontMeasure : public platform::TextMeasure {
 public:
  WindowFontMeasure(double points, double dpi) : metrics_(font_at(points)), dpi_(dpi) {}
  double text_width(std::string_view text) const override {
    // Decoded as the chart prints it, so a typed name measures what is shown.
    return metrics_.horizontalAdvance(platform_qt::to_qstring(text)) * platform::kTwipsPerInch /
           dpi_;
  }

 private:
  static QFont font_at(double points) {
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    return font;
  }
  QFontMetricsF metrics_;
  double dpi_;
};

bool write_bitmap(const platform::DrawSurface& picture, const std::string& path) {
  const auto* image = dynamic_cast<const platform_qt::QImageSurface*>(&picture);
  return image && image->save_bmp(QString::fromStdString(path));
}

// The primary screen's work area in twips.
std::optional<form::Bounds> screen_area(double dpi) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return std::nullopt;
  const QRect area = screen->availableGeometry();
  const double twips_per_pixel = platform::kTwipsPerInch / dpi;
  return form::Bounds{area.x() * twips_per_pixel, area.y() * twips_per_pixel,
                      area.width() * twips_per_pixel, area.height() * twips_per_pixel};
}

// A window without a stored position opens in the middle of the screen.
void centre_on_screen(form::Form& window, double dpi) {
  const auto area = screen_area(dpi);
  if (!area) return;
  const double left = area->left + (area->width - window.width()) / 2;
  const double top = area->top + (area->height - window.height()) / 2;
  window.set_bounds(std::max(0.0, left), std::max(0.0, top), window.width(), window.height());
}

}  // namespace

Program::Program(platform::Dialogs* dialogs)
    : qt_(QCoreApplication::applicationDirPath() + QStringLiteral("/" MODULES_FOLDER)) {
  init_pulsewise_resources();
  window_ = std::make_unique<Form1>(with_dialogs(dialogs), std::string(platform::kVersion));
  for (const auto& [key, path] : kToolbarPictures) renderer().register_picture(key, path);
  window_->set_window_font(
      std::make_shared<WindowFontMeasure>(window_->font_size, renderer().dpi()));
  window_->set_bitmap_writer(write_bitmap);
  if (const auto area = screen_area(renderer().dpi())) window_->set_screen_area(*area);
  for (form::Form* form :
       {static_cast<form::Form*>(window_.get()), static_cast<form::Form*>(&window_->form5),
        static_cast<form::Form*>(&window_->form6)}) {
    centre_on_screen(*form, renderer().dpi());
  }
}

Program::~Program() {
  // The renderer outlives the window objects here, so it must let go of them first.
  renderer().detach(window_->form2);
  renderer().detach(window_->form6);
  renderer().detach(window_->form5);
  renderer().detach(*window_);
}

platform::Platform Program::with_dialogs(platform::Dialogs* dialogs) {
  const platform::Platform qt = qt_.platform();
  return platform::Platform{dialogs ? *dialogs : qt.dialogs,
                            qt.clock,
                            qt.locale,
                            qt.settings,
                            qt.shell,
                            qt.printer,
                            qt.surfaces,
                            qt.program,
                            qt.probe,
                            qt.http,
                            qt.browser};
}

void Program::start() {
  const form::Bounds centred = window_->bounds();
  // The chart is drawn while the display puts the window up, before the window's first paint: it
  // is on the first picture the user sees, and the window is not kept from the screen meanwhile.
  window_->hold_chart();
  window_->Form_Load();
  // A stored size without a stored position: centre the window at its new size.
  if (window_->window_state() == form::WindowState::Normal && window_->left() == centred.left &&
      window_->top() == centred.top) {
    centre_on_screen(*window_, renderer().dpi());
  }
  // The people windows are built when first opened (show_modal attaches them): building them
  // here would cost the main window's first appearance about a tenth of its start-up.
  renderer().show(*window_);
  window_->release_chart();
  renderer().refresh();
}

int run(int argc, char** argv) {
  init_pulsewise_resources();
  const platform_qt::DesktopIdentity identity{
      {"pulsewise", "Pulsewise", "biorhythm charts of one person, or a comparison of two"},
      QStringLiteral(DESKTOP_ID),
      QStringLiteral(":/pulsewise/pulsewise.svg")};
  // The program's texts are English only, and so are Qt's own: no translations are loaded.
  return platform_qt::run_desktop_program(argc, argv, identity, [] {
    Program program;
    program.start();
    return QApplication::exec();
  });
}

}  // namespace pulsewise
