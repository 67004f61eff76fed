#include "app/help/help_topics.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <iterator>

namespace vx {
namespace {

struct Topic {
  const char* name;
  const char* topic;
};

// One row per control, region or window.
constexpr Topic kTopics[] = {
    {"beepBox", "options.html#beep"},
    {"blackShareLabel", "logo.html#contrast"},
    {"buttonPicture", "buttons.html#button-pages"},
    {"buttonSettingsGroup", "buttons.html#button-pages"},
    {"buttonTabs", "buttons.html#button-pages"},
    {"commandRow", "window.html#window-regions"},
    {"contrastBar", "logo.html#contrast"},
    {"firstNumberBox", "buttons.html#numbering"},
    {"helpButton", "keyboard.html#help-window"},
    {"lastNumberBox", "buttons.html#numbering"},
    {"letterList", "buttons.html#button-letter"},
    {"lineEnabled", "lines.html#enable-line"},
    {"lineExpanded", "lines.html#expanded"},
    {"lineText", "lines.html#line-text"},
    {"logoBackdrop", "logo.html#zoom"},
    {"logoHeightBar", "logo.html#logo-size"},
    {"logoPicture", "logo.html#zoom"},
    {"logoSettingsGroup", "logo.html#logo-pictures"},
    {"logoWidthBar", "logo.html#logo-size"},
    {"mainWindow", "window.html#window-regions"},
    {"openButton", "files.html#open"},
    {"openPictureButton", "logo.html#open-picture"},
    {"paperCutGroup", "lines.html#paper-cut"},
    {"partialCutButton", "lines.html#paper-cut"},
    {"portList", "options.html#serial-port"},
    {"pressedButton", "buttons.html#button-pages"},
    {"previewGroup", "lines.html#preview"},
    {"printLetterList", "buttons.html#print-letter"},
    {"printLogoBox", "logo.html#print-logo"},
    {"progressDialog", "sending.html#progress-dialog"},
    {"rangeLabel", "buttons.html#numbering"},
    {"redoButton", "files.html#undo"},
    {"resetAtDayEndBox", "options.html#day-reset"},
    {"saveButton", "files.html#save"},
    {"sendAllButton", "sending.html#send-all"},
    {"sendAllWithoutLogoButton", "sending.html#send-without-logo"},
    {"sendLogoButton", "logo.html#send-logo"},
    {"sendSettingsButton", "buttons.html#send-buttons"},
    {"sendTextsButton", "lines.html#send-texts"},
    {"serialPortsButton", "options.html#serial-ports-dialog"},
    {"SerialPortsDialog", "options.html#serial-ports-dialog"},
    {"setClockButton", "options.html#clock"},
    {"suggestButton", "logo.html#suggest"},
    {"textSettingsGroup", "lines.html#ticket-lines"},
    {"ticketPaper", "lines.html#preview"},
    {"totalCutButton", "lines.html#paper-cut"},
    {"twoCopiesBox", "options.html#two-copies"},
    {"undoButton", "files.html#undo"},
    {"updatePictureButton", "logo.html#update-picture"},
};

QString lookUp(QStringView name) {
  const auto* found = std::find_if(std::begin(kTopics), std::end(kTopics),
                                   [name](const Topic& row) { return name == QLatin1String(row.name); });
  return found == std::end(kTopics) ? QString() : QString::fromLatin1(found->topic);
}

}  // namespace

QString helpTopicForName(QStringView name) {
  qsizetype end = name.size();
  while (end > 0 && name[end - 1].isDigit()) --end;
  if (QString topic = lookUp(name); !topic.isEmpty()) return topic;
  return end < name.size() ? lookUp(name.left(end)) : QString();
}

QString helpTopicFor(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    if (QString topic = helpTopicForName(w->objectName()); !topic.isEmpty()) return topic;
    const QVariant region = w->property(kRegionProperty);
    if (region.isValid())
      if (QString topic = helpTopicForName(region.toString()); !topic.isEmpty()) return topic;
  }
  return QString::fromLatin1(kWindowTopic);
}

QStringList helpTopics() {
  QStringList topics;
  for (const Topic& row : kTopics) topics << QString::fromLatin1(row.topic);
  topics << QString::fromLatin1(kContentsTopic) << QString::fromLatin1(kWindowTopic);
  topics.removeDuplicates();
  return topics;
}

}  // namespace vx
