// tst_frames.cpp: under a real window manager (openbox on Xvfb, see with-openbox.sh), every
// window's outer frame, read from the X server, stands centred from its first frame; the
// game window's 170 twips higher.
#include "windows/flow/flow.h"

#include <QtGui/qguiapplication_platform.h>
#include <QtTest>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace windows;

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_connection_t* x11() {
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// The frame the window manager says it drew: left, right, top, bottom.
std::optional<QMargins> frameExtents(xcb_window_t window) {
    const char name[] = "_NET_FRAME_EXTENTS";
    const Reply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(x11(), xcb_intern_atom(x11(), 1, sizeof name - 1, name), nullptr));
    if (!atom)
        return std::nullopt;
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        x11(), xcb_get_property(x11(), 0, window, atom->atom, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto* side = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(int(side[0]), int(side[2]), int(side[1]), int(side[3]));
}

// The window's client area on the screen, as the X server has it, and the screen's size.
QRect clientOnScreen(xcb_window_t window, QSize* screen) {
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(x11(), xcb_get_geometry(x11(), window), nullptr));
    const Reply<xcb_translate_coordinates_reply_t> at(xcb_translate_coordinates_reply(
        x11(), xcb_translate_coordinates(x11(), window, geometry->root, 0, 0), nullptr));
    const Reply<xcb_get_geometry_reply_t> root(
        xcb_get_geometry_reply(x11(), xcb_get_geometry(x11(), geometry->root), nullptr));
    *screen = QSize(root->width, root->height);
    return {at->dst_x, at->dst_y, geometry->width, geometry->height};
}

} // namespace

class TstFrames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(qGuiApp->nativeInterface<QNativeInterface::QX11Application>(),
                 "this test runs on the xcb platform, under with-openbox.sh");
    }

    void frameIsCentredFromTheFirstFrame_data() { flow::addWindowPlaces(); }
    void frameIsCentredFromTheFirstFrame() {
        QFETCH(QString, kind);
        QFETCH(double, raise);
        play::SeededRegistry registry;
        toolkit::Form* window = flow::reach(registry, kind);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const auto id = static_cast<xcb_window_t>(window->winId());
        std::optional<QMargins> frame;
        QTRY_VERIFY((frame = frameExtents(id)).has_value());
        QVERIFY2(frame->top() > 0, "openbox draws a title bar");

        // Nothing moves the window after it is mapped: where it stands now is where it
        // appeared.
        QSize screen;
        const QRect client = clientOnScreen(id, &screen);
        const QRectF outer = QRectF(client).marginsAdded(QMarginsF(*frame));
        const QPointF offset = outer.center() - QRectF(QPointF(0, 0), screen).center();
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
};

QTEST_MAIN(TstFrames)
#include "tst_frames.moc"
