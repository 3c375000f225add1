#include "output/print_period_check.h"

#include "store/text_values.h"

using namespace Qt::Literals::StringLiterals;

QString PrintOrderError(const QString& start, const QString& end) {
    if (start >= end)
        return u"日付の関係を正しく入力してください"_s;
    return {};
}

QString PrintPeriodError(PrintKind kind, const QString& start, const QString& end) {
    if (QString order = PrintOrderError(start, end); !order.isEmpty())
        return order;
    const QDate from = TextValues::parseDateText(start);
    const QDate to = TextValues::parseDateText(end);
    switch (kind) {
    case PrintKind::Roster:
        if (TextValues::diffDays(from, to) > 30)
            return u"勤務表の出力はMAX1ｹ月です"_s;
        break;
    case PrintKind::MonthTotals:
        if (TextValues::diffMonths(from, to) > 4)
            return u"月別累計表の出力はMAX 4ｹ月です"_s;
        break;
    case PrintKind::YearTotals:
        if (TextValues::diffYears(from, to) > 4)
            return u"年間累計表の出力はMAX 4年です"_s;
        break;
    }
    return {};
}

QString PrintStartDateError(const QString& typed) {
    if (typed.trimmed().isEmpty())
        return u"開始日に入力してください"_s;
    if (!TextValues::isDate(typed))
        return u"開始日に正しく入力してください"_s;
    return {};
}

QString PrintEndDateError(const QString& typed) {
    if (typed.trimmed().isEmpty() || TextValues::isDate(typed))
        return {};
    return u"表終了日に正しく入力してください"_s;
}
