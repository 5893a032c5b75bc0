#pragma once

#include "TempDataFolder.h"
#include "backend/myQQuickView.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSettings>

// Gives the tests the view's protected state.
class TestView : public myQQuickView
{
public:
    using myQQuickView::currentProfile;
    using myQQuickView::isRight;
    using myQQuickView::profileData;
    using myQQuickView::profileList;
};

struct Traits
{
    const char *icType = "553";
    bool colorful = false;
    bool gun = false;
    bool is55328 = false;
};

// A small apConfig and ten distinguishable profiles plus pD, written before
// the view opens them.
inline void writeSettingFiles(const TempDataFolder &data, const Traits &traits)
{
    data.write(QStringLiteral("modules/setting/apConfig.bin"),
               QByteArray("[mouse]\nicType=") + traits.icType +
                   "\nisColorful=" + (traits.colorful ? "true" : "false") +
                   "\nisGun=" + (traits.gun ? "true" : "false") +
                   "\nis55328=" + (traits.is55328 ? "true" : "false") + "\n");
    data.write(QStringLiteral("modules/setting/pD.bin"),
               "[mouse]\nreportRate=3\nname=factory\n\n[mouseKeyMatrix]\n"
               "0=0, 0, 240, 0\n3=0, 0, 242, 0\n5=0, 0, 244, 0\n");
    for (int i = 1; i <= 10; ++i)
        data.write(QStringLiteral("modules/setting/p%1.bin").arg(i),
                   QByteArray("[mouse]\nname=profile") + QByteArray::number(i) +
                       "\nreportRate=" + QByteArray::number(i % 4) + "\n");
}

// Runs the deletions that replaced settings objects scheduled.
inline void flushDeletions()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
