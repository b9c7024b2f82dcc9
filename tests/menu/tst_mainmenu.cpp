#include "form/elements.h"
#include "form/menulist.h"
#include "menu/mainmenu.h"
#include "support/fakedrives.h"

#include <QLabel>
#include <QTest>

using Rows = QStringList; // "key caption" per row

Q_DECLARE_METATYPE(std::vector<OpticalDrive>)

namespace {

Rows describe(const std::vector<MenuRow>& rows)
{
    Rows lines;
    for (const MenuRow& row : rows)
        lines << row.rowKey() + u' ' + row.subItems.front().text;
    return lines;
}

const Rows kCategories{"tv Mi TV", "divx Mi Cine", "mp3 Mi Música", "pics Mis Imágenes"};
const Rows kTail{"copiar Copiar Media ...", "salir SALIR"};

} // namespace

class TestMainMenu : public QObject {
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void everyRowIsAMainMenuRow();
    void showMenuRebuildsFromScratch();
};

void TestMainMenu::rows_data()
{
    QTest::addColumn<std::vector<OpticalDrive>>("drives");
    QTest::addColumn<bool>("failing");
    QTest::addColumn<Rows>("expected");

    QTest::newRow("no drive") << std::vector<OpticalDrive>{} << false << kCategories + kTail;
    QTest::newRow("D empty, E holds FILMS")
        << std::vector<OpticalDrive>{{u'D', false, {}, {}}, {u'E', true, "FILMS", "/media/FILMS"}}
        << false << kCategories + Rows{"driveD D: [No Disponible]", "driveE E: [FILMS]"} + kTail;
    QTest::newRow("disc without a label") << std::vector<OpticalDrive>{{u'D', true, "", "/mnt"}}
                                          << false << kCategories + Rows{"driveD D: []"} + kTail;
    QTest::newRow("drives cannot be listed")
        << std::vector<OpticalDrive>{{u'D', true, "X", "/mnt"}} << true << kCategories + kTail;
}

void TestMainMenu::rows()
{
    QFETCH(std::vector<OpticalDrive>, drives);
    QFETCH(bool, failing);
    FakeDrives fake;
    fake.drives = drives;
    fake.failing = failing;
    QTEST(describe(mainMenuRows(fake)), "expected");
}

void TestMainMenu::everyRowIsAMainMenuRow()
{
    FakeDrives fake;
    fake.drives = {{u'D', false, {}, {}}};
    for (const MenuRow& row : mainMenuRows(fake)) {
        QCOMPARE(row.subItems.size(), std::size_t(1));
        QVERIFY(row.key.isEmpty());
        QVERIFY(row.text.isEmpty());
        QCOMPARE(row.icon, 0);
    }
}

void TestMainMenu::showMenuRebuildsFromScratch()
{
    QWidget window;
    MenuList list(&window);
    Picture preview(&window, "Image2", QRectF(0, 0, 3135, 3015));
    QLabel title(&window);
    FakeDrives fake;
    fake.drives = {{u'D', false, {}, {}}};

    preview.setPicture(QPixmap(4, 4));
    list.setRows({MenuRow{"ATRÁS", "Back", 0, {}, {}}});
    ShowMenu(list, preview, title, fake);
    QVERIFY(!preview.hasPicture());
    QCOMPARE(title.text(), QStringLiteral("Telarino 0.1a"));
    QCOMPARE(list.rows().rowCount(), 7);
    QCOMPARE(list.selectedRow(), 0);
    QCOMPARE(list.columnWidth(0), 0);

    fake.drives = {{u'D', true, "NUEVO", "/media/NUEVO"}};
    ShowMenu(list, preview, title, fake);
    QCOMPARE(describe(list.rows().rows()), kCategories + Rows{"driveD D: [NUEVO]"} + kTail);
}

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
