// fonts.cpp: the game's fonts, and the bundled Comic Neue registered face by face as windows
// ask for it.
#include "toolkit/fonts.h"

#include <QAbstractButton>
#include <QByteArrayView>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QRadioButton>
#include <QResource>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <fontconfig/fontconfig.h>

namespace toolkit {

namespace {
constexpr double kDefaultPoints = 8.25;
// Below this a caption would be unreadable anyway; it is the floor of the shrinking.
constexpr double kSmallestPoints = 6;

// The start of an OpenType file, which names each table with its checksum, place and length:
// two files of one size alike there hold the same tables. Empty if the file is too short.
QByteArrayView tableDirectory(const uchar* font, qint64 size) {
    if (size < 12)
        return {};
    const qint64 length = 12 + 16 * qint64(font[4] << 8 | font[5]);
    return length <= size ? QByteArrayView(font, length) : QByteArrayView();
}

// Whether fontconfig serves the bundled face as it is: every installed Comic Neue of its
// weight and slant is a file of the same size and tables (Debian's fonts-comic-neue, which the
// build copied). Qt then draws that file, to the pixel what the copy would show, and the copy
// need not be registered: reading it from memory cost the start window 0.7 M instructions.
// Only the directories are compared, so that neither font is read whole.
bool installedAsBundled(const QString& bundled, bool italic) {
    const QResource copy(bundled);
    const QByteArrayView directory = copy.compressionAlgorithm() == QResource::NoCompression
                                         ? tableDirectory(copy.data(), copy.size())
                                         : QByteArrayView();
    FcPattern* wanted = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, "Comic Neue", FC_WEIGHT,
                                       FcTypeInteger, FC_WEIGHT_REGULAR, FC_SLANT, FcTypeInteger,
                                       italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN, nullptr);
    FcObjectSet* fileOnly = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* found = FcFontList(nullptr, wanted, fileOnly);
    bool same = found && found->nfont > 0 && !directory.isEmpty();
    for (int i = 0; same && i < found->nfont; ++i) {
        FcChar8* path = nullptr;
        QFile installed;
        if (FcPatternGetString(found->fonts[i], FC_FILE, 0, &path) == FcResultMatch)
            installed.setFileName(QFile::decodeName(reinterpret_cast<const char*>(path)));
        same = installed.size() == copy.size() && installed.open(QIODevice::ReadOnly) &&
               installed.read(directory.size()) == directory;
    }
    if (found)
        FcFontSetDestroy(found);
    FcObjectSetDestroy(fileOnly);
    FcPatternDestroy(wanted);
    return same;
}

// Each face is registered the first time a window asks for it: the start window needs only
// the upright one.
void registerBundledComic(bool italic) {
    const auto add = [italic](const char* face) {
        const QString bundled = QStringLiteral(":/fonts/ComicNeue-%1.otf").arg(QLatin1String(face));
        return installedAsBundled(bundled, italic) ||
               QFontDatabase::addApplicationFont(bundled) >= 0;
    };
    if (italic) {
        static const bool bundled = add("Italic");
        Q_UNUSED(bundled);
    } else {
        static const bool bundled = add("Regular");
        Q_UNUSED(bundled);
    }
}

bool fits(const QFont& font, const QString& text, QSize room, bool wrapped) {
    const QFontMetricsF metrics(font);
    if (!wrapped)
        return metrics.horizontalAdvance(text) <= room.width() && metrics.height() <= room.height();
    const QRectF needed =
        metrics.boundingRect(QRectF(0, 0, room.width(), 1e6), Qt::TextWordWrap, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

QSize captionRoom(const QWidget& control) {
    const auto* button = qobject_cast<const QAbstractButton*>(&control);
    if (!button)
        return control.contentsRect().size();
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QStyle& style = *button->style();
    if (qobject_cast<const QRadioButton*>(button))
        return style.subElementRect(QStyle::SE_RadioButtonContents, &option, button).size();
    // Across, the style's own space between a push button's label and its frame on either side,
    // so that no glyph touches the bevel.
    const int margin = style.pixelMetric(QStyle::PM_ButtonMargin, &option, button);
    return {button->width() - 2 * margin,
            style.subElementRect(QStyle::SE_PushButtonContents, &option, button).height()};
}
} // namespace

QFont fontFor(const FontSpec& wanted) {
    QFont font;
    if (wanted.face == FontFace::Comic) {
        registerBundledComic(wanted.italic);
        font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")});
    } else {
        font.setFamilies({QStringLiteral("DejaVu Sans")});
    }
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(wanted.points > 0 ? wanted.points : kDefaultPoints);
    font.setWeight(QFont::Normal);
    font.setItalic(wanted.italic);
    font.setStretch(QFont::Unstretched);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setLetterSpacing(QFont::PercentageSpacing, 100);
    font.setWordSpacing(0);
    return font;
}

QFont fittedFont(const QWidget& control, const FontSpec& wanted, double zoom, bool wrapped) {
    QFont font = fontFor(wanted);
    if (zoom != 1)
        font.setPointSizeF(font.pointSizeF() * zoom);
    // A button's accelerator marker is not shown; a label shows its text as it is.
    QString caption = control.property("text").toString();
    if (qobject_cast<const QAbstractButton*>(&control))
        caption.remove(QLatin1Char('&'));
    return caption.isEmpty() ? font : shrunkToFit(font, caption, captionRoom(control), wrapped);
}

QFont shrunkToFit(QFont font, const QString& text, QSize room, bool wrapped) {
    while (!fits(font, text, room, wrapped) && font.pointSizeF() > kSmallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    return font;
}

} // namespace toolkit
