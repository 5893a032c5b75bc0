// WM_COPYDATA reaches the application through a native event filter.
#include "platform/CopyDataChannel.h"
#include "platform/windows/Win32CopyData.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>

namespace {

class NativeCopyDataChannel final : public QAbstractNativeEventFilter, public CopyDataChannel
{
public:
    ~NativeCopyDataChannel() override { close(); }

    bool open(QCoreApplication *app, Handler messageHandler) override
    {
        close();
        handler = std::move(messageHandler);
        application = app;
        if (!application)
            return false;
        application->installNativeEventFilter(this);
        return true;
    }

    void close() override
    {
        if (application)
            application->removeNativeEventFilter(this);
        application = nullptr;
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override
    {
        if (eventType != "windows_generic_MSG" || !handler)
            return false;
        CopyDataMessage data;
        if (!copyDataFromMessage(message, &data) || !handler(data))
            return false;
        // Handled: the sender's SendMessage returns 1 whatever was shown.
        if (result)
            *result = 1;
        return true;
    }

private:
    Handler handler;
    QCoreApplication *application = nullptr;
};

} // namespace

std::unique_ptr<CopyDataChannel> createCopyDataChannel()
{
    return std::make_unique<NativeCopyDataChannel>();
}
