#include <QtTest>
class PreferencesTest : public QObject { Q_OBJECT };
QTEST_MAIN(PreferencesTest)
#include "PreferencesTest.moc"
