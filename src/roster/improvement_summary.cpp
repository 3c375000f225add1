#include "roster/improvement_summary.h"

#include "roster/improvement_pass.h"
#include "roster/roster_model.h"
#include "roster/roster_report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

QJsonObject terms(const ObjectiveTerms& t) {
    const auto rounded = [](double v) { return std::round(v * 1000.0) / 1000.0; };
    return {{u"unitShortage"_s, t.unitShortage},
            {u"groupShortage"_s, t.groupShortage},
            {u"leaderShortage"_s, t.leaderShortage},
            {u"nightSpread"_s, rounded(t.nightSpread)},
            {u"weekendOffSpread"_s, rounded(t.weekendOffSpread)}};
}

QString line(const ObjectiveTerms& t) {
    return u"不足 %1 / グループ不足 %2 / 責任者不足 %3 / 夜勤ばらつき %4 / 土日休ばらつき %5"_s
        .arg(t.unitShortage)
        .arg(t.groupShortage)
        .arg(t.leaderShortage)
        .arg(t.nightSpread, 0, 'f', 2)
        .arg(t.weekendOffSpread, 0, 'f', 2);
}

} // namespace

QByteArray ImprovedRosterJson(const RosterModel& m, const ImprovementResult& r) {
    QByteArray roster = RosterReportJson(m).trimmed();
    roster.chop(1); // the closing brace
    QJsonArray changed;
    for (const ChangedCell& c : r.changed)
        changed.append(QJsonObject{{u"no"_s, c.staffNo},
                                   {u"day"_s, c.day},
                                   {u"date"_s, m.day(c.day).date},
                                   {u"before"_s, c.before},
                                   {u"after"_s, c.after}});
    const auto compact = [](const auto& v) {
        return QJsonDocument(v).toJson(QJsonDocument::Compact);
    };
    return roster + ",\n \"changed\": " + compact(changed) +
           ",\n \"before\": " + compact(terms(r.before)) +
           ",\n \"after\": " + compact(terms(r.after)) + "}\n";
}

QString ImprovementSummaryText(const RosterModel& m, const ImprovementResult& r) {
    QString out = u"改善前: "_s + line(r.before) + u"\n改善後: "_s + line(r.after) + u"\n"_s;
    QStringList cells;
    for (const ChangedCell& c : r.changed)
        cells << u"%1 %2 %3→%4"_s.arg(c.staffNo, m.day(c.day).date, c.before, c.after);
    out += u"変更 %1 件"_s.arg(r.changed.size());
    if (!cells.isEmpty())
        out += u": "_s + cells.join(u", "_s);
    return out + u"\n"_s;
}
