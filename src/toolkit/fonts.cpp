// fonts.cpp: registering the bundled Comic Neue, face by face, as windows ask for it.
#include "toolkit/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace toolkit {

namespace {
// Each face is registered the first time a window asks for it: the start window needs only
// the upright one.
void registerBundledComic(bool italic) {
    const auto add = [](const char* face) {
        return QFontDatabase::addApplicationFont(
                   QStringLiteral(":/fonts/ComicNeue-%1.otf").arg(QLatin1String(face))) >= 0;
    };
    if (italic) {
        static const bool bundled = add("Italic");
        Q_UNUSED(bundled);
    } else {
        static const bool bundled = add("Regular");
        Q_UNUSED(bundled);
    }
}
} // namespace

QFont fontFor(const FontSpec& wanted, const QFont& base) {
    QFont font = base;
    if (wanted.face == FontFace::Comic) {
        registerBundledComic(wanted.italic);
        font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")});
    }
    if (wanted.points > 0)
        font.setPointSizeF(wanted.points);
    font.setItalic(wanted.italic);
    return font;
}

} // namespace toolkit
