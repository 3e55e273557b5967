// tst_accessibility.cpp: what a screen reader and a tooltip tell a player about the board.
#include "support/gui.h"
#include "toolkit/shape.h"
#include "windows/frmcifrotto.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QToolTip>
#include <QtTest>

using windows::frmcifrotto;

namespace {

QAccessibleInterface* accessibleChild(QWidget* window, const QString& objectName) {
    QAccessibleInterface* form = QAccessible::queryAccessibleInterface(window);
    for (int i = 0; i < form->childCount(); ++i) {
        QAccessibleInterface* child = form->child(i);
        if (child && child->object() && child->object()->objectName() == objectName)
            return child;
    }
    return nullptr;
}

QString nameOf(QWidget* window, const QString& objectName) {
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

class TstAccessibility : public QObject {
    Q_OBJECT

    toolkit::WindowRegistry* registry_ = nullptr;
    frmcifrotto* game_ = nullptr;

private slots:
    void init() {
        registry_ = new toolkit::WindowRegistry;
        game_ = registry_->show<frmcifrotto>();
        QVERIFY(QTest::qWaitForWindowExposed(game_));
    }
    void cleanup() {
        delete registry_;
        support::settle();
    }

    void swatchesAreNamedChoicesSelectedWhileTheirRingShows() {
        QAccessibleInterface* viola = accessibleChild(game_, "imgviola");
        QVERIFY(viola);
        QCOMPARE(viola->text(QAccessible::Name), QStringLiteral("viola"));
        QCOMPARE(viola->role(), QAccessible::RadioButton);
        QVERIFY(!viola->state().selected);
        support::click(game_, "imgviola");
        QVERIFY(viola->state().selected);
        support::click(game_, "imgazzurro");
        QVERIFY(!viola->state().selected);
        QVERIFY(accessibleChild(game_, "imgazzurro")->state().selected);
    }

    void holesSayTheirRowColumnAndColour() {
        QCOMPARE(nameOf(game_, "img11"), QStringLiteral("Riga 1, foro 1: vuoto"));
        QCOMPARE(nameOf(game_, "img124"), QStringLiteral("Riga 12, foro 4: vuoto"));
        support::click(game_, "imglilla");
        support::click(game_, "img13");
        QCOMPARE(nameOf(game_, "img13"), QStringLiteral("Riga 1, foro 3: lilla"));
        QVERIFY(!accessibleChild(game_, "img13")->state().disabled);
        QVERIFY(accessibleChild(game_, "img23")->state().disabled);
    }

    // The accessibility layer can press no more than the mouse can.
    void pressingAHiddenHoleDoesNothing() {
        support::click(game_, "imgrosso");
        QAccessibleInterface* hidden = accessibleChild(game_, "img21");
        hidden->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(game_->board().disc(2, 1), rules::kEmpty);
        QAccessibleInterface* open = accessibleChild(game_, "img11");
        open->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(game_->board().disc(1, 1), rules::kRed);
    }

    void feedbackBlocksSayTheirCountsOnceConfirmed() {
        QCOMPARE(nameOf(game_, "shpp11"),
                 QStringLiteral("Riga 1, risposta: non ancora confermata"));
        // Secret colour 1 in its own column, secret colour 2 in column 3, two absent colours.
        const auto secret = [this](int k) {
            return *rules::codeOfColour(game_->board().secret(k));
        };
        std::vector<int> absent;
        for (int code = 1; code <= rules::kColourCount && absent.size() < 2; ++code)
            if (code != secret(1) && code != secret(2) && code != secret(3) && code != secret(4))
                absent.push_back(code);
        const int row[] = {secret(1), absent[0], secret(2), absent[1]};
        for (int column = 1; column <= 4; ++column) {
            support::click(game_,
                           "img" + QString::fromLatin1(rules::colourOfCode(row[column - 1]).name));
            support::click(game_, QStringLiteral("img1%1").arg(column));
        }
        support::click(game_, "cmdconferma");
        QCOMPARE(nameOf(game_, "shpp11"), QStringLiteral("Riga 1, risposta: 1 rosso, 1 bianco"));
    }

    void theCoverSaysTheCombinationIsHiddenUntilTheSolution() {
        QCOMPARE(nameOf(game_, "shpschermo"), QStringLiteral("Combinazione segreta nascosta"));
        QCOMPARE(nameOf(game_, "shpn1"), QStringLiteral("<not exposed>"));
        support::click(game_, "cmdsoluzione");
        const QString first = QString::fromLatin1(
            rules::colourOfCode(*rules::codeOfColour(game_->board().secret(1))).name);
        QCOMPARE(nameOf(game_, "shpn1"), QStringLiteral("Combinazione, colore 1: ") + first);
        QCOMPARE(nameOf(game_, "shpschermo"), QStringLiteral("<not exposed>"));
    }

    void buttonsSayTheirCaptionsWithoutTheAmpersand() {
        QAccessibleInterface* form = QAccessible::queryAccessibleInterface(game_);
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
            return support::centreOf(support::controlOf(game_, name));
        };
        QCOMPARE(toolTipAt(game_, centre("shpviola")), QStringLiteral("viola"));
        QCOMPARE(toolTipAt(game_, centre("shpazzurro")), QStringLiteral("azzurro"));
        QCOMPARE(toolTipAt(game_, centre("shp11")), QString());
        support::click(game_, "imgviola");
        support::click(game_, "img11");
        QCOMPARE(toolTipAt(game_, centre("shp11")), QStringLiteral("viola"));
        // The cover hides the secret from the tooltip as from the eye.
        QCOMPARE(toolTipAt(game_, centre("shpn2")), QString());
    }
};

QTEST_MAIN(TstAccessibility)
#include "tst_accessibility.moc"
