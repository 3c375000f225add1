#include "store/roster_csv.h"

#include "store/records/roster_row.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace RosterCsv {

namespace {

bool isNumberField(int i) {
    return i == 0 || i == 4 || i == 6; // 勤_区分, 勤_予定早出, 勤_実績早出
}

QString number(qint64 v) {
    return v < 0 ? QString(QString::number(v) + u' ') : QString(u' ' + QString::number(v) + u' ');
}

QString text(const QString& v) {
    static const QString special = u",\"\r\n"_s;
    if (std::none_of(v.begin(), v.end(), [](QChar c) { return special.contains(c); }))
        return v;
    QString quoted = v;
    quoted.replace(u'"', u"\"\""_s);
    return u'"' + quoted + u'"';
}

} // namespace

QString selectList() {
    using F = RosterRow::Field;
    return QStringList{F::kind,   F::staffNo,     F::date,   F::planned, F::plannedEarly,
                       F::actual, F::actualEarly, F::backup, F::team,    F::pattern}
        .join(u", "_s);
}

QString line(const std::array<QVariant, kFields>& values) {
    QString out;
    for (int i = 0; i < kFields; ++i) {
        if (i > 0)
            out += u',';
        const QVariant& v = values[static_cast<size_t>(i)];
        if (!v.isValid() || v.isNull())
            out += u"Null"_s;
        else if (isNumberField(i))
            out += number(v.toLongLong());
        else
            out += text(v.toString());
    }
    out += u"\r\n"_s;
    return out;
}

} // namespace RosterCsv
