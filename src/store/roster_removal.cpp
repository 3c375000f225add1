#include "store/roster_removal.h"

#include "store/cp932.h"
#include "store/database.h"
#include "store/db_error.h"
#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "store/roster_csv.h"
#include "store/statement.h"

#include <QDir>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// The CSV bytes of the span's roster rows, in date, kind and staff number order.
QByteArray csvOf(Database& db, const QString& from, const QString& to, int& rows) {
    using F = RosterRow::Field;
    Statement st =
        db.prepare(u"SELECT "_s + RosterCsv::selectList() + u" FROM "_s + RosterRow::table +
                       u" WHERE "_s + F::date + u" BETWEEN ?1 AND ?2 ORDER BY "_s + F::date +
                       u", "_s + F::kind + u", "_s + F::staffNo,
                   u"勤務表の読み込み"_s);
    st.bind(1, from).bind(2, to);
    QByteArray bytes;
    rows = 0;
    while (st.step()) {
        std::array<QVariant, RosterCsv::kFields> values;
        for (int i = 0; i < RosterCsv::kFields; ++i)
            values[static_cast<size_t>(i)] = st.value(i);
        const Cp932::Encoded line = Cp932::encode(RosterCsv::line(values));
        if (line.unencodable) {
            const char32_t c = *line.unencodable;
            throw DbError(u"職員番号 %1 の %2 の勤務に、CSVファイルに書けない文字「%3」"
                          u"(U+%4)があります。"_s.arg(
                              st.text(1), st.text(2), QString::fromUcs4(&c, 1),
                              QString::number(c, 16).toUpper().rightJustified(4, u'0')));
        }
        bytes += line.bytes;
        ++rows;
    }
    return bytes;
}

QString spanWhere(const QString& dateField) {
    return u" WHERE "_s + dateField + u" BETWEEN ?1 AND ?2"_s;
}

int countSpan(Database& db, const QString& table, const QString& dateField, const QString& from,
              const QString& to) {
    Statement count = db.prepare(u"SELECT COUNT(*) FROM "_s + table + spanWhere(dateField),
                                 table + u"の読み込み"_s);
    count.bind(1, from).bind(2, to);
    count.step();
    return count.integer(0);
}

void deleteSpan(Database& db, const QString& table, const QString& dateField, const QString& from,
                const QString& to) {
    Statement del =
        db.prepare(u"DELETE FROM "_s + table + spanWhere(dateField), table + u"の削除"_s);
    del.bind(1, from).bind(2, to);
    del.run();
}

QString messageOf(const std::exception& e) {
    const auto* db = dynamic_cast<const DbError*>(&e);
    return db ? db->message() : QString::fromUtf8(e.what());
}

const QString kNothingRemoved = u"何も削除していません。"_s;

} // namespace

RosterRemoval::Result RosterRemoval::run(Database& db, Kind kind, const QString& from,
                                         const QString& to, const QString& csvPath,
                                         Existing existing, const StepHook& afterStep) {
    const auto step = [&](Step s) {
        if (afterStep)
            afterStep(s);
    };
    using RF = RosterRow::Field;
    using QF = ShiftRequest::Field;
    const bool purge = kind == Kind::Purge;
    Result result;
    std::optional<Database::Transaction> tx(std::in_place, db);
    std::optional<ArchiveFile> file;
    if (!csvPath.isEmpty()) {
        try {
            const QByteArray bytes = csvOf(db, from, to, result.rosterRows);
            step(Step::SpanRead);
            file.emplace(csvPath, existing, db.path());
            file->write(bytes);
            step(Step::FileWritten);
            file->sync();
            step(Step::FileSynced);
            file->place();
            step(Step::FileNamed);
            file->syncFolder();
            step(Step::FolderSynced);
        } catch (const std::exception& e) {
            throw DbError(messageOf(e) + kNothingRemoved);
        }
    } else {
        result.rosterRows = countSpan(db, RosterRow::table, RF::date, from, to);
    }
    if (purge)
        result.requestRows = countSpan(db, ShiftRequest::table, QF::date, from, to);
    try {
        deleteSpan(db, RosterRow::table, RF::date, from, to);
        if (purge)
            deleteSpan(db, ShiftRequest::table, QF::date, from, to);
        step(Step::RowsDeleted);
        tx->commit();
    } catch (const std::exception& e) {
        if (!file)
            throw;
        tx.reset(); // rolled back
        // The file goes only when the rows are seen to be back: a commit that failed late may
        // have stored the deletion after all, and then the file is all that holds the rows.
        bool rowsBack = false;
        try {
            rowsBack = countSpan(db, RosterRow::table, RF::date, from, to) == result.rosterRows &&
                       (!purge || countSpan(db, ShiftRequest::table, QF::date, from, to) ==
                                      result.requestRows);
        } catch (const std::exception&) {
        }
        if (rowsBack) {
            file->takeBack(); // should the file stay, it only repeats rows that are still there
            throw DbError(messageOf(e) + kNothingRemoved);
        }
        file->keep();
        throw DbError(messageOf(e) +
                      u"削除が終わったか確かめられません。出力ファイル %1 "
                      u"は残してあります。"_s.arg(QDir::toNativeSeparators(csvPath)));
    }
    if (file)
        file->keep();
    step(Step::Committed);
    return result;
}
