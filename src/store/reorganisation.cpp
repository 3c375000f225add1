#include "store/reorganisation.h"

#include "store/database.h"
#include "store/db_error.h"
#include "store/records/calendar_day.h"
#include "store/records/code_entry.h"
#include "store/records/creation_unit.h"
#include "store/records/daily_requirement.h"
#include "store/records/pattern_row.h"
#include "store/records/roster_row.h"
#include "store/records/shift_definition.h"
#include "store/records/shift_request.h"
#include "store/records/staff_member.h"
#include "store/schema.h"
#include "store/statement.h"
#include "store/table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <memory>
#include <system_error>

using namespace Qt::Literals::StringLiterals;

namespace {

// Days before this were never part of the calendar the program keeps.
const QString kFirstDay = u"1990/01/01"_s;

Reorganisation::Step step(const QString& table, const QString& index, QVariantList start,
                          const QString& success, const QString& failure) {
    return {table, index, std::move(start), success, failure};
}

QString sqlLiteral(const QString& text) {
    QString quotedText = text;
    quotedText.replace(u"'"_s, u"''"_s);
    return u"'"_s + quotedText + u"'"_s;
}

} // namespace

QString Reorganisation::title() {
    return u"DB再編成"_s;
}

QString Reorganisation::question() {
    return u"ﾃﾞｰﾀ･ﾍﾞｽの再編成を行います。ﾊﾞｯｸ･ｱｯﾌﾟの準備は完了していますか？"_s;
}

QString Reorganisation::backupFileName() {
    return u"Rotavellbkup.mdb"_s;
}

QString Reorganisation::backupPathIn(const QString& dataDir) {
    return QDir(dataDir).filePath(backupFileName());
}

QString Reorganisation::closingMessage(const QStringList& failedTables) {
    if (failedTables.isEmpty())
        return u"ﾃﾞｰﾀ･ﾍﾞｽの再編成は完了しました。"_s;
    return u"ﾃﾞｰﾀ･ﾍﾞｽの再編成は終了しましたが、%1は失敗しました。"
           u"失敗したﾃｰﾌﾞﾙは再編成前のままです。"_s.arg(failedTables.join(u"、"_s));
}

const std::vector<Reorganisation::Step>& Reorganisation::steps() {
    static const std::vector<Step> all{
        step(CalendarDay::table, CalendarDay::Index::key, {kFirstDay},
             u"カレンダーは正常終了しました。残りを続けますか"_s,
             u"カレンダーは失敗しました。残りを続けますか"_s),
        step(CodeEntry::table, CodeEntry::Index::key, {},
             u"個マスタ正常終了しました。残りを続けますか"_s,
             u"個マスタ失敗しました。残りを続けますか"_s),
        step(ShiftDefinition::table, ShiftDefinition::Index::key, {},
             u"シフト基本は正常終了しました。残りを続けますか"_s,
             u"シフト基本は失敗しました。残りを続けますか"_s),
        step(PatternRow::table, PatternRow::Index::key, {},
             u"ｼﾌﾄﾊﾟﾀｰﾝは正常終了しました。残りを続けますか"_s,
             u"ｼﾌﾄﾊﾟﾀｰﾝは失敗しました。残りを続けますか"_s),
        step(CreationUnit::table, CreationUnit::Index::key, {},
             u"作成単位は正常終了しました。残りを続けますか"_s,
             u"作成単位は失敗しました。残りを続けますか"_s),
        step(DailyRequirement::table, DailyRequirement::Index::key, {},
             u"日別要員は正常終了しました。残りを続けますか"_s,
             u"日別要員は失敗しました。残りを続けますか"_s),
        step(StaffMember::table, StaffMember::Index::key, {QString()},
             u"職員は正常終了しました。残りを続けますか"_s,
             u"職員は失敗しました。残りを続けますか"_s),
        step(ShiftRequest::table, ShiftRequest::Index::key, {},
             u"休暇希望は正常終了しました。残りを続けますか"_s,
             u"休暇希望は失敗しました。残りを続けますか"_s),
        step(RosterRow::table, RosterRow::Index::key, {0, QString(), kFirstDay},
             u"勤務表は正常終了しました。残りを続けますか"_s,
             u"勤務表は失敗しました。残りを続けますか"_s),
    };
    return all;
}

bool Reorganisation::sameFile(const QString& a, const QString& b) {
    if (QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath())
        return true;
    std::error_code ec;
    const bool same = std::filesystem::equivalent(std::filesystem::path(a.toStdU16String()),
                                                  std::filesystem::path(b.toStdU16String()), ec);
    return !ec && same;
}

QString Reorganisation::makeSafetyCopy(Database& db, const QDateTime& now) {
    const QFileInfo data(db.path());
    const QString base =
        data.dir().filePath(data.completeBaseName() + u"_"_s + now.toString(u"yyyyMMdd_HHmmss"_s));
    QString target = base + u".mdb"_s;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = base + u"_"_s + QString::number(n) + u".mdb"_s;
    // Written under a working name and named only when whole, so that a copy cut short by the
    // program being killed is never taken for a complete one.
    const QString working = target + u".part"_s;
    QFile::remove(working);
    try {
        // Everything the log holds goes into the file first, so the file alone is complete.
        db.exec(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
        db.exec(u"VACUUM INTO "_s + sqlLiteral(working));
        if (!QFile::rename(working, target))
            throw DbError(u"控えに名前を付けられません。"_s);
    } catch (const DbError& e) {
        QFile::remove(working);
        throw DbError(u"データベースの控え「%1」を作成できません。再編成は行いません。%2"_s.arg(
            QDir::toNativeSeparators(target), e.message()));
    }
    return target;
}

int Reorganisation::rebuild(Database& db, Database& backup, const Step& s) {
    const TableDef& def = Schema::table(s.table);
    QStringList columns, marks;
    for (const FieldDef& f : def.fields) {
        columns << Schema::quoted(f.name);
        marks << u"?"_s;
    }
    const int consecutiveFlag =
        s.table == ShiftRequest::table ? def.fieldIndex(ShiftRequest::Field::consecutiveFlag) : -1;

    Database::Transaction tx(db);
    db.execute(u"DELETE * FROM "_s + s.table + u" ;"_s);
    Statement insert =
        db.prepare(u"INSERT INTO "_s + Schema::quoted(s.table) + u" ("_s + columns.join(u", "_s) +
                       u") VALUES ("_s + marks.join(u", "_s) + u")"_s,
                   u"「%1」への書き込み"_s.arg(s.table));
    insert.setConflictMessage(u"バックアップの「%1」に同じキーの行が二つあります。"_s.arg(s.table));

    Table source(backup, s.table);
    source.setIndex(s.keyIndex);
    if (s.startKey.isEmpty())
        source.moveFirst();
    else
        source.seek(Seek::GreaterEqual, s.startKey);
    int rows = 0;
    for (; !source.eof(); source.moveNext()) {
        for (int i = 0; i < static_cast<int>(def.fields.size()); ++i) {
            QVariant v = source.value(def.fields[static_cast<size_t>(i)].name);
            if (i == consecutiveFlag && v.isNull())
                v = 0;
            insert.bind(i + 1, v);
        }
        insert.run();
        ++rows;
    }
    tx.commit();
    return rows;
}

Reorganisation::Result Reorganisation::run(Database& db, const QString& backupPath,
                                           const Dialogue& dialogue, const QDateTime& now) {
    Result result;
    if (!dialogue.ask(question()))
        return result;

    if (sameFile(db.path(), backupPath)) {
        dialogue.tell(u"バックアップのファイル「%1」はデータベースそのものです。"
                      u"再編成は行いません。"_s.arg(QDir::toNativeSeparators(backupPath)));
        result.outcome = Outcome::Refused;
        return result;
    }
    // The copy is checked as the data file is at start-up, and read as it stands on disk: a
    // file that is missing, foreign or incomplete fails each table, which then stays as it is.
    std::unique_ptr<Database> backup;
    QString backupProblem;
    try {
        backup = std::make_unique<Database>(backupPath, Database::OpenMode::Snapshot);
    } catch (const DbError& e) {
        backupProblem = e.message();
    }
    try {
        result.safetyCopy = makeSafetyCopy(db, now);
    } catch (const DbError& e) {
        dialogue.tell(e.message());
        result.outcome = Outcome::Refused;
        return result;
    }

    for (const Step& s : steps()) {
        bool ok = false;
        try {
            if (!backup)
                throw DbError(backupProblem);
            rebuild(db, *backup, s);
            ok = true;
        } catch (const DbError& e) {
            dialogue.tell(e.message());
        } catch (const std::exception& e) {
            dialogue.tell(QString::fromUtf8(e.what()));
        }
        (ok ? result.rebuilt : result.failed) << s.table;
        if (!dialogue.ask(ok ? s.successQuestion : s.failureQuestion)) {
            result.outcome = Outcome::Stopped;
            return result;
        }
    }
    dialogue.tell(closingMessage(result.failed));
    result.outcome = Outcome::Finished;
    return result;
}
