// tst_colours.cpp: placeholder replaced by the rules tests.
#include <QTest>
class TstColours : public QObject {
    Q_OBJECT
};
QTEST_APPLESS_MAIN(TstColours)
#include "tst_colours.moc"
