#include "core/output/print_page.h"

#include "core/book/atomic_file.h"
#include "core/text/text_table.h"

#include <QDir>
#include <QFileInfo>
#include <QStringEncoder>
#include <QStringList>

QString pageText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'\r':
            break; // a line break is its LF
        case u'\n':
            out += QStringLiteral("<br>\n");
            break;
        default:
            if (c.unicode() < 0x80) {
                out += c;
            } else {
                char32_t code = c.unicode();
                if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                    code = QChar::surrogateToUcs4(c, text[++i]);
                out += QStringLiteral("&#%1;").arg(static_cast<uint>(code));
            }
        }
    }
    return out;
}

QString printPage(const ShownRecipe& recipe, bool withLogo)
{
    QStringList lines;
    const QString label = QStringLiteral("<font face='Tahoma' size=2><b>");
    lines << QStringLiteral("<html><body bgcolor='#FFFFFF'>") << QStringLiteral("<center>")
          << QStringLiteral("<table width=550><tr><td>") << QStringLiteral("<center>")
          << (withLogo ? QStringLiteral("<img src='quorvel.gif' border=0><font face='Verdana' size=5><b>")
                       : QStringLiteral("<font face='Verdana' size=5><b>"))
          << pageText(recipe.title) << QStringLiteral("</center><br></td></tr></table>")
          << QStringLiteral("<table cellpadding=5><tr>");
    // A heading cell only where there is a value cell, so that the two rows stay aligned.
    const std::pair<TextId, QString> shortFields[] = {{TextId::PrepTimeLabel, recipe.prepTime},
                                                      {TextId::CookTimeLabel, recipe.cookTime},
                                                      {TextId::YieldLabel, recipe.yield}};
    for (const auto& [id, value] : shortFields) {
        if (!value.isEmpty())
            lines << QStringLiteral("<td align=center><font face='Tahoma' size=2><b>") << pageText(loadText(id))
                  << QStringLiteral("</font></b></td>");
    }
    lines << QStringLiteral("</tr><tr>");
    for (const auto& [id, value] : shortFields) {
        if (!value.isEmpty())
            lines << QStringLiteral("<td align=center><font face='Tahoma' size=2>") << pageText(value)
                  << QStringLiteral("</font></td>");
    }
    lines << QStringLiteral("</tr></table>");
    if (!recipe.ingredients.isEmpty())
        lines << QStringLiteral("<br><table><tr>") << QStringLiteral("<td><center>") << label
              << pageText(loadText(TextId::IngredientsLabel)) << QStringLiteral("</b></font><br></center>")
              << QStringLiteral("<font face='Tahoma' size=2>") << pageText(recipe.ingredients)
              << QStringLiteral("</font></td></tr></table>");
    // The preparation is left-aligned (the centring ends after its heading); the notes are centred.
    if (!recipe.preparation.isEmpty())
        lines << QStringLiteral("<table width=480><tr><td><center><br>") << label
              << pageText(loadText(TextId::PreparationLabel)) << QStringLiteral("</b></font><br></center>")
              << QStringLiteral("<font face='Tahoma' size=2>") << pageText(recipe.preparation)
              << QStringLiteral("</font><br></td></tr></table>");
    if (!recipe.notes.isEmpty())
        lines << QStringLiteral("<table width=480><tr><td><center><br>") << label
              << pageText(loadText(TextId::SpecialNotesLabel)) << QStringLiteral("</b></font><br>")
              << QStringLiteral("<font face='Tahoma' size=2>") << pageText(recipe.notes)
              << QStringLiteral("</font><br></center></td></tr></table>");
    lines << QStringLiteral("<br><font face='Tahoma' size=2>Quorvel - Saporina<br>")
          << pageText(loadText(TextId::WebAddress)) << QStringLiteral("</font></center>")
          << QStringLiteral("</body></html>");
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QString writePrintPage(const QString& folder, const ShownRecipe& recipe, QString* error)
{
    const QString path = QDir(folder).filePath(QLatin1String(kPrintPageName));
    const bool withLogo = QFileInfo(QDir(folder).filePath(QLatin1String(kLogoName))).isFile();
    // The page is plain ASCII, so the system's 8-bit code page writes it as it stands.
    QStringEncoder encoder(QStringConverter::System);
    const QByteArray bytes = encoder.encode(printPage(recipe, withLogo));
    if (!replaceFileAtomically(path, bytes, error))
        return {};
    return path;
}
