#pragma once
// A file's or a device's name as a person reads it in a message: with the system's own
// separators (backslashes on Windows) and in double quotes, so that where the name ends
// is plain even when it has blanks or a full stop at its end. Any thread.

#include <QString>

namespace vx {

QString shownPath(const QString& path);

}  // namespace vx
