#include "core/cooking/conversion.h"

#include "core/cooking/amount_reading.h"
#include "core/cooking/cooking_words.h"
#include "core/cooking/line_rewriting.h"
#include "core/cooking/scaling.h"

#include <QList>
#include <cmath>

using namespace cooking;

namespace {

enum class Scale { Unknown, Celsius, Fahrenheit };

struct Temperature {
    qsizetype start = 0;
    qsizetype end = 0;
    double degrees = 0;
    Scale scale = Scale::Unknown;
};

bool isDegreeSign(QChar c)
{
    return c == QChar(0x00B0) || c == QChar(0x00BA) || c == QChar(0x02DA);
}

// "F", "C", "Fahrenheit", "Celsius", "centígrados" at pos, or Unknown.
Scale scaleWordAt(QStringView text, qsizetype pos, qsizetype* end)
{
    const qsizetype wordStop = wordEnd(text, pos);
    const QString word = foldWord(text.sliced(pos, wordStop - pos));
    Scale scale = Scale::Unknown;
    if (word == u"f" || word == u"fahrenheit")
        scale = Scale::Fahrenheit;
    else if (word == u"c" || word == u"celsius" || word == u"centigrados" || word == u"centigrade")
        scale = Scale::Celsius;
    if (scale != Scale::Unknown)
        *end = wordStop;
    return scale;
}

// A temperature whose number starts at pos: "350°F", "350 ° F", "180 ºC", "350 degrees F", "180 grados",
// "350F". Returns a match with end 0 when there is none.
Temperature temperatureAt(QStringView text, qsizetype pos)
{
    Temperature found;
    qsizetype numberEnd = pos;
    while (numberEnd < text.size() && isDigit(text[numberEnd]) && numberEnd - pos < 4)
        ++numberEnd;
    if (numberEnd < text.size() && (isDigit(text[numberEnd]) || isWordChar(text[numberEnd])) &&
        text[numberEnd] != u'F' && text[numberEnd] != u'C')
        return {};
    double degrees = 0;
    for (qsizetype i = pos; i < numberEnd; ++i)
        degrees = degrees * 10 + (text[i].unicode() - u'0');
    const bool negative = pos > 0 && text[pos - 1] == u'-' && (pos == 1 || !isDigit(text[pos - 2]));
    found.start = negative ? pos - 1 : pos;
    found.degrees = negative ? -degrees : degrees;

    qsizetype at = skipBlanks(text, numberEnd);
    bool degreeWord = false;
    bool grados = false;
    if (at < text.size() && isDegreeSign(text[at])) {
        degreeWord = true;
        found.end = at + 1;
        at = skipBlanks(text, at + 1);
    } else {
        const qsizetype wordStop = wordEnd(text, at);
        const QString word = foldWord(text.sliced(at, wordStop - at));
        if (word == u"degrees" || word == u"degree" || word == u"grados" || word == u"grado") {
            degreeWord = true;
            grados = word.startsWith(u'g');
            found.end = wordStop;
            at = skipBlanks(text, wordStop);
        }
    }
    qsizetype scaleEnd = 0;
    // A bare "F" or "C" only after an oven's number: "2 C sugar" is two cups.
    if (at < text.size() && (degreeWord || ((text[at] == u'F' || text[at] == u'C') && degrees >= 100)))
        found.scale = scaleWordAt(text, at, &scaleEnd);
    if (found.scale != Scale::Unknown) {
        found.end = scaleEnd;
        return found;
    }
    if (!degreeWord)
        return {};
    // A bare degree: no oven is set to 300 °C or more, and a Spanish "180 grados" means Celsius.
    if (degrees >= 300)
        found.scale = Scale::Fahrenheit;
    else if (grados && degrees <= 260)
        found.scale = Scale::Celsius;
    else
        return {};
    return found;
}

// Only brackets, slashes and blanks between two temperatures: "350°F (175°C)", "180 °C / 350 °F".
bool sideBySide(QStringView text, qsizetype from, qsizetype to)
{
    if (to - from > 4)
        return false;
    for (qsizetype i = from; i < to; ++i) {
        if (!isBlank(text[i]) && !QStringView(u"()/=|").contains(text[i]))
            return false;
    }
    return true;
}

QString convertedTemperature(const Temperature& temperature)
{
    const bool toCelsius = temperature.scale == Scale::Fahrenheit;
    const double degrees = toCelsius ? (temperature.degrees - 32) * 5 / 9 : temperature.degrees * 9 / 5 + 32;
    const long rounded = std::lround(degrees / 5) * 5;
    return QString::number(rounded) + (toCelsius ? QStringLiteral(" °C") : QStringLiteral(" °F"));
}

// "2 cups (480 ml) milk" → "480 ml milk": the cook's own conversion, typed beside the amount, wins over ours.
QString withEquivalentFirst(const IngredientLine& line, const IngredientLine& equivalent)
{
    const QStringView text(line.text);
    TextSpan unit = line.unitSpan;
    if (unit.end < text.size() && text[unit.end] == u'.')
        ++unit.end;
    if (line.sizeSpan.start < unit.end)
        return line.text;
    // A size set apart by a blank takes the blank after it along.
    const bool setApart = line.sizeSpan.start > unit.end;
    const TextSpan size{line.sizeSpan.start, setApart ? skipBlanks(text, line.sizeSpan.end) : line.sizeSpan.end};
    QString result = text.left(line.amountSpan.start).toString();
    result += QStringView(equivalent.text).sliced(equivalent.amountSpan.start, equivalent.amountSpan.length());
    result += text.sliced(line.amountSpan.end, unit.start - line.amountSpan.end);
    result += QStringView(equivalent.text).sliced(equivalent.unitSpan.start, equivalent.unitSpan.length());
    result += text.sliced(unit.end, size.start - unit.end);
    result += text.sliced(size.end);
    return result;
}

} // namespace

QString convertIngredientLine(const IngredientLine& line, MeasureSystem target, Language language, double factor)
{
    if (!line.understood || line.unit == Unit::None || unitKind(line.unit) == UnitKind::Count ||
        target == MeasureSystem::None || unitSystem(line.unit) == target ||
        (target == MeasureSystem::Metric && (line.unit == Unit::Teaspoon || line.unit == Unit::Tablespoon)))
        return scaleIngredientLine(line, factor, language);
    const IngredientLine equivalent = equivalentMeasure(line);
    if (equivalent.understood && unitSystem(equivalent.unit) == target)
        return scaleIngredientLine(understandIngredient(withEquivalentFirst(line, equivalent)), factor, language);
    const double size = unitSize(line.unit) * factor;
    LineRewrite rewrite;
    rewrite.measure = chooseMeasure(line.amount * size, line.amountMax * size, ladderFor(unitKind(line.unit), target),
                                    kRoughTolerance);
    // "1 cup (8 oz) cream": the weight beside it goes into the same measures.
    if (equivalent.understood)
        rewrite.size = convertIngredientLine(equivalent, target, language, factor);
    return rewriteLine(line, rewrite, line.language.value_or(language));
}

QString convertIngredients(const QString& ingredients, MeasureSystem target, Language fallback, double factor)
{
    const QList<IngredientLine> lines = understandIngredients(ingredients);
    const Language language = recipeLanguage(lines, fallback);
    QStringList converted;
    converted.reserve(lines.size());
    for (const IngredientLine& line : lines)
        converted.append(convertIngredientLine(line, target, language, factor));
    return converted.join(u'\n');
}

QString convertTemperatures(const QString& text, MeasureSystem target)
{
    if (target == MeasureSystem::None)
        return text;
    const QStringView view(text);
    QList<Temperature> temperatures;
    for (qsizetype pos = 0; pos < view.size(); ++pos) {
        if (!isDigit(view[pos]) || (pos > 0 && (isDigit(view[pos - 1]) || isWordChar(view[pos - 1]) ||
                                                view[pos - 1] == u'.' || view[pos - 1] == u',')))
            continue;
        const Temperature temperature = temperatureAt(view, pos);
        if (temperature.end > 0) {
            temperatures.append(temperature);
            pos = temperature.end - 1;
        }
    }
    const Scale from = target == MeasureSystem::Metric ? Scale::Fahrenheit : Scale::Celsius;
    QString result;
    qsizetype copied = 0;
    for (qsizetype i = 0; i < temperatures.size(); ++i) {
        const Temperature& temperature = temperatures[i];
        if (temperature.scale != from)
            continue;
        const bool pairedBefore =
            i > 0 && temperatures[i - 1].scale != from && sideBySide(view, temperatures[i - 1].end, temperature.start);
        const bool pairedAfter = i + 1 < temperatures.size() && temperatures[i + 1].scale != from &&
                                 sideBySide(view, temperature.end, temperatures[i + 1].start);
        if (pairedBefore || pairedAfter)
            continue;
        result += view.sliced(copied, temperature.start - copied);
        result += convertedTemperature(temperature);
        copied = temperature.end;
    }
    result += view.sliced(copied);
    return result;
}
