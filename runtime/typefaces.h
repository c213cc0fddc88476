#pragma once
// The typefaces the controls show their text in.
#include <QFont>
#include <QString>

namespace rt {

// Font settings shared by the controls that show text.
QFont runtimeFont(const QString& name, double sizePt, bool bold);
// The Chinese typefaces the windows were designed with are absent here; their
// names resolve to faces that hold the same script, so that a caption mixing
// Latin and Chinese is measured and drawn with one face.
void installTypefaceSubstitutes();

}  // namespace rt
