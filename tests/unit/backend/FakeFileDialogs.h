#pragma once

#include "backend/FileDialogs.h"

#include <QStringList>

// Answers the save and open dialogs with a preset name (empty = cancelled)
// and remembers how each dialog was asked for.
class FakeFileDialogs : public FileDialogs
{
public:
    struct Request
    {
        QString kind; // "save" or "open"
        QWidget *parent = nullptr;
        QString caption;
        QString directory;
        QString filter;
    };

    QString answer;
    QList<Request> requests;

    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &directory,
                            const QString &filter) override
    {
        requests.append({QStringLiteral("save"), parent, caption, directory, filter});
        return answer;
    }
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &directory,
                            const QString &filter) override
    {
        requests.append({QStringLiteral("open"), parent, caption, directory, filter});
        return answer;
    }
};
