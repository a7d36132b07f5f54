#include "magic_values_model.hpp"

#include <QSignalSpy>
#include <QTest>

#include "difference_filter.hpp"
#include "magic_document.hpp"
#include "track_fixture.hpp"

using namespace vantor::testing;

namespace {

// A document over a block of two bump entries, its model and the filter the editor puts between.
struct Fixture {
    vantor::MagicBlock original = blockWithEntries(2, 3);
    vantor::Descriptions descriptions = [] {
        vantor::Descriptions d;
        d[0] = "Grip";
        d[129] = "Last one";
        return d;
    }();
    MagicDocument document{original};
    MagicValuesModel model{document, descriptions};
    DifferenceFilter filter;

    Fixture() { filter.setSourceModel(&model); }

    QModelIndex valueCell(int number) {
        return model.index(MagicValuesModel::rowOf(number), MagicValuesModel::Value);
    }
    QString shown(int number, int column) {
        return model.index(MagicValuesModel::rowOf(number), column).data().toString();
    }
};

} // namespace

class MagicValuesModelTest : public QObject {
    Q_OBJECT

private slots:
    // One row a value: its number, description, value and encoding with range; only the value
    // can be edited.
    void showsEveryValueWithItsEncoding_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("description");
        QTest::newRow("first biased byte") << 1 << "biased byte, -151 to 104"
                                           << "Grip";
        QTest::newRow("first signed 32-bit") << 25 << "signed 32-bit, -2147483648 to 2147483647"
                                             << "";
        QTest::newRow("second run of biased bytes") << 33 << "biased byte, -151 to 104"
                                                    << "";
        QTest::newRow("plain byte") << 36 << "plain byte, 0 to 255"
                                    << "";
        QTest::newRow("unsigned 16-bit") << 37 << "unsigned 16-bit, 0 to 65535"
                                         << "";
        QTest::newRow("signed 32-bit run") << 77 << "signed 32-bit, -2147483648 to 2147483647"
                                           << "";
        QTest::newRow("last") << 130 << "unsigned 16-bit, 0 to 65535"
                              << "Last one";
    }
    void showsEveryValueWithItsEncoding() {
        QFETCH(int, number);
        QFETCH(QString, encoding);
        QFETCH(QString, description);
        Fixture f;
        QCOMPARE(f.model.rowCount(), 130);
        QCOMPARE(f.shown(number, MagicValuesModel::Number), QString::number(number));
        QCOMPARE(f.shown(number, MagicValuesModel::Description), description);
        QCOMPARE(f.shown(number, MagicValuesModel::Value), QString::number(f.original.value(number)));
        QCOMPARE(f.shown(number, MagicValuesModel::Encoding), encoding);
        QVERIFY(f.shown(number, MagicValuesModel::OtherValue).isEmpty());
        for (int column = 0; column < MagicValuesModel::ColumnCount; ++column) {
            const bool editable = f.model.flags(f.model.index(MagicValuesModel::rowOf(number), column))
                                      .testFlag(Qt::ItemIsEditable);
            QCOMPARE(editable, column == MagicValuesModel::Value);
        }
    }

    // What the encoding can hold is taken, as decimal or in hexadecimal; anything else is refused
    // with the reason and leaves the value, and the block's bytes, as they were.
    void editsWithinTheRangeOnly_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("reason");
        QTest::newRow("biased byte top") << 7 << "104" << true << 104 << "";
        QTest::newRow("biased byte bottom") << 7 << "-151" << true << -151 << "";
        QTest::newRow("biased byte above")
            << 7 << "120" << false << 0 << "value 7 = 120 is outside -151 to 104, the range of a biased byte";
        QTest::newRow("biased byte below") << 7 << "-152" << false << 0 << "value 7 = -152 is outside";
        QTest::newRow("plain byte top") << 35 << "255" << true << 255 << "";
        QTest::newRow("plain byte negative")
            << 35 << "-1" << false << 0 << "value 35 = -1 is outside 0 to 255";
        QTest::newRow("unsigned 16-bit top in hexadecimal") << 40 << "$FFFF" << true << 65535 << "";
        QTest::newRow("unsigned 16-bit above")
            << 40 << "65536" << false << 0 << "value 40 = 65536 is outside";
        QTest::newRow("signed 32-bit bottom") << 25 << "-2147483648" << true << int(INT32_MIN) << "";
        QTest::newRow("beyond 32 bits") << 25 << "2147483648" << false << 0 << "is not a whole number";
        QTest::newRow("trailing letters") << 7 << "12abc" << false << 0 << "\"12abc\" is not a whole number";
        QTest::newRow("empty") << 7 << "" << false << 0 << "\"\" is not a whole number";
        QTest::newRow("trailing blank") << 7 << "12 " << false << 0 << "is not a whole number";
    }
    void editsWithinTheRangeOnly() {
        QFETCH(int, number);
        QFETCH(QString, typed);
        QFETCH(bool, taken);
        QFETCH(int, stored);
        QFETCH(QString, reason);
        Fixture f;
        const QModelIndex cell = f.valueCell(number);
        const QString refusal = f.model.refusal(cell, typed);
        QCOMPARE(refusal.isEmpty(), taken);
        QVERIFY2(refusal.startsWith(reason) || refusal.contains(reason), qPrintable(refusal));

        QCOMPARE(f.model.setData(cell, typed), taken);

        if (taken) {
            QCOMPARE(f.document.value(number), stored);
            QCOMPARE(f.document.block().value(number), stored);
            QCOMPARE(f.document.undoStack().count(), 1);
        } else {
            QCOMPARE(f.document.block().bytes(), f.original.bytes());
            QCOMPARE(f.document.undoStack().count(), 0);
        }
    }

    // Every edit is one step: undone and redone in turn, the stack clean again at the start; a
    // value typed over itself is no step.
    void undoesAndRedoesEachEdit() {
        Fixture f;
        QUndoStack& stack = f.document.undoStack();
        QVERIFY(f.model.setData(f.valueCell(1), "-5"));
        QVERIFY(f.model.setData(f.valueCell(37), "1234"));
        QVERIFY(f.model.setData(f.valueCell(1), "9"));
        QVERIFY(f.model.setData(f.valueCell(37), "1234"));
        QCOMPARE(stack.count(), 3);
        QCOMPARE(stack.undoText(), QStringLiteral("Change value 1"));
        QVERIFY(!stack.isClean());

        stack.undo();
        QCOMPARE(f.shown(1, MagicValuesModel::Value), QStringLiteral("-5"));
        stack.undo();
        QCOMPARE(f.document.value(37), f.original.value(37));
        stack.undo();
        QCOMPARE(f.document.block().bytes(), f.original.bytes());
        QVERIFY(stack.isClean());

        stack.redo();
        stack.redo();
        QCOMPARE(f.document.value(1), -5);
        QCOMPARE(f.document.value(37), 1234);
        QVERIFY(!stack.isClean());
    }

    // Compared, the other source's values show beside; the rows that differ are marked, and
    // "differences only" keeps just them, following edits and the end of the comparison.
    void comparesAndFiltersTheDifferences() {
        Fixture f;
        vantor::MagicBlock other = f.original;
        other.setValue(2, -100);
        other.setValue(50, 7);
        other.setValue(130, 65000);
        QSignalSpy headers(&f.model, &QAbstractItemModel::headerDataChanged);
        f.document.compareWith(other, "KX7_2000.EXE track 5");
        QCOMPARE(headers.count(), 1);
        QCOMPARE(f.model.headerData(MagicValuesModel::OtherValue, Qt::Horizontal).toString(),
                 QStringLiteral("KX7_2000.EXE track 5"));
        QCOMPARE(f.shown(50, MagicValuesModel::OtherValue), QStringLiteral("7"));

        QList<int> differing;
        for (int row = 0; row < f.model.rowCount(); ++row) {
            const QModelIndex cell = f.model.index(row, MagicValuesModel::Description);
            if (cell.data(CheckedTableModel::DiffersRole).toBool()) {
                differing << MagicValuesModel::numberOf(row);
                QVERIFY(cell.data(Qt::BackgroundRole).isValid());
            } else {
                QVERIFY(!cell.data(Qt::BackgroundRole).isValid());
            }
        }
        QCOMPARE(differing, QList<int>({2, 50, 130}));

        QCOMPARE(f.filter.rowCount(), 130);
        f.filter.setDifferencesOnly(true);
        QCOMPARE(f.filter.rowCount(), 3);
        QCOMPARE(f.filter.index(1, MagicValuesModel::Number).data().toInt(), 50);

        // Made equal, a row leaves the filtered table; undone, it comes back.
        QVERIFY(f.model.setData(f.valueCell(50), "7"));
        QCOMPARE(f.filter.rowCount(), 2);
        f.document.undoStack().undo();
        QCOMPARE(f.filter.rowCount(), 3);
        // An edit through the filter reaches the value it shows.
        QVERIFY(f.filter.setData(f.filter.index(0, MagicValuesModel::Value), "-100"));
        QCOMPARE(f.document.value(2), -100);
        QCOMPARE(f.filter.rowCount(), 2);

        f.filter.setDifferencesOnly(false);
        f.document.compareWith(std::nullopt, QString());
        QCOMPARE(f.filter.rowCount(), 130);
        QVERIFY(f.shown(50, MagicValuesModel::OtherValue).isEmpty());
        QVERIFY(
            !f.model.index(MagicValuesModel::rowOf(130), 0).data(CheckedTableModel::DiffersRole).toBool());
    }

    // Values copied from the other source are one step, undone together.
    void copiesFromTheOtherInOneStep() {
        Fixture f;
        vantor::MagicBlock other = f.original;
        other.setValue(3, 50);
        other.setValue(90, -7);
        f.document.compareWith(other, "other.md2");
        f.document.editValues({{3, 50}, {90, -7}, {4, other.value(4)}}, "Copy from the other");
        QCOMPARE(f.document.undoStack().count(), 1);
        QCOMPARE(f.document.block().bytes(), other.bytes());
        QVERIFY(!f.model.index(MagicValuesModel::rowOf(3), 0).data(CheckedTableModel::DiffersRole).toBool());
        f.document.undoStack().undo();
        QCOMPARE(f.document.block().bytes(), f.original.bytes());
        QVERIFY(f.model.index(MagicValuesModel::rowOf(90), 0).data(CheckedTableModel::DiffersRole).toBool());
    }
};

QTEST_MAIN(MagicValuesModelTest)
#include "magic_values_model_test.moc"
