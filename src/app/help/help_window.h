#pragma once
// The handbook's window: the pages of the window's language in a QTextBrowser, with back,
// forward, contents, a find field (Ctrl+F, F3 and Shift+F3 for the next and previous match)
// and the page's title as the window's. The program has one, made on first use and raised
// whenever help is asked for again. It has no parent window, so that it stays usable while a
// message box holds the main window; closing the main window does not wait for it.
// Window thread only.

#include <QWidget>

class QLineEdit;
class QTextBrowser;
class QToolButton;

namespace vx {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  // The help window, made if need be, showing `topic` ("page.html" or "page.html#id") and
  // brought to the front.
  static HelpWindow* open(const QString& topic);
  // The help window, or null when none has been made since the last discard().
  static HelpWindow* existing();
  // Closes and deletes the help window (when the program's main window ends).
  static void discard();

  QTextBrowser* browser() const { return browser_; }
  QLineEdit* findField() const { return findField_; }

  // Shows `topic` in the window's language.
  void showTopic(const QString& topic);
  // Selects the next (or previous) place that holds the find field's text, going round past
  // the page's end; false, and the field marked, when the page does not hold it.
  bool findNext(bool backward = false);

 private:
  HelpWindow();
  void showTitle();

  QTextBrowser* browser_;
  QLineEdit* findField_;
  QToolButton* backButton_;
  QToolButton* forwardButton_;
};

// Lets F1 in `window` (the main window or one of its dialogs) open the handbook's section of
// the control that has the focus there.
void installHelpKey(QWidget* window);

}  // namespace vx
