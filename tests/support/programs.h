#pragma once
// Starting the build's own programs from a test. A build for another processor runs its tests
// under the build's emulator (qemu-aarch64 for an arm64 build on an x86-64 machine); without
// binfmt_misc the kernel cannot hand a program of that build to the emulator by itself, so the
// tests start them through it. Heavy tests run a smaller size under emulation and say so.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace vx::test {

// Starts `program` (one of this build's) with `arguments`, through the emulator when there is one.
void startProgram(QProcess& process, const QString& program, const QStringList& arguments);

// Whether the tests run under an emulator: set by CTest's environment (VORLANDEX_TEST_EMULATED=1)
// for a build whose programs run through one. A test that shrinks its work for it prints
// "[ under emulation ] what it does instead" when it does.
bool underEmulation();
void noteUnderEmulation(const char* what);

}  // namespace vx::test
