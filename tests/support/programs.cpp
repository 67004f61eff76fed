#include "programs.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vx::test {

void startProgram(QProcess& process, const QString& program, const QStringList& arguments) {
#ifdef VX_PROGRAM_EMULATOR
  process.start(QStringLiteral(VX_PROGRAM_EMULATOR), QStringList{program} + arguments);
#else
  process.start(program, arguments);
#endif
}

bool underEmulation() {
  const char* value = std::getenv("VORLANDEX_TEST_EMULATED");
  return value && std::strcmp(value, "1") == 0;
}

void noteUnderEmulation(const char* what) { std::printf("[ under emulation ] %s\n", what); }

}  // namespace vx::test
