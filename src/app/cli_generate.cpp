// roster-cli generate: the headless form of the creation screen's expansion.
#include "app/cli_args.h"
#include "roster/generation.h"
#include "roster/registered_period.h"
#include "roster/registration.h"
#include "roster/roster_model.h"
#include "roster/roster_report.h"
#include "store/period_rule.h"
#include "store/startup_settings.h"
#include "store/text_values.h"

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

struct GenerateOptions {
    QString from, to;
    bool byTeam = false;
    bool reg = false;
    bool replace = false; // --register may overwrite a registered period
    QString format = u"text"_s;
};

// Returns the message for a bad command line, empty when it parsed.
QString parse(const QStringList& args, GenerateOptions& o) {
    QString bad = ParseCliOptions(
        args, {.values = {{u"--from"_s, &o.from}, {u"--to"_s, &o.to}, {u"--format"_s, &o.format}},
               .switches = {{u"--by-team"_s, &o.byTeam},
                            {u"--register"_s, &o.reg},
                            {u"--replace"_s, &o.replace}}});
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

int runGenerate(CliContext& ctx, const QStringList& args) {
    GenerateOptions o;
    if (const QString bad = parse(args, o); !bad.isEmpty()) {
        ctx.err << bad << Qt::endl;
        return 2;
    }
    return RunOnDatabase(ctx, [&](Database& db, const StartupSettings& settings) {
        if (o.from.isEmpty()) {
            const Period next =
                NextPeriod(settings.creationUnit, settings.creationUnitCount, settings.periodEnd);
            o.from = next.start;
            o.to = next.end;
            if (o.from.isEmpty()) {
                ctx.err << u"作成単位･実績の登録を確認して下さい。"_s << Qt::endl;
                return 2;
            }
        }
        if (const QString bad = CheckGenerationPeriod(o.from, o.to); !bad.isEmpty()) {
            ctx.err << bad << Qt::endl;
            return 2;
        }
        if (o.reg && !o.replace && HoldsRegisteredRoster(db, o.from, o.to)) {
            ctx.err
                << u"%1 ～ %2 の勤務表は登録済みです。置き換える場合は --replace を指定して下さい。"_s
                       .arg(o.from, o.to)
                << Qt::endl;
            return 1;
        }
        auto model = std::make_unique<RosterModel>();
        ExpandRoster(db, *model, settings, o.from, o.to,
                     o.byTeam ? Grouping::ByTeam : Grouping::Everybody);
        if (o.format == u"json"_s) {
            ctx.out.flush();
            ctx.out << QString::fromUtf8(RosterReportJson(*model));
        } else {
            ctx.out << RosterReportText(*model);
        }
        ctx.out.flush();
        if (o.reg) {
            const QStringList messages = RegisterRoster(db, *model);
            for (const QString& message : messages)
                ctx.err << message << Qt::endl;
            if (!messages.isEmpty())
                return 1;
            ctx.err << u"勤務表を登録しました: %1 ～ %2"_s.arg(o.from, o.to) << Qt::endl;
        }
        return 0;
    });
}

const CliRegistrar registrar{
    {u"generate"_s,
     u"generate [--from yyyy/mm/dd --to yyyy/mm/dd] [--by-team] [--register [--replace]] [--format text|json]"_s,
     runGenerate}};

} // namespace
