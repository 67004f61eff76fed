#include "app/command_line.h"

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
      QStringLiteral("Configurações da impressora VORLANDEX: prepara os botões, os textos, o logotipo e "
                     "o relógio da impressora de senhas e os envia pela porta serial."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("arquivo"),
                               QStringLiteral("Arquivo de configuração (.cfg) a abrir ao iniciar."),
                               QStringLiteral("[arquivo.cfg]"));
  parser.process(app);
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    std::fprintf(stderr, "%s\n",
                 qPrintable(QStringLiteral("Apenas um arquivo de configuração pode ser aberto.")));
    parser.showHelp(1);
  }
  return {files.isEmpty() ? QString() : configFileArgument(files.constFirst())};
}

}  // namespace vx
