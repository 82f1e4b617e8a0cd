#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/qt/qt_online.h"
#include "platform/qt/text.h"

namespace platform_qt {

namespace {
// Longer than a normal report, far shorter than anything that could hurt.
constexpr qint64 kMaxReport = 64 * 1024;
}  // namespace

QtPingProbe::QtPingProbe(QString program) : program_(std::move(program)) {}

QtPingProbe::~QtPingProbe() {
  finish();
}

QStringList QtPingProbe::arguments(const QString& host) {
  return {QStringLiteral("-n"), QStringLiteral("-c"), QStringLiteral("1"),
          QStringLiteral("-w"), QStringLiteral("3"),  host};
}

bool QtPingProbe::start(const std::string& host) {
  finish();
  const QString program = !program_.contains(u'/') ? QStandardPaths::findExecutable(program_)
                          : QFileInfo(program_).isExecutable() ? program_
                                                               : QString();
  // A host that looks like an option would be taken as one.
  if (program.isEmpty() || host.empty() || host.front() == '-') return false;
  folder_ =
      std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("sugarlog-XXXXXX")));
  if (!folder_->isValid()) {
    folder_.reset();
    return false;
  }
  output_path_ = folder_->filePath(QStringLiteral("ping.txt"));
  process_ = std::make_unique<QProcess>();
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
  process_->setProcessEnvironment(environment);
  process_->setProcessChannelMode(QProcess::MergedChannels);
  process_->setStandardOutputFile(output_path_);
  process_->setStandardInputFile(QProcess::nullDevice());
  process_->start(program, arguments(to_qstring(host)));
  return true;
}

std::optional<std::string> QtPingProbe::output() {
  if (output_path_.isEmpty()) return std::nullopt;
  QFile file(output_path_);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.read(kMaxReport).toStdString();
}

void QtPingProbe::finish() {
  if (process_) {
    if (process_->state() != QProcess::NotRunning) {
      process_->kill();
      process_->waitForFinished(1000);
    }
    process_.reset();
  }
  folder_.reset();  // the folder goes with everything in it
  output_path_.clear();
}

}  // namespace platform_qt
