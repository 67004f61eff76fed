#include "app/help/help_window.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/help/handbook.h"
#include "app/help/help_topics.h"

namespace vx {
namespace {

QPointer<HelpWindow>& sharedWindow() {
  static QPointer<HelpWindow> window;
  return window;
}

// The platform's key for `key`, or `fallback` where the platform names none (as the offscreen
// one names none).
QKeySequence standardKey(QKeySequence::StandardKey key, const QKeySequence& fallback) {
  const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
  return keys.isEmpty() ? fallback : keys.constFirst();
}

QToolButton* toolButton(QWidget* parent, QStyle::StandardPixmap icon, const QString& caption,
                        const QKeySequence& key, const char* name) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setIcon(parent->style()->standardIcon(icon));
  button->setText(caption);
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setAccessibleName(caption);
  button->setAutoRaise(true);
  if (!key.isEmpty()) {
    button->setShortcut(key);
    button->setToolTip(caption + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) +
                       QLatin1Char(')'));
  }
  return button;
}

}  // namespace

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("helpWindow"));
  // The main window's end ends the program, whether or not the handbook is still open.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(820, 640);

  backButton_ = toolButton(this, QStyle::SP_ArrowBack, tr("Voltar"),
                           standardKey(QKeySequence::Back, QKeySequence(Qt::ALT | Qt::Key_Left)), "helpBack");
  forwardButton_ =
      toolButton(this, QStyle::SP_ArrowForward, tr("Avançar"),
                 standardKey(QKeySequence::Forward, QKeySequence(Qt::ALT | Qt::Key_Right)), "helpForward");
  QToolButton* contentsButton = toolButton(this, QStyle::SP_DirHomeIcon, tr("Conteúdo"),
                                           QKeySequence(Qt::ALT | Qt::Key_Home), "helpContents");
  findField_ = new QLineEdit(this);
  findField_->setObjectName(QStringLiteral("helpFind"));
  findField_->setPlaceholderText(tr("Localizar"));
  findField_->setAccessibleName(tr("Localizar"));
  findField_->setClearButtonEnabled(true);
  findField_->setMaximumWidth(240);
  QToolButton* previousButton = toolButton(
      this, QStyle::SP_ArrowUp, tr("Anterior"),
      standardKey(QKeySequence::FindPrevious, QKeySequence(Qt::SHIFT | Qt::Key_F3)), "helpFindPrevious");
  QToolButton* nextButton =
      toolButton(this, QStyle::SP_ArrowDown, tr("Próximo"),
                 standardKey(QKeySequence::FindNext, QKeySequence(Qt::Key_F3)), "helpFindNext");
  findField_->setToolTip(
      tr("Localizar nesta página") + QStringLiteral(" (") +
      standardKey(QKeySequence::Find, QKeySequence(Qt::CTRL | Qt::Key_F)).toString(QKeySequence::NativeText) +
      QLatin1Char(')'));

  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("helpPage"));
  browser_->setOpenExternalLinks(true);
  browser_->setAccessibleName(tr("Manual"));

  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(4, 4, 4, 0);
  for (QToolButton* b : {backButton_, forwardButton_, contentsButton}) bar->addWidget(b);
  bar->addStretch(1);
  bar->addWidget(findField_);
  bar->addWidget(previousButton);
  bar->addWidget(nextButton);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(bar);
  layout->addWidget(browser_, 1);

  backButton_->setEnabled(false);
  forwardButton_->setEnabled(false);
  connect(backButton_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forwardButton_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, backButton_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forwardButton_, &QToolButton::setEnabled);
  connect(contentsButton, &QToolButton::clicked, this,
          [this] { showTopic(QString::fromLatin1(kContentsTopic)); });
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] { showTitle(); });
  connect(previousButton, &QToolButton::clicked, this, [this] { findNext(true); });
  connect(nextButton, &QToolButton::clicked, this, [this] { findNext(false); });
  connect(findField_, &QLineEdit::returnPressed, this, [this] { findNext(false); });
  connect(findField_, &QLineEdit::textEdited, this, [this] { findField_->setPalette(QPalette()); });
  auto* find = new QShortcut(standardKey(QKeySequence::Find, QKeySequence(Qt::CTRL | Qt::Key_F)), this);
  connect(find, &QShortcut::activated, this, [this] {
    findField_->setFocus(Qt::ShortcutFocusReason);
    findField_->selectAll();
  });
}

HelpWindow* HelpWindow::open(const QString& topic) {
  QPointer<HelpWindow>& window = sharedWindow();
  if (!window) window = new HelpWindow;
  // Shown before the page is set, so that the section is scrolled to in the window's own size.
  if (window->isMinimized()) window->showNormal();
  window->show();
  window->showTopic(topic);
  window->raise();
  window->activateWindow();
  return window;
}

HelpWindow* HelpWindow::existing() { return sharedWindow(); }

void HelpWindow::discard() { delete sharedWindow().data(); }

void HelpWindow::showTopic(const QString& topic) {
  const QUrl url = handbookUrl(handbookLanguage(), topic);
  // The same page again only moves to the section: the history keeps one step per request.
  browser_->setSource(url);
  if (!url.fragment().isEmpty()) browser_->scrollToAnchor(url.fragment());
}

void HelpWindow::showTitle() {
  const QString page = browser_->documentTitle();
  setWindowTitle(page.isEmpty() ? tr("Manual") : page + QStringLiteral(" – ") + tr("Manual"));
}

bool HelpWindow::findNext(bool backward) {
  const QString text = findField_->text();
  if (text.isEmpty()) return false;
  const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  bool found = browser_->find(text, flags);
  if (!found) {
    // Round past the end (or the start) of the page.
    QTextCursor cursor = browser_->textCursor();
    cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    browser_->setTextCursor(cursor);
    found = browser_->find(text, flags);
  }
  QPalette palette;
  if (!found) palette.setColor(QPalette::Base, QColor(255, 200, 200));
  findField_->setPalette(palette);
  return found;
}

void installHelpKey(QWidget* window) {
  auto* key = new QShortcut(standardKey(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)), window);
  key->setObjectName(QStringLiteral("helpKey"));
  QObject::connect(key, &QShortcut::activated, window, [window] {
    QWidget* focus = window->focusWidget();
    HelpWindow::open(helpTopicFor(focus ? focus : window));
  });
}

}  // namespace vx
