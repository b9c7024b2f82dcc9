// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/folderreader.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

namespace {

// A folder reader whose every answer waits until the test lets it go.
struct HeldReads {
    std::shared_ptr<QSemaphore> released = std::make_shared<QSemaphore>();
    FolderReader::Read read() const
    {
        return [released = released](const QString& path) {
            released->acquire();
            return FolderListing{path, FolderContents{{}, {path + QStringLiteral(".mp3")}}};
        };
    }
};

const FolderReadTiming kShort{30ms, 50ms, 400ms};

} // namespace

class TestFolderReader : public QObject {
    Q_OBJECT
private slots:
    void aQuickFolderIsListedAtOnce();
    void aSlowFolderIsAnnouncedThenListed();
    void givingUp_data();
    void givingUp();
};

void TestFolderReader::aQuickFolderIsListedAtOnce()
{
    FolderReader reader(nullptr, FolderReader::readLibraryFolder, kShort);
    QSignalSpy slow(&reader, &FolderReader::slow);
    std::optional<FolderListing> listed;
    reader.read(QStringLiteral(TEST_DATA_DIR), [&](const FolderListing& l) { listed = l; });
    QVERIFY(listed && listed->contents);
    QVERIFY(listed->contents->fileNames.contains(QStringLiteral("tracks.mkv")));
    QVERIFY(!reader.reading());
    QTest::qWait(100);
    QCOMPARE(slow.size(), 0);

    reader.read(QStringLiteral("/nonexistent"), [&](const FolderListing& l) { listed = l; });
    QVERIFY(!listed->contents && !listed->folderExists);
}

void TestFolderReader::aSlowFolderIsAnnouncedThenListed()
{
    HeldReads held;
    FolderReader reader(nullptr, held.read(), kShort);
    QSignalSpy slow(&reader, &FolderReader::slow);
    QSignalSpy ended(&reader, &FolderReader::ended);
    QStringList listed;
    reader.read("/nas/Música", [&](const FolderListing& l) { listed << l.path; });
    QVERIFY(listed.isEmpty() && reader.reading());
    QTRY_COMPARE(slow.size(), 1);
    QCOMPARE(slow.at(0).at(0).toString(), QStringLiteral("/nas/Música"));
    held.released->release();
    QTRY_COMPARE(listed, QStringList({"/nas/Música"}));
    QVERIFY(!reader.reading());
    QCOMPARE(ended.size(), 1);
}

void TestFolderReader::givingUp_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QStringList>("listed"); // after the first read's answer comes
    QTest::addColumn<int>("unanswered");
    QTest::newRow("cancelled") << "cancel" << QStringList() << 0;
    QTest::newRow("another folder asked for") << "another" << QStringList({"/b"}) << 0;
    QTest::newRow("no answer in time") << "wait" << QStringList() << 1;
}

void TestFolderReader::givingUp()
{
    QFETCH(QString, how);
    HeldReads held;
    FolderReader reader(nullptr, held.read(), kShort);
    QSignalSpy unanswered(&reader, &FolderReader::unanswered);
    QStringList listed;
    const auto list = [&](const FolderListing& l) { listed << l.path; };
    reader.read("/a", list);
    if (how == u"cancel")
        reader.cancel();
    if (how == u"another")
        reader.read("/b", list);
    if (how == u"wait")
        QTRY_VERIFY_WITH_TIMEOUT(!reader.reading(), 1000);
    QVERIFY(!reader.reading() || how == u"another");
    // The first answer comes after all; only a read still wanted is listed.
    held.released->release(2);
    QTest::qWait(100);
    QTEST(listed, "listed");
    QTEST(int(unanswered.size()), "unanswered");
    QVERIFY(!reader.reading());
}

QTEST_GUILESS_MAIN(TestFolderReader)
#include "tst_folderreader.moc"
