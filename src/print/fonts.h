#pragma once

#include <QString>

// The screens and printouts name the Windows Japanese fonts; on this platform they are drawn
// with the IPA fonts, which have the same metrics style (fixed and proportional).
namespace Fonts {

QString gothic();  // "ＭＳ ゴシック", fixed pitch
QString pGothic(); // "ＭＳ Ｐゴシック", proportional

// Maps the two names to IPAGothic / IPAPGothic. Call once before any font is made.
void installSubstitutions();

} // namespace Fonts
