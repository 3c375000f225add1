#include "store/cp932.h"

#include "store/db_error.h"

#include <QList>
#include <QStringEncoder>

using namespace Qt::Literals::StringLiterals;

namespace Cp932 {

namespace {

char32_t windowsCodePoint(char32_t c) {
    switch (c) {
    case 0x301C:
        return 0xFF5E; // wave dash -> fullwidth tilde
    case 0x2212:
        return 0xFF0D; // minus sign -> fullwidth hyphen-minus
    case 0x2016:
        return 0x2225; // double vertical line -> parallel to
    case 0x00A2:
        return 0xFFE0; // cent sign
    case 0x00A3:
        return 0xFFE1; // pound sign
    case 0x00AC:
        return 0xFFE2; // not sign
    default:
        return c;
    }
}

} // namespace

Encoded encode(const QString& text) {
    QStringEncoder encoder("windows-31j");
    if (!encoder.isValid())
        throw DbError(u"Shift_JIS(CP932)の文字変換が使えません。"_s);
    Encoded out;
    for (const uint code : text.toUcs4()) {
        const char32_t c = code;
        const char32_t mapped = windowsCodePoint(c);
        const QString one = QString::fromUcs4(&mapped, 1);
        const QByteArray bytes = encoder.encode(one);
        if (encoder.hasError()) {
            out.unencodable = c;
            return out;
        }
        out.bytes += bytes;
    }
    return out;
}

} // namespace Cp932
