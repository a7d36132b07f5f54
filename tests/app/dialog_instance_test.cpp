#include "dialog_instance.hpp"

#include <QTest>

namespace {

// Counts how many were made and how many are alive.
struct Counted {
    static inline int made = 0;
    static inline int alive = 0;
    Counted() {
        ++made;
        ++alive;
    }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
    ~Counted() { --alive; }
};

} // namespace

class DialogInstanceTest : public QObject {
    Q_OBJECT

private slots:
    // Nothing is made before the first use; every use after it gets the same one, texts and all;
    // the end of the run destroys it.
    void madeAtFirstUseThenKept() {
        Counted::made = 0;
        Counted::alive = 0;
        DialogInstance<Counted> instance;
        QVERIFY(instance == nullptr);
        instance.makeWhenUsed([] { return std::make_unique<Counted>(); });
        QVERIFY(instance != nullptr);
        QCOMPARE(Counted::made, 0);
        Counted* first = &*instance;
        QCOMPARE(instance.operator->(), first);
        QCOMPARE(Counted::made, 1);
        instance = nullptr;
        QCOMPARE(Counted::alive, 0);
        QVERIFY(instance == nullptr);
    }

    void aDialogOfSomeoneElseIsUsedAndNotDestroyed() {
        Counted::alive = 0;
        Counted own;
        DialogInstance<Counted> instance;
        instance = &own;
        QCOMPARE(&*instance, &own);
        instance = nullptr;
        QCOMPARE(Counted::alive, 1);
    }
};

QTEST_MAIN(DialogInstanceTest)
#include "dialog_instance_test.moc"
