// Fuzz target: copy-data messages from other programs, as the session bus
// channel hands them on: only a NUL-free UTF-8 text that fills its payload
// exactly, sent with 0x250F, is taken, and then unchanged.
#include "platform/linux/DBusCopyDataChannel.h"
#include "shell/Widget.h"

#include <QApplication>
#include <QDBusConnection>

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static int argc = 1;
    static char name[] = "fuzz_copydata";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        return new QApplication(argc, argv);
    }();
    // Off the bus: the channel hands messages on without a connection.
    static DBusCopyDataChannel channel(QDBusConnection(QStringLiteral("fuzz-no-bus")));
    static QByteArray sent;
    static uint sentCode = 0;
    static int delivered = 0;
    static bool opened = [] {
        channel.open(app, [](const CopyDataMessage &message) {
            ++delivered;
            QString text;
            const bool taken = Widget::copyDataText(message, &text);
            const QByteArray payload(static_cast<const char *>(message.lpData),
                                     qsizetype(message.cbData));
            if (payload != sent)
                std::abort();
            const bool valid = sentCode == 0x250F && !payload.contains('\0') &&
                               QString::fromUtf8(payload).toUtf8() == payload;
            if (taken != valid || (taken && text.toUtf8() != payload))
                std::abort();
            return taken;
        });
        return true;
    }();
    Q_UNUSED(opened);

    // The first byte picks the message number: mostly the text message.
    sentCode = data[0] < 200 ? 0x250F : uint(data[0]) * 0x01010101u;
    sent = QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    delivered = 0;
    channel.Send(sentCode, sent);
    QCoreApplication::processEvents();
    if (delivered != 1)
        std::abort();
    return 0;
}
