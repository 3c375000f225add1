#include "store/purge_span.h"

#include "store/code_kind.h"
#include "store/fiscal_year.h"
#include "store/records/code_entry.h"
#include "store/text_values.h"

using namespace Qt::Literals::StringLiterals;

PurgeSpan PurgeSpan::propose(Database& db, const QDate& today) {
    const auto kept = CodeEntry::load(db, CodeKind::RetentionYears, CodeKind::SettingNo);
    bool whole = false;
    const int years = kept ? kept->name.trimmed().toInt(&whole) : 0;
    if (!whole || years <= 0)
        return {{}, {}, u"保持年数を登録して下さい。"_s};
    const auto start = FiscalYear::loadStart(db);
    if (!start)
        return {{}, {}, u"年度開始日を登録して下さい。"_s};
    // The present fiscal year's first and last day, each moved back on its own: a last day
    // of 02/28 stays 02/28 in a leap year, and 02/29 becomes 02/28 in a common one.
    const FiscalYear current = FiscalYear::containing(*start, today);
    return {TextValues::dateText(current.start.addYears(-years)),
            TextValues::dateText(current.end.addYears(-years)),
            {}};
}
