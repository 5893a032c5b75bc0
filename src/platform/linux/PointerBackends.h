#pragma once

#include "platform/PointerSettings.h"

#include <QString>

#include <memory>
#include <vector>

// One place of the Linux desktop that keeps pointer settings. A backend
// returns false for a setting it does not hold or could not write.
class PointerBackend
{
public:
    virtual ~PointerBackend() = default;
    virtual bool setMouseSpeed(unsigned) { return false; }
    virtual bool setDoubleClickTime(unsigned) { return false; }
    virtual bool setWheelScrollLines(unsigned) { return false; }
};

// GNOME's org.gnome.desktop.peripherals.mouse: speed and double-click time.
class GSettingsPointerBackend final : public PointerBackend
{
public:
    static bool available(); // the schema is installed
    bool setMouseSpeed(unsigned speed) override;
    bool setDoubleClickTime(unsigned milliseconds) override;
};

// KDE's kdeglobals, group [KDE]: double-click interval and wheel scroll lines.
// It applies where a KDE session runs or the file exists already.
class KdeGlobalsPointerBackend final : public PointerBackend
{
public:
    explicit KdeGlobalsPointerBackend(QString path = defaultPath());
    static QString defaultPath();
    bool setDoubleClickTime(unsigned milliseconds) override;
    bool setWheelScrollLines(unsigned lines) override;

private:
    bool write(const char *key, unsigned value);
    QString path;
};

// The running X session's pointer acceleration (not kept after logout).
class X11PointerBackend final : public PointerBackend
{
public:
    bool setMouseSpeed(unsigned speed) override;
};

// Hands each setting to every backend; it succeeds when one of them took it.
class DesktopPointerSettings final : public PointerSettings
{
public:
    explicit DesktopPointerSettings(std::vector<std::unique_ptr<PointerBackend>> backends);
    bool setMouseSpeed(unsigned speed) override;
    bool setDoubleClickTime(unsigned milliseconds) override;
    bool setWheelScrollLines(unsigned lines) override;

private:
    std::vector<std::unique_ptr<PointerBackend>> backends;
};

// The 1..20 speed scale onto GNOME's -1..1, with the neutral 10 at 0.
double gnomeMouseSpeed(unsigned speed);
// The 1..20 speed scale as a pointer acceleration in 32nds (10 = 32, i.e. 1:1).
int x11AccelerationIn32nds(unsigned speed);
// Sets key=value in a group of a KDE-style INI file, keeping everything else.
bool setKdeConfigValue(const QString &path, const QString &group, const QString &key,
                       const QString &value);
