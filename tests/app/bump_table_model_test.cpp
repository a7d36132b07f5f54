#include "bump_table_model.hpp"

#include <QTest>

#include "magic_document.hpp"
#include "track_fixture.hpp"

using namespace vantor::testing;
using vantor::BumpEntry;

namespace {

struct Fixture {
    vantor::MagicBlock original = blockWithEntries(3, 2);
    MagicDocument document{original};
    BumpTableModel model{document};

    QString shown(int row, int column) { return model.index(row, column).data().toString(); }
};

} // namespace

class BumpTableModelTest : public QObject {
    Q_OBJECT

private slots:
    void showsOneEntryARow() {
        Fixture f;
        QCOMPARE(f.model.rowCount(), 3);
        for (int row = 0; row < 3; ++row) {
            const BumpEntry entry = f.original.bumpEntry(std::size_t(row));
            QCOMPARE(f.shown(row, BumpTableModel::First), QString::number(entry.first));
            QCOMPARE(f.shown(row, BumpTableModel::Second), QString::number(entry.second));
            QVERIFY(f.model.flags(f.model.index(row, BumpTableModel::First)).testFlag(Qt::ItemIsEditable));
            QVERIFY(
                !f.model.flags(f.model.index(row, BumpTableModel::OtherFirst)).testFlag(Qt::ItemIsEditable));
        }
    }

    // 0 to 65534 is taken; 65535 would end the table when read back and is refused like any number
    // outside 16 bits or a text that is no number.
    void editsAnEntryWithinItsRange_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("stored");
        QTest::newRow("largest") << "65534" << true << 65534;
        QTest::newRow("zero") << "0" << true << 0;
        QTest::newRow("hexadecimal") << "0x10" << true << 16;
        QTest::newRow("end mark") << "65535" << false << 0;
        QTest::newRow("end mark in hexadecimal") << "$FFFF" << false << 0;
        QTest::newRow("beyond 16 bits") << "65536" << false << 0;
        QTest::newRow("negative") << "-1" << false << 0;
        QTest::newRow("letters") << "12x" << false << 0;
    }
    void editsAnEntryWithinItsRange() {
        QFETCH(QString, typed);
        QFETCH(bool, taken);
        QFETCH(int, stored);
        Fixture f;
        const QModelIndex cell = f.model.index(1, BumpTableModel::Second);
        QCOMPARE(f.model.refusal(cell, typed).isEmpty(), taken);
        QCOMPARE(f.model.setData(cell, typed), taken);
        if (!taken) {
            QCOMPARE(f.document.block().bytes(), f.original.bytes());
            return;
        }
        QCOMPARE(int(f.document.bumpTable()[1].second), stored);
        QCOMPARE(f.document.bumpTable()[1].first, f.original.bumpEntry(1).first);
        QCOMPARE(f.document.undoStack().undoText(), QStringLiteral("Change bump entry 2"));
        f.document.undoStack().undo();
        QCOMPARE(f.document.block().bytes(), f.original.bytes());
    }

    // Compared with a longer table, every entry of either has a row; the rows beyond this table
    // have empty cells that cannot be edited, and every row that differs is marked.
    void comparesWithALongerTable() {
        Fixture f;
        vantor::MagicBlock other = f.original;
        std::vector<BumpEntry> theirs = bumpTableOf(f.original);
        theirs[0].second = 999;
        theirs.push_back({5000, 6});
        other.setBumpTable(theirs);
        f.document.compareWith(other, "b.md2");
        QCOMPARE(f.model.rowCount(), 4);
        QCOMPARE(f.shown(3, BumpTableModel::OtherFirst), QStringLiteral("5000"));
        QVERIFY(f.shown(3, BumpTableModel::First).isEmpty());
        QVERIFY(!f.model.flags(f.model.index(3, BumpTableModel::First)).testFlag(Qt::ItemIsEditable));
        QVERIFY(!f.model.setData(f.model.index(3, BumpTableModel::First), "1"));
        QList<bool> differs;
        for (int row = 0; row < 4; ++row) {
            differs << f.model.index(row, 0).data(CheckedTableModel::DiffersRole).toBool();
        }
        QCOMPARE(differs, QList<bool>({true, false, false, true}));
        QVERIFY(f.model.headerData(BumpTableModel::OtherSecond, Qt::Horizontal).toString().contains("b.md2"));

        // The whole table replaced in one step, as a copy of the other does.
        f.document.editBumpTable(theirs, "Copy from the other");
        QCOMPARE(f.model.rowCount(), 4);
        QVERIFY(!f.model.index(3, 0).data(CheckedTableModel::DiffersRole).toBool());
        f.document.undoStack().undo();
        QCOMPARE(f.document.bumpTable(), bumpTableOf(f.original));

        f.document.compareWith(std::nullopt, QString());
        QCOMPARE(f.model.rowCount(), 3);
    }
};

QTEST_MAIN(BumpTableModelTest)
#include "bump_table_model_test.moc"
