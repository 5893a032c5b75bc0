#include "BackendTestData.h"

#include "device/DpiSwitchTexts.h"

#include <QFile>
#include <QTest>

// Gun records, XY sensitivity, gun selection and the language strings.
class BackendGunLangTest : public QObject
{
    Q_OBJECT

private slots:
    void gunFileOperationsNeedTheFile();
    void gunRecordsByRowAndByName();
    void xySensitivityAndSelectionPerProfile();
    void languageGroups();
    void otherGroupRenamesDpiBalloons();
};

void BackendGunLangTest::gunFileOperationsNeedTheFile()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    QFile::remove(data.file(QStringLiteral("modules/gun/gunData.bin")));
    TestView view;

    view.mouseSaveGundata(0, {QStringLiteral("AK"), QStringLiteral("L-Click"), 100, 1, 2, 3});
    view.modifyGundata(
        1, {QStringLiteral("AK"), QStringLiteral("L-Click"), 100, 1, 2, 3, QStringLiteral("M4")});
    QVERIFY(!QFile::exists(data.file(QStringLiteral("modules/gun/gunData.bin"))));
    QVERIFY(view.getGunData(0).isEmpty());
    QVERIFY(view.getGunDataKey().isEmpty());
}

void BackendGunLangTest::gunRecordsByRowAndByName()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    data.write(QStringLiteral("modules/gun/gunData.bin"), "");
    TestView view;

    view.mouseSaveGundata(0, {QStringLiteral("AK"), QStringLiteral("L-Click"), 100, 1, 2, 3});
    // Extra values are left out, missing ones stay empty.
    view.mouseSaveGundata(1, {QStringLiteral("M4"), QStringLiteral("R-Click"), 80, 4, 5, 6, 99});
    view.mouseSaveGundata(2, {QStringLiteral("P90")});
    QCOMPARE(view.getGunDataKey(), (QStringList{"0", "1", "2"}));
    QCOMPARE(view.getGunData(0), (QVariantList{"AK", "L-Click", "100", "1", "2", "3"}));
    QCOMPARE(view.getGunData(1), (QVariantList{"M4", "R-Click", "80", "4", "5", "6"}));
    QCOMPARE(view.getGunData(QStringLiteral("2")).size(), 6);

    // A record renamed by name: five values under the new name, the old key gone.
    view.modifyGundata(
        1, {QStringLiteral("AK"), QStringLiteral("L-Click"), 90, 7, 8, 9, QStringLiteral("0")});
    QCOMPARE(view.getGunDataKey(), (QStringList{"1", "2", "AK"}));
    QCOMPARE(view.getGunData(QStringLiteral("AK")), (QVariantList{"L-Click", "90", "7", "8", "9"}));
    view.modifyGundata(0, {QStringLiteral("AK")});
    QCOMPARE(view.getGunDataKey(), (QStringList{"1", "2"}));
    view.modifyGundata(5, {QStringLiteral("1")});
    QCOMPARE(view.getGunDataKey(), (QStringList{"1", "2"}));

    // An empty or missing name never wipes the whole group.
    view.modifyGundata(0, {});
    view.modifyGundata(0, {QString()});
    view.modifyGundata(1, {QString(), QStringLiteral("L-Click"), 1, 2, 3, 4, QStringLiteral("1")});
    view.modifyGundata(1, {QStringLiteral("New"), QStringLiteral("L-Click"), 1, 2, 3, 4});
    QCOMPARE(view.getGunDataKey(), (QStringList{"1", "2", "New"}));
    // Nor does a name the settings reader folds into the group itself.
    for (const QString &folded :
         {QStringLiteral("/"), QStringLiteral("\\"), QStringLiteral("//")}) {
        view.modifyGundata(0, {folded});
        view.modifyGundata(1, {folded, QStringLiteral("L-Click"), 1, 2, 3, 4});
        view.modifyGundata(
            1, {QStringLiteral("Other"), QStringLiteral("L-Click"), 1, 2, 3, 4, folded});
        view.mouseSaveGundata(folded, {QStringLiteral("AK")});
        QVERIFY(view.getGunData(folded).isEmpty());
    }
    QCOMPARE(view.getGunDataKey(), (QStringList{"1", "2", "New"}));
}

void BackendGunLangTest::xySensitivityAndSelectionPerProfile()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    TestView view;

    QCOMPARE(view.getXYSensitive(0).toInt(), 4);
    QCOMPARE(view.getselectGun(2).toString(), QString());
    view.setCurrentProfile(3);
    view.setXYSensitive(1, 7);
    view.setSelectGun(2, QStringLiteral("AK"));
    QCOMPARE(view.getXYSensitive(1).toInt(), 7);
    QCOMPARE(view.getXYSensitive(0).toInt(), 4);
    QCOMPARE(view.getselectGun(2).toString(), QStringLiteral("AK"));
    view.profileList.at(3)->sync();
    QSettings p4(data.file(QStringLiteral("modules/setting/p4.bin")), QSettings::IniFormat);
    QCOMPARE(p4.value(QStringLiteral("XYSensitive/1")).toInt(), 7);
    QCOMPARE(p4.value(QStringLiteral("selectGun/2")).toString(), QStringLiteral("AK"));
    view.setCurrentProfile(0);
    QCOMPARE(view.getXYSensitive(1).toInt(), 4);
}

void BackendGunLangTest::languageGroups()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    data.write(QStringLiteral("modules/i18n/ChineseSimplified.ini"),
               "[main]\ntotal=3\n0=设置\n1=宏编辑\n2=\"确定, 取消\"\n\n"
               "[keyMatrix]\ntotal=3\n0=左键\n2=中键\n\n"
               "[profile]\ntotal=x\n0=a\n");
    TestView view;
    const QString zh = QStringLiteral("ChineseSimplified");

    QCOMPARE(view.getLangStrings(QStringLiteral("main"), zh),
             (QStringList{QStringLiteral("设置"), QStringLiteral("宏编辑"),
                          QStringLiteral("确定, 取消")}));
    QCOMPARE(view.getLangStrings(QStringLiteral("keyMatrix"), zh),
             (QStringList{QStringLiteral("左键"), QString(), QStringLiteral("中键")}));
    QVERIFY(view.getLangStrings(QStringLiteral("profile"), zh).isEmpty());
    QVERIFY(view.getLangStrings(QStringLiteral("gunControl"), zh).isEmpty());
    QVERIFY(view.getLangStrings(QStringLiteral("main"), QStringLiteral("Klingon")).isEmpty());
    QVERIFY(!QFile::exists(data.file(QStringLiteral("modules/i18n/Klingon.ini"))));

    // The file is read anew on every call.
    data.write(QStringLiteral("modules/i18n/ChineseSimplified.ini"),
               "[main]\ntotal=2\n0=一\n1=二\n2=三\n");
    QCOMPARE(view.getLangStrings(QStringLiteral("main"), zh),
             (QStringList{QStringLiteral("一"), QStringLiteral("二")}));
}

void BackendGunLangTest::otherGroupRenamesDpiBalloons()
{
    TempDataFolder data;
    writeSettingFiles(data, {});
    QByteArray other = "[other]\ntotal=8\n";
    for (int i = 0; i < 8; ++i)
        other += QByteArray::number(i) + "=切换到档位" + QByteArray::number(i + 1) + "\n";
    data.write(QStringLiteral("modules/i18n/zh.ini"), other);
    data.write(QStringLiteral("modules/i18n/short.ini"), "[other]\ntotal=2\n0=one\n1=two\n");
    TestView view;

    // A group of another name leaves the balloons alone.
    data.write(QStringLiteral("modules/i18n/en.ini"), "[Other]\ntotal=8\n0=x\n");
    view.getLangStrings(QStringLiteral("Other"), QStringLiteral("en"));
    QCOMPARE(dpiSwitchText(3), QStringLiteral("DPI Switch to"));

    QCOMPARE(view.getLangStrings(QStringLiteral("other"), QStringLiteral("zh")).size(), 8);
    QCOMPARE(dpiSwitchText(3), QStringLiteral("切换到档位3"));
    QCOMPARE(dpiSwitchText(0), QStringLiteral("切换到档位8"));

    // A short group renames only the texts it holds.
    view.getLangStrings(QStringLiteral("other"), QStringLiteral("short"));
    QCOMPARE(dpiSwitchText(1), QStringLiteral("one"));
    QCOMPARE(dpiSwitchText(2), QStringLiteral("two"));
    QCOMPARE(dpiSwitchText(3), QStringLiteral("切换到档位3"));
}

QTEST_MAIN(BackendGunLangTest)
#include "tst_backend_gunlang.moc"
