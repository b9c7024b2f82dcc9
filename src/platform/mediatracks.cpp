// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mediatracks.h"

#include <QHash>
#include <algorithm>

namespace {

// The languages a Spanish household meets, by their ISO 639 codes (two letters, and the
// three of the bibliographic and terminology forms).
const QHash<QString, QString> kLanguageNames = {
    {"es", "Español"},     {"spa", "Español"}, {"ca", "Catalán"},    {"cat", "Catalán"},
    {"eu", "Euskera"},     {"eus", "Euskera"}, {"baq", "Euskera"},   {"gl", "Gallego"},
    {"glg", "Gallego"},    {"en", "Inglés"},   {"eng", "Inglés"},    {"fr", "Francés"},
    {"fra", "Francés"},    {"fre", "Francés"}, {"de", "Alemán"},     {"deu", "Alemán"},
    {"ger", "Alemán"},     {"it", "Italiano"}, {"ita", "Italiano"},  {"pt", "Portugués"},
    {"por", "Portugués"},  {"ja", "Japonés"},  {"jpn", "Japonés"},   {"zh", "Chino"},
    {"zho", "Chino"},      {"chi", "Chino"},   {"ru", "Ruso"},       {"rus", "Ruso"},
    {"ar", "Árabe"},       {"ara", "Árabe"},   {"nl", "Neerlandés"}, {"nld", "Neerlandés"},
    {"dut", "Neerlandés"},
};

bool isSpanish(const MediaTrack& track)
{
    return kLanguageNames.value(track.language.toLower()) == u"Español";
}

} // namespace

QString trackLabel(const MediaTrack& track, int number)
{
    QString label = kLanguageNames.value(track.language.toLower());
    if (label.isEmpty())
        label = !track.title.isEmpty()      ? track.title
                : !track.language.isEmpty() ? track.language
                                            : QStringLiteral("Pista %1").arg(number);
    if (track.type == u"audio" && (track.channels == 6 || track.channels == 8))
        label += track.channels == 6 ? QStringLiteral(" 5.1") : QStringLiteral(" 7.1");
    return label;
}

StartPoint firstTrackChoice(const QList<MediaTrack>& tracks)
{
    StartPoint choice;
    const MediaTrack* audio = nullptr;
    for (const MediaTrack& track : tracks) {
        if (track.type == u"audio" && (!audio || (isSpanish(track) && !isSpanish(*audio))))
            audio = &track;
    }
    if (audio)
        choice.audio = audio->id;
    const bool hearingSpanish = audio && isSpanish(*audio);
    const MediaTrack* full = nullptr;
    const MediaTrack* forced = nullptr;
    for (const MediaTrack& track : tracks) {
        if (track.type != u"sub" || !isSpanish(track))
            continue;
        const MediaTrack*& first = track.forced ? forced : full;
        if (!first)
            first = &track;
    }
    // Forced subtitles only carry what the audio leaves untold (signs, another language).
    const MediaTrack* shown = hearingSpanish ? forced : full ? full : forced;
    choice.subtitles = shown ? shown->id : kNoTrack;
    return choice;
}

QList<MediaTrack> tracksFromMpv(const QVariant& trackList)
{
    QList<MediaTrack> tracks;
    for (const QVariant& entry : trackList.toList()) {
        const QVariantMap track = entry.toMap();
        tracks << MediaTrack{track.value(QStringLiteral("id")).toLongLong(),
                             track.value(QStringLiteral("type")).toString(),
                             track.value(QStringLiteral("lang")).toString(),
                             track.value(QStringLiteral("title")).toString(),
                             track.value(QStringLiteral("albumart")).toBool(),
                             track.value(QStringLiteral("forced")).toBool(),
                             track.value(QStringLiteral("demux-channel-count")).toInt()};
    }
    return tracks;
}

QString mediaTypeOf(const QList<MediaTrack>& tracks)
{
    const auto has = [&tracks](const char* type) {
        return std::any_of(tracks.begin(), tracks.end(), [type](const MediaTrack& track) {
            // A cover picture of an audio file is a video track too, but not a video.
            return track.type == QLatin1String(type) && !track.albumArt;
        });
    };
    return has("video")   ? QStringLiteral("video")
           : has("audio") ? QStringLiteral("audio")
                          : QString();
}
