// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filenames.h"

#include "platform/legacytext.h"

#include <QStringDecoder>

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // + the byte, which is 0x80 or above

bool isEscapedByte(const QString& name, qsizetype i)
{
    const char16_t unit = name.at(i).unicode();
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF &&
           (i == 0 || !name.at(i - 1).isHighSurrogate());
}

bool hasEscapedBytes(const QString& name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (isEscapedByte(name, i))
            return true;
    }
    return false;
}

// The length of the valid UTF-8 sequence that starts `bytes`, or 0 when there is none
// (overlong forms, surrogates and code points past U+10FFFF are not valid).
qsizetype validSequenceLength(QByteArrayView bytes)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    qsizetype length = 0;
    unsigned char low = 0x80, high = 0xBF; // the allowed range of the second byte
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

QString fileNameFromBytes(QByteArrayView bytes)
{
    QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = strict(bytes);
    if (!strict.hasError())
        return text;
    text.clear();
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype length = validSequenceLength(bytes.sliced(i));
        if (length == 0) {
            text += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
        } else {
            text += QString::fromUtf8(bytes.sliced(i, length));
            i += length;
        }
    }
    return text;
}

QByteArray fileNameBytes(const QString& name)
{
    if (!hasEscapedBytes(name))
        return name.toUtf8();
    QByteArray bytes;
    qsizetype start = 0; // of the run of ordinary text not yet written
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!isEscapedByte(name, i))
            continue;
        bytes += QStringView(name).sliced(start, i - start).toUtf8();
        bytes += char(name.at(i).unicode() - kEscapeBase);
        start = i + 1;
    }
    return bytes + QStringView(name).sliced(start).toUtf8();
}

QString nameCutToFit(const QString& name, qsizetype room)
{
    QString kept = name;
    while (!kept.isEmpty() && fileNameBytes(kept).size() + room > kLongestFileName) {
        kept.chop(1);
        if (!kept.isEmpty() && kept.back().isHighSurrogate())
            kept.chop(1); // never half a character
    }
    return kept;
}

QString readableName(const QString& name)
{
    if (!hasEscapedBytes(name))
        return name;
    QString readable = name;
    for (qsizetype i = 0; i < readable.size(); ++i) {
        if (isEscapedByte(name, i))
            readable[i] = windows1252Character(uchar(name.at(i).unicode() - kEscapeBase));
    }
    return readable;
}
