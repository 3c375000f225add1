#include "store/text_values.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace TextValues {

QString dateText(const QDate& d) {
    // Date texts sort as dates only while the year has four digits.
    if (!d.isValid() || d.year() < 1 || d.year() > 9999)
        return {};
    return d.toString(u"yyyy/MM/dd"_s);
}

QDate parseDateText(const QString& text) {
    if (text.size() != 10)
        return {};
    return QDate::fromString(text, u"yyyy/MM/dd"_s);
}

std::optional<QString> normaliseDate(const QString& typed) {
    // Separated by / or - (the same one twice), or the eight digits yyyymmdd.
    static const QRegularExpression re(
        u"^(\\d{4})(?:([/-])(\\d{1,2})\\2(\\d{1,2})|(\\d{2})(\\d{2}))$"_s);
    const auto m = re.match(typed.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const bool digitsOnly = m.captured(2).isEmpty();
    const QDate d(m.captured(1).toInt(), m.captured(digitsOnly ? 5 : 3).toInt(),
                  m.captured(digitsOnly ? 6 : 4).toInt());
    if (!d.isValid())
        return std::nullopt;
    return dateText(d);
}

bool isDate(const QString& typed) {
    return normaliseDate(typed).has_value();
}

std::optional<QString> normaliseTime(const QString& typed) {
    static const QRegularExpression re(u"^(\\d{1,2}):(\\d{2})$"_s);
    const auto m = re.match(typed.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int h = m.captured(1).toInt();
    const int min = m.captured(2).toInt();
    if (h > 23 || min > 59)
        return std::nullopt;
    return u"%1:%2"_s.arg(h, 2, 10, QChar(u'0')).arg(min, 2, 10, QChar(u'0'));
}

std::optional<int> parseSmallInt(const QString& typed) {
    static const QRegularExpression re(u"^[+-]?\\d+$"_s);
    const QString t = typed.trimmed();
    if (!re.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const long long n = t.toLongLong(&ok);
    if (!ok || n < -32768 || n > 32767)
        return std::nullopt;
    return static_cast<int>(n);
}

bool isSmallInt(const QString& typed) {
    return parseSmallInt(typed).has_value();
}

int diffDays(const QDate& from, const QDate& to) {
    return static_cast<int>(from.daysTo(to));
}

int diffMonths(const QDate& from, const QDate& to) {
    return (to.year() - from.year()) * 12 + (to.month() - from.month());
}

int diffYears(const QDate& from, const QDate& to) {
    return to.year() - from.year();
}

QString addDays(const QString& text, int days) {
    const QDate d = parseDateText(text);
    return d.isValid() ? dateText(d.addDays(days)) : QString();
}

QString tsvRow(const QStringList& fields) {
    QStringList cells;
    cells.reserve(fields.size());
    for (const QString& f : fields) {
        if (!f.contains(u'\t') && !f.contains(u'\n') && !f.contains(u'\r') && !f.contains(u'"')) {
            cells << f;
            continue;
        }
        QString quoted = f;
        quoted.replace(u'"', u"\"\""_s);
        cells << u'"' + quoted + u'"';
    }
    return cells.join(u'\t');
}

} // namespace TextValues
