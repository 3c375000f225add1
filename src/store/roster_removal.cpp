#include "store/roster_removal.h"

#include "store/cp932.h"
#include "store/database.h"
#include "store/db_error.h"
#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "store/roster_csv.h"
#include "store/statement.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

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
                          u"(U+%4)があります。何も削除していません。"_s.arg(
                              st.text(1), st.text(2), QString::fromUcs4(&c, 1),
                              QString::number(c, 16).toUpper().rightJustified(4, u'0')));
        }
        bytes += line.bytes;
        ++rows;
    }
    return bytes;
}

int deleteSpan(Database& db, const QString& table, const QString& dateField, const QString& from,
               const QString& to) {
    const QString where = u" WHERE "_s + dateField + u" BETWEEN ?1 AND ?2"_s;
    Statement count = db.prepare(u"SELECT COUNT(*) FROM "_s + table + where);
    count.bind(1, from).bind(2, to);
    count.step();
    const int n = count.integer(0);
    Statement del = db.prepare(u"DELETE FROM "_s + table + where, table + u"の削除"_s);
    del.bind(1, from).bind(2, to);
    del.run();
    return n;
}

[[noreturn]] void cannotWrite(const QString& path) {
    throw DbError(u"出力ファイル %1 を作成できません。何も削除していません。"_s.arg(
        QDir::toNativeSeparators(path)));
}

} // namespace

RosterRemoval::Result RosterRemoval::run(Database& db, Kind kind, const QString& from,
                                         const QString& to, const QString& csvPath) {
    Result result;
    Database::Transaction tx(db);
    std::unique_ptr<QTemporaryFile> temp;
    if (!csvPath.isEmpty()) {
        int rows = 0;
        const QByteArray bytes = csvOf(db, from, to, rows);
        const QFileInfo target(csvPath);
        temp = std::make_unique<QTemporaryFile>(target.absolutePath() + u"/."_s +
                                                target.fileName() + u".XXXXXX"_s);
        if (!temp->open())
            cannotWrite(csvPath);
        temp->setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                             QFile::ReadOther);
        // A full disk shows at the latest when the file is closed; the temporary file goes
        // with `temp`.
        if (temp->write(bytes) != bytes.size() || !temp->flush())
            cannotWrite(csvPath);
        temp->close();
        if (temp->error() != QFileDevice::NoError)
            cannotWrite(csvPath);
    }
    result.rosterRows = deleteSpan(db, RosterRow::table, RosterRow::Field::date, from, to);
    if (kind == Kind::Purge)
        result.requestRows =
            deleteSpan(db, ShiftRequest::table, ShiftRequest::Field::date, from, to);
    if (temp) {
        tx.commit();
        // The rows are gone now; the file keeps them under its own name, or, should the
        // renaming fail, under the temporary one, which is then kept and named.
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(temp->fileName()).constData(),
                                QFile::encodeName(csvPath).constData(), ec);
        if (ec) {
            temp->setAutoRemove(false);
            throw DbError(
                u"削除は終了しましたが、出力ファイル %1 の名前を付けられません。"
                u"削除した行は %2 にあります。"_s.arg(QDir::toNativeSeparators(csvPath),
                                                      QDir::toNativeSeparators(temp->fileName())));
        }
        temp->setAutoRemove(false);
        return result;
    }
    tx.commit();
    return result;
}
