#include "roster/improvement_outcome.h"

#include "roster/roster_model.h"

using namespace Qt::Literals::StringLiterals;

const ImprovementResult& ImprovementOutcome::improve(RosterModel& m,
                                                     const ImprovementOptions& options) {
    result_ = ImproveRoster(m, options);
    shown_ = true;
    changed_.clear();
    for (const ChangedCell& c : result_.changed)
        changed_.insert({c.group, c.slot, c.day});
    return result_;
}

void ImprovementOutcome::forget() {
    shown_ = false;
    result_ = {};
    changed_.clear();
}

QString ImprovementOutcome::figuresText() const {
    return figures().join(u" / "_s);
}

QStringList ImprovementOutcome::figures() const {
    if (!shown_)
        return {};
    const ObjectiveTerms& b = result_.before;
    const ObjectiveTerms& a = result_.after;
    const auto count = [](int before, int after) { return u"%1→%2"_s.arg(before).arg(after); };
    const auto spread = [](double before, double after) {
        return u"%1→%2"_s.arg(before, 0, 'f', 2).arg(after, 0, 'f', 2);
    };
    return {u"不足 "_s + count(b.unitShortage, a.unitShortage),
            u"グループ不足 "_s + count(b.groupShortage, a.groupShortage),
            u"責任者不足 "_s + count(b.leaderShortage, a.leaderShortage),
            u"夜勤ばらつき "_s + spread(b.nightSpread, a.nightSpread),
            u"土日休ばらつき "_s + spread(b.weekendOffSpread, a.weekendOffSpread)};
}

QString ImprovementOutcome::message() const {
    if (!shown_)
        return {};
    QString text =
        result_.changed.empty()
            ? u"改善できる箇所はありませんでした。"_s
            : u"勤務表を改善しました（変更 %1 か所、枠で表示）。"_s.arg(result_.changed.size());
    text += u"\n改善前→改善後:\n"_s + figures().join(u'\n');
    if (result_.timeLimitHit)
        text += u"\n時間の上限に達したため、改善を途中で打ち切りました。"_s;
    return text;
}
