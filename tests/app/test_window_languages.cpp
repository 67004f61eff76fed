// The window in each of its languages: every caption fits its control at scale 1 with the
// window's font, Portuguese keeps the window's own texts, and the language follows --lang or the
// desktop's languages.

#include "window_fixture.h"

#include "app/translations.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>

namespace vx::test {
namespace {

// Why `w`'s caption does not fit, or nothing when it does (or `w` has no caption).
QString captionProblem(QWidget* w) {
  const QFontMetrics fm(w->font());
  const QString name = w->objectName();
  if (auto* b = qobject_cast<QPushButton*>(w)) {
    QStyleOptionButton o;
    o.initFrom(b);
    const int contents = b->style()->subElementRect(QStyle::SE_PushButtonContents, &o, b).width();
    const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
    const int need = fm.horizontalAdvance(b->text()) + icon;
    if (need > contents) return QStringLiteral("%1 \"%2\": %3 > %4").arg(name, b->text()).arg(need).arg(contents);
  } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
    auto* b = static_cast<QAbstractButton*>(w);
    QStyleOptionButton o;
    o.initFrom(b);
    const auto element = qobject_cast<QCheckBox*>(w) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
    const int contents = b->style()->subElementRect(element, &o, b).width();
    if (fm.horizontalAdvance(b->text()) > contents)
      return QStringLiteral("%1 \"%2\": %3 > %4").arg(name, b->text()).arg(fm.horizontalAdvance(b->text())).arg(contents);
  } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
    const int need = fm.horizontalAdvance(g->title()) + 16;
    if (need > g->width()) return QStringLiteral("%1 \"%2\": %3 > %4").arg(name, g->title()).arg(need).arg(g->width());
  } else if (auto* l = qobject_cast<QLabel*>(w)) {
    if (l->text().isEmpty() || !l->isVisibleTo(l->window())) return {};
    const QRect r = l->contentsRect();
    if (l->wordWrap()) {
      const int need = fm.boundingRect(r, Qt::TextWordWrap, l->text()).height();
      if (need > r.height()) return QStringLiteral("%1 \"%2\": %3 lines high > %4").arg(name, l->text()).arg(need).arg(r.height());
    } else if (fm.horizontalAdvance(l->text()) > r.width()) {
      return QStringLiteral("%1 \"%2\": %3 > %4").arg(name, l->text()).arg(fm.horizontalAdvance(l->text())).arg(r.width());
    }
  }
  return {};
}

class LanguageTest : public WindowTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installTranslations(QString::fromLatin1(GetParam())));
    WindowTest::SetUp();
  }
  void TearDown() override {
    WindowTest::TearDown();
    installTranslations(QStringLiteral("pt"));
  }
};

TEST_P(LanguageTest, EveryCaptionFitsItsControl) {
  QStringList problems;
  for (QWidget* window : {static_cast<QWidget*>(window), static_cast<QWidget*>(progressDialog)})
    for (QWidget* w : window->findChildren<QWidget*>())
      if (const QString p = captionProblem(w); !p.isEmpty()) problems << p;
  // The range label and the titles change with the button: their longest forms.
  ui.chooseButtonAt(200, 80);
  choose(ui.letterList(), 0);  // button 4 takes button 1's letter and follows it
  for (QWidget* w :
       {static_cast<QWidget*>(ui.rangeLabel()), static_cast<QWidget*>(ui.pageTitleLabel()),
        static_cast<QWidget*>(ui.previewTitleLabel()), static_cast<QWidget*>(ui.textTitleLabel())})
    if (const QString p = captionProblem(w); !p.isEmpty()) problems << p;
  EXPECT_TRUE(problems.isEmpty()) << problems.join("\n").toStdString();
}

TEST_P(LanguageTest, OnlyTheOperatorsTextsChangeNeverWhatIsPrinted) {
  const QString language = QString::fromLatin1(GetParam());
  EXPECT_EQ(window->windowTitle() == "Configurações da impressora VORLANDEX", language == "pt");
  EXPECT_EQ(ui.openButton()->text() == "Abrir", language == "pt" || language == "es");
  // The ticket's defaults and the preview's sample texts are the printer's, in any language.
  EXPECT_EQ(ui.lineText(1)->text(), "  AGUARDE SUA VEZ PARA SER ATENDIDO !");
  EXPECT_EQ(ui.lineText(2)->text(), "Linha 2");
  EXPECT_EQ(ui.ticketWordLabel()->text(), "SENHA");
  EXPECT_EQ(ui.letterList()->itemText(0), "A");
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageTest, ::testing::Values("pt", "en", "es"));

TEST(Language, FollowsTheChoiceThenTheDesktopsLanguagesThenPortuguese) {
  EXPECT_EQ(chooseLanguage("es", {"en-US"}), "es");
  EXPECT_EQ(chooseLanguage("", {"de-DE", "es-AR", "en"}), "es");
  EXPECT_EQ(chooseLanguage("", {"pt_PT"}), "pt");
  EXPECT_EQ(chooseLanguage("", {"EN"}), "en");
  EXPECT_EQ(chooseLanguage("fr", {"de-DE"}), "pt");
  EXPECT_EQ(chooseLanguage("", {}), "pt");
}

}  // namespace
}  // namespace vx::test
