#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class QCoreApplication;

// One copy-data message: a number chosen by the sender and a block of bytes
// (the fields of a Windows COPYDATASTRUCT).
struct CopyDataMessage
{
    std::uint64_t dwData = 0;
    std::uint32_t cbData = 0;
    const void *lpData = nullptr;
};

// Lets other programs hand this one a short message: WM_COPYDATA on Windows,
// a method on the session bus on Linux.
class CopyDataChannel
{
public:
    // Returns whether a receiver took the message.
    using Handler = std::function<bool(const CopyDataMessage &)>;

    virtual ~CopyDataChannel() = default;
    // Starts accepting messages for application; false when the channel could not open.
    virtual bool open(QCoreApplication *application, Handler handler) = 0;
    virtual void close() = 0;
};

std::unique_ptr<CopyDataChannel> createCopyDataChannel();
