#include "core/output/plain_text.h"

#include "core/text/text_table.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
QString withCrLf(QString text)
{
    text.remove(u'\r');
    return text.replace(u'\n', QStringLiteral("\r\n"));
}
} // namespace

QString plainText(const ShownRecipe& recipe)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text = recipe.title + crlf + crlf;
    text += u'*' + loadText(TextId::PrepTimeLabel) + QStringLiteral(": ") + recipe.prepTime + crlf;
    text += u'*' + loadText(TextId::CookTimeLabel) + QStringLiteral(": ") + recipe.cookTime + crlf;
    text += u'*' + loadText(TextId::YieldLabel) + QStringLiteral(": ") + recipe.yield + crlf + crlf;
    const std::pair<TextId, const QString*> longFields[] = {{TextId::IngredientsLabel, &recipe.ingredients},
                                                           {TextId::PreparationLabel, &recipe.preparation},
                                                           {TextId::SpecialNotesLabel, &recipe.notes}};
    for (const auto& [label, value] : longFields)
        text += u'*' + loadText(label) + crlf + withCrLf(*value) + crlf + crlf;
    return text;
}

QString plainText(const QString& title, const QString& text)
{
    return title + QStringLiteral("\r\n\r\n") + withCrLf(text);
}

QByteArray plainTextFile(const QString& text, QStringConverter::Encoding codePage)
{
    const QString whole = text + QStringLiteral("\r\n");
    QStringEncoder encoder(codePage);
    const QByteArray narrow = encoder.encode(whole);
    // Whatever the code page cannot hold comes back changed ("?" or lost): then UTF-8 keeps it.
    QStringDecoder decoder(codePage);
    if (!encoder.hasError() && QString(decoder.decode(narrow)) == whole)
        return narrow;
    QStringEncoder utf8(QStringConverter::Utf8, QStringConverter::Flag::WriteBom);
    return utf8.encode(whole);
}
