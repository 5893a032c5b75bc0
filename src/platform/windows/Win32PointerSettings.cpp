// The pointer settings of the user's Windows profile. Free of Qt.
#include "platform/PointerSettings.h"

#include <windows.h>

namespace {

// Written to the user profile and announced to every window.
constexpr UINT updateAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

class Win32PointerSettings final : public PointerSettings
{
public:
    bool setMouseSpeed(unsigned speed) override
    {
        // The speed travels in the pointer argument itself.
        void *value = reinterpret_cast<void *>(static_cast<UINT_PTR>(speed));
        return SystemParametersInfoW(SPI_SETMOUSESPEED, 0, value, updateAndBroadcast) != FALSE;
    }
    bool setDoubleClickTime(unsigned milliseconds) override
    {
        return SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, milliseconds, nullptr,
                                     updateAndBroadcast) != FALSE;
    }
    bool setWheelScrollLines(unsigned lines) override
    {
        return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, updateAndBroadcast) !=
               FALSE;
    }
};

} // namespace

std::unique_ptr<PointerSettings> createPointerSettings()
{
    return std::make_unique<Win32PointerSettings>();
}
