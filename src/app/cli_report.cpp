// roster-cli report: the quality figures of a registered period.
#include "app/cli_args.h"
#include "roster/generation.h"
#include "roster/night_settings.h"
#include "roster/quality_report.h"
#include "roster/quality_report_output.h"
#include "roster/registered_period.h"
#include "roster/report_loader.h"
#include "roster/roster_model.h"
#include "store/database.h"
#include "store/text_values.h"

#include <QFileDevice>
#include <QIODevice>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ReportOptions {
    QString from, to;
    QString format = u"text"_s;
};

QString parse(const QStringList& args, ReportOptions& o) {
    QString bad = ParseCliOptions(
        args, {.values = {{u"--from"_s, &o.from}, {u"--to"_s, &o.to}, {u"--format"_s, &o.format}},
               .switches = {}});
    if (!bad.isEmpty())
        return bad;
    if (o.format != u"text"_s && o.format != u"json"_s && o.format != u"tsv"_s)
        return u"--format は text、json か tsv を指定してください"_s;
    if (o.from.isEmpty() || o.to.isEmpty())
        return u"--from と --to で登録済みの期間を指定してください"_s;
    const auto from = TextValues::normaliseDate(o.from);
    const auto to = TextValues::normaliseDate(o.to);
    if (!from)
        return u"開始日に正しく入力してください"_s;
    if (!to)
        return u"表終了日に正しく入力してください"_s;
    o.from = *from;
    o.to = *to;
    return o.from == o.to ? QString() : CheckGenerationPeriod(o.from, o.to); // one day will do
}

// Returns false when the output could not take the report (a full disk).
bool writeReport(QTextStream& out, const QualityReport& report, const QString& format) {
    out.flush();
    if (format == u"json"_s)
        out << QString::fromUtf8(QualityReportJson(report));
    else if (format == u"tsv"_s && out.device() != nullptr) {
        // Written as bytes: decoding would drop the byte order mark a spreadsheet needs.
        const QByteArray tsv = QualityReportTsv(report);
        auto* file = qobject_cast<QFileDevice*>(out.device());
        return out.device()->write(tsv) == tsv.size() && (file == nullptr || file->flush());
    } else if (format == u"tsv"_s)
        out << QChar(0xFEFF) << QString::fromUtf8(QualityReportTsv(report));
    else
        out << QualityReportText(report);
    out.flush();
    return out.status() == QTextStream::Ok;
}

int runReport(CliContext& ctx, const QStringList& args) {
    ReportOptions o;
    if (const QString bad = parse(args, o); !bad.isEmpty()) {
        ctx.err << bad << Qt::endl;
        return 2;
    }
    return RunOnDatabase(
        ctx, Database::OpenMode::ReadOnly, [&](Database& db, const StartupSettings& settings) {
            if (!HoldsRegisteredRoster(db, o.from, o.to)) {
                ctx.err << u"%1 ～ %2 の勤務表は登録されていません。"_s.arg(o.from, o.to)
                        << Qt::endl;
                return 1;
            }
            auto model = std::make_unique<RosterModel>();
            LoadRosterForReport(db, settings, *model, o.from, o.to);
            if (!writeReport(ctx.out, BuildQualityReport(*model, NightSettings::load(db)),
                             o.format)) {
                ctx.err << CliOutputFailed() << Qt::endl;
                return 1;
            }
            return 0;
        });
}

const CliRegistrar registrar{
    {u"report"_s, u"report --from yyyy/mm/dd --to yyyy/mm/dd [--format text|json|tsv]"_s,
     runReport}};

} // namespace
