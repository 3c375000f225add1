#include "print/pdf_file_output.h"

#include "print/qt_sheet.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

[[noreturn]] void failed(const QString& path, const QString& reason) {
    throw std::runtime_error(
        u"PDFファイル「%1」を書き出せませんでした。ディスクの空きと書き込み権限を確認して下さい。"
        u"（%2）"_s.arg(shown(path), reason)
            .toStdString());
}

} // namespace

QString PdfFileOutput::targetProblem(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        return u"「%1」はフォルダです。PDFファイルの名前を指定して下さい。"_s.arg(shown(path));
    if (!info.absoluteDir().exists())
        return u"PDFファイル「%1」のフォルダがありません。"_s.arg(shown(path));
    // Trying is the only sure test (permissions, read-only disks, a file in the way).
    QSaveFile probe(info.absoluteFilePath());
    if (!probe.open(QIODevice::WriteOnly))
        return u"PDFファイル「%1」に書き込めません。フォルダの権限を確認して下さい。（%2）"_s.arg(
            shown(path), probe.errorString());
    return {}; // the unfinished probe removes its temporary file
}

void PdfFileOutput::write(const QString& path, const QString& documentName,
                          const std::function<void(Sheet&)>& draw) {
    QSaveFile file(QFileInfo(path).absoluteFilePath());
    if (!file.open(QIODevice::WriteOnly))
        failed(path, file.errorString());
    bool ended = false;
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setTitle(documentName);
        writer.setCreator(documentName);
        QtSheet sheet(writer);
        draw(sheet);
        drawn = sheet.pagesStarted() > 0;
        ended = sheet.finish();
    }
    if (!drawn)
        failed(path, u"印刷する内容がありません"_s);
    if (!ended)
        failed(path, u"印刷の終了に失敗しました"_s);
    // commit() flushes, syncs and renames; a write that failed on the way (a full disk) makes
    // it fail and remove the temporary file.
    if (!file.commit())
        failed(path, file.errorString());
}

bool PdfFileOutput::print(QWidget*, const QString& documentName,
                          const std::function<void(Sheet&)>& draw) {
    write(path_, documentName, draw);
    ++printed_;
    return true;
}
