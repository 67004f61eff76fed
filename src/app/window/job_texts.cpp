#include "app/window/job_texts.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

#include "protocol/job_plan.h"

namespace vx {
namespace {

// What a job sends, as the report names it: `what` as a subject ("o logotipo"), `during`
// after "durante o envio" ("do logotipo").
struct JobWording {
  QString what;
  QString during;
};

JobWording wordingOf(const JobPlan& job) {
  switch (job.kind) {
    case JobKind::Settings:
      return {QCoreApplication::translate("JobTexts", "as configurações dos botões e atendimentos"),
              QCoreApplication::translate("JobTexts", "das configurações dos botões e atendimentos")};
    case JobKind::Clock:
      return {QCoreApplication::translate("JobTexts", "a hora e a data"), QCoreApplication::translate("JobTexts", "da hora e da data")};
    case JobKind::Texts:
      return {QCoreApplication::translate("JobTexts", "o texto do botão %1").arg(job.button),
              QCoreApplication::translate("JobTexts", "do texto do botão %1").arg(job.button)};
    case JobKind::Logo:
      break;
  }
  return {QCoreApplication::translate("JobTexts", "o logotipo"), QCoreApplication::translate("JobTexts", "do logotipo")};
}

}  // namespace

std::int64_t timeLeftSeconds(std::int64_t ms) { return (std::max<std::int64_t>(0, ms) + 999) / 1000; }

QString timeLeftText(std::int64_t ms) {
  const std::int64_t seconds = timeLeftSeconds(ms);
  if (seconds < 60) return QCoreApplication::translate("JobTexts", "Tempo restante: %1 s").arg(seconds);
  return QCoreApplication::translate("JobTexts", "Tempo restante: %1 min %2 s").arg(seconds / 60).arg(seconds % 60);
}

QString connectionLostText(const RunPlan& plan, int job) {
  QString text = QCoreApplication::translate("JobTexts", "A conexão com a impressora foi perdida durante o envio");
  QStringList notSent;
  if (job >= 0 && job < static_cast<int>(plan.jobs.size())) {
    text += QLatin1Char(' ') + wordingOf(plan.jobs[job]).during;
    for (std::size_t later = static_cast<std::size_t>(job); later < plan.jobs.size(); ++later)
      notSent.append(wordingOf(plan.jobs[later]).what);
  }
  text += QLatin1Char('.');
  if (!notSent.isEmpty()) {
    QString list = notSent.last();
    if (notSent.size() > 1) list = notSent.mid(0, notSent.size() - 1).join(QStringLiteral(", ")) + QCoreApplication::translate("JobTexts", " e ") + list;
    text += QCoreApplication::translate("JobTexts", "\nFaltou enviar: ") + list + QLatin1Char('.');
  }
  text += QCoreApplication::translate("JobTexts", "\nVerifique o cabo da impressora e envie novamente.");
  return text;
}

}  // namespace vx
