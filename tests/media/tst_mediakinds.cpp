// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/mediasearch.h"
#include "media/filelist.h"
#include "media/mediakinds.h"

#include <QTest>

// Which list takes a file, one letter for each list, in this order:
// V video library, A music library, P picture library, M drive (all media), N the songs the
// player moves on through, W opens the viewer, X the viewer steps through it, R previewed,
// v m p the import of videos, music and pictures (a substring rule of three letters or more).
static const char kListLetters[] = "VAPMNWXRvmp";

class TestMediaKinds : public QObject {
    Q_OBJECT
private slots:
    void eachListTakesItsKind_data();
    void eachListTakesItsKind();
    void otherWildcards();
};

void TestMediaKinds::eachListTakesItsKind_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lists");
    const struct {
        const char* extension;
        const char* lists;
    } rows[] = {
        // clang-format off
        // the lists as they always were, different on purpose
        {"avi", "VM v"},   {"mpeg", "VM v"},  {"mpg", "VM v"},   {"wmv", "VM v"},
        {"mpe", "v"},      {"asf", "v"},      {"divx", "V"},     {"vob", "V"},
        {"ogg", "VAMN m"}, {"mp3", "AMN m"},  {"wma", "AMN m"},  {"wav", "AN m"},
        {"wave", "A m"},   {"mp2", "A"},      {"cda", "A"},      {"jpg", "PMWXR p"},
        {"jpeg", "PMWXR p"}, {"bmp", "PMWXR p"}, {"gif", "PMWXR p"}, {"jpe", "PWXR p"},
        {"wmf", "PW p"},
        // today's formats: one of each kind shows its list joined to every list (the import's
        // rule wants three letters)
        {"mkv", "VM v"},   {"ts", "VM"},      {"flac", "AMN m"}, {"wv", "AMN"},
        {"png", "PMWXR p"},
        // the import's substring rule, case, and an extension only at the end of the name
        {"peg", "v p"},    {"MPEG", "VM v"},  {"mkv2", ""},
        // clang-format on
    };
    for (const auto& row : rows) {
        const QString name = "file." + QString::fromLatin1(row.extension);
        QTest::newRow(qPrintable(name))
            << name << QString::fromLatin1(row.lists).remove(QLatin1Char(' '));
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

void TestMediaKinds::otherWildcards()
{
    QVERIFY(NamePattern("IMG*.jpg").matches("img_0001.JPG"));
    QVERIFY(!NamePattern("a?.txt").matches("a.txt"));
    QVERIFY(!NamePattern("").matches("x.gif"));
}

QTEST_GUILESS_MAIN(TestMediaKinds)
#include "tst_mediakinds.moc"
