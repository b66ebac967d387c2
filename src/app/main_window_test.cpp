#include <QTest>
class Dummy : public QObject { Q_OBJECT };
QTEST_MAIN(Dummy)
#include "main_window_test.moc"
