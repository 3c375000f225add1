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
    QFont::insertSubstitutions(gothic(), {u"IPAGothic"_s, u"IPAゴシック"_s});
    QFont::insertSubstitutions(pGothic(), {u"IPAPGothic"_s, u"IPA Pゴシック"_s});
}

} // namespace Fonts
