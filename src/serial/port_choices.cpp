#include "serial/port_choices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>

#include "serial/settings_store.h"

namespace vx {
namespace {

QString keyOf(int n) { return QStringLiteral("SerialPorts/COM%1").arg(n); }

bool validPort(int n) { return n >= 1 && n <= kComPorts; }

// QSettings reads what it can of a damaged file and, once the file is in its cache, no longer
// reports it as damaged; so the file is looked at here: a settings file is short UTF-8 text
// whose section lines are closed.
bool isDamaged(const QString& path) {
  QFile file(path);
  if (!file.exists()) return false;
  if (!file.open(QIODevice::ReadOnly) || file.size() > 1024 * 1024) return true;
  const QByteArray bytes = file.readAll();
  if (bytes.contains('\0')) return true;
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString text = decoder(bytes);
  if (decoder.hasError()) return true;
  for (QStringView line : QStringView(text).split(u'\n')) {
    line = line.trimmed();
    if (line.startsWith(u'[') && !line.endsWith(u']')) return true;
  }
  return false;
}

}  // namespace

PortChoices::PortChoices(QString settingsFile)
    : file_(settingsFile.isEmpty() ? defaultSettingsFile() : std::move(settingsFile)),
      inFile_(settingsFormatOf(file_) == QSettings::IniFormat) {}

QString PortChoices::defaultSettingsFile() { return standardSettingsStore(); }

QString PortChoices::stored(int n) const {
  if (!validPort(n)) return {};
  if (inFile_ && isDamaged(file_)) return {};
  const QSettings settings(file_, settingsFormatOf(file_));
  if (settings.status() != QSettings::NoError) return {};
  const QVariant value = settings.value(keyOf(n));
  if (value.typeId() != QMetaType::QString) return {};
  const QString path = value.toString();
  return isAcceptableDevicePath(path) ? path : QString();
}

bool PortChoices::store(int n, const QString& path) {
  if (!validPort(n) || (!path.isEmpty() && !isAcceptableDevicePath(path))) return false;
  if (inFile_) {
    if (isDamaged(file_)) {
      // QSettings would not rewrite a file it could not read: keep it for a look and start over.
      const QString aside = file_ + QStringLiteral(".damaged");
      QFile::remove(aside);
      if (!QFile::rename(file_, aside) && !QFile::remove(file_)) return false;
    }
    QDir().mkpath(QFileInfo(file_).absolutePath());
  }
  // QSettings writes a settings file whole to a temporary one and renames it over the old one.
  QSettings settings(file_, settingsFormatOf(file_));
  if (path.isEmpty())
    settings.remove(keyOf(n));
  else
    settings.setValue(keyOf(n), path);
  settings.sync();
  return settings.status() == QSettings::NoError;
}

void PrintTo(const ComDevice& device, std::ostream* os) {
  static const char* const sources[] = {"environment", "stored", "default"};
  *os << "{" << device.path.toStdString() << ", " << sources[static_cast<int>(device.source)] << "}";
}

ComDevice resolveComPort(int n, const PortChoices& choices) {
  if (!validPort(n)) return {};
  const QByteArray variable = "VORLANDEX_COM" + QByteArray::number(n);
  const QString environment = qEnvironmentVariable(variable.constData());
  if (!environment.isEmpty()) return {environment, ComSource::Environment};
  const QString stored = choices.stored(n);
  if (!stored.isEmpty()) return {stored, ComSource::Stored};
  return {defaultComDevice(n), ComSource::Default};
}

ComDevice resolveComPort(int n) { return resolveComPort(n, PortChoices()); }

int comPortNumber(const QString& name) {
  if (name.size() == 4 && name.startsWith(QLatin1String("COM")) && name[3] >= QLatin1Char('1') &&
      name[3] <= QLatin1Char('4'))
    return name[3].unicode() - '0';
  return 0;
}

QString comPortDevice(const std::string& name, const PortChoices& choices) {
  const int n = comPortNumber(QString::fromStdString(name));
  return n == 0 ? QString() : resolveComPort(n, choices).path;
}

}  // namespace vx
