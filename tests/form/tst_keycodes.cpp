#include "form/keycodes.h"

#include <QKeyEvent>
#include <QTest>

class TestKeyCodes : public QObject {
    Q_OBJECT
private slots:
    void mapsQtKeys_data();
    void mapsQtKeys();
};

void TestKeyCodes::mapsQtKeys_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("code");
    const QList<std::pair<int, int>> table{
        {Qt::Key_Return, 13}, {Qt::Key_Enter, 13},    {Qt::Key_Backspace, 8}, {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},     {Qt::Key_Right, 39},    {Qt::Key_Down, 40},     {Qt::Key_Escape, 27},
        {Qt::Key_Space, 32},  {Qt::Key_F1, 112},      {Qt::Key_F2, 113},      {Qt::Key_F12, 123},
        {Qt::Key_Delete, 46}, {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
        {Qt::Key_Home, 36},   {Qt::Key_A, 65},        {Qt::Key_Z, 90},        {Qt::Key_0, 48},
        {Qt::Key_9, 57},      {Qt::Key_VolumeUp, 0},  {Qt::Key_unknown, 0},   {Qt::Key_Aacute, 0},
        // a media remote's buttons
        {Qt::Key_MediaPlay, 32}, {Qt::Key_MediaPause, 32}, {Qt::Key_MediaTogglePlayPause, 32},
        {Qt::Key_Back, 8},       {Qt::Key_MediaStop, 178}, {Qt::Key_MediaNext, 176},
        {Qt::Key_MediaPrevious, 177}, {Qt::Key_MediaRecord, 0}, {Qt::Key_Forward, 0},
    };
    for (const auto& [qtKey, code] : table)
        QTest::addRow("%s", qPrintable(QKeySequence(qtKey).toString())) << qtKey << code;
}

void TestKeyCodes::mapsQtKeys()
{
    QFETCH(int, qtKey);
    QFETCH(int, code);
    QCOMPARE(keyCode(qtKey), code);
    // Shift, Ctrl and Alt never change what a key means.
    const QKeyEvent withModifiers(QEvent::KeyPress, qtKey, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(keyCode(withModifiers), code);
}

QTEST_GUILESS_MAIN(TestKeyCodes)
#include "tst_keycodes.moc"
