// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/mediaplayer.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Where each film was left, so it goes on from there another day: kept per machine in one
// file, written whole each time, so that a crash or a full disc never leaves half of it. A
// film is known by its path's exact bytes, its size and its modification time: another file
// given the same name starts from the beginning.
class ResumeStore {
public:
    // An empty path keeps nothing.
    explicit ResumeStore(QString file = {});

    // What tells one film from another file of its name; nothing when it is not a file.
    // Asks the disc, so it may wait on a slow one; safe on any thread.
    struct FilmId {
        QByteArray path;
        qint64 size = 0;
        qint64 modified = 0; // nanoseconds since the epoch
        bool operator==(const FilmId&) const = default;
    };
    static std::optional<FilmId> identify(const QString& path);

    // Whether a film of that path was left part-way; when not, its file need not be asked.
    bool keeps(const QString& path) const;
    // The point the film was left at, if it was.
    std::optional<StartPoint> find(const FilmId& film) const;
    // Keeps the point for the film of that length: nothing in its first 30 seconds, nor for a
    // film under 3 minutes; in its last 5 % the film counts as seen, and is forgotten.
    void remember(const FilmId& film, double duration, const StartPoint& point);

    static constexpr int kMaxFilms = 1000;

private:
    struct Entry {
        FilmId film;
        StartPoint point;
    };
    void load() const;
    void save() const;

    QString m_file;
    mutable bool m_loaded = false;
    mutable QList<Entry> m_entries; // the oldest first
};
