// The real window's extras: the picture of the day, the blinking print icons and a page printed
// to a PDF file, read back through Ghostscript.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QImageReader>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/app/sugarlog_app.h"
#include "sugarlog/online/linternet.h"

namespace {

namespace fs = std::filesystem;

constexpr platform::Colour kYellow = platform::rgb(255, 255, 0);
constexpr platform::Colour kCyan = platform::rgb(0, 255, 255);

bool near(QRgb pixel, int red, int green, int blue, int within = 40) {
  return std::abs(qRed(pixel) - red) <= within && std::abs(qGreen(pixel) - green) <= within &&
         std::abs(qBlue(pixel) - blue) <= within;
}

int count(const QImage& image, int red, int green, int blue) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += near(image.pixel(x, y), red, green, blue);
  }
  return n;
}

// Rows holding a dark run of at least the given length, counted once per group of rows.
int dark_lines(const QImage& image, int length) {
  int lines = 0;
  bool previous = false;
  for (int y = 0; y < image.height(); ++y) {
    int run = 0, longest = 0;
    for (int x = 0; x < image.width(); ++x) {
      run = near(image.pixel(x, y), 0, 0, 0, 90) ? run + 1 : 0;
      longest = std::max(longest, run);
    }
    const bool line = longest >= length;
    lines += line && !previous;
    previous = line;
  }
  return lines;
}

// Counts the times a window is brought up to date on screen while a test says it must not be.
// Screen updates go through update requests; a grab for the printer paints into a picture only.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(std::function<bool()> forbidden) : forbidden_(std::move(forbidden)) {
    qApp->installEventFilter(this);
  }
  ~PaintWatch() override { qApp->removeEventFilter(this); }
  int seen = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::UpdateRequest && watched->isWidgetType() && forbidden_()) ++seen;
    return false;
  }

 private:
  std::function<bool()> forbidden_;
};

QWidget* child(QWidget* window, const char* name) {
  return window->findChild<QWidget*>(QString::fromLatin1(name));
}

class ExtrasAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(program_dir());
    fs::create_directories(scratch_ / "config");
    std::ofstream(program_dir() / "Diabete.dbk", std::ios::binary)
        << "\"11/06/26\",\"08:00\",\"05.5\",\"\"\r\n\"01/06/26\",\"08:00\",\"07.5\",\"\"\r\n";
  }

  fs::path program_dir() const { return scratch_ / "program"; }

  sugarlog_app::Program& start() {
    program_ = std::make_unique<sugarlog_app::Program>(program_dir(), scratch_ / "config", &probe_);
    EXPECT_TRUE(program_->start());
    return *program_;
  }

  QWidget* window() const { return program_->qt().renderer().widget_for(program_->window()); }

  // Closes the next message box once it is up and keeps its text.
  void answer_next_message_box(QString& text) {
    QTimer::singleShot(50, [&text, this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        text = box->text();
        if (while_box_is_up_) while_box_is_up_();
        box->accept();
      } else {
        answer_next_message_box(text);
      }
    });
  }

  // Looks at the window while the next message box is up, before it is closed.
  std::function<void()> while_box_is_up_;
  platform::ScratchFolder scratch_{"sugarlog-extras-app"};
  platform::FakeProbe probe_;
  std::unique_ptr<sugarlog_app::Program> program_;
};

TEST_F(ExtrasAppTest, OfflineTheStoredPictureOfTheDayIsShownWithoutTheLinkPointer) {
  QImage picture(60, 8, QImage::Format_RGB32);
  picture.fill(QColor(200, 0, 200));
  ASSERT_TRUE(picture.save(QString::fromStdString((program_dir() / "image.png").string())));
  std::ofstream(program_dir() / "site.www", std::ios::binary)
      << "\"Our page\",\"http://www.example.com\",\"png\"\r\n";
  sugarlog_app::Program& p = start();
  QWidget* banner = child(window(), "Image_FTP");
  ASSERT_NE(banner, nullptr);
  const QImage before = banner->grab().toImage();
  EXPECT_EQ(count(before, 200, 0, 200), 0);  // the built-in banner first

  // Six ticks of the check, as the window's timer gives them, with no answer from the probe.
  for (int tick = 0; tick < 6; ++tick) {
    p.window().Timer_Ping.tick();
    p.qt().renderer().refresh();
  }
  EXPECT_FALSE(p.window().Timer_Ping.enabled);
  EXPECT_EQ(probe_.started.size(), 1u);
  const QImage after = banner->grab().toImage();
  EXPECT_GT(count(after, 200, 0, 200), after.width() * after.height() * 9 / 10);
  EXPECT_TRUE(banner->toolTip().isEmpty());
  EXPECT_NE(banner->cursor().shape(), Qt::PointingHandCursor);

  // On line, the picture takes the pointing hand that says it opens something.
  p.window().online.Image_FTP.pointer = form::Pointer::Custom;
  p.qt().renderer().refresh();
  EXPECT_EQ(banner->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(ExtrasAppTest, EveryPictureExtensionTheSiteMayNameCanBeShown) {
  const QList<QByteArray> formats = QImageReader::supportedImageFormats();
  for (const char* extension : {"bmp", "gif", "jpeg", "jpg", "png"}) {
    ASSERT_TRUE(sugarlog::picture_extension(extension).has_value());
    EXPECT_TRUE(formats.contains(extension)) << extension;
  }
}

TEST_F(ExtrasAppTest, ThePrintedPageIsBlackOnWhiteAndTheScreenYellowAndCyanAgain) {
  sugarlog_app::Program& p = start();
  platform::ScratchFolder pdf_folder("sugarlog-pdf");
  p.qt().printer().print_to_pdf_in(QString::fromStdString(pdf_folder.path().string()));
  // Two plot lines across the chart, as a test and a day without test are drawn.
  auto& chart = p.window().chart;
  for (int i = 1; i <= 2; ++i) {
    form::Line& line = chart.Ligne.load(i);
    line.x1 = 100;
    line.x2 = 3550;
    line.y1 = line.y2 = 250.0 * i;
    line.border_width = 2;
    line.border_colour = i == 1 ? kYellow : kCyan;
    line.visible = true;
  }
  p.window().frame.Prochaine_Ligne = 3;
  p.qt().renderer().refresh();

  QAction* arm = nullptr;
  for (QAction* a : window()->findChildren<QAction*>()) {
    if (a->text() == "Print &chart") arm = a;
  }
  ASSERT_NE(arm, nullptr);
  arm->trigger();
  QWidget* first = child(window(), "Img_Cam1");
  QWidget* second = child(window(), "Img_Cam2");
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(first->isVisible());
  EXPECT_FALSE(second->isVisible());
  QElapsedTimer blink;
  blink.start();
  while (!second->isVisible() && blink.elapsed() < 3000) QTest::qWait(10);
  EXPECT_GE(blink.elapsed(), 400);  // the real timer's blink, every half second
  EXPECT_TRUE(second->isVisible());
  EXPECT_FALSE(first->isVisible());

  QString told;
  answer_next_message_box(told);
  // The screen is back in its own colours, with its controls, before the message opens.
  QWidget* cursor = child(window(), "Curseur");
  ASSERT_NE(cursor, nullptr);
  bool cursor_shown = false;
  QRgb corner = 0;
  while_box_is_up_ = [&] {
    cursor_shown = cursor->isVisible();
    const QImage shown = window()->grab().toImage();
    corner = shown.pixel(3, shown.height() - 3);  // the window's own background
  };
  {
    // The print colours never reach the screen: nothing paints while the model holds them.
    PaintWatch watch([&p] { return p.window().back_colour == platform::kWhite; });
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_EQ(watch.seen, 0);
  }
  const QString pdf = p.qt().printer().last_pdf();
  ASSERT_FALSE(pdf.isEmpty());
  EXPECT_TRUE(told.endsWith(pdf)) << told.toStdString();
  EXPECT_TRUE(cursor_shown);
  EXPECT_NE(corner, qRgb(255, 255, 255));

  // The screen: the lines in their own colours on the black chart, the icons as they were.
  const QImage screen = p.qt().renderer().grab(p.window());
  EXPECT_GT(count(screen, 255, 255, 0), 100);
  EXPECT_GT(count(screen, 0, 255, 255), 100);
  EXPECT_TRUE(second->isVisible());
  EXPECT_FALSE(first->isVisible());

  // The page, as Ghostscript draws it.
  const QString gs = QStandardPaths::findExecutable(QStringLiteral("gs"));
  if (gs.isEmpty()) GTEST_SKIP() << "Ghostscript is not installed: the page cannot be looked at";
  const QString png = QString::fromStdString((pdf_folder.path() / "page.png").string());
  QProcess render;
  render.start(
      gs, {"-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=png16m", "-r100", "-o", png, pdf});
  ASSERT_TRUE(render.waitForFinished(30000));
  ASSERT_EQ(render.exitCode(), 0) << render.readAll().toStdString();
  const QImage page(png);
  ASSERT_FALSE(page.isNull());
  EXPECT_EQ(page.pixel(5, 5), qRgb(255, 255, 255));
  const int whites = count(page, 255, 255, 255);
  EXPECT_GT(whites, page.width() * page.height() * 9 / 10);
  EXPECT_EQ(count(page, 0, 255, 255), 0);  // no cyan line
  EXPECT_EQ(count(page, 0, 0, 0) > 0, true);
  EXPECT_EQ(count(page, 128, 0, 0), 0);  // the thermometer stays off the page
  // The two plot lines and the two objective lines, black and nearly as long as the chart.
  const int line_length = static_cast<int>(3400.0 / 1440 * 100 * 0.9);
  EXPECT_EQ(dark_lines(page, line_length), 4);
}

}  // namespace
