// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/mediaplayer.h"

#include <QVariant>

// A track as the person reads it: its language in Spanish ("Inglés"), else its own title,
// else its language code, else "Pista N" (N counting the tracks of its type from 1); an audio
// track's surround layout follows ("Inglés 5.1").
QString trackLabel(const MediaTrack& track, int number);

// The tracks a film starts with: audio in Spanish when it has it, else its first; subtitles
// in Spanish only when the audio is not, else none, except Spanish subtitles marked forced,
// which are always shown.
StartPoint firstTrackChoice(const QList<MediaTrack>& tracks);

// The tracks of mpv's track-list property, read as lists and maps.
QList<MediaTrack> tracksFromMpv(const QVariant& trackList);
// "video" when a track is a picture that moves (not a song's cover), else "audio" when one is
// sound, else empty.
QString mediaTypeOf(const QList<MediaTrack>& tracks);
