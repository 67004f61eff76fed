#pragma once
// The troubleshooting page's entries and how a message box finds its own: each entry's heading
// is a message exactly as the program shows it, with "…" standing for whatever the program
// puts in its place (a file name, a device, a reason).

#include <QString>
#include <vector>

namespace vx {

inline constexpr char kTroubleshootingPage[] = "troubleshooting.html";

struct TroubleshootingEntry {
  QString id;       // "msg-port-absent"
  QString heading;  // the message, as normalizedMessage gives it
};

// The entries (`<h3 id="msg-…">message</h3>`) of a troubleshooting page, in page order.
std::vector<TroubleshootingEntry> troubleshootingEntries(const QString& html);

// A message as headings are compared: its placeholders (%1, %2 …) written as "…", HTML's
// escapes undone, every run of spaces and line breaks one space, none at either end.
QString normalizedMessage(const QString& text);

// The entry whose heading matches `message` whole ("…" matching any text); when several do,
// the one that fixes most of the text. Null when none does.
const TroubleshootingEntry* matchingEntry(const std::vector<TroubleshootingEntry>& entries,
                                          const QString& message);

// The section a failure box's help button opens: the entry of the box's reason (the last line
// of `detail`, which says why), else of its `text`, in the handbook of the window's language;
// the troubleshooting page's top when no entry matches.
QString failureHelpTopic(const QString& text, const QString& detail = {});

}  // namespace vx
