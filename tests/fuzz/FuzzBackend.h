#pragma once

// Shared parts of the fuzz targets that read hostile files through the back
// end: one quiet offscreen application, a fresh data folder per input, and a
// view on the real link to a virtual mouse.
#include "LinkFixture.h"
#include "backend/FileDialogs.h"
#include "backend/myQQuickView.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace FuzzBackend {

// Creates the application on first use (offscreen, software Qt Quick, no log output).
void ensureApplication();

// The bytes of a shipped data file ("setting/p1.bin"), read once.
QByteArray shipped(const QString &relative);

QByteArray bytes(const uint8_t *data, size_t size);

} // namespace FuzzBackend

// A data folder of its own for one input, the working directory while it
// lives. Each input gets a new path, so no settings object of an earlier
// input is taken for this one's.
class FuzzFolder
{
public:
    FuzzFolder();
    ~FuzzFolder();
    // Writes modules/<relative>.
    void write(const QString &relative, const QByteArray &content) const;
    // Writes the shipped copy of modules/<relative>.
    void ship(const QString &relative) const { write(relative, FuzzBackend::shipped(relative)); }
    QString path(const QString &relative) const;

private:
    QString dir;
    QString previous;
};

// Answers every file dialog with one preset name.
class PresetFileDialogs : public FileDialogs
{
public:
    QString answer;
    QString getSaveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return answer;
    }
    QString getOpenFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return answer;
    }
};

// The back end as the program has it: a view on the real link, connected to
// a virtual mouse on a virtual clock, in the current data folder.
struct FuzzView
{
    FuzzView();
    ~FuzzView();

    // Everything the pages read from the current profile and the global
    // settings, and the commands they build from those values.
    void readAsPages();

    LinkFixture link;
    PresetFileDialogs dialogs;
    std::unique_ptr<myQQuickView> view;
};
