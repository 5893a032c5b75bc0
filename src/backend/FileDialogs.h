#pragma once

#include <QString>

class QWidget;

// The save and open file dialogs of the profile and macro exchange. The
// program shows the standard dialogs; tests put a double in their place.
// An empty result means the user cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    virtual QString getSaveFileName(QWidget *parent, const QString &caption,
                                    const QString &directory, const QString &filter) = 0;
    virtual QString getOpenFileName(QWidget *parent, const QString &caption,
                                    const QString &directory, const QString &filter) = 0;
};

// The standard dialogs of the toolkit.
class StandardFileDialogs : public FileDialogs
{
public:
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &directory,
                            const QString &filter) override;
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &directory,
                            const QString &filter) override;

    static StandardFileDialogs *instance();
};
