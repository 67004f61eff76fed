#include "send/send_messages.h"

namespace vx {

QStringList sendMessages() {
  QStringList all;
  for (const char* text : {SendMessages::kFailure,
                           SendMessages::kTryHelp,
                           SendMessages::kUnknownJob,
                           SendMessages::kNoLogoWithOnlyLogo,
                           SendMessages::kNoJobLeft,
                           SendMessages::kNoPair,
                           SendMessages::kJsonWithQuiet,
                           SendMessages::kTraceWithoutFile,
                           SendMessages::kDryRunWithPort,
                           SendMessages::kDryRunWithoutOutput,
                           SendMessages::kPortOptionsInDryRun,
                           SendMessages::kNoPort,
                           SendMessages::kOutputWithoutDryRun,
                           SendMessages::kTimingWithoutDryRun,
                           SendMessages::kPortWithoutDevice,
                           SendMessages::kPortTwice,
                           SendMessages::kSecondPair,
                           SendMessages::kTraceNotOpened,
                           SendMessages::kCannotWrite,
                           SendMessages::kOutputIsPairFile,
                           SendMessages::kRecordUnreadable,
                           SendMessages::kNotARecord,
                           SendMessages::kRecordFormat,
                           SendMessages::kRecordWithoutDigest,
                           SendMessages::kRecordNotKept,
                           SendMessages::kCannotOpen,
                           SendMessages::kNoCloseEvent,
                           SendMessages::kPortStalled,
                           SendMessages::kNotDrained,
                           SendMessages::kConnectionLost,
                           SendMessages::kDeviceFailed,
                           SendMessages::kHungUp,
                           SendMessages::kInterrupted,
                           SendMessages::kPortProgress,
                           SendMessages::kPortDone,
                           SendMessages::kPortFailed,
                           SendMessages::kPortFailedOnBar,
                           SendMessages::kPortSentAll,
                           SendMessages::kPortFailedInJob,
                           SendMessages::kNothingChanged,
                           SendMessages::kUnchangedJobs,
                           SendMessages::kAllReceived,
                           SendMessages::kSomeFailed})
    all << sendMessage(text);
  return all;
}

}  // namespace vx
