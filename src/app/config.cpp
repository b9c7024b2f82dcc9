#include "app/config.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

#include "platform/filesystem.h"

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; five of those bytes are unassigned
// and keep their Latin-1 (control) meaning.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = byte >= 0x80 && byte < 0xA0 ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

} // namespace

QString decodeConfigText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? decodeWindows1252(bytes) : text;
}

FoldersConfig parseFoldersIni(QIODevice& file)
{
    std::array<QByteArray, 4> lines;
    std::size_t line = 0;
    bool afterCr = false;
    qint64 consumed = 0;
    char chunk[8192];
    while (line < lines.size() && consumed < kMaxConfigBytes) {
        const qint64 got = file.read(chunk, qMin<qint64>(sizeof chunk, kMaxConfigBytes - consumed));
        if (got <= 0)
            break;
        consumed += got;
        for (qint64 i = 0; i < got && line < lines.size(); ++i) {
            const char c = chunk[i];
            if (c == '\n' && afterCr) { // the LF of a CR LF pair
                afterCr = false;
                continue;
            }
            afterCr = c == '\r';
            if (c == '\r' || c == '\n')
                ++line;
            else if (lines[line].size() < kMaxConfigLineBytes)
                lines[line] += c;
        }
    }
    return FoldersConfig{decodeConfigText(lines[0]), decodeConfigText(lines[1]),
                         decodeConfigText(lines[2]), decodeConfigText(lines[3])};
}

FoldersConfig readFoldersIni(const QString& path)
{
    // Only a regular file: a pipe or a device of that name would block or never end.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return parseFoldersIni(file);
}

QString programFolder(const QString& executableFolder)
{
    if (FileExists(BuildPath(executableFolder, QStringLiteral("folders.ini"))))
        return executableFolder;
    return BuildPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                     QStringLiteral("sofavio"));
}
