// roster-cli generate: the headless form of the creation screen's expansion.
#include "app/cli_args.h"
#include "roster/generation.h"
#include "roster/improvement_pass.h"
#include "roster/improvement_summary.h"
#include "roster/night_settings.h"
#include "roster/quality_report.h"
#include "roster/quality_report_output.h"
#include "roster/registered_period.h"
#include "roster/registration.h"
#include "roster/roster_model.h"
#include "roster/roster_report.h"
#include "store/database.h"
#include "store/period_rule.h"
#include "store/startup_settings.h"
#include "store/text_values.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <functional>
#include <memory>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

struct GenerateOptions {
    QString from, to;
    bool byTeam = false;
    bool reg = false;
    bool replace = false; // --register may overwrite a registered period
    bool report = false;  // the quality report after the roster
    bool improve = false; // the improvement pass runs after the expansion
    QString format = u"text"_s;
};

// Returns the message for a bad command line, empty when it parsed.
QString parse(const QStringList& args, GenerateOptions& o) {
    QString bad = ParseCliOptions(
        args, {.values = {{u"--from"_s, &o.from}, {u"--to"_s, &o.to}, {u"--format"_s, &o.format}},
               .switches = {{u"--by-team"_s, &o.byTeam},
                            {u"--register"_s, &o.reg},
                            {u"--replace"_s, &o.replace},
                            {u"--report"_s, &o.report},
                            {u"--improve"_s, &o.improve}}});
    if (!bad.isEmpty())
        return bad;
    if (o.format != u"text"_s && o.format != u"json"_s)
        return u"--format は text か json を指定してください"_s;
    if (o.from.isEmpty() != o.to.isEmpty())
        return u"--from と --to は両方指定してください"_s;
    if (!o.from.isEmpty()) {
        const auto from = TextValues::normaliseDate(o.from);
        const auto to = TextValues::normaliseDate(o.to);
        if (!from)
            return u"開始日に正しく入力してください"_s;
        if (!to)
            return u"表終了日に正しく入力してください"_s;
        o.from = *from;
        o.to = *to;
    }
    return {};
}

// The roster as text or JSON, with the improvement's summary and the quality report when asked.
void printRoster(CliContext& ctx, Database& db, const RosterModel& model,
                 const std::optional<ImprovementResult>& improved, const GenerateOptions& o) {
    if (o.format == u"json"_s) {
        ctx.out.flush();
        // The roster as without --report; with --report one document holds both.
        const QByteArray roster =
            improved ? ImprovedRosterJson(model, *improved) : RosterReportJson(model);
        if (o.report) {
            const QJsonObject both{{u"roster"_s, QJsonDocument::fromJson(roster).object()},
                                   {u"report"_s, QualityReportJsonObject(BuildQualityReport(
                                                     model, NightSettings::load(db)))}};
            ctx.out << QString::fromUtf8(QJsonDocument(both).toJson());
        } else {
            ctx.out << QString::fromUtf8(roster);
        }
    } else {
        ctx.out << RosterReportText(model);
        if (improved)
            ctx.out << ImprovementSummaryText(model, *improved);
        if (o.report)
            ctx.out << u"\n"_s
                    << QualityReportText(BuildQualityReport(model, NightSettings::load(db)));
    }
    ctx.out.flush();
}

// Registers the generated roster; returns the exit status.
int registerGenerated(CliContext& ctx, Database& db, RosterModel& model, const GenerateOptions& o,
                      const std::function<void(const QString&)>& say) {
    // Another registration holding the file is waited for, so that this one is then decided on
    // what the other stored rather than failing as busy.
    db.exec(u"PRAGMA busy_timeout = 10000"_s);
    // The rows, the requests and the period advance stand or fall together: a missing
    // creation-unit row leaves the file as it was.
    Database::Transaction tx(db);
    const QStringList messages = RegisterRoster(db, model, Registering::NewRoster);
    for (const QString& message : messages)
        say(message);
    if (!messages.isEmpty())
        return 1;
    tx.commit();
    ctx.committed = true;
    say(u"勤務表を登録しました: %1 ～ %2"_s.arg(o.from, o.to));
    return 0;
}

int runGenerate(CliContext& ctx, const QStringList& args) {
    GenerateOptions o;
    if (const QString bad = parse(args, o); !bad.isEmpty()) {
        ctx.err << bad << Qt::endl;
        return 2;
    }
    // Without registering, generation only reads: a read-only file or folder will do.
    const auto mode = o.reg ? Database::OpenMode::OpenExisting : Database::OpenMode::ReadOnly;
    return RunOnDatabase(
        ctx, mode,
        CliWorkWithMessages([&](Database& db, const StartupSettings& settings,
                                const QStringList& startupMessages) {
            // The startup and the registration may find the same missing row: say it once.
            QStringList shown;
            const auto say = [&](const QString& message) {
                if (shown.contains(message))
                    return;
                shown << message;
                ctx.err << message << Qt::endl;
            };
            for (const QString& message : startupMessages)
                say(message);
            // A period typed on the command line is the user's input; a proposed one comes from
            // the stored creation unit, so a fault in it is a data problem.
            const bool proposed = o.from.isEmpty();
            if (proposed) {
                const Period next = NextPeriod(settings.creationUnit, settings.creationUnitCount,
                                               settings.periodEnd);
                o.from = next.start;
                o.to = next.end;
                if (o.from.isEmpty()) {
                    if (startupMessages.isEmpty())
                        say(u"作成単位･実績の登録を確認して下さい。"_s);
                    return 1;
                }
            }
            // One day is a period too on the command line; the screens refuse it as an order.
            if (const QString bad =
                    o.from == o.to ? QString() : CheckGenerationPeriod(o.from, o.to);
                !bad.isEmpty()) {
                say(bad);
                return proposed ? 1 : 2;
            }
            if (o.reg && !o.replace && HoldsRegisteredRoster(db, o.from, o.to)) {
                say(u"%1 ～ %2 の勤務表は登録済みです。置き換える場合は --replace を指定して下さい。"_s
                        .arg(o.from, o.to));
                return 1;
            }
            auto model = std::make_unique<RosterModel>();
            ExpandRoster(db, *model, settings, o.from, o.to,
                         o.byTeam ? Grouping::ByTeam : Grouping::Everybody);
            std::optional<ImprovementResult> improved;
            if (o.improve) {
                improved = ImproveRoster(*model);
                if (improved->timeLimitHit)
                    say(u"改善は時間切れで途中までです。"_s);
            }
            printRoster(ctx, db, *model, improved, o);
            if (!o.reg)
                return 0;
            return registerGenerated(ctx, db, *model, o, say);
        }));
}

const CliRegistrar registrar{
    {u"generate"_s,
     u"generate [--from yyyy/mm/dd --to yyyy/mm/dd] [--by-team] [--improve] [--register [--replace]] [--report] [--format text|json]"_s,
     runGenerate}};

} // namespace
