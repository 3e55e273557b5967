// tst_accessibility.cpp: what a screen reader and a tooltip tell a player about the board.
#include "support/play.h"
#include "support/windows_named.h"
#include "toolkit/shape.h"
#include "toolkit/versions.h"
#include "windows/frmcifrotto.h"
#include "windows/frmfine.h"
#include "windows/frminizio.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

namespace {

// The exposed object of that name anywhere in the window's tree.
QAccessibleInterface* findIn(QAccessibleInterface* parent, const QString& objectName) {
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface* child = parent->child(i);
        if (child && child->object() && child->object()->objectName() == objectName)
            return child;
        if (QAccessibleInterface* below = child ? findIn(child, objectName) : nullptr)
            return below;
    }
    return nullptr;
}

QAccessibleInterface* accessibleChild(QWidget* window, const QString& objectName) {
    return findIn(QAccessible::queryAccessibleInterface(window), objectName);
}

QString spokenName(QWidget* window, const QString& objectName) {
    QAccessibleInterface* child = accessibleChild(window, objectName);
    return child ? child->text(QAccessible::Name) : QStringLiteral("<not exposed>");
}

// The tooltip a hover at a point shows, or an empty text. Any earlier tooltip is let fade out
// first, so that what is read belongs to this hover.
QString toolTipAt(QWidget* window, QPoint position) {
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("<a tooltip would not hide>");
    QHelpEvent help(QEvent::ToolTip, position, window->mapToGlobal(position));
    QCoreApplication::sendEvent(window, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

class TstAccessibility : public play::BoardTest {
    Q_OBJECT
public:
    TstAccessibility() { screenReader = true; }

private slots:
    void swatchesAreNamedChoicesSelectedWhileTheirRingShows() {
        QAccessibleInterface* viola = accessibleChild(game, "imgviola");
        QVERIFY(viola);
        QCOMPARE(viola->text(QAccessible::Name), QStringLiteral("viola"));
        QCOMPARE(viola->role(), QAccessible::RadioButton);
        QVERIFY(!viola->state().selected);
        support::click(game, "imgviola");
        QVERIFY(viola->state().selected);
        support::click(game, "imgazzurro");
        QVERIFY(!viola->state().selected);
        QVERIFY(accessibleChild(game, "imgazzurro")->state().selected);
    }

    // Clicks away from the focus are news where it stands ("&Fine" as the game opens), until
    // the focus moves on.
    void holesSayTheirRowColumnAndColour() {
        QCOMPARE(spokenName(game, "img11"), QStringLiteral("Riga 1, foro 1: vuoto"));
        QCOMPARE(spokenName(game, "img124"), QStringLiteral("Riga 12, foro 4: vuoto"));
        QAccessibleInterface* focus = QAccessible::queryAccessibleInterface(game)->focusChild();
        QCOMPARE(focus->text(QAccessible::Name), QStringLiteral("Fine"));
        support::click(game, "img13");
        QVERIFY(play::holdsNews(focus->text(QAccessible::Description), "Nessun colore scelto"));
        support::click(game, "imglilla");
        QVERIFY(play::holdsNews(focus->text(QAccessible::Description), "Colore scelto: lilla"));
        support::click(game, "img13");
        QCOMPARE(spokenName(game, "img13"), QStringLiteral("Riga 1, foro 3: lilla"));
        QVERIFY(play::holdsNews(focus->text(QAccessible::Description), "Riga 1, foro 3: lilla"));
        QTest::keyClick(game, Qt::Key_Tab);
        QVERIFY(play::holdsNews(focus->text(QAccessible::Description), ""));
        QVERIFY(!accessibleChild(game, "img13")->state().disabled);
        QVERIFY(accessibleChild(game, "img23")->state().disabled);
    }

    // The accessibility layer can press no more than the mouse can.
    void pressingAHiddenHoleDoesNothing() {
        support::click(game, "imgrosso");
        QAccessibleInterface* hidden = accessibleChild(game, "img21");
        hidden->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(game->board().disc(2, 1), pegs::kButtonFace);
        QAccessibleInterface* open = accessibleChild(game, "img11");
        open->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(game->board().disc(1, 1), pegs::kRed);
    }

    // The focus that a confirm hands to the new row carries the result, to be read with it.
    void feedbackBlocksSayTheirCountsOnceConfirmedAndTheFocusSaysThemToo() {
        QCOMPARE(spokenName(game, "shpp11"),
                 QStringLiteral("Riga 1, risposta: non ancora confermata"));
        // Secret colour 1 in its own column, secret colour 2 in column 3, two absent colours.
        const auto secret = play::secretOf(game);
        const auto absent = play::absentFrom(secret);
        play::playRow(game, 1, {secret[0], absent[0], secret[1], absent[1]});
        QCOMPARE(spokenName(game, "shpp11"), QStringLiteral("Riga 1, risposta: 1 rosso, 1 bianco"));
        QAccessibleInterface* focus = QAccessible::queryAccessibleInterface(game)->focusChild();
        QVERIFY(focus);
        QCOMPARE(focus->object()->objectName(), QStringLiteral("img21"));
        QVERIFY(focus->state().focused);
        QVERIFY(
            play::holdsNews(focus->text(QAccessible::Description), "Riga 1: 1 rosso, 1 bianco"));
    }

    // The palette and each row are groups, as the eye groups them; what the player never sees
    // is not there.
    void theTreeIsGroupedAndHoldsNothingHidden() {
        QAccessibleInterface* form = QAccessible::queryAccessibleInterface(game);
        const auto named = [form](const QString& name) -> QAccessibleInterface* {
            for (int i = 0; i < form->childCount(); ++i)
                if (form->child(i)->text(QAccessible::Name) == name)
                    return form->child(i);
            return nullptr;
        };
        QAccessibleInterface* palette = named("Colori");
        QVERIFY(palette);
        QCOMPARE(palette->role(), QAccessible::Grouping);
        QCOMPARE(palette->childCount(), 11);
        QCOMPARE(palette->child(10)->text(QAccessible::Name), QStringLiteral("lilla"));
        QAccessibleInterface* row = named("Riga 12");
        QVERIFY(row);
        QStringList names;
        for (int i = 0; i < row->childCount(); ++i)
            names << row->child(i)->text(QAccessible::Name);
        QCOMPARE(names, (QStringList{"Riga 12, foro 1: vuoto", "Riga 12, foro 2: vuoto",
                                     "Riga 12, foro 3: vuoto", "Riga 12, foro 4: vuoto",
                                     "Riga 12, risposta: non ancora confermata"}));
        QCOMPARE(row->child(4)->parent()->object(), row->object());
        for (const char* hidden : {"lblmessaggio", "opt1", "shpsviola"})
            QVERIFY2(!accessibleChild(game, hidden), hidden);
    }

    // What the eye reads at the end, the outcome, the uncovered secret and the question, is
    // said once, as the dialog opens; "&Sì", which has the focus, adds nothing.
    void theEndWindowIsADialogThatSaysTheOutcomeTheSecretAndTheQuestionOnArrival() {
        const auto secret = play::secretOf(game);
        const QString told =
            QStringLiteral("Combinazione: %1, %2, %3, %4. %5")
                .arg(pegs::nameOf(secret[0]), pegs::nameOf(secret[1]), pegs::nameOf(secret[2]),
                     pegs::nameOf(secret[3]), kinds::kQuestion);
        play::win(game);
        support::settle();
        auto* fine = registry->find<windows::frmfine>();
        QVERIFY(fine);
        QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(fine);
        // Which of the two, for each Orca to read the description once, only the Orca tests hear.
        QVERIFY(dialog->role() == QAccessible::Dialog ||
                dialog->role() == QAccessible::AlertMessage);
        QCOMPARE(dialog->text(QAccessible::Description), kinds::kWon + u' ' + told);
        QCOMPARE(dialog->focusChild()->text(QAccessible::Name), QStringLiteral("Sì"));
        QCOMPARE(dialog->focusChild()->text(QAccessible::Description), QString());
        support::click(game, "cmdsoluzione");
        QCOMPARE(dialog->text(QAccessible::Description), told);
    }

    // The start window opens with no button focused, so the window says what its buttons are
    // and which keys press them: as its description, which stays as the focus moves on (Orca 43
    // reads it again each time the window comes back), or as news as it becomes active, which
    // the focus moving on does not repeat.
    void theStartWindowSaysItsButtonsAndTheirKeys() {
        support::click(game, "cmdesci");
        support::settle();
        auto* start = registry->find<windows::frminizio>();
        QVERIFY(start);
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(start);
        QTRY_VERIFY(start->isActiveWindow());
        support::settle();
        const QByteArray said = kinds::kStartSaid.toUtf8();
        QVERIFY(play::holdsNews(window->text(QAccessible::Description), said.constData()));
        support::key(start, Qt::Key_Tab);
        support::settle();
        QVERIFY(
            play::holdsNews(window->text(QAccessible::Description),
                            toolkit::versions::kFrameDescriptionUnread ? "" : said.constData()));
    }

    void theCoverSaysTheCombinationIsHiddenUntilTheSolution() {
        QCOMPARE(spokenName(game, "shpschermo"), QStringLiteral("Combinazione segreta nascosta"));
        QCOMPARE(spokenName(game, "shpn1"), QStringLiteral("<not exposed>"));
        support::click(game, "cmdsoluzione");
        const QString first = pegs::nameOf(play::secretOf(game)[0]);
        QCOMPARE(spokenName(game, "shpn1"), QStringLiteral("Combinazione, colore 1: ") + first);
        QCOMPARE(spokenName(game, "shpschermo"), QStringLiteral("<not exposed>"));
    }

    void buttonsSayTheirCaptionsWithoutTheAmpersand() {
        QAccessibleInterface* form = QAccessible::queryAccessibleInterface(game);
        QStringList names;
        for (int i = 0; i < form->childCount(); ++i)
            if (form->child(i)->role() == QAccessible::Button &&
                qobject_cast<QWidget*>(form->child(i)->object()))
                names << form->child(i)->text(QAccessible::Name);
        names.sort();
        QCOMPARE(names, (QStringList{"Conferma", "Fine", "Ricomincia", "Soluzione"}));
    }

    void swatchesAndFilledHolesShowTheirColourNameAsTooltip() {
        const auto centre = [this](const char* name) {
            return support::centreOf(support::controlOf(game, name));
        };
        QCOMPARE(toolTipAt(game, centre("shpviola")), QStringLiteral("viola"));
        QCOMPARE(toolTipAt(game, centre("shpazzurro")), QStringLiteral("azzurro"));
        QCOMPARE(toolTipAt(game, centre("shp11")), QString());
        support::click(game, "imgviola");
        support::click(game, "img11");
        QCOMPARE(toolTipAt(game, centre("shp11")), QStringLiteral("viola"));
        // The cover hides the secret from the tooltip as from the eye.
        QCOMPARE(toolTipAt(game, centre("shpn2")), QString());
    }
};

QTEST_MAIN(TstAccessibility)
#include "tst_accessibility.moc"
