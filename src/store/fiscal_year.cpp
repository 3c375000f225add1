#include "store/fiscal_year.h"

#include "store/code_kind.h"
#include "store/records/code_entry.h"
#include "store/text_values.h"

#include <QRegularExpression>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

QDate FiscalYear::Start::in(int year) const {
    const QDate first(year, month, 1);
    return QDate(year, month, std::min(day, first.daysInMonth()));
}

std::optional<FiscalYear::Start> FiscalYear::parseStart(const QString& text) {
    static const QRegularExpression re(u"^\\s*(\\d{1,2})/(\\d{1,2})\\s*$"_s);
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int month = m.captured(1).toInt();
    const int day = m.captured(2).toInt();
    // A leap year admits every day a start can name, 02/29 included.
    if (!QDate(2000, month, day).isValid())
        return std::nullopt;
    return Start{month, day};
}

std::optional<FiscalYear::Start> FiscalYear::loadStart(Database& db) {
    const auto row = CodeEntry::load(db, CodeKind::FiscalYearStart, CodeKind::SettingNo);
    if (!row)
        return std::nullopt;
    return parseStart(row->name);
}

FiscalYear FiscalYear::beginningIn(const Start& s, int year) {
    return {s.in(year), s.in(year + 1).addDays(-1)};
}

FiscalYear FiscalYear::containing(const Start& s, const QDate& day) {
    const int year = s.in(day.year()) > day ? day.year() - 1 : day.year();
    return beginningIn(s, year);
}

QString FiscalYear::startText() const {
    return TextValues::dateText(start);
}

QString FiscalYear::endText() const {
    return TextValues::dateText(end);
}
