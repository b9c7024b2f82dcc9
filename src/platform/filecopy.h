#pragma once

#include <QString>
#include <atomic>
#include <functional>

// Copies one file's bytes into a new file in chunks, with the kernel's copy_file_range where
// the two file systems allow it and read/write where they do not. `copied` hears the running
// total after each chunk. False, with the reason in `error`, on failure or when `cancel` is
// set; the target is then left for the caller to remove.
bool copyFileContents(const QString& source, const QString& target,
                      const std::atomic<bool>& cancel, const std::function<void(qint64)>& copied,
                      QString& error);

// Gives the target's name to the finished file: without replacing an existing one unless
// `replace`. False, with the reason in `error`, on failure.
bool renameInto(const QString& temporary, const QString& target, bool replace, QString& error);
