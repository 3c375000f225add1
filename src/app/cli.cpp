#include "app/cli_args.h"
#include "app/cli_command.h"
#include "store/clock.h"
#include "store/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDevice>
#include <QGuiApplication>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

int usage(QTextStream& stream, int status = 2) {
    stream << u"使い方: roster-cli [--data-dir DIR] COMMAND [引数]"_s << Qt::endl;
    for (const auto& c : CliRegistry::commands())
        stream << u"  "_s << c.usage << Qt::endl;
    return status;
}

} // namespace

int main(int argc, char** argv) {
    // Printing needs fonts and a paint device but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setApplicationName(DataFolder::applicationName());
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    SystemClock clock;

    QStringList args = app.arguments().mid(1);
    QString requested;
    const qsizetype at = args.indexOf(u"--data-dir"_s);
    if (at >= 0) {
        if (at + 1 >= args.size())
            return usage(err);
        requested = args[at + 1];
        args.remove(at, 2);
    }
    if (args.isEmpty())
        return usage(err);
    const QString name = args.takeFirst();
    if (name == u"--help"_s || name == u"-h"_s)
        return usage(out, 0);
    for (const auto& c : CliRegistry::commands()) {
        if (c.name == name) {
            const DataFolder folder = DataFolder::find(requested);
            if (folder.createdNow)
                err << u"データフォルダ「%1」を作成しました。"_s.arg(
                           QDir::toNativeSeparators(folder.path))
                    << Qt::endl;
            CliContext ctx{folder.path, out, err, clock};
            const int status = c.run(ctx, args);
            if (status != 0)
                return status; // a command that failed has said why
            out.flush();
            // Output redirected to a full disk must not pass for success with half a table.
            const auto* device = qobject_cast<const QFileDevice*>(out.device());
            if (out.status() != QTextStream::Ok ||
                (device && device->error() != QFileDevice::NoError) || std::fflush(stdout) != 0 ||
                std::ferror(stdout)) {
                err << (ctx.committed ? CliReportFailed() : CliOutputFailed()) << Qt::endl;
                return ctx.committed ? 3 : 1;
            }
            return status;
        }
    }
    err << u"不明なコマンドです: "_s << name << Qt::endl;
    return usage(err);
}
