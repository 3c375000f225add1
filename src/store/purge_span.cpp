#include "store/purge_span.h"

#include "store/code_kind.h"
#include "store/fiscal_year.h"
#include "store/records/code_entry.h"

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
    const int base = FiscalYear::containing(*start, today).start.year();
    const FiscalYear purged = FiscalYear::beginningIn(*start, base - years);
    return {purged.startText(), purged.endText(), {}};
}
