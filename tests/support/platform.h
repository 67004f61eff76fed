#pragma once
// What tests need of the operating system, where it has it: one file per platform, chosen by
// CMake (platform_posix.cpp, platform_win32.cpp).

#include <QFile>
#include <QString>
#include <string>

namespace vx::test {

// A device that reads as an endless stream of bytes ("/dev/zero"); empty where there is none.
QString endlessDevice();

// Whether the file system has named pipes (FIFOs) among its files; makeNamedPipe() then makes
// one at `path`.
bool fileSystemHasNamedPipes();
bool makeNamedPipe(const QString& path);
// Opens the named pipe at `path` for writing without waiting for a reader, and closes it: a
// reader waiting for a writer then sees the end of the pipe.
void knockOnNamedPipe(const QString& path);

// Whether taking the write permission away from a folder stops this process writing into it:
// not for root, and not on Windows, whose read-only flag on a folder does not stop writes.
bool readOnlyFoldersRefuseWrites();

// Whether the TZ environment variable (with tzset()) sets this process's local time zone, so
// that a test can choose one; on Windows the zone is the system's.
bool timeZoneFromTzVariable();

// The calling thread's processor time in milliseconds, and the step in which the system counts
// it: Linux counts to the nanosecond (0); Windows charges a thread whole clock ticks of up to
// 15.6 ms (Wine reads the kernel's 10 ms ticks), so a share of a short span is only known to
// within a step.
double threadCpuMs();
double threadCpuStepMs();

// The reason the system gives, in its own words as Qt reports them, for not opening `path`
// for reading ("No such file or directory" on Linux, "File not found." on Windows).
inline std::string openFailureReason(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? std::string("(opened)") : file.errorString().toStdString();
}

}  // namespace vx::test
