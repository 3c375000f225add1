#include "screens/date_field_checks.h"

#include "output/print_period_check.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"

#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

namespace DateFieldChecks {

bool rosterStart(FieldChecks& checks, QLineEdit* box) {
    const QString typed = box->text();
    if (typed.trimmed().isEmpty())
        return checks.check(box, false, u"開始日に入力してください"_s);
    const auto normal = TextValues::normaliseDate(typed);
    if (!checks.check(box, normal.has_value(), u"開始日に正しく入力してください"_s))
        return false;
    box->setText(*normal);
    return true;
}

bool rosterEnd(FieldChecks& checks, QLineEdit* box) {
    const QString typed = box->text();
    if (typed.trimmed().isEmpty()) {
        box->clear();
        return checks.check(box, true, QString());
    }
    const auto normal = TextValues::normaliseDate(typed);
    if (!checks.check(box, normal.has_value(), u"表終了日に正しく入力してください"_s))
        return false;
    box->setText(*normal);
    return true;
}

bool printStart(FieldChecks& checks, QLineEdit* box) {
    const QString error = PrintStartDateError(box->text());
    if (!checks.check(box, error.isEmpty(), error))
        return false;
    box->setText(*TextValues::normaliseDate(box->text()));
    return true;
}

bool printEnd(FieldChecks& checks, QLineEdit* box) {
    const QString error = PrintEndDateError(box->text());
    if (!checks.check(box, error.isEmpty(), error))
        return false;
    if (const auto normal = TextValues::normaliseDate(box->text()))
        box->setText(*normal);
    else
        box->clear();
    return true;
}

bool monthStart(FieldChecks& checks, QLineEdit* box) {
    const QString typed = box->text().trimmed();
    if (!checks.check(box, !typed.isEmpty(), u"開始日に入力してください"_s))
        return false;
    const auto normal = TextValues::normaliseDate(typed);
    if (!checks.check(box, normal.has_value(), u"開始日に正しく入力してください"_s))
        return false;
    box->setText(normal->left(8) + u"01"_s);
    return true;
}

} // namespace DateFieldChecks
