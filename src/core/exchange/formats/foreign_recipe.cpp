#include "core/exchange/formats/foreign_recipe.h"

#include "core/text/text_table.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

QString describeSkipped(const SkippedRecipe& skipped)
{
    QString where = loadText(TextId::SkippedRecipeNumber).arg(skipped.number);
    if (skipped.line > 0)
        where += QStringLiteral(", ") + loadText(TextId::SkippedRecipeLine).arg(skipped.line);
    return where + QStringLiteral(": ") + loadText(skipped.reason);
}

QString readableDuration(const QString& text)
{
    static const QRegularExpression iso(QStringLiteral(
        "^P(?:(\\d+(?:[.,]\\d+)?)Y)?(?:(\\d+(?:[.,]\\d+)?)M)?(?:(\\d+(?:[.,]\\d+)?)W)?(?:(\\d+(?:[.,]\\d+)?)D)?"
        "(?:T(?:(\\d+(?:[.,]\\d+)?)H)?(?:(\\d+(?:[.,]\\d+)?)M)?(?:(\\d+(?:[.,]\\d+)?)S)?)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString trimmed = text.trimmed();
    const QRegularExpressionMatch m = iso.match(trimmed);
    if (!m.hasMatch() || trimmed.size() < 3 || trimmed.endsWith(u'T', Qt::CaseInsensitive))
        return trimmed;
    static const char* const units[] = {"y", "mo", "wk", "d", "h", "min", "s"};
    QStringList parts;
    for (int group = 1; group <= 7; ++group) {
        QString amount = m.captured(group);
        if (amount.isEmpty())
            continue;
        amount.replace(u',', u'.');
        const double value = amount.toDouble();
        if (value == 0)
            continue;
        parts << QString::number(value) + u' ' + QLatin1String(units[group - 1]);
    }
    return parts.isEmpty() ? QStringLiteral("0 min") : parts.join(u' ');
}

QString fileInsideFolder(const QString& folder, const QString& relative)
{
    if (relative.isEmpty() || relative.contains(u'\\') || relative.contains(QChar(0)) || relative.startsWith(u'/') ||
        QDir::isAbsolutePath(relative) || (relative.size() > 1 && relative[1] == u':'))
        return {};
    const QStringList parts = relative.split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.contains(QStringLiteral("..")))
        return {};
    const QString path = QDir(folder).filePath(parts.join(u'/'));
    // A link on the way may lead out of the folder: what exists of the path must stay inside it.
    const QString base = QFileInfo(folder).canonicalFilePath();
    QString existing = path;
    while (!QFileInfo::exists(existing) && existing.size() > folder.size())
        existing = QFileInfo(existing).absolutePath();
    const QString resolved = QFileInfo(existing).canonicalFilePath();
    if (base.isEmpty() || resolved.isEmpty() || !(resolved == base || resolved.startsWith(base + u'/')))
        return {};
    return path;
}
