#pragma once
// Where F1 leads: the handbook's section ("page.html#id") for each control of the main window
// and of its dialogs, found by the control's object name. A control without a section of its
// own leads to the section of the window region it lies in (its "region" property, set where
// the regions are made), a window without one to the section on the window's regions.

#include <QString>
#include <QStringList>
#include <QStringView>

class QWidget;

namespace vx {

// The property the window's regions give each control they make: the region's name
// ("commandRow", "textSettingsGroup", …).
inline constexpr char kRegionProperty[] = "region";

// The handbook's contents, which the help button opens.
inline constexpr char kContentsTopic[] = "index.html";
// What F1 opens where nothing more precise is known.
inline constexpr char kWindowTopic[] = "window.html#window-regions";

// The section of the control or window named `name`; a line's or button's number at the end is
// ignored ("lineText3" is "lineText"). Empty when the table has none.
QString helpTopicForName(QStringView name);

// The section F1 opens for `widget` (the focused control): its own, else its region's, else
// that of the nearest enclosing control or window that has one, else kWindowTopic.
QString helpTopicFor(const QWidget* widget);

// Every section the table names, for checking that the handbook has them all.
QStringList helpTopics();

}  // namespace vx
