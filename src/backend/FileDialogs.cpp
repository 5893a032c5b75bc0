#include "backend/FileDialogs.h"

#include <QFileDialog>

QString StandardFileDialogs::getSaveFileName(QWidget *parent, const QString &caption,
                                             const QString &directory, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, directory, filter);
}

QString StandardFileDialogs::getOpenFileName(QWidget *parent, const QString &caption,
                                             const QString &directory, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

StandardFileDialogs *StandardFileDialogs::instance()
{
    static StandardFileDialogs dialogs;
    return &dialogs;
}
