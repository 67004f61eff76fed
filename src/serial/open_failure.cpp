#include "serial/open_failure.h"

#include <QCoreApplication>

#include "serial/system_errors.h"

namespace vx {
namespace {

// One text in both languages. The operator's is the source text of the window's translations.
struct Text {
  const char* operatorText;
  const char* english;

  QString in(FailureLanguage language) const {
    return language == FailureLanguage::English ? QString::fromUtf8(english)
                                                : QCoreApplication::translate("OpenFailure", operatorText);
  }
};

struct Reason {
  SerialFailure kind;
  Text text;
};

// %1 of Permission is one of the group texts below; %1 of Other is the system's own text.
constexpr Reason kReasons[] = {
    {SerialFailure::Absent,
     {QT_TRANSLATE_NOOP("OpenFailure", "O dispositivo não existe. Verifique o cabo e o adaptador."),
      "the device is not there; check the cable and the adapter"}},
    {SerialFailure::Permission,
     {QT_TRANSLATE_NOOP(
          "OpenFailure",
          "Permissão negada. O usuário precisa pertencer ao grupo %1 e entrar novamente na sessão."),
      "permission denied; the user must belong to %1 and log in again"}},
    {SerialFailure::Busy,
     {QT_TRANSLATE_NOOP("OpenFailure", "O dispositivo está em uso por outro programa."),
      "the device is in use by another program"}},
    {SerialFailure::NotSerial,
     {QT_TRANSLATE_NOOP("OpenFailure", "O caminho não é um dispositivo serial."), "not a serial device"}},
    {SerialFailure::Other, {QT_TRANSLATE_NOOP("OpenFailure", "Falha ao abrir o dispositivo: %1."), "%1"}},
};
constexpr Text kNamedGroup = {QT_TRANSLATE_NOOP("OpenFailure", "\"%1\", dono do dispositivo,"),
                              "the group \"%1\" that owns the device"};
constexpr Text kUnnamedGroup = {QT_TRANSLATE_NOOP("OpenFailure", "dono do dispositivo"),
                                "the group that owns the device"};

const Reason* reasonFor(SerialFailure kind) {
  for (const Reason& reason : kReasons)
    if (reason.kind == kind) return &reason;
  return nullptr;
}

}  // namespace

QString openFailureReason(const SerialError& error, FailureLanguage language) {
  const Reason* reason = reasonFor(error.kind());
  if (!reason) {
    // The link's own text stands above the operator's reason; a system error behind it
    // (a thread the system would not start) is said in the system's words.
    QString system = error.error() ? QString::fromStdString(systemErrorText(error.error())) : QString();
    if (language == FailureLanguage::Operator) return system;
    QString link = QString::fromUtf8(error.what()).trimmed();
    return system.isEmpty() ? link : link + QStringLiteral(": ") + system;
  }
  QString text = reason->text.in(language);
  switch (error.kind()) {
    case SerialFailure::Permission: {
      const std::string group = owningGroup(error.device());
      return text.arg(group.empty() ? kUnnamedGroup.in(language)
                                    : kNamedGroup.in(language).arg(QString::fromStdString(group)));
    }
    case SerialFailure::Other:
      return text.arg(QString::fromStdString(systemErrorText(error.error())));
    default:
      return text;
  }
}

QString openFailureDetail(const SerialError& error) {
  const QString reason = openFailureReason(error, FailureLanguage::Operator);
  if (reason.isEmpty()) return {};
  return QCoreApplication::translate("OpenFailure", "Dispositivo: %1")
             .arg(QString::fromStdString(error.device())) +
         QLatin1Char('\n') + reason;
}

}  // namespace vx
