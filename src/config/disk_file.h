#pragma once
// What reading and saving the pair (config_io.cpp) needs of the operating system, one file per
// platform chosen by CMake: disk_file_posix.cpp (fsync, stat) and disk_file_win32.cpp
// (FlushFileBuffers, the pipe namespace). Any thread.

#include <QFileDevice>
#include <QString>

namespace vx {

// Puts every byte written to `file` (open for writing, flushed) on the disk itself, so that a
// full or failing disk shows before the file is put in place. False, with the system's reason.
bool syncToDisk(QFileDevice& file, QString* reason);

// Whether `path` names a pipe or a socket: opening one would wait for the other end, and
// neither holds a file to read.
bool isPipeOrSocket(const QString& path);

}  // namespace vx
