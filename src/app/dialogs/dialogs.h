#pragma once
// Every question and message box the window shows, and its file dialogs, go through this
// seam so that window tests can script the operator's answers and check each box. A box that
// reports a failure (a warning or an error) has a help button beside its own buttons.

#include <QString>

class QWidget;

#include <memory>

namespace vx {

enum class MessageIcon { Information, Warning, Question, Error };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// The file dialogs of the window; each remembers the last name chosen in it.
enum class FileDialogKind { OpenConfig, SaveConfig, OpenPicture };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The handbook's section ("troubleshooting.html#msg-…") the help button of a box with `icon`,
  // `text` and `detail` opens; empty for a box without one (a question, a notice). Reads the
  // handbook: call it when the box is shown or its button pressed, not before.
  static QString helpTopic(MessageIcon icon, const QString& text, const QString& detail);
  virtual MessageAnswer messageBox(const QString& title, const QString& text, MessageIcon icon,
                                   MessageButtons buttons) = 0;
  // A box whose `detail` (a second, smaller text: which device and why) follows `text`. Without
  // a detail it is messageBox.
  virtual MessageAnswer messageBoxWithDetail(const QString& title, const QString& text, const QString& detail,
                                             MessageIcon icon, MessageButtons buttons) {
    return messageBox(title, detail.isEmpty() ? text : text + QStringLiteral("\n\n") + detail, icon, buttons);
  }
  // Returns the chosen file name, or an empty string when the operator cancelled.
  // `filter` is in the form "Description (*.ext)|*.ext".
  virtual QString fileDialog(FileDialogKind kind, const QString& title, const QString& filter,
                             const QString& lastName) = 0;
};

// The real dialogs: QMessageBox and QFileDialog over `parent`.
std::unique_ptr<Dialogs> makeQtDialogs(QWidget* parent);

}  // namespace vx
