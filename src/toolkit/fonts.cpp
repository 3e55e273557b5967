// fonts.cpp: registering the bundled Comic Neue the first time a window asks for it.
#include "toolkit/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace toolkit {

namespace {
bool registerBundledComic() {
    const int regular =
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/ComicNeue-Regular.otf"));
    const int italic =
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/ComicNeue-Italic.otf"));
    return regular >= 0 && italic >= 0;
}
} // namespace

QFont fontFor(const FontSpec& wanted, const QFont& base) {
    QFont font = base;
    if (wanted.face == FontFace::Comic) {
        static const bool bundled = registerBundledComic();
        Q_UNUSED(bundled);
        font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")});
    }
    if (wanted.points > 0)
        font.setPointSizeF(wanted.points);
    font.setItalic(wanted.italic);
    return font;
}

} // namespace toolkit
