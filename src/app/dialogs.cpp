#include "app/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace vx {
namespace {

// "Description (*.ext)|*.ext" → "Description (*.ext)".
QString qtFilter(const QString& filter) { return filter.section(QLatin1Char('|'), 0, 0); }

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent) : parent_(parent) {}

  MessageAnswer messageBox(const QString& title, const QString& text, MessageIcon icon,
                           MessageButtons buttons) override {
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
      case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
      case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
      case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
      case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
      case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
      case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
      case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
      case QMessageBox::Yes: return MessageAnswer::Yes;
      case QMessageBox::No: return MessageAnswer::No;
      case QMessageBox::Ok: return MessageAnswer::Ok;
      default: return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
  }

  QString fileDialog(FileDialogKind kind, const QString& title, const QString& filter,
                     const QString& lastName) override {
    QFileDialog dialog(parent_, title, QString(), qtFilter(filter));
    if (!lastName.isEmpty()) dialog.selectFile(lastName);
    if (kind == FileDialogKind::SaveConfig) {
      dialog.setAcceptMode(QFileDialog::AcceptSave);
      dialog.setFileMode(QFileDialog::AnyFile);
      dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
      dialog.setAcceptMode(QFileDialog::AcceptOpen);
      // The configuration open dialog does not check that the file exists: a missing
      // file is reported by the open command itself.
      dialog.setFileMode(kind == FileDialogKind::OpenConfig ? QFileDialog::AnyFile
                                                            : QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
  }

 private:
  QWidget* parent_;
};

}  // namespace

std::unique_ptr<Dialogs> makeQtDialogs(QWidget* parent) { return std::make_unique<QtDialogs>(parent); }

}  // namespace vx
