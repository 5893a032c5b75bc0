// Fuzz target: a damaged gun file: the gun panel lists its presets, reads
// each, renames the first, saves one and sends the values to the mouse.
// The view reads and writes the gun file afresh for each call, so one view
// and one folder serve the whole run; each input rewrites the gun file.
#include "FuzzBackend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzFolder &folder = FuzzFolder::shared({"setting/apConfig.bin", "setting/p1.bin"});
    const FuzzFolder::Input input(folder, QStringLiteral("gun/gunData.bin"),
                                  FuzzBackend::bytes(data, size));
    // One view for the run, never destroyed: the process ends with it.
    static FuzzView &fuzz = *new FuzzView;
    fuzz.forgetTraffic();
    myQQuickView &view = *fuzz.view;
    const QStringList keys = view.getGunDataKey();
    for (const QString &key : keys) {
        const QVariantList values = view.getGunData(key);
        // A preset is name, trigger, shots, x, y, flag; the panel sends three of them.
        view.mouseSendGundata(1 + int(key.size() % 3), values.mid(2, 3));
    }
    if (!keys.isEmpty()) {
        QVariantList record = view.getGunData(keys.first());
        while (record.size() < 6)
            record.append(QString());
        record.prepend(QStringLiteral("renamed"));
        record = record.mid(0, 6);
        record.append(keys.first());
        view.modifyGundata(1, record);
        view.mouseSaveGundata(keys.first(), view.getGunData(QStringLiteral("renamed")));
        view.modifyGundata(0, {QStringLiteral("renamed")});
    }
    for (int n = 0; n < 4; ++n)
        view.setSelectGun(n, view.getselectGun(n));
    return 0;
}
