#include "form/filelist.h"
#include "form/mediakinds.h"
#include "import/mediasearch.h"

#include <QTest>

// Which list takes a file of each extension, one letter for each list, in this order:
// V video library, A music library, P picture library, M drive (all media), N the songs the
// player moves on through, W opens the viewer, X the viewer steps through it, R previewed,
// v m p the import of videos, music and pictures (a substring rule of three letters or more).
static const char kListLetters[] = "VAPMNWXRvmp";

class TestMediaKinds : public QObject {
    Q_OBJECT
private slots:
    void eachListTakesItsKind_data();
    void eachListTakesItsKind();
};

void TestMediaKinds::eachListTakesItsKind_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lists");
    const struct {
        const char* extension;
        const char* lists;
    } rows[] = {
        // the lists as they always were
        {"avi", "VM v"},   {"mpeg", "VM v"},  {"mpg", "VM v"},   {"wmv", "VM v"},
        {"mpe", "v"},      {"asf", "v"},      {"divx", "V"},     {"vob", "V"},
        {"ogg", "VAMN m"}, {"mp3", "AMN m"},  {"wma", "AMN m"},  {"wav", "AN m"},
        {"wave", "A m"},   {"mp2", "A"},      {"cda", "A"},      {"jpg", "PMWXR p"},
        {"jpeg", "PMWXR p"}, {"bmp", "PMWXR p"}, {"gif", "PMWXR p"}, {"jpe", "PWXR p"},
        {"wmf", "PW p"},
        // today's formats
        {"mkv", "VM v"},   {"mp4", "VM v"},   {"m4v", "VM v"},   {"mov", "VM v"},
        {"webm", "VM v"},  {"m2ts", "VM v"},  {"mts", "VM v"},   {"ogv", "VM v"},
        {"3gp", "VM v"},   {"flv", "VM v"},   {"ts", "VM"},      {"flac", "AMN m"},
        {"m4a", "AMN m"},  {"aac", "AMN m"},  {"opus", "AMN m"}, {"oga", "AMN m"},
        {"mka", "AMN m"},  {"aiff", "AMN m"}, {"aif", "AMN m"},  {"wv", "AMN"},
        {"png", "PMWXR p"}, {"webp", "PMWXR p"}, {"tif", "PMWXR p"}, {"tiff", "PMWXR p"},
        // the import's substring rule, and files of no kind
        {"peg", "v p"},    {"web", "v p"},    {"iff", "m p"},    {"fla", "m"},
        {"txt", ""},       {"mkv2", ""},      {"nfo", ""},
    };
    for (const auto& row : rows) {
        const QString extension = QString::fromLatin1(row.extension);
        const QString lists = QString::fromLatin1(row.lists).remove(QLatin1Char(' '));
        for (const QString& name : {"file." + extension, "FILE." + extension.toUpper()})
            QTest::newRow(qPrintable(name)) << name << lists;
    }
}

void TestMediaKinds::eachListTakesItsKind()
{
    QFETCH(QString, name);
    const QString extension = name.section(QLatin1Char('.'), -1).toLower();
    const bool taken[] = {
        NamePattern(kVideoPattern).matches(name),
        NamePattern(kAudioPattern).matches(name),
        NamePattern(kPicturePattern).matches(name),
        NamePattern(kAllMediaPattern).matches(name),
        NamePattern(kNowPlayingFolderPattern).matches(name),
        kViewerExtensions.contains(extension),
        NamePattern(kViewerPattern).matches(name),
        kPreviewExtensions.contains(extension),
        matchesExtensionList(name, kImportVideoExtensions),
        matchesExtensionList(name, kImportMusicExtensions),
        matchesExtensionList(name, kImportPictureExtensions),
    };
    QString lists;
    for (size_t i = 0; i < std::size(taken); ++i) {
        if (taken[i])
            lists += QLatin1Char(kListLetters[i]);
    }
    QTEST(lists, "lists");
}

QTEST_GUILESS_MAIN(TestMediaKinds)
#include "tst_mediakinds.moc"
