#include "protocol/connection_lost.h"

namespace vx {

JobItem settingsItem() {
  return {QStringLiteral("as configurações dos botões e atendimentos"),
          QStringLiteral("das configurações dos botões e atendimentos")};
}
JobItem clockItem() { return {QStringLiteral("a hora e a data"), QStringLiteral("da hora e da data")}; }
JobItem textItem(int button) {
  return {QStringLiteral("o texto do botão %1").arg(button), QStringLiteral("do texto do botão %1").arg(button)};
}
JobItem logoItem() { return {QStringLiteral("o logotipo"), QStringLiteral("do logotipo")}; }

ConnectionLost::ConnectionLost() { compose(); }

void ConnectionLost::setJob(const JobItem& job) {
  if (haveJob_) return;
  haveJob_ = true;
  job_ = job;
  notSent_.prepend(job.item);
  compose();
}

void ConnectionLost::addNotSent(const JobItem& job) {
  notSent_.append(job.item);
  compose();
}

void ConnectionLost::compose() {
  QString text = QStringLiteral("A conexão com a impressora foi perdida durante o envio");
  if (!job_.during.isEmpty()) text += QLatin1Char(' ') + job_.during;
  text += QLatin1Char('.');
  if (!notSent_.isEmpty()) {
    QString list = notSent_.last();
    if (notSent_.size() > 1) list = notSent_.mid(0, notSent_.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" e ") + list;
    text += QStringLiteral("\nFaltou enviar: ") + list + QLatin1Char('.');
  }
  text += QStringLiteral("\nVerifique o cabo da impressora e envie novamente.");
  text_ = text.toStdString();
}

}  // namespace vx
