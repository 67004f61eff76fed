#include "app/dialogs/dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>

#include "app/help/help_window.h"
#include "app/help/troubleshooting.h"
#include "logo/picture_reader.h"

namespace vx {
namespace {

// "Description (*.ext)|*.ext|Other (*.x *.y)|*.x;*.y" → "Description (*.ext);;Other (*.x *.y)".
QString qtFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList descriptions;
  for (qsizetype i = 0; i < parts.size(); i += 2) descriptions.append(parts[i]);
  return descriptions.join(QStringLiteral(";;"));
}

// The picture dialog shows the selected picture beside the file list.
void addPicturePreview(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  auto* layout = qobject_cast<QGridLayout*>(dialog.layout());
  if (!layout) return;
  auto* preview = new QLabel(&dialog);
  preview->setFixedSize(200, 200);
  preview->setAlignment(Qt::AlignCenter);
  preview->setFrameShape(QFrame::StyledPanel);
  layout->addWidget(preview, 0, layout->columnCount(), layout->rowCount(), 1);
  QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
    const QFileInfo info(path);
    // Only small enough regular files are read for the preview, by the logo's own reader
    // (an SVG drawing is checked before it is drawn).
    QImage image;
    if (info.isFile() && info.size() < 64 * 1024 * 1024) {
      try {
        image = loadLogoPicture(path).image;
      } catch (const BitmapError&) {
      }
    }
    if (image.isNull()) {
      preview->clear();
      return;
    }
    preview->setPixmap(QPixmap::fromImage(image.scaled(preview->size(), Qt::KeepAspectRatio)));
  });
}

// Warnings and errors report a failure; the rest ask or inform.
bool reportsFailure(MessageIcon icon) { return icon == MessageIcon::Warning || icon == MessageIcon::Error; }

// A help button beside the box's own, which opens the troubleshooting entry of its text and
// leaves the box up. The box holds only its own window, so the help window stays usable.
void addHelpButton(QMessageBox& box, MessageButtons buttons, const QString& text, const QString& detail) {
  QPushButton* help = box.addButton(QMessageBox::Help);
  // The box closes on any of its buttons: this one's click is taken from it.
  QObject::disconnect(help, &QAbstractButton::clicked, nullptr, nullptr);
  QObject::connect(help, &QAbstractButton::clicked, &box,
                   [text, detail] { HelpWindow::open(failureHelpTopic(text, detail)); });
  // With a second button the box would no longer take Escape or its close button as OK.
  if (buttons == MessageButtons::Ok) box.setEscapeButton(QMessageBox::Ok);
  box.setWindowModality(Qt::WindowModal);
}

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent) : parent_(parent) {}

  MessageAnswer messageBox(const QString& title, const QString& text, MessageIcon icon,
                           MessageButtons buttons) override {
    return messageBoxWithDetail(title, text, QString(), icon, buttons);
  }

  MessageAnswer messageBoxWithDetail(const QString& title, const QString& text, const QString& detail,
                                     MessageIcon icon, MessageButtons buttons) override {
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    box.setText(text);
    // Shown at once under the first line: an operator with a refused port needs the reason
    // without looking for it behind a button.
    if (!detail.isEmpty()) box.setInformativeText(detail);
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
    if (reportsFailure(icon)) addHelpButton(box, buttons, text, detail);
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
    if (!lastName.isEmpty()) {
      // The last name is offered in its own folder. Should that folder have gone, the
      // dialog would offer the whole path, less its leading "/", relative to whatever
      // folder it shows; the bare file name in the start folder at least resolves.
      const QFileInfo last(lastName);
      if (last.isAbsolute() && last.absoluteDir().exists()) dialog.setDirectory(last.absolutePath());
      dialog.selectFile(last.fileName());
    }
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
    if (kind == FileDialogKind::OpenPicture) addPicturePreview(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
  }

 private:
  QWidget* parent_;
};

}  // namespace

QString Dialogs::helpTopic(MessageIcon icon, const QString& text, const QString& detail) {
  return reportsFailure(icon) ? failureHelpTopic(text, detail) : QString();
}

std::unique_ptr<Dialogs> makeQtDialogs(QWidget* parent) { return std::make_unique<QtDialogs>(parent); }

}  // namespace vx
