#pragma once

#include <QString>

// The screens and printouts name the Windows Japanese fonts; on this platform they are drawn
// with the IPA fonts, which have the same metrics style (fixed and proportional).
namespace Fonts {

QString gothic();  // "ＭＳ ゴシック", fixed pitch
QString pGothic(); // "ＭＳ Ｐゴシック", proportional

// Maps the two names to IPAGothic / IPAPGothic, and after them to the VL Gothic of the same
// pitch, which draws the kanji the IPA fonts lack (JIS X 0213 ones such as 𠮷 in people's
// names) so that none of them shows as an empty box. Call once before any font is made.
void installSubstitutions();

} // namespace Fonts
