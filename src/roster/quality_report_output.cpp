#include "roster/quality_report_output.h"

#include "roster/quality_report.h"
#include "store/text_values.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

QString number(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}

double rounded(double v, int decimals) {
    const double scale = decimals == 1 ? 10.0 : 100.0;
    return std::round(v * scale) / scale;
}

QString findingKindName(QualityReport::FindingKind k) {
    switch (k) {
    case QualityReport::FindingKind::RunWithoutPredecessor:
        return u"runWithoutPredecessor"_s;
    case QualityReport::FindingKind::LeaderShort:
        return u"leaderShort"_s;
    case QualityReport::FindingKind::OverMax:
        return u"overMax"_s;
    }
    return {};
}

QString blockerName(ShortDayBlocker b) {
    switch (b) {
    case ShortDayBlocker::None:
        return u"none"_s;
    case ShortDayBlocker::Unavailable:
        return u"unavailable"_s;
    case ShortDayBlocker::ClosedDay:
        return u"closedDay"_s;
    case ShortDayBlocker::OnThisShift:
        return u"onThisShift"_s;
    case ShortDayBlocker::Request:
        return u"request"_s;
    case ShortDayBlocker::FixedSchedule:
        return u"fixedSchedule"_s;
    case ShortDayBlocker::MandatoryRun:
        return u"mandatoryRun"_s;
    case ShortDayBlocker::MaxReached:
        return u"maxReached"_s;
    case ShortDayBlocker::LeaderRule:
        return u"leaderRule"_s;
    }
    return {};
}

} // namespace

QStringList QualityPersonHeading(const QualityReport& r) {
    QStringList h{u"職員NO"_s, u"氏名"_s};
    for (const QString& s : r.shifts)
        h << s;
    h << u"休日数"_s << u"夜勤"_s << u"土曜休"_s << u"日曜休"_s << u"休業日休"_s << u"最長連勤"_s
      << u"連勤開始"_s << u"希望"_s << u"希望通り"_s << u"早出"_s << u"遅出"_s << u"夜勤時間"_s;
    return h;
}

QStringList QualityPersonCells(const QualityReport::PersonFigures& f) {
    QStringList c{f.staffNo, f.name};
    for (int n : f.shiftDays)
        c << QString::number(n);
    c << QString::number(f.restDays) << QString::number(f.nights) << QString::number(f.saturdaysOff)
      << QString::number(f.sundaysOff) << QString::number(f.closedDaysOff)
      << QString::number(f.longestRun) << f.longestRunFrom << QString::number(f.requested)
      << QString::number(f.granted) << QString::number(f.earlyMarks) << QString::number(f.lateMarks)
      << number(f.nightHours, 1);
    return c;
}

QString QualityNightLine(const QualityReport& r) {
    return u"夜勤時間帯 %1、対象 %2 時間以上 %3 名、月平均夜勤時間 %4 時間（基準 72 時間%5）"_s.arg(
        r.night.window, number(r.night.minimumHours, 1), QString::number(r.night.staffCounted),
        number(r.night.average, 1), r.night.overLimit ? u"超過"_s : u"以内"_s);
}

QString QualityReportText(const QualityReport& r) {
    QString out;
    out += u"勤務表の品質 %1 ～ %2\n\n"_s.arg(r.periodStart, r.periodEnd);
    out += u"[過不足]\n"_s;
    for (const auto& s : r.staffing) {
        out += u"%1 %2 不足 %3 人日 過剰 %4 人日"_s.arg(
            s.levelName, s.shift, QString::number(s.shortage), QString::number(s.surplus));
        QStringList shortDays;
        for (const auto& d : s.days)
            if (d.shortage() > 0)
                shortDays << u"%1日(-%2)"_s.arg(d.date.right(2), QString::number(d.shortage()));
        if (!shortDays.isEmpty())
            out += u"  不足日: "_s + shortDays.join(u' ');
        out += u'\n';
    }
    out += u"\n[職員別]\n"_s + QualityPersonHeading(r).join(u'\t') + u'\n';
    for (const auto& f : r.people)
        out += QualityPersonCells(f).join(u'\t') + u'\n';
    out += u"\n[ばらつき]\n"_s;
    for (const auto& s : r.spread)
        out += u"%1 対象 %2 名 最小 %3 最大 %4 平均 %5 標準偏差 %6\n"_s.arg(
            s.shift, QString::number(s.people), QString::number(s.min), QString::number(s.max),
            number(s.mean, 2), number(s.stddev, 2));
    out += u"\n[夜勤時間]\n"_s + QualityNightLine(r) + u'\n';
    out += u"\n[要確認]\n"_s;
    if (r.findings.empty())
        out += u"なし\n"_s;
    for (const auto& f : r.findings)
        out += f.text + u'\n';
    out += u"\n[不足日の理由]\n"_s;
    if (r.shortDays.empty())
        out += u"なし\n"_s;
    for (const auto& e : r.shortDays) {
        out += u"%1 %2 %3 必要 %4 配置 %5\n"_s.arg(
            e.date, e.level == 3 ? u"全体"_s : u"グループ%1"_s.arg(e.level), e.shiftAbbrev,
            QString::number(e.required), QString::number(e.assigned));
        QStringList candidates;
        for (const auto& p : e.candidates)
            candidates << u"%1（現在 %2、%3 %4回）"_s.arg(
                p.name, p.shift.isEmpty() ? u"－"_s : p.shift, e.shiftAbbrev,
                QString::number(p.shiftCount));
        out += u"  候補: "_s + (candidates.isEmpty() ? u"なし"_s : candidates.join(u' ')) + u'\n';
        for (const auto& p : e.people)
            if (p.blocker != ShortDayBlocker::None && p.blocker != ShortDayBlocker::OnThisShift)
                out +=
                    u"  %1 %2: %3\n"_s.arg(p.name, p.shift.isEmpty() ? u"－"_s : p.shift, p.reason);
    }
    return out;
}

namespace {

QJsonArray staffingJson(const QualityReport& r) {
    QJsonArray staffing;
    for (const auto& s : r.staffing) {
        QJsonArray days;
        for (const auto& d : s.days)
            days.append(QJsonObject{{u"day"_s, d.day},
                                    {u"date"_s, d.date},
                                    {u"closed"_s, d.closed},
                                    {u"required"_s, d.required},
                                    {u"assigned"_s, d.assigned},
                                    {u"shortage"_s, d.shortage()},
                                    {u"surplus"_s, d.surplus()}});
        staffing.append(QJsonObject{{u"level"_s, s.level},
                                    {u"levelName"_s, s.levelName},
                                    {u"shift"_s, s.shift},
                                    {u"shortage"_s, s.shortage},
                                    {u"surplus"_s, s.surplus},
                                    {u"days"_s, days}});
    }
    return staffing;
}

QJsonArray staffJson(const QualityReport& r) {
    QJsonArray staff;
    for (const auto& f : r.people) {
        QJsonObject shiftDays;
        for (size_t i = 0; i < r.shifts.size() && i < f.shiftDays.size(); ++i)
            shiftDays.insert(r.shifts[i], f.shiftDays[i]);
        staff.append(QJsonObject{{u"staffNo"_s, f.staffNo},
                                 {u"name"_s, f.name},
                                 {u"group"_s, f.group},
                                 {u"shiftDays"_s, shiftDays},
                                 {u"restDays"_s, f.restDays},
                                 {u"nights"_s, f.nights},
                                 {u"saturdaysOff"_s, f.saturdaysOff},
                                 {u"sundaysOff"_s, f.sundaysOff},
                                 {u"closedDaysOff"_s, f.closedDaysOff},
                                 {u"longestRun"_s, f.longestRun},
                                 {u"longestRunFrom"_s, f.longestRunFrom},
                                 {u"requested"_s, f.requested},
                                 {u"granted"_s, f.granted},
                                 {u"earlyMarks"_s, f.earlyMarks},
                                 {u"lateMarks"_s, f.lateMarks},
                                 {u"nightHours"_s, rounded(f.nightHours, 1)}});
    }
    return staff;
}

QJsonArray shortDaysJson(const QualityReport& r) {
    QJsonArray shortDays;
    for (const auto& e : r.shortDays) {
        const auto personObject = [](const ShortDayPerson& p) {
            return QJsonObject{{u"staffNo"_s, p.staffNo},
                               {u"name"_s, p.name},
                               {u"shift"_s, p.shift},
                               {u"shiftCount"_s, p.shiftCount},
                               {u"blocker"_s, blockerName(p.blocker)},
                               {u"reason"_s, p.reason}};
        };
        QJsonArray people, candidates;
        for (const auto& p : e.people)
            people.append(personObject(p));
        for (const auto& p : e.candidates)
            candidates.append(personObject(p));
        shortDays.append(QJsonObject{{u"date"_s, e.date},
                                     {u"level"_s, e.level},
                                     {u"shift"_s, e.shiftAbbrev},
                                     {u"required"_s, e.required},
                                     {u"assigned"_s, e.assigned},
                                     {u"people"_s, people},
                                     {u"candidates"_s, candidates}});
    }
    return shortDays;
}

} // namespace

QJsonObject QualityReportJsonObject(const QualityReport& r) {
    const QJsonArray staffing = staffingJson(r), staff = staffJson(r), shortDays = shortDaysJson(r);
    QJsonArray spread;
    for (const auto& s : r.spread)
        spread.append(QJsonObject{{u"shift"_s, s.shift},
                                  {u"people"_s, s.people},
                                  {u"min"_s, s.min},
                                  {u"max"_s, s.max},
                                  {u"mean"_s, rounded(s.mean, 2)},
                                  {u"stddev"_s, rounded(s.stddev, 2)}});
    QJsonArray findings;
    for (const auto& f : r.findings)
        findings.append(QJsonObject{{u"kind"_s, findingKindName(f.kind)},
                                    {u"date"_s, f.date},
                                    {u"staffNo"_s, f.staffNo},
                                    {u"shift"_s, f.shift},
                                    {u"level"_s, f.level},
                                    {u"text"_s, f.text}});
    QJsonArray shifts;
    for (const QString& s : r.shifts)
        shifts.append(s);
    return QJsonObject{{u"period"_s, QJsonObject{{u"start"_s, r.periodStart},
                                                 {u"end"_s, r.periodEnd},
                                                 {u"days"_s, r.dayCount}}},
                       {u"shifts"_s, shifts},
                       {u"staffing"_s, staffing},
                       {u"staff"_s, staff},
                       {u"spread"_s, spread},
                       {u"nightHours"_s, QJsonObject{{u"window"_s, r.night.window},
                                                     {u"minimumHours"_s, r.night.minimumHours},
                                                     {u"staffCounted"_s, r.night.staffCounted},
                                                     {u"average"_s, rounded(r.night.average, 1)},
                                                     {u"limit"_s, NightSettings::AverageLimit},
                                                     {u"overLimit"_s, r.night.overLimit}}},
                       {u"findings"_s, findings},
                       {u"shortDays"_s, shortDays}};
}

QByteArray QualityReportJson(const QualityReport& r) {
    return QJsonDocument(QualityReportJsonObject(r)).toJson(QJsonDocument::Indented);
}

QByteArray QualityReportTsv(const QualityReport& r) {
    using TextValues::tsvRow;
    QStringList lines;
    lines << u"過不足"_s;
    lines << tsvRow(
        {u"区分"_s, u"シフト"_s, u"日付"_s, u"必要"_s, u"配置"_s, u"不足"_s, u"過剰"_s});
    for (const auto& s : r.staffing)
        for (const auto& d : s.days)
            lines << tsvRow({s.levelName, s.shift, d.date, QString::number(d.required),
                             QString::number(d.assigned), QString::number(d.shortage()),
                             QString::number(d.surplus())});
    lines << QString() << u"職員別"_s << tsvRow(QualityPersonHeading(r));
    for (const auto& f : r.people)
        lines << tsvRow(QualityPersonCells(f));
    lines << QString() << u"ばらつき"_s
          << tsvRow({u"シフト"_s, u"対象人数"_s, u"最小"_s, u"最大"_s, u"平均"_s, u"標準偏差"_s});
    for (const auto& s : r.spread)
        lines << tsvRow({s.shift, QString::number(s.people), QString::number(s.min),
                         QString::number(s.max), number(s.mean, 2), number(s.stddev, 2)});
    lines << QString() << u"夜勤時間"_s
          << tsvRow({u"夜勤時間帯"_s, u"対象下限"_s, u"対象人数"_s, u"月平均"_s, u"基準"_s})
          << tsvRow({r.night.window, number(r.night.minimumHours, 1),
                     QString::number(r.night.staffCounted), number(r.night.average, 1), u"72"_s});
    lines << QString() << u"要確認"_s << tsvRow({u"日付"_s, u"内容"_s});
    for (const auto& f : r.findings)
        lines << tsvRow({f.date, f.text});
    QByteArray out("\xEF\xBB\xBF");
    out += lines.join(u'\n').toUtf8();
    out += '\n';
    return out;
}
