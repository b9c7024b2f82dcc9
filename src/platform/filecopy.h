// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <atomic>
#include <functional>

// Copies one file's bytes into a new file in chunks, with the kernel's copy_file_range where
// the two file systems allow it and read/write where they do not. `copied` hears the running
// total after each chunk. The copy is on the disk (fdatasync) when it returns true. False,
// with the reason in `error`, on failure or when `cancel` is set; a target it made is then
// removed again.
bool copyFileContents(const QString& source, const QString& target, const std::atomic<bool>& cancel,
                      const std::function<void(qint64)>& copied, QString& error);

// Gives the target's name to the finished file: without replacing an existing one unless
// `replace`, also on file systems that refuse the kernel's no-replace rename. False, with the
// reason in `error`, on failure; the temporary file is then still there.
bool renameInto(const QString& temporary, const QString& target, bool replace, QString& error);

// Puts the folder's entries (the names of files just made) on the disk.
bool syncFolder(const QString& folder);
