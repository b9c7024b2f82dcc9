// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mediaplayer.h"

#include <cmath>

QString CurrentMedia::getItemInfo(const QString& name) const
{
    if (name == u"MediaType")
        return mediaType;
    if (name == u"Artist")
        return artist;
    if (name == u"Title")
        return title;
    if (name == u"Album")
        return album;
    return {};
}

QString CurrentMedia::durationString() const
{
    return formatMediaTime(duration);
}

QString formatMediaTime(double seconds)
{
    const qint64 whole = std::isfinite(seconds) && seconds > 0 ? qint64(seconds) : 0;
    const qint64 hours = whole / 3600;
    const qint64 minutes = whole / 60 % 60;
    const qint64 secs = whole % 60;
    if (hours > 0)
        return QStringLiteral("%1:%2:%3")
            .arg(hours)
            .arg(minutes, 2, 10, QChar(u'0'))
            .arg(secs, 2, 10, QChar(u'0'));
    return QStringLiteral("%1:%2").arg(minutes, 2, 10, QChar(u'0')).arg(secs, 2, 10, QChar(u'0'));
}
