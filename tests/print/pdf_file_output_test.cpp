#include "output/sheet.h"
#include "print/pdf_file_output.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A PDF is written whole or not at all: whatever goes wrong on the way, the file that was
// there before is left byte for byte and nothing else is left in the folder.
TEST(PdfFileOutputTest, APdfIsWrittenWholeOrTheOldFileStays) {
    struct Case {
        const char* what;
        std::function<void(Sheet&)> draw;
        bool written;
    };
    const std::vector<Case> cases{
        {"one page", [](Sheet& s) { s.text(100, 100, u"勤務シフト表"_s); }, true},
        {"nothing drawn", [](Sheet&) {}, false},
        {"drawing fails halfway",
         [](Sheet& s) {
             s.text(100, 100, u"勤務シフト表"_s);
             throw std::runtime_error("stop");
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"勤務表.pdf"_s);
        {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        bool threw = false;
        try {
            PdfFileOutput::write(path, u"勤務シフト表"_s, c.draw);
        } catch (const std::runtime_error&) {
            threw = true;
        }
        EXPECT_EQ(threw, !c.written);
        EXPECT_EQ(contents(path).startsWith("%PDF"), c.written);
        if (!c.written) {
            EXPECT_EQ(contents(path), QByteArray("old"));
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{u"勤務表.pdf"_s});
    }
}

} // namespace
