// tst_frames.cpp: under a window manager (openbox on Xvfb, see with-openbox.sh, or the fake one
// with uneven borders when X11_FRAMES_FAKE_WM is set), every window's outer frame, read from
// the X server, stands centred from its first frame, and none is another's transient; the game
// window's 170 twips higher.
#include "fake_window_manager.h"
#include "placement_watch.h"
#include "windows/flow/flow.h"

#include <QTest>
#include <QtGui/qguiapplication_platform.h>

#include <memory>

using namespace windows;

// The fake window manager's borders: each of a different width, so that one taken for
// another misplaces the window.
constexpr QMargins kUnevenFrame(2, 24, 13, 5);

class TstFrames : public QObject {
    Q_OBJECT
    std::unique_ptr<FakeWindowManager> fake_;
    std::unique_ptr<PlacementWatch> watch_;

private slots:
    void initTestCase() {
        QVERIFY2(qGuiApp->nativeInterface<QNativeInterface::QX11Application>(),
                 "this test runs on the xcb platform, under with-openbox.sh");
        if (qEnvironmentVariableIsSet("X11_FRAMES_FAKE_WM")) {
            fake_ = std::make_unique<FakeWindowManager>(kUnevenFrame);
            QVERIFY2(fake_->manages(), "another window manager holds the display");
        }
        watch_ = std::make_unique<PlacementWatch>(
            qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection());
    }

    // At the opening size and at the zoom the player chose, whose raise is as enlarged.
    void frameIsCentredFromTheFirstFrame_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("raise");
        QTest::addColumn<double>("zoom");
        for (const double zoom : {1.0, 1.5})
            for (const auto& [kind, raise] : {std::pair(kinds::kStart, 0.0),
                                              {kinds::kRules, 0.0},
                                              {kinds::kEnd, 0.0},
                                              {kinds::kGame, 170.0 / 15}})
                QTest::addRow("%s at %g", qPrintable(kind), zoom) << kind << raise * zoom << zoom;
    }
    void frameIsCentredFromTheFirstFrame() {
        QFETCH(QString, kind);
        QFETCH(double, raise);
        QFETCH(double, zoom);
        play::SeededRegistry registry;
        support::chooseZoom(registry, zoom);
        toolkit::Form* window = flow::reachShown(registry, kind);
        QVERIFY(window);
        support::settle();
        const auto id = static_cast<xcb_window_t>(window->winId());
        std::optional<QMargins> frame;
        QTRY_VERIFY((frame = watch_->frameExtents(id)).has_value());
        QVERIFY2(frame->top() > 0, "the window manager draws a title bar");
        if (fake_)
            QCOMPARE(*frame, kUnevenFrame);
        // Here the game places every window itself: a transient parent is the end window's
        // way to stay in sight on Wayland alone.
        QCOMPARE(window->windowHandle()->transientParent(), nullptr);

        // Where it stands now is where it appeared.
        const QStringList moves = watch_->movesAfterMapping(id);
        QVERIFY2(moves.isEmpty(), qPrintable("moved after it was mapped: " + moves.join(", ")));
        const QRect client = watch_->clientOnScreen(id);
        const QRectF outer = QRectF(client).marginsAdded(QMarginsF(*frame));
        const QPointF offset =
            outer.center() - QRectF(QPointF(0, 0), QSizeF(watch_->screenSize())).center();
        QVERIFY2(qAbs(offset.x()) <= 1.0 && qAbs(offset.y() + raise) <= 1.0,
                 qPrintable(QStringLiteral("client %1,%2 %3x%4, frame %5 %6 %7 %8: centre off "
                                           "by %9, %10")
                                .arg(client.x())
                                .arg(client.y())
                                .arg(client.width())
                                .arg(client.height())
                                .arg(frame->left())
                                .arg(frame->top())
                                .arg(frame->right())
                                .arg(frame->bottom())
                                .arg(offset.x())
                                .arg(offset.y() + raise)));
    }

    // The window manager's maximise enlarges the board to the screen: the whole layout at the
    // largest zoom that fits, as the X server shows it; restored, no request makes the window
    // smaller than it opened.
    void maximiseEnlargesTheBoardAndNothingShrinksIt() {
        if (fake_)
            QSKIP("the fake window manager knows no maximise");
        play::SeededRegistry registry;
        toolkit::Form* game = flow::reachShown(registry, kinds::kGame);
        QVERIFY(game);
        const QSize opening = game->size();
        QTRY_VERIFY(game->maximumWidth() > opening.width());
        // As the title bar's button would, through the window manager.
        game->showMaximized();
        const auto id = static_cast<xcb_window_t>(game->winId());
        QTRY_VERIFY(game->height() > opening.height() * 1.5);
        QCOMPARE(watch_->clientOnScreen(id).size(), game->size());
        const std::optional<toolkit::Zoom> zoom = support::fittedZoom(game);
        QVERIFY(zoom);
        const auto shown = [game](QPointF at) {
            return game->screen()->grabWindow(game->winId()).toImage().pixelColor(at.toPoint());
        };
        const QRectF disc = support::zoomed({2040 + 3 * 480, 840, 375, 375}, *zoom);
        QTRY_VERIFY(support::looksEmpty(shown(disc.center())));
        const QRectF swatch = support::zoomed({360, 1080, 375, 375}, *zoom);
        QTRY_COMPARE(shown(swatch.center()), QColor(Qt::white));
        QCOMPARE(shown({swatch.left() / 2, swatch.center().y()}), support::rgb(0x80C0FF));

        game->showNormal();
        QTRY_COMPARE(game->size(), opening);
        auto* x = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        const uint32_t tiny[] = {100, 100};
        xcb_configure_window(x, id, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, tiny);
        xcb_flush(x);
        QTest::qWait(300);
        QCOMPARE(game->size(), opening);
    }
};

QTEST_MAIN(TstFrames)
#include "tst_frames.moc"
