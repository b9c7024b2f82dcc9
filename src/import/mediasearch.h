// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <atomic>

// Whether a file is of the kind an import looks for: its extension, in lower case, has at
// least three letters and stands anywhere inside the list ("peg" is in "mpg mpe mpeg").
bool matchesExtensionList(const QString& path, const QString& strPattern);

// Appends to Colec, depth first, the matching files of every folder below StartPath (not
// those of StartPath itself). Folders that cannot be read are skipped and appended to
// `unreadable`; links to folders are not followed, so a loop of links ends. Once `stop` is
// set (from any thread) no further folder is read.
void FindMedia(const QString& StartPath, const QString& strPattern, QStringList& Colec,
               QStringList& unreadable, const std::atomic<bool>& stop = std::atomic<bool>(false));

// The matching files directly in the folder; false when it cannot be read.
bool appendMatchingFiles(const QString& folder, const QString& strPattern, QStringList& Colec);
