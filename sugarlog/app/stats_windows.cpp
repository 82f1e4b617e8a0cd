#include "sugarlog/app/stats_windows.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <cmath>

#include "platform/qt/qt_services.h"
#include "platform/qt/text.h"
#include "sugarlog/app/report_pdf.h"
#include "sugarlog/stats/target_file.h"
#include "sugarlog/texts/statistics_texts.h"

namespace sugarlog_app {

namespace {

using platform_qt::to_qstring;
using sugarlog::Bilingual;

QString tr_of(const Bilingual& text, std::int16_t langue) {
  return to_qstring(text.in(langue));
}

QString plain(const Bilingual& text, std::int16_t langue) {
  return platform_qt::without_mnemonic(text.in(langue));
}

int decimals_of(int unite) {
  return sugarlog::known_unit(unite) == sugarlog::kMgDl ? 0
         : sugarlog::known_unit(unite) == sugarlog::kGL ? 2
                                                        : 1;
}

QString escaped(const std::string& text) {
  return to_qstring(text).toHtmlEscaped();
}

// The view as an HTML page: a table of figures, then the ranges and the two tables of shares.
QString figures_html(const sugarlog::StatisticsView& v, const std::string& period,
                     const std::string& unit) {
  QString html = QStringLiteral("<p><b>%1</b><br>%2</p>").arg(escaped(period), escaped(unit));
  if (!v.unreadable.empty()) html += QStringLiteral("<p>%1</p>").arg(escaped(v.unreadable));
  if (v.empty) return html + QStringLiteral("<p><b>%1</b></p>").arg(escaped(v.no_test));
  const auto figure_table = [](const std::vector<sugarlog::FigureRow>& rows) {
    QString out = QStringLiteral("<table width=\"100%\" cellspacing=0 cellpadding=2>");
    for (const auto& row : rows) {
      out += QStringLiteral("<tr><td>%1</td><td align=right><b>%2</b></td></tr>")
                 .arg(escaped(row.label), escaped(row.value));
    }
    return out + QStringLiteral("</table>");
  };
  const auto share_table = [&v](const std::string& title,
                                const std::vector<sugarlog::ShareRow>& rows) {
    QString out = QStringLiteral(
                      "<h4>%1</h4><table width=\"100%\" cellspacing=0 cellpadding=2><tr><th></th>"
                      "<th align=right>%2</th><th align=right>%3</th></tr>")
                      .arg(escaped(title), escaped(v.count_header), escaped(v.mean_header));
    for (const auto& row : rows) {
      out += QStringLiteral("<tr><td>%1</td><td align=right>%2</td><td align=right>%3</td></tr>")
                 .arg(escaped(row.label), escaped(row.count), escaped(row.mean));
    }
    return out + QStringLiteral("</table>");
  };
  html += figure_table(v.summary);
  if (!v.gmi_note.empty()) html += QStringLiteral("<p><i>%1</i></p>").arg(escaped(v.gmi_note));
  html += QStringLiteral("<h4>%1</h4>").arg(escaped(v.ranges_title)) + figure_table(v.ranges);
  html += share_table(v.day_parts_title, v.day_parts);
  html += share_table(v.weekdays_title, v.weekdays);
  return html;
}

QWidget* dialog_parent() {
  return QApplication::activeWindow();
}

// A row of the form with its label, the field named for screen readers after it.
void add_row(QFormLayout& form, const QString& label, QWidget* field) {
  field->setAccessibleName(label);
  form.addRow(label, field);
}

sugarlog::TargetRangeFile target_file_of(const sugarlog::Fenetre& window) {
  return sugarlog::TargetRangeFile(window.settings_path().parent_path());
}

// Refuses an unusable range with a message; keeps a usable one in its file.
bool keep_target_range(const sugarlog::Fenetre& window, const ReportSettings& settings,
                       const sugarlog::TargetRange& range, QWidget* parent) {
  const std::int16_t langue = settings.langue;
  const QString title = tr_of(sugarlog::text::kProgramTitle, langue);
  if (const auto why =
          sugarlog::refuse_target_range(range, settings.unite, langue, settings.separator)) {
    QMessageBox::warning(parent, title, to_qstring(*why));
    return false;
  }
  if (range == sugarlog::TargetRangeFile(window.settings_path().parent_path()).read()) return true;
  if (const auto error = target_file_of(window).write(range)) {
    QMessageBox::warning(parent, title,
                         tr_of(sugarlog::text::kTargetNotKept, langue) + "\n" + to_qstring(*error));
    return false;
  }
  return true;
}

}  // namespace

ReportSettings report_settings_of(const sugarlog::Fenetre& window) {
  ReportSettings settings;
  settings.langue = window.Langue;
  settings.separator = window.units.Sep_Decimal.empty() ? "." : window.units.Sep_Decimal;
  if (!window.Format_Date_Syst.empty()) settings.date_picture = window.Format_Date_Syst;
  settings.today = platform_qt::QtClock().today();
  settings.unite = window.settings.Unite;
  settings.target = target_file_of(window).read();
  return settings;
}

PeriodChoice::PeriodChoice(std::int16_t langue, platform::Serial today, QWidget* parent)
    : QWidget(parent),
      today_(today),
      choice_(new QComboBox(this)),
      from_(new QDateEdit(this)),
      to_(new QDateEdit(this)) {
  for (const Bilingual& text : sugarlog::text::kPeriodChoices)
    choice_->addItem(tr_of(text, langue));
  choice_->setCurrentIndex(3);
  choice_->setAccessibleName(tr_of(sugarlog::text::kPeriod, langue));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(choice_);
  for (auto [edit, label] : {std::pair{from_, sugarlog::text::kFrom}, {to_, sugarlog::text::kTo}}) {
    auto* caption = new QLabel(tr_of(label, langue), this);
    caption->setBuddy(edit);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setAccessibleName(tr_of(label, langue));
    row->addWidget(caption);
    row->addWidget(edit);
  }
  set_days(today - 89, today);
  from_->setEnabled(false);
  to_->setEnabled(false);
  const auto changed = [this] {
    if (on_change) on_change();
  };
  QObject::connect(choice_, &QComboBox::currentIndexChanged, this, [this, changed](int index) {
    from_->setEnabled(index == 4);
    to_->setEnabled(index == 4);
    changed();
  });
  QObject::connect(from_, &QDateEdit::dateChanged, this, changed);
  QObject::connect(to_, &QDateEdit::dateChanged, this, changed);
}

sugarlog::Period PeriodChoice::period() const {
  static constexpr int kDays[] = {7, 14, 30, 90};
  const int index = choice_->currentIndex();
  if (index >= 0 && index < 4) return sugarlog::last_days(today_, kDays[index]);
  const double first = platform_qt::serial_of_date(from_->date());
  const double last = platform_qt::serial_of_date(to_->date());
  return {std::min(first, last), std::max(first, last)};
}

void PeriodChoice::choose(int index) {
  choice_->setCurrentIndex(index);
}

void PeriodChoice::set_days(platform::Serial first, platform::Serial last) {
  from_->setDate(platform_qt::date_of_serial(first));
  to_->setDate(platform_qt::date_of_serial(last));
}

TargetFields::TargetFields(const ReportSettings& settings, QWidget* parent)
    : QWidget(parent),
      unite_(settings.unite),
      low_(new QDoubleSpinBox(this)),
      high_(new QDoubleSpinBox(this)) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  const QString unit = to_qstring(sugarlog::unit_info(unite_).name);
  for (auto [box, label] :
       {std::pair{low_, sugarlog::text::kTargetLow}, {high_, sugarlog::text::kTargetHigh}}) {
    box->setDecimals(decimals_of(unite_));
    box->setSingleStep(std::pow(10.0, -decimals_of(unite_)));
    box->setRange(0, sugarlog::from_mg_dl(450, unite_));
    box->setSuffix(" " + unit);
    box->setLocale(settings.separator == "," ? QLocale(QLocale::French) : QLocale::c());
    box->setAccessibleName(tr_of(label, settings.langue));
    box->setToolTip(tr_of(label, settings.langue));
    row->addWidget(box);
  }
  set_range(settings.target);
}

sugarlog::TargetRange TargetFields::range() const {
  return {static_cast<int>(std::lround(sugarlog::to_mg_dl(low_->value(), unite_))),
          static_cast<int>(std::lround(sugarlog::to_mg_dl(high_->value(), unite_)))};
}

void TargetFields::set_range(const sugarlog::TargetRange& range) {
  low_->setValue(sugarlog::from_mg_dl(range.low, unite_));
  high_->setValue(sugarlog::from_mg_dl(range.high, unite_));
}

StatisticsDialog::StatisticsDialog(const sugarlog::Fenetre& window, QWidget* parent)
    : QDialog(parent),
      window_(window),
      settings_(report_settings_of(window)),
      period_(new PeriodChoice(settings_.langue, settings_.today, this)),
      target_(new TargetFields(settings_, this)),
      figures_(new QTextBrowser(this)) {
  const std::int16_t langue = settings_.langue;
  setWindowTitle(tr_of(sugarlog::text::kStatisticsTitle, langue));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  add_row(*form, tr_of(sugarlog::text::kPeriod, langue), period_);
  auto* target_row = new QHBoxLayout;
  target_row->addWidget(target_);
  auto* keep = new QPushButton(tr_of(sugarlog::text::kKeepTarget, langue), this);
  keep->setAccessibleName(plain(sugarlog::text::kKeepTarget, langue));
  target_row->addWidget(keep);
  form->addRow(tr_of(sugarlog::text::kTargetRange, langue), target_row);
  layout->addLayout(form);
  figures_->setAccessibleName(tr_of(sugarlog::text::kFigures, langue));
  figures_->setMinimumSize(480, 520);
  layout->addWidget(figures_);
  auto* buttons = new QDialogButtonBox(this);
  auto* close =
      buttons->addButton(tr_of(sugarlog::text::kClose, langue), QDialogButtonBox::RejectRole);
  close->setAccessibleName(plain(sugarlog::text::kClose, langue));
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  QObject::connect(keep, &QPushButton::clicked, this, [this] { keep_target(); });
  period_->on_change = [this] { refresh(); };
  refresh();
}

void StatisticsDialog::refresh() {
  const sugarlog::Period period = period_->period();
  const int this_year = platform::year_of(settings_.today);
  stats_ =
      sugarlog::compute_statistics(sugarlog::tests_in_period(window_.table, period, settings_.unite,
                                                             settings_.separator, this_year),
                                   period, settings_.unite, settings_.target);
  const std::int16_t langue = settings_.langue;
  figures_->setHtml(figures_html(sugarlog::statistics_view(stats_, langue, settings_.separator),
                                 std::string(sugarlog::text::kPeriod.in(langue)) + ": " +
                                     sugarlog::period_text(period, settings_.date_picture, langue),
                                 std::string(sugarlog::text::kUnit.in(langue)) + ": " +
                                     std::string(sugarlog::unit_info(settings_.unite).name)));
}

bool StatisticsDialog::keep_target() {
  if (!keep_target_range(window_, settings_, target_->range(), this)) return false;
  settings_.target = target_->range();
  refresh();
  return true;
}

void show_statistics_window(sugarlog::Fenetre& window) {
  StatisticsDialog dialog(window, dialog_parent());
  dialog.exec();
}

namespace {

// The report dialog: the period, a name and the target range, then a PDF file or the printer.
class ReportDialog : public QDialog {
 public:
  ReportDialog(const sugarlog::Fenetre& window, platform_qt::QtPrinter& printer, QWidget* parent)
      : QDialog(parent),
        window_(window),
        printer_(printer),
        settings_(report_settings_of(window)),
        period_(new PeriodChoice(settings_.langue, settings_.today, this)),
        name_(new QLineEdit(this)),
        target_(new TargetFields(settings_, this)) {
    const std::int16_t langue = settings_.langue;
    setWindowTitle(tr_of(sugarlog::text::kReportDialogTitle, langue));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    add_row(*form, tr_of(sugarlog::text::kPeriod, langue), period_);
    add_row(*form, tr_of(sugarlog::text::kNameOptional, langue), name_);
    add_row(*form, tr_of(sugarlog::text::kTargetRange, langue), target_);
    name_->setMaxLength(200);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    const auto button = [&](const Bilingual& text, QDialogButtonBox::ButtonRole role) {
      QPushButton* b = buttons->addButton(tr_of(text, langue), role);
      b->setAccessibleName(plain(text, langue));
      return b;
    };
    QPushButton* save = button(sugarlog::text::kSavePdf, QDialogButtonBox::ActionRole);
    QPushButton* to_printer = button(sugarlog::text::kPrint, QDialogButtonBox::ActionRole);
    button(sugarlog::text::kClose, QDialogButtonBox::RejectRole);
    save->setDefault(true);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QObject::connect(save, &QPushButton::clicked, this, [this] { save_pdf(); });
    QObject::connect(to_printer, &QPushButton::clicked, this, [this] { print(); });
  }

 private:
  std::optional<sugarlog::ReportRequest> request() {
    if (!keep_target_range(window_, settings_, target_->range(), this)) return std::nullopt;
    return sugarlog::ReportRequest{period_->period(),
                                   settings_.unite,
                                   settings_.langue,
                                   settings_.separator,
                                   settings_.date_picture,
                                   settings_.today,
                                   platform_qt::to_utf8(name_->text().trimmed()),
                                   target_->range()};
  }

  void save_pdf() {
    const auto wanted = request();
    if (!wanted) return;
    const std::int16_t langue = settings_.langue;
    const QString suggested =
        QDir::home().filePath(tr_of(sugarlog::text::kReportFileName, langue) + "-" +
                              to_qstring(sugarlog::format_iso_day(settings_.today)) + ".pdf");
    QString path =
        QFileDialog::getSaveFileName(this, plain(sugarlog::text::kSavePdf, langue), suggested,
                                     tr_of(sugarlog::text::kPdfFiles, langue));
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += ".pdf";
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto error =
        write_report_pdf(platform_qt::to_path(path), window_.table, *wanted,
                         platform::year_of(settings_.today), paper_for(QLocale::system()));
    QApplication::restoreOverrideCursor();
    const QString title = tr_of(sugarlog::text::kProgramTitle, langue);
    if (error) {
      QMessageBox::warning(
          this, title,
          tr_of(sugarlog::text::kReportNotSaved, langue) + "\n" + path + "\n" + to_qstring(*error));
    } else {
      QMessageBox::information(this, title,
                               tr_of(sugarlog::text::kReportSaved, langue) + "\n" + path);
    }
  }

  void print() {
    const auto wanted = request();
    if (!wanted) return;
    platform_qt::PrintSupport* printing = printer_.support();
    if (!printing) return;
    const auto target = printing->make_target();
    target->pages().setPageSize(QPageSize(paper_for(QLocale::system())));
    if (!target->choose_for_document(this)) return;
    print_report(*target, window_.table, *wanted, platform::year_of(settings_.today));
  }

  const sugarlog::Fenetre& window_;
  platform_qt::QtPrinter& printer_;
  ReportSettings settings_;
  PeriodChoice* period_;
  QLineEdit* name_;
  TargetFields* target_;
};

}  // namespace

void show_report_dialog(sugarlog::Fenetre& window, platform_qt::QtPrinter& printer) {
  ReportDialog dialog(window, printer, dialog_parent());
  dialog.exec();
}

}  // namespace sugarlog_app
