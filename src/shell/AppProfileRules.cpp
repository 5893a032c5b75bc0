#include "shell/AppProfileRules.h"

#include <QRegularExpression>

QStringList programsOfText(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

AppProfileRules readAppProfileRules(const std::function<QVariant(const QString &key)> &read)
{
    AppProfileRules rules;
    for (int no = 0; no < AppProfileRules::MaxRows; ++no) {
        const QVariant value = read(QStringLiteral("appProfile/%1").arg(no));
        // QSettings gives a list when the text held commas.
        const QString text = value.typeId() == QMetaType::QStringList
                                 ? value.toStringList().join(QLatin1Char(' '))
                                 : value.toString();
        const QStringList programs = programsOfText(text);
        if (!programs.isEmpty())
            rules.programs.insert(no, programs);
    }
    bool ok = false;
    const int fallback = read(QStringLiteral("appProfile/fallback")).toInt(&ok);
    if (ok && fallback >= 0 && fallback < AppProfileRules::MaxRows)
        rules.fallback = fallback;
    return rules;
}

int profileForWindow(const AppProfileRules &rules, const QString &instanceName,
                     const QString &className)
{
    for (auto it = rules.programs.cbegin(); it != rules.programs.cend(); ++it) {
        for (const QString &program : it.value()) {
            if ((!instanceName.isEmpty() &&
                 program.compare(instanceName, Qt::CaseInsensitive) == 0) ||
                (!className.isEmpty() && program.compare(className, Qt::CaseInsensitive) == 0))
                return it.key();
        }
    }
    return rules.fallback;
}
