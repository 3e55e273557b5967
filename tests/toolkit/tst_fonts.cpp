// tst_fonts.cpp: the Comic face resolves to Comic Sans MS or the bundled Comic Neue, at the
// asked size and slant, even on a machine without either installed.
#include "support/gui.h"
#include "test_form.h"
#include "toolkit/fonts.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <array>

using toolkit::FontFace;
using toolkit::FontSpec;

namespace {

const QStringList kComicFamilies{"Comic Sans MS", "Comic Neue"};

} // namespace

Q_DECLARE_METATYPE(FontSpec)

class TstFonts : public QObject {
    Q_OBJECT

private slots:
    // main() hides the machine's fonts: only what the program carries can answer.
    void initTestCase() {
        for (const QString& family : kComicFamilies)
            QVERIFY2(!QFontDatabase::families().contains(family),
                     qPrintable(family + " is still visible from the machine"));
    }

    void comicFaceResolvesToAComicFontAtTheAskedSizeAndSlant_data() {
        QTest::addColumn<FontSpec>("asked");
        QTest::newRow("rules text, 9.75 pt") << FontSpec{FontFace::Comic, 9.75, false};
        QTest::newRow("large buttons, 12 pt") << FontSpec{FontFace::Comic, 12, false};
        QTest::newRow("end message, 20.25 pt italic") << FontSpec{FontFace::Comic, 20.25, true};
    }
    void comicFaceResolvesToAComicFontAtTheAskedSizeAndSlant() {
        QFETCH(FontSpec, asked);
        const QFontInfo resolved(toolkit::fontFor(asked));
        QVERIFY2(kComicFamilies.contains(resolved.family()), qPrintable(resolved.family()));
        QCOMPARE(resolved.pointSizeF(), asked.points);
        QCOMPARE(resolved.italic(), asked.italic);
        if (!asked.italic) // an upright face, not the italic one passed off as upright
            QVERIFY2(!resolved.styleName().contains("Italic"), qPrintable(resolved.styleName()));
    }

    // Where the machine puts a wider family in place of the one asked for, a caption shrinks
    // to the largest quarter point that fits; one that fits keeps its size.
    void captionTooBigForItsRoomShrinksToTheLargestSizeThatFits_data() {
        QTest::addColumn<bool>("wrapped");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSizeF>("share"); // of the room one line needs
        QTest::newRow("one line, too narrow")
            << false << QStringLiteral("Ricomincia") << QSizeF(0.8, 2);
        QTest::newRow("one line, too low")
            << false << QStringLiteral("Ricomincia") << QSizeF(2, 0.7);
        QTest::newRow("wrapped") << true << QStringLiteral("Se i quadratini sono rossi vuol dire")
                                 << QSizeF();
    }
    void captionTooBigForItsRoomShrinksToTheLargestSizeThatFits() {
        QFETCH(bool, wrapped);
        QFETCH(QString, caption);
        QFETCH(QSizeF, share);
        const QFont asked = toolkit::fontFor({FontFace::Comic, 12, false});
        const auto needs = [&](const QFont& font) {
            return QFontMetricsF(font)
                .boundingRect(QRectF(0, 0, wrapped ? 80 : 1e6, 1e6), Qt::TextWordWrap, caption)
                .size();
        };
        const QSizeF natural = needs(asked);
        QCOMPARE(toolkit::shrunkToFit(asked, caption, natural.toSize() + QSize(1, 1), wrapped),
                 asked);

        const QSize room = wrapped ? QSize(80, int(natural.height() * 0.6))
                                   : QSize(int(natural.width() * share.width()),
                                           int(natural.height() * share.height()));
        const QFont fitted = toolkit::shrunkToFit(asked, caption, room, wrapped);
        QVERIFY(fitted.pointSizeF() < 12);
        QVERIFY(QSizeF(room).expandedTo(needs(fitted)) == QSizeF(room));
        QFont larger = fitted;
        larger.setPointSizeF(fitted.pointSizeF() + 0.25);
        QVERIFY(QSizeF(room).expandedTo(needs(larger)) != QSizeF(room));
    }

    void labelOfALayoutTakesItsFont() {
        const std::array<toolkit::ControlSpec, 1> layout{{
            {.kind = toolkit::ControlKind::Label,
             .name = "lblmessaggio",
             .rect = {360, 120, 2175, 495},
             .caption = "Hai vinto!",
             .font = {FontFace::Comic, 20.25, true}},
        }};
        toolkit::WindowRegistry registry;
        toolkit_test::TableForm window(registry, layout);
        const QFontInfo resolved(support::control<QLabel>(&window, "lblmessaggio")->font());
        QVERIFY2(kComicFamilies.contains(resolved.family()), qPrintable(resolved.family()));
        QCOMPARE(resolved.pointSizeF(), 20.25);
        QVERIFY(resolved.italic());

        // A caption the window writes as it runs is fitted as the layout's own was.
        auto* label = support::control<QLabel>(&window, "lblmessaggio");
        label->setText(QStringLiteral("Hai vinto! Complimenti!"));
        window.fitCaption(*label);
        QVERIFY(QFontMetricsF(label->font()).horizontalAdvance(label->text()) <=
                label->contentsRect().width());
    }
};

int main(int argc, char* argv[]) {
    // A font configuration that lists no font folders at all.
    QTemporaryDir fonts;
    QFile config(fonts.filePath("fonts.conf"));
    if (!fonts.isValid() || !config.open(QIODevice::WriteOnly))
        qFatal("cannot write a font configuration");
    config.write(QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig><cachedir>%1</cachedir>"
                                "</fontconfig>\n")
                     .arg(fonts.filePath("cache"))
                     .toUtf8());
    config.close();
    qputenv("FONTCONFIG_FILE", QFile::encodeName(config.fileName()));

    QApplication app(argc, argv);
    TstFonts test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fonts.moc"
