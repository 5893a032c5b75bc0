// The five 128-byte mirrors of a "560" mouse's profile memory.
#include "backend/myQQuickView.h"

#include "device/Hid_Thread.h"

void myQQuickView::mouseSetProfile(uint profileNo)
{
    // Blocks 0..4 only: anything else would run off the mirrors.
    if (!hid || profileNo >= uint(ProfileBlockCount))
        return;
    hid->hid560_0CH_setProfile(profileData[profileNo], uchar(profileNo));
}

void myQQuickView::mouseReadProfile(uint profileNo)
{
    if (!hid || profileNo >= uint(ProfileBlockCount))
        return;
    hid->hid560_8CH_readProfile(profileData[profileNo], uchar(profileNo));
}

QVariant myQQuickView::mouseReadCurrentProfile()
{
    uchar profile = 0;
    if (hid)
        hid->hid560_82H_GetCurrentProfile(profile);
    return int(profile);
}
