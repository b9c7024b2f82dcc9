// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/resumestore.h"

#include "platform/filenames.h"

#include <QFile>
#include <QSaveFile>
#include <sys/stat.h>

namespace {

constexpr double kUnmarkedStart = 30;
constexpr double kShortestFilm = 180;
constexpr double kSeenFraction = 0.95;

// A track as the file keeps it: its number, "no", or "-" for the player's own choice.
QByteArray trackText(const std::optional<qint64>& id)
{
    if (!id)
        return "-";
    return *id == kNoTrack ? QByteArray("no") : QByteArray::number(*id);
}

std::optional<std::optional<qint64>> trackFrom(const QByteArray& text)
{
    if (text == "-")
        return std::optional<qint64>();
    if (text == "no")
        return std::optional<qint64>(kNoTrack);
    bool ok = false;
    const qint64 id = text.toLongLong(&ok);
    return ok && id > 0 ? std::optional(std::optional<qint64>(id)) : std::nullopt;
}

} // namespace

ResumeStore::ResumeStore(QString file) : m_file(std::move(file)) {}

std::optional<ResumeStore::FilmId> ResumeStore::identify(const QString& path)
{
    const QByteArray bytes = fileNameBytes(path);
    struct stat status {};
    if (::stat(bytes.constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return FilmId{bytes, qint64(status.st_size),
                  qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

bool ResumeStore::keeps(const QString& path) const
{
    if (m_file.isEmpty())
        return false;
    load();
    const QByteArray bytes = fileNameBytes(path);
    return std::any_of(m_entries.cbegin(), m_entries.cend(),
                       [&](const Entry& entry) { return entry.film.path == bytes; });
}

std::optional<StartPoint> ResumeStore::find(const FilmId& film) const
{
    if (m_file.isEmpty())
        return std::nullopt;
    load();
    for (const Entry& entry : std::as_const(m_entries)) {
        if (entry.film == film)
            return entry.point;
    }
    return std::nullopt;
}

void ResumeStore::remember(const FilmId& film, double duration, const StartPoint& point)
{
    if (m_file.isEmpty() || !(duration >= kShortestFilm) || point.seconds < kUnmarkedStart)
        return;
    load();
    const auto before = m_entries.size();
    m_entries.removeIf([&](const Entry& entry) { return entry.film.path == film.path; });
    if (point.seconds < duration * kSeenFraction) {
        m_entries << Entry{film, point}; // the newest last
        while (m_entries.size() > kMaxFilms)
            m_entries.removeFirst();
    } else if (m_entries.size() == before) {
        return; // seen, and nothing was kept of it
    }
    save();
}

// One film a line: its path's bytes percent-encoded, size, modification time, position in
// seconds, audio track, subtitle track, separated by spaces.
void ResumeStore::load() const
{
    if (std::exchange(m_loaded, true))
        return;
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly))
        return; // none yet, or unreadable: nothing is kept, and everything plays
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(' ');
        if (fields.size() != 6)
            continue;
        bool sized = false, timed = false, placed = false;
        Entry entry{{QByteArray::fromPercentEncoding(fields[0]), fields[1].toLongLong(&sized),
                     fields[2].toLongLong(&timed)},
                    {fields[3].toDouble(&placed)}};
        const auto audio = trackFrom(fields[4]);
        const auto subtitles = trackFrom(fields[5]);
        if (!sized || !timed || !placed || !audio || !subtitles || entry.film.path.isEmpty())
            continue; // a damaged line: that film starts from the beginning
        entry.point.audio = *audio;
        entry.point.subtitles = *subtitles;
        m_entries << entry;
    }
    while (m_entries.size() > kMaxFilms)
        m_entries.removeFirst();
}

void ResumeStore::save() const
{
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly))
        return;
    for (const Entry& entry : std::as_const(m_entries)) {
        const FilmId& film = entry.film;
        file.write(film.path.toPercentEncoding("/") + ' ' + QByteArray::number(film.size) + ' ' +
                   QByteArray::number(film.modified) + ' ' +
                   QByteArray::number(entry.point.seconds, 'f', 3) + ' ' +
                   trackText(entry.point.audio) + ' ' + trackText(entry.point.subtitles) + '\n');
    }
    file.commit(); // on failure the last whole file stays, and the next save tries again
}
