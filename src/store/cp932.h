#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Text in the Windows Japanese code page, which the CSV files of removed roster rows are
// written in so that the clerk's spreadsheet reads them as they are.
namespace Cp932 {

struct Encoded {
    QByteArray bytes;
    // The first character the code page cannot hold; the bytes are then incomplete.
    std::optional<char32_t> unencodable;
};

// Characters that Windows writes under its own code points (wave dash, minus sign, double
// vertical line, cent, pound and not signs) are taken as those before encoding.
Encoded encode(const QString& text);

} // namespace Cp932
