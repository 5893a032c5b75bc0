#pragma once

// Shared parts of the fuzz targets that read hostile files through the back
// end: one quiet offscreen application, one data folder in memory for the
// whole run, brought back to its shipped state before each input, and views
// on the real link to a virtual mouse, one link per chip family.
#include "LinkFixture.h"
#include "backend/FileDialogs.h"
#include "backend/myQQuickView.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <vector>

namespace FuzzBackend {

// Creates the application on first use (offscreen, software Qt Quick, no log output).
void ensureApplication();

// The bytes of a shipped data file ("setting/p1.bin"), read once.
QByteArray shipped(const QString &relative);

QByteArray bytes(const uint8_t *data, size_t size);

} // namespace FuzzBackend

// The data folder of a run: modules/ with the shipped copies of the files a
// target reads. Before each input it is made again what a fresh folder would
// be, at the cost of what the last input changed: files nobody shipped are
// removed, and a shipped file is rewritten only when it is no longer the copy
// the folder wrote (its size or time differ; every write of the back end
// stamps the time of now, every write of the folder a time of its own).
class FuzzFolder
{
public:
    // The run's folder with these shipped files (the list of the first call).
    static FuzzFolder &shared(std::initializer_list<const char *> shippedFiles);

    // One input: the folder restored, modules/<relative> written with the
    // input's bytes, and the working directory while it lives, so the
    // fuzzer's own relative paths keep their meaning between inputs. The
    // input's file is left where it is until then, since it is written
    // whole. A view that outlives an input must read the files afresh on
    // each call, as the gun and language views do.
    class Input
    {
    public:
        Input(FuzzFolder &folder, const QString &relative, const QByteArray &content);
        ~Input();
        Input(const Input &) = delete;
        Input &operator=(const Input &) = delete;

    private:
        QString previous;
    };

    QString path(const QString &relative) const;

private:
    FuzzFolder();
    // Writes modules/<relative> with a modification time no earlier write had:
    // settings readers cache files by path, size and time, and must read the
    // new content even when an input rewrites a file at the same size.
    void write(const QString &relative, const QByteArray &content);
    void restore(const QString &inputFile);
    void ship(const QString &relative);
    // Checked after each restore in debug builds: the folder holds the five
    // data folders and the shipped files, byte for byte, and nothing else
    // but the input's file.
    bool isShipped(const QString &inputFile) const;

    struct Written
    {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time;
        bool asShipped = false;
    };
    QString dir;
    QStringList shippedFiles; // sorted
    // The paths restore looks at: modules/, its data folders, the shipped files.
    std::filesystem::path modules;
    std::vector<std::filesystem::path> folders;
    std::vector<std::filesystem::path> shippedPaths;
    QHash<QString, Written> written;
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

// The back end as the program has it: a view on the real link in the
// current data folder, connected to a virtual mouse on a virtual clock. The
// view is new and reads the folder's settings; the link and mouse are the
// run's one of the chip family those settings name ("560" or not), with the
// mouse's firmware as it was right after connecting and no traffic recorded.
struct FuzzView
{
    FuzzView();
    ~FuzzView();

    // Sets the mouse's firmware back to its state after connecting and
    // forgets what the link sent and the observer saw so far, so a view that
    // serves a whole run starts each input on the same mouse and keeps no
    // record growing with each input.
    void forgetTraffic();

    // Everything the pages read from the current profile and the global
    // settings, and the commands they build from those values.
    void readAsPages();

    PresetFileDialogs dialogs;
    std::unique_ptr<myQQuickView> view;
    LinkFixture &link;
};

// The frame of an import target: the run's folder restored, the hostile
// exchange file written as modules/<file>, and a new view whose file
// dialogs answer with its path.
struct FuzzImport
{
    FuzzImport(std::initializer_list<const char *> shippedFiles, const QString &file,
               const uint8_t *data, size_t size);

    FuzzFolder &folder;
    FuzzFolder::Input input;
    const QString path;
    std::unique_ptr<FuzzView> fuzz;
};
