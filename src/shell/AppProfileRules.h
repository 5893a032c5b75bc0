#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

// Which profile follows which program. The rules live in apConfig's group
// "appProfile": key n (a row's profile number 0..5) holds the window classes
// of the programs that row is for, separated by blanks or commas; key
// "fallback" the number of the row that takes over when no rule matches.
struct AppProfileRules
{
    static constexpr int MaxRows = 6;

    QMap<int, QStringList> programs; // profile number -> window classes
    int fallback = 0;

    bool isEmpty() const { return programs.isEmpty(); }
    bool operator==(const AppProfileRules &other) const = default;
};

// The rules as a reader of apConfig keys ("appProfile/0", ...) gives them.
AppProfileRules readAppProfileRules(const std::function<QVariant(const QString &key)> &read);

// A programs text split into window classes.
QStringList programsOfText(const QString &text);

// The profile number for a window of that WM_CLASS: the first row (by
// number) naming its instance or class name, case ignored; else the fallback.
int profileForWindow(const AppProfileRules &rules, const QString &instanceName,
                     const QString &className);
