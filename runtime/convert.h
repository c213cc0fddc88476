#pragma once
// Text and number conversions as the window runtime performs them: Val, the
// shortest number text, and the coercions used when stored settings or text
// defaults meet typed properties.
#include <QString>
#include <QVariant>

#include "types.h"

namespace rt {

// The number that a text begins with. Blanks, tabs and line feeds are ignored
// wherever they stand; "&H"/"&O" read hexadecimal/octal integers; no number
// gives 0. A value beyond the double range is held at the largest double
// rather than becoming infinite.
double Val(const QString& text);

// The shortest decimal text of a number with up to 15 significant digits:
// "0.5", "12", "-2", "1E+15", "1E-05".
QString numberText(double value);

// Round to the nearest whole number, a half to the even neighbour.
double roundHalfEven(double value);

// Coercions. A text is read as a number the way the runtime reads literals:
// "&H8080FF", "&H00FFFF80&" (trailing "&": a 32-bit value), "&HFFFF" (four
// digits or fewer: a 16-bit value, so -1), "&O17", decimal digits, and
// "True"/"False" for Booleans. A text that is no number fails with error 13;
// a number outside the target type fails with error 6.
double CDbl(const QVariant& v);
Long CLng(const QVariant& v);
Integer CInt(const QVariant& v);
Byte CByte(const QVariant& v);
bool CBool(const QVariant& v);
QString CStr(const QVariant& v);

// Whether two values are equal once the second is converted to the type of
// the first (how a property bag decides that a value equals its default).
bool sameValue(const QVariant& value, const QVariant& def);

}  // namespace rt
