#pragma once

// Shared parts of the fuzz targets that read hostile files through the back
// end: one quiet offscreen application, a data folder in memory (fresh per
// input, or one for the whole run), and a view on the real link to a
// virtual mouse.
#include "LinkFixture.h"
#include "backend/FileDialogs.h"
#include "backend/myQQuickView.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
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
    // One folder for the whole run, holding the shipped copies of these
    // files: for targets whose view lives as long and that rewrite the files
    // an input may change. It is the working directory only while an Inside
    // lives, so the fuzzer's own relative paths keep their meaning.
    static FuzzFolder &shared(std::initializer_list<const char *> shippedFiles);
    class Inside
    {
    public:
        explicit Inside(const FuzzFolder &folder);
        ~Inside();
        Inside(const Inside &) = delete;
        Inside &operator=(const Inside &) = delete;

    private:
        QString previous;
    };
    // Writes modules/<relative> with a modification time no earlier write had:
    // settings readers cache files by path, size and time, and must read the
    // new content even when an input rewrites a file within the same
    // millisecond and at the same size.
    void write(const QString &relative, const QByteArray &content) const;
    void remove(const QString &relative) const;
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

    // Forgets what the link sent and the observer saw so far, so a view that
    // serves a whole run keeps no record growing with each input.
    void forgetTraffic();

    // Everything the pages read from the current profile and the global
    // settings, and the commands they build from those values.
    void readAsPages();

    LinkFixture link;
    PresetFileDialogs dialogs;
    std::unique_ptr<myQQuickView> view;
};
