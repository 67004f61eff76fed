#pragma once
// What the window tells the operator about a run of transmission jobs: the progress dialog's
// time left and the report of a line lost during a run.

#include <QString>
#include <cstdint>

namespace vx {

struct RunPlan;

// Whole seconds rounded up, so that 0 means nothing is left.
std::int64_t timeLeftSeconds(std::int64_t ms);
// "Tempo restante: 1 min 12 s" ("Tempo restante: 45 s" under a minute), in timeLeftSeconds.
QString timeLeftText(std::int64_t ms);

// The connection was lost during `plan`'s job `job`: which job, what was left unsent (that
// job and every later one) and to check the cable and send again.
QString connectionLostText(const RunPlan& plan, int job);

}  // namespace vx
