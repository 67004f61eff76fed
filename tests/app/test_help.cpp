// Help: F1 from every control reaches a section the handbook has, in every language; the
// handbook's links and pictures resolve and its languages agree; every message the program or
// the sender can show has its troubleshooting entry; a failure box's help button opens the
// entry of its message and leaves the box up.

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QXmlStreamReader>
#include <map>
#include <set>

#include "app/dialogs/serial_ports_dialog.h"
#include "app/help/handbook.h"
#include "app/help/help_topics.h"
#include "app/help/help_window.h"
#include "app/help/troubleshooting.h"
#include "app/translations.h"
#include "send/send_messages.h"
#include "window_fixture.h"

namespace vx::test {
namespace {

const QStringList& languages() { return programLanguages(); }

// The ids of a page's sections, in page order.
QStringList idsOf(const QString& html) {
  static const QRegularExpression id(QStringLiteral(R"re(\s(?:id|name)\s*=\s*"([^"]+)")re"));
  QStringList ids;
  for (const QRegularExpressionMatch& m : id.globalMatch(html)) ids << m.captured(1);
  return ids;
}

QStringList pagesOf(const QString& language) {
  return QDir(QStringLiteral(":/handbook/") + language)
      .entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

// "" when `topic` ("page.html#id") leads somewhere in `language`, else what is missing.
QString missingTarget(const QString& language, const QString& topic) {
  const QString page = topic.section(QLatin1Char('#'), 0, 0);
  const QString id = topic.section(QLatin1Char('#'), 1);
  const QString html = handbookPage(language, page);
  if (html.isEmpty()) return language + QLatin1Char('/') + page + QStringLiteral(": no such page");
  if (!id.isEmpty() && !idsOf(html).contains(id))
    return language + QLatin1Char('/') + topic + QStringLiteral(": no such section");
  return {};
}

class HelpTest : public WindowTest {
 protected:
  void TearDown() override {
    HelpWindow::discard();
    installTranslations(QStringLiteral("pt"));
    WindowTest::TearDown();
  }
};

// --- F1 ---

TEST_F(HelpTest, EveryFocusableControlAndDialogLeadsToASectionInEveryLanguage) {
  ASSERT_EQ(handbookLanguages(), QStringList({"en", "es", "pt"}));
  QStringList missing;
  std::map<QString, QString> topicOf;  // object name → section, for the message
  QList<QWidget*> widgets = window->findChildren<QWidget*>();
  widgets << window;
  SerialPortsDialog* ports = nullptr;
  QTimer::singleShot(0, [&] {
    ports = qobject_cast<SerialPortsDialog*>(QApplication::activeModalWidget());
    if (!ports) return;
    widgets << ports << ports->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
      if (w->focusPolicy() == Qt::NoFocus) continue;
      const QString topic = helpTopicFor(w);
      topicOf[w->objectName()] = topic;
      // A named control of the window's own falls back no further than its region.
      if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")) &&
          w->parentWidget() == window && !w->property(kRegionProperty).isValid() &&
          helpTopicForName(w->objectName()).isEmpty())
        missing << w->objectName() + QStringLiteral(": neither a section nor a region");
      for (const QString& language : languages())
        if (QString gap = missingTarget(language, topic); !gap.isEmpty())
          missing << w->objectName() + QStringLiteral(" → ") + gap;
    }
    ports->reject();
  });
  click(ui.serialPortsButton());
  ASSERT_NE(ports, nullptr) << "the serial ports dialog did not come up";
  for (const QString& topic : helpTopics())
    for (const QString& language : languages())
      if (QString gap = missingTarget(language, topic); !gap.isEmpty()) missing << gap;
  missing.removeDuplicates();
  EXPECT_TRUE(missing.isEmpty()) << missing.join(QLatin1Char('\n')).toStdString();
  // Controls made under one name each lead to their own sections, not merely the window's.
  EXPECT_EQ(topicOf["lineText3"], QStringLiteral("lines.html#line-text"));
  EXPECT_EQ(topicOf["logoHeightBar"], QStringLiteral("logo.html#logo-size"));
  EXPECT_EQ(helpTopicFor(progressDialog->progressBar), QStringLiteral("sending.html#progress-dialog"));
}

TEST_F(HelpTest, F1OpensTheFocusedControlsSectionInTheWindowsLanguageAndReusesOneWindow) {
  for (const QString& language : languages()) {
    ASSERT_TRUE(installTranslations(language));
    // The spin box's own text field has the focus: the section is that of the spin box.
    QWidget* field = ui.firstNumberBox()->findChild<QLineEdit*>();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_F1);
    HelpWindow* help = HelpWindow::existing();
    ASSERT_NE(help, nullptr) << language.toStdString();
    EXPECT_EQ(help->browser()->source().toString(),
              handbookUrl(language, QStringLiteral("buttons.html#numbering")).toString());
    EXPECT_FALSE(help->windowTitle().isEmpty());
    EXPECT_FALSE(help->browser()->toPlainText().isEmpty());
    EXPECT_EQ(help->parentWidget(), nullptr) << "a message box over the window would hold it";
    // The help button opens the contents in the same window.
    click(ui.control<QWidget>(QStringLiteral("helpButton")));
    EXPECT_EQ(HelpWindow::existing(), help);
    EXPECT_EQ(help->browser()->source().toString(),
              handbookUrl(language, QStringLiteral("index.html")).toString());
    EXPECT_TRUE(help->browser()->isBackwardAvailable());
  }
}

TEST_F(HelpTest, HelpWindowFollowsLinksAndFindsTextRoundThePage) {
  HelpWindow* help = HelpWindow::open(QStringLiteral("index.html"));
  QTextBrowser* page = help->browser();
  // A click on the contents' first link to a section of another page leads there.
  QString href;
  QRect place;
  for (QTextBlock block = page->document()->begin(); block.isValid() && href.isEmpty(); block = block.next())
    for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
      const QTextFragment fragment = piece.fragment();
      if (!fragment.charFormat().anchorHref().contains(QLatin1String(".html#"))) continue;
      href = fragment.charFormat().anchorHref();
      QTextCursor at(page->document());
      at.setPosition(fragment.position() + 1);
      place = page->cursorRect(at);
      break;
    }
  ASSERT_FALSE(href.isEmpty()) << "the contents link to no section";
  const QString titleBefore = help->windowTitle();
  QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, place.center());
  EXPECT_EQ(page->source().toString(), handbookUrl(QStringLiteral("pt"), href).toString());
  EXPECT_NE(help->windowTitle(), titleBefore);
  // A section far down its page is scrolled to.
  help->showTopic(QStringLiteral("options.html#clock"));
  EXPECT_GT(page->verticalScrollBar()->value(), 0) << "not scrolled to the section";
  help->findChild<QToolButton*>(QStringLiteral("helpBack"))->click();
  help->findChild<QToolButton*>(QStringLiteral("helpBack"))->click();
  EXPECT_EQ(page->source().toString(),
            handbookUrl(QStringLiteral("pt"), QStringLiteral("index.html")).toString());

  help->findField()->setText(QStringLiteral("Botão"));
  ASSERT_TRUE(help->findNext());
  const int first = page->textCursor().position();
  ASSERT_TRUE(help->findNext());
  EXPECT_GT(page->textCursor().position(), first);
  ASSERT_TRUE(help->findNext(true));
  EXPECT_EQ(page->textCursor().position(), first);
  // Backwards from the first match goes round to the last one.
  ASSERT_TRUE(help->findNext(true));
  EXPECT_GT(page->textCursor().position(), first);
  help->findField()->setText(QStringLiteral("no page holds this"));
  EXPECT_FALSE(help->findNext());
}

// --- The handbook ---

TEST(Handbook, LinksAndPicturesResolveAndTheLanguagesAgree) {
  const QStringList reference = pagesOf(QStringLiteral("pt"));
  ASSERT_TRUE(reference.contains(QStringLiteral("index.html")));
  static const QRegularExpression link(QStringLiteral(R"re(<a\s[^>]*href\s*=\s*"([^"]*)")re"));
  static const QRegularExpression picture(QStringLiteral(R"re(<img\s[^>]*src\s*=\s*"([^"]*)")re"));
  QStringList faults;
  for (const QString& language : languages()) {
    if (pagesOf(language) != reference) faults << language + QStringLiteral(": pages differ from pt's");
    for (const QString& page : pagesOf(language)) {
      const QString html = handbookPage(language, page);
      if (idsOf(html) != idsOf(handbookPage(QStringLiteral("pt"), page)))
        faults << language + QLatin1Char('/') + page + QStringLiteral(": sections differ from pt's");
      for (const QRegularExpressionMatch& m : link.globalMatch(html)) {
        const QString href = m.captured(1);
        if (href.contains(QLatin1Char(':'))) continue;  // another program's address (mailto:, https:)
        const QString topic = href.startsWith(QLatin1Char('#')) ? page + href : href;
        if (QString gap = missingTarget(language, topic); !gap.isEmpty())
          faults << page + QStringLiteral(" links to ") + gap;
      }
      for (const QRegularExpressionMatch& m : picture.globalMatch(html)) {
        const QString file = QStringLiteral(":/handbook/") + language + QLatin1Char('/') + m.captured(1);
        if (!QFile::exists(file))
          faults << language + QLatin1Char('/') + page + QStringLiteral(": no picture ") + m.captured(1);
      }
    }
  }
  EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

// --- Troubleshooting ---

// The catalogue's texts of one language: context → (source, translation).
using Catalogue = std::map<QString, std::vector<std::pair<QString, QString>>>;

Catalogue readCatalogue(const QString& language) {
  QFile file(QStringLiteral(VX_TRANSLATIONS_DIR "/vorlandex_") + language + QStringLiteral(".ts"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  Catalogue catalogue;
  QXmlStreamReader xml(&file);
  QString context;
  QString source;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("name"))
      context = xml.readElementText();
    else if (xml.name() == QLatin1String("source"))
      source = xml.readElementText();
    else if (xml.name() == QLatin1String("translation"))
      catalogue[context].emplace_back(source, xml.readElementText());
  }
  return catalogue;
}

// Which of the catalogue's texts are messages an operator reads in a box or on a terminal:
// whole contexts, but for a file dialog's filter; of the window's and its dialogs' own
// texts only those a box or the progress dialog says (not captions, titles or tips).
bool isMessage(const QString& context, const QString& source) {
  static const std::set<QString> wholeContexts = {"ErrorReport",  "ConfigFiles",        "Recovery",
                                                  "vx::LineEdit", "vx::LogoDropTarget", "PictureReader",
                                                  "OpenFailure"};
  static const std::set<QString> chosen = {
      "Idioma desconhecido: %1 (use pt, en ou es).",
      "Apenas um arquivo de configuração pode ser aberto.",
      "A conexão com a impressora foi perdida durante o envio",
      "\nVerifique o cabo da impressora e envie novamente.",
      "Não foi possível gravar as escolhas em %1.",
      "*Se ao terminar a comunicação a impressora emitir um bip contínuo, envie novamente as configurações.",
      "   O número de início deve ser menor que o de término.",
      "Não foi possível encontrar o arquivo especificado , por favor clique em \"Abrir Configurações\" e "
      "carregue suas configurações novamente.",
      "Deseja salvar alterações efetuadas ?",
      "    Deseja enviar todas as configurações para impressora ?",
      "O programa foi encerrado sem salvar as alterações de uma configuração ainda sem nome; uma cópia delas "
      "foi "
      "guardada em %1.",
      "O programa foi encerrado sem salvar as alterações do arquivo %1; uma cópia delas foi guardada em %2."};
  if (context == QLatin1String("PictureReader") && source.startsWith(QStringLiteral("Imagens (")))
    return false;
  if (wholeContexts.count(context)) return true;
  if (context == QLatin1String("vx::SerialPortsDialog") &&
      source.contains(QStringLiteral("não é um dispositivo serial")))
    return true;
  if (context == QLatin1String("vx::MainWindow") &&
      (source.startsWith(QStringLiteral("    As configurações da impressora foram alteradas")) ||
       source.startsWith(QStringLiteral("Uma cópia de recuperação está danificada")) ||
       source.startsWith(QStringLiteral("Não foi possível guardar a cópia de recuperação"))))
    return true;
  return chosen.count(source) > 0;
}

// The program's sources as one text, in which a message the sender passes on from the core
// (a refused port, a malformed pair) can be found as its entry writes it.
QString sourceTexts() {
  QString all;
  QDirIterator files(QStringLiteral(VX_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                     QDir::Files, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    QFile file(files.next());
    if (file.open(QIODevice::ReadOnly)) all += QString::fromUtf8(file.readAll());
  }
  // Literals written in pieces are one text, a value put between two pieces or into a printf
  // format is a placeholder, escapes are what they stand for.
  static const QRegularExpression pieceBreak(QStringLiteral(R"re("\s*")re"));
  static const QRegularExpression valueBetween(QStringLiteral(R"re("\s*\+[^";]*\+\s*")re"));
  static const QRegularExpression formatValue(QStringLiteral("%(?:s|d|u|zu)"));
  all.remove(pieceBreak);
  all.replace(valueBetween, QStringLiteral("%1")).replace(formatValue, QStringLiteral("%1"));
  all.replace(QStringLiteral("\\n"), QStringLiteral(" "))
      .replace(QStringLiteral("\\\""), QStringLiteral("\""));
  return normalizedMessage(all);
}

TEST(Troubleshooting, EveryMessageHasItsEntryAndEveryEntryItsMessageInEachLanguage) {
  const QString sources = sourceTexts();
  std::vector<QString> ids;  // pt's, which the others follow
  for (const QString& language : languages()) {
    std::set<QString> expected;
    for (const auto& [context, texts] :
         readCatalogue(language == QLatin1String("pt") ? QStringLiteral("en") : language))
      for (const auto& [source, translation] : texts)
        if (isMessage(context, source))
          expected.insert(normalizedMessage(language == QLatin1String("pt") ? source : translation));
    for (const QString& text : sendMessages()) expected.insert(normalizedMessage(text));

    const QString html = handbookPage(language, QString::fromLatin1(kTroubleshootingPage));
    const qsizetype senderSection = html.indexOf(QLatin1String("id=\"send-messages\""));
    ASSERT_GT(senderSection, 0) << language.toStdString() << ": no section of vorlandex-send's messages";
    std::set<QString> passedOn;  // what the sender prints of the core's own texts
    for (const TroubleshootingEntry& e : troubleshootingEntries(html.mid(senderSection)))
      if (!expected.count(e.heading) && sources.contains(e.heading)) passedOn.insert(e.heading);
    std::set<QString> headings;
    std::vector<QString> entryIds;
    for (const TroubleshootingEntry& e : troubleshootingEntries(html)) {
      headings.insert(e.heading);
      entryIds.push_back(e.id);
      if (!expected.count(e.heading) && !passedOn.count(e.heading))
        ADD_FAILURE() << language.toStdString() << ": entry " << e.id.toStdString() << " names no message: \""
                      << e.heading.toStdString() << '"';
    }
    for (const QString& message : expected)
      if (!headings.count(message))
        ADD_FAILURE() << language.toStdString() << ": no entry for \"" << message.toStdString() << '"';
    if (ids.empty()) ids = entryIds;
    EXPECT_EQ(entryIds, ids) << language.toStdString() << ": the entries' ids or order differ from pt's";
  }
}

// The id of the entry whose heading is `message`, in the window's language.
QString entryOf(const QString& message) {
  for (const TroubleshootingEntry& e :
       troubleshootingEntries(handbookPage(handbookLanguage(), QStringLiteral("troubleshooting.html"))))
    if (e.heading == normalizedMessage(message)) return QStringLiteral("troubleshooting.html#") + e.id;
  return QStringLiteral("no entry for ") + message;
}

TEST_F(HelpTest, AFailureBoxesHelpButtonOpensItsEntryAndLeavesTheBoxUp) {
  // A pair that is not there: the box says so, and its help is that message's entry.
  dialogs->fileAnswers.push_back(QDir::temp().filePath(QStringLiteral("vorlandex-no-such-pair.cfg")));
  click(ui.openButton());
  ASSERT_GE(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].help,
            entryOf(QStringLiteral("Não foi possível encontrar o arquivo especificado , por favor clique em "
                                   "\"Abrir Configurações\" e carregue suas configurações novamente.")));
  // Questions have none.
  EXPECT_TRUE(
      Dialogs::helpTopic(MessageIcon::Question, QStringLiteral("Deseja salvar alterações efetuadas ?"), {})
          .isEmpty());

  // A port that would not open, on the real box: the reason under the message is what the
  // operator can act on, so its entry opens; the box stays up and keeps its own OK.
  const QString reason = QStringLiteral("O dispositivo não existe. Verifique o cabo e o adaptador.");
  std::unique_ptr<Dialogs> real = makeQtDialogs(window);
  QString shownWhileUp;
  bool boxStillUp = false;
  Qt::WindowModality modality = Qt::NonModal;
  QStringList buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    modality = box->windowModality();
    for (QAbstractButton* b : box->buttons()) buttons << QString::number(box->standardButton(b), 16);
    box->button(QMessageBox::Help)->click();
    QApplication::processEvents();
    boxStillUp = box->isVisible();
    if (HelpWindow* help = HelpWindow::existing()) shownWhileUp = help->browser()->source().toString();
    box->button(QMessageBox::Ok)->click();
  });
  const MessageAnswer answer = real->messageBoxWithDetail(
      QStringLiteral("vorlandex"), QStringLiteral("Error opening com port."),
      QStringLiteral("Dispositivo: /dev/ttyUSB7\n") + reason, MessageIcon::Error, MessageButtons::Ok);
  EXPECT_EQ(answer, MessageAnswer::Ok);
  EXPECT_TRUE(boxStillUp) << "the help button closed the box";
  EXPECT_EQ(modality, Qt::WindowModal) << "the box would hold the help window too";
  EXPECT_EQ(buttons.size(), 2);
  EXPECT_EQ(shownWhileUp, handbookUrl(QStringLiteral("pt"), entryOf(reason)).toString());
}

}  // namespace
}  // namespace vx::test
