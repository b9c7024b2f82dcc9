#include "platform/mpvplayer.h"
#include "platform/mpvvideosurface.h"
#include "support/fakedrives.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <X11/Xlib.h>

// Runs on an X server: the display mpv is handed must be one the program's window lives on.
class TestRenderDisplay : public QObject {
    Q_OBJECT
private slots:
    void theWindowsDisplayWhereFilmsDecodeOnTheCard_data();
    void theWindowsDisplayWhereFilmsDecodeOnTheCard();

private:
    FakeDrives m_drives;
};

void TestRenderDisplay::theWindowsDisplayWhereFilmsDecodeOnTheCard_data()
{
    QTest::addColumn<QByteArray>("mpvConf");
    QTest::addColumn<bool>("given");
    QTest::newRow("mpv.conf asks for VA-API") << QByteArray("hwdec=vaapi\n") << true;
    QTest::newRow("mpv.conf asks for the safe ones") << QByteArray("hwdec=auto-safe\n") << true;
    QTest::newRow("mpv.conf turns it off") << QByteArray("hwdec=no\n") << false;
    QTest::newRow("this machine's own choice")
        << QByteArray() << (defaultHardwareDecoding() != "no");
}

void TestRenderDisplay::theWindowsDisplayWhereFilmsDecodeOnTheCard()
{
    QFETCH(QByteArray, mpvConf);
    QFETCH(bool, given);
    QTemporaryDir folder;
    MpvSettings settings{QStringLiteral("null"), QStringLiteral("null"),
                         folder.filePath("mpv.conf")};
    QVERIFY(writeFile(settings.configFile, mpvConf));
    MpvPlayer player(m_drives, settings);

    const auto display = windowSystemDisplay(player.hardwareDecoding());
    QCOMPARE(display.has_value(), given);
    if (!given)
        return;
    QCOMPARE(display->type, MPV_RENDER_PARAM_X11_DISPLAY);
    QWidget window;
    window.resize(321, 123);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    XWindowAttributes attributes{};
    QVERIFY(
        XGetWindowAttributes(static_cast<Display*>(display->data), window.winId(), &attributes));
    QCOMPARE(attributes.width, 321);
}

QTEST_MAIN(TestRenderDisplay)
#include "tst_renderdisplay.moc"
