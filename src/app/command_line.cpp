#include "app/command_line.h"

#include "app/translations.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>
#include <cstdio>
#include <cstring>

namespace vx {

bool asksForHelpOrVersion(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
      if (std::strcmp(argv[i], option) == 0) return true;
  }
  return false;
}

QString configFileArgument(const QString& argument) {
  QString path = argument;
  if (argument.startsWith(QLatin1String("file:"))) path = QUrl(argument).toLocalFile();
  return path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

CommandLine processCommandLine(const QCoreApplication& app) {
  QCoreApplication::setApplicationName(QStringLiteral("vorlandex"));
  QCoreApplication::setApplicationVersion(QStringLiteral(VORLANDEX_VERSION));
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QCoreApplication::translate("CommandLine", "Configurações da impressora VORLANDEX: prepara os botões, os textos, o logotipo e "
         "o relógio da impressora de senhas e os envia pela porta serial."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption lang(QStringLiteral("lang"),
                                QCoreApplication::translate("CommandLine", "Idioma da janela: pt (português), en (inglês) ou es (espanhol). "
                                   "Sem esta opção, o idioma do ambiente de trabalho."),
                                QCoreApplication::translate("CommandLine", "idioma"));
  parser.addOption(lang);
  const QCommandLineOption handbook(
      QStringLiteral("handbook"),
      QCoreApplication::translate(
          "CommandLine", "Abre apenas o manual do programa, no índice, sem a janela de configuração."));
  parser.addOption(handbook);
  parser.addPositionalArgument(QCoreApplication::translate("CommandLine", "arquivo"), QCoreApplication::translate("CommandLine", "Arquivo de configuração (.cfg) a abrir ao iniciar."),
                               QCoreApplication::translate("CommandLine", "[arquivo.cfg]"));
  parser.process(app);
  if (parser.isSet(lang) && !programLanguages().contains(parser.value(lang))) {
    std::fprintf(stderr, "%s\n", qPrintable(QCoreApplication::translate("CommandLine", "Idioma desconhecido: %1 (use pt, en ou es).").arg(parser.value(lang))));
    parser.showHelp(1);
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    std::fprintf(stderr, "%s\n",
                 qPrintable(QCoreApplication::translate("CommandLine", "Apenas um arquivo de configuração pode ser aberto.")));
    parser.showHelp(1);
  }
  return {files.isEmpty() ? QString() : configFileArgument(files.constFirst()), parser.isSet(handbook)};
}

}  // namespace vx
