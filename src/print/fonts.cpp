#include "print/fonts.h"

#include <QFont>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace Fonts {

QString gothic() {
    return u"ＭＳ ゴシック"_s;
}

QString pGothic() {
    return u"ＭＳ Ｐゴシック"_s;
}

void installSubstitutions() {
    // Qt tries the substitutes in order for the font and then, glyph by glyph, for what the
    // font it took lacks.
    QFont::insertSubstitutions(gothic(), {u"IPAGothic"_s, u"IPAゴシック"_s, u"VL Gothic"_s});
    QFont::insertSubstitutions(pGothic(), {u"IPAPGothic"_s, u"IPA Pゴシック"_s, u"VL PGothic"_s});
}

} // namespace Fonts
