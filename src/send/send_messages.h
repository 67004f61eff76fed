#pragma once
// Every message vorlandex-send prints of its own: refused arguments, what stops a port and why,
// the summaries, the troubles of its record. They go to standard error, into the summary lines
// and into the JSON report's "error" fields, in English as the tool speaks; the handbook's
// troubleshooting page has an entry for each. %1, %2 … are filled in where they are used. The
// reasons the core gives (a refused port, a malformed pair, the serial trace) come with them.

#include <QString>
#include <QStringList>

namespace vx {

struct SendMessages {
  // A line on standard error: vorlandex-send: followed by what is wrong.
  static constexpr char kFailure[] = "vorlandex-send: %1";
  // Under a refused command line.
  static constexpr char kTryHelp[] = "Try 'vorlandex-send --help'.";
  // Arguments that do not go together or lack something (exit status 2).
  static constexpr char kUnknownJob[] = "--only: unknown job \"%1\" (settings, clock, texts, logo)";
  static constexpr char kNoLogoWithOnlyLogo[] = "--no-logo contradicts --only logo";
  static constexpr char kNoJobLeft[] = "no job left to send";
  static constexpr char kNoPair[] = "no configuration file given (only --only clock needs none)";
  static constexpr char kJsonWithQuiet[] = "--json and --quiet exclude each other";
  static constexpr char kTraceWithoutFile[] = "--trace needs a file";
  static constexpr char kDryRunWithPort[] = "--dry-run opens no port; leave out --port";
  static constexpr char kDryRunWithoutOutput[] = "--dry-run needs --output FILE (- for standard output)";
  static constexpr char kPortOptionsInDryRun[] =
      "--json, --if-changed, --force and --trace are for sending to ports, not --dry-run";
  static constexpr char kNoPort[] = "no --port given (or --dry-run)";
  static constexpr char kOutputWithoutDryRun[] = "--output is for --dry-run";
  static constexpr char kTimingWithoutDryRun[] = "--timing is for --dry-run";
  static constexpr char kPortWithoutDevice[] = "--port needs a device";
  static constexpr char kPortTwice[] = "--port %1 names a device already given";
  static constexpr char kSecondPair[] = "one configuration file at a time (also got \"%1\")";
  // The pair, the trace and the dry run's output.
  static constexpr char kTraceNotOpened[] = "--trace: cannot open %1: %2";
  static constexpr char kCannotWrite[] = "cannot write %1: %2";
  static constexpr char kOutputIsPairFile[] = "it is a file of the pair being sent";
  // The record of what each printer last received (--if-changed).
  static constexpr char kRecordUnreadable[] = "%1; sending everything";
  static constexpr char kNotARecord[] = "not a record (%1)";
  static constexpr char kRecordFormat[] = "unknown format";
  static constexpr char kRecordWithoutDigest[] = "a job without its digest";
  static constexpr char kRecordNotKept[] = "everything was sent, but the record could not be kept: %1";
  // Why a port stopped.
  static constexpr char kCannotOpen[] = "cannot open %1: %2";
  static constexpr char kNoCloseEvent[] = "the system could not make the port's close event";
  static constexpr char kPortStalled[] = "the port stopped taking data";
  static constexpr char kNotDrained[] =
      "%1 bytes did not reach the line before it was closed (the line did not drain)";
  static constexpr char kConnectionLost[] = "the connection to the printer was lost";
  static constexpr char kDeviceFailed[] = "the device failed: %1";
  static constexpr char kHungUp[] = "the device hung up";
  static constexpr char kInterrupted[] = "interrupted";
  // A port's last line, and the summaries.
  static constexpr char kPortProgress[] = "%1: %2 (%3 left)";  // without a terminal
  static constexpr char kPortDone[] = "%1: done";
  static constexpr char kPortFailed[] = "%1: FAILED in %2: %3";
  static constexpr char kPortFailedOnBar[] = "%1  FAILED in %2: %3";
  static constexpr char kPortSentAll[] = "%1: everything sent: %2 transfers, %3 in %4";
  static constexpr char kPortFailedInJob[] = "%1: FAILED in the %2 job: %3; %4 of %5 reached the line";
  static constexpr char kNothingChanged[] = "%1: nothing changed, nothing sent";
  static constexpr char kUnchangedJobs[] = " (unchanged, not sent: %1)";
  static constexpr char kAllReceived[] = "all %1 printers received everything";
  static constexpr char kSomeFailed[] = "%1 of %2 printers FAILED";
};

// `message`, one of SendMessages' texts, as a QString to fill in.
inline QString sendMessage(const char* message) { return QString::fromUtf8(message); }

// Every text of SendMessages.
QStringList sendMessages();

}  // namespace vx
