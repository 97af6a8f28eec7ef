#include "core/text/text_table.h"

#include <QFile>
#include <QHash>

namespace {

QHash<int, QString> readTable(const QString& resource)
{
    QHash<int, QString> table;
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("text table %s is missing from the program", qPrintable(resource));
    const QString all = QString::fromUtf8(file.readAll());
    for (QStringView line : QStringView(all).split(u'\n')) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0)
            continue;
        bool ok = false;
        const int id = line.left(tab).toInt(&ok);
        if (ok)
            table.insert(id, line.mid(tab + 1).toString());
    }
    return table;
}

const QHash<int, QString>& texts()
{
    static const QHash<int, QString> table = readTable(QStringLiteral(":/tables/texts.tsv"));
    return table;
}

const QHash<int, QString>& colors()
{
    static const QHash<int, QString> table = readTable(QStringLiteral(":/tables/colors.tsv"));
    return table;
}

Language& currentLanguage()
{
    static Language current = Language::English;
    return current;
}

} // namespace

void setLanguage(Language language)
{
    currentLanguage() = language;
}

Language language()
{
    return currentLanguage();
}

QString loadText(TextId id, Language in)
{
    return texts().value(static_cast<int>(id) + (in == Language::Spanish ? kSpanishIdOffset : 0));
}

QString loadText(TextId id)
{
    return loadText(id, currentLanguage());
}

bool hasText(int tableId)
{
    return texts().contains(tableId);
}

qint32 colorValue(int id)
{
    return colors().value(id).toInt();
}

bool hasColor(int id)
{
    return colors().contains(id);
}
