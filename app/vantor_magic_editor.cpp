#include "vantor_magic_editor.hpp"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QStatusBar>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

#include "box_messages.hpp"
#include "bump_chart.hpp"
#include "bump_table_model.hpp"
#include "checked_item_delegate.hpp"
#include "desktop_services.hpp"
#include "difference_filter.hpp"
#include "file_check.hpp"
#include "file_dialog.hpp"
#include "file_name.hpp"
#include "file_system.hpp"
#include "game_executable.hpp"
#include "guarded.hpp"
#include "integer_text.hpp"
#include "magic_comparison.hpp"
#include "magic_document.hpp"
#include "magic_file_edit.hpp"
#include "magic_values_model.hpp"
#include "text_conversion.hpp"
#include "texts.hpp"
#include "wait_cursor.hpp"

namespace text = vantor::text;
using vantor::BumpEntry;

namespace {

// The rows selected in a view, in the model below any filter, ascending.
std::vector<int> selectedSourceRows(const QTableView& view) {
    std::vector<int> rows;
    const auto* filter = qobject_cast<const QAbstractProxyModel*>(view.model());
    for (const QModelIndex& index : view.selectionModel()->selectedRows()) {
        rows.push_back(filter != nullptr ? filter->mapToSource(index).row() : index.row());
    }
    if (rows.empty() && view.currentIndex().isValid()) {
        const QModelIndex current = view.currentIndex();
        rows.push_back(filter != nullptr ? filter->mapToSource(current).row() : current.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Sizes the columns once to show their contents whole, rather than measuring every row at each
// change, and returns the width the table needs with its frame and scroll bar. Number columns
// leave room for the widest number they may be given; a column of the compared source, empty until
// a comparison starts, for its own side's numbers under the longest name a source can have.
int fitColumns(QTableView& view, std::initializer_list<int> numberColumns, const QString& widestNumber,
               std::initializer_list<std::pair<int, int>> comparedColumns) {
    const QAbstractItemModel& model = *view.model();
    const QFontMetrics metrics = view.fontMetrics();
    const int cellMargin =
        2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1) + 1;
    const auto textWidth = [&](const QString& text) { return metrics.horizontalAdvance(text) + cellMargin; };
    std::vector<int> widths(std::size_t(model.columnCount()));
    for (int column = 0; column < model.columnCount(); ++column) {
        int widest = view.horizontalHeader()->sectionSizeHint(column);
        for (int row = 0; row < model.rowCount(); ++row) {
            widest = std::max(widest, textWidth(model.index(row, column).data().toString()));
        }
        widths[std::size_t(column)] = widest;
    }
    for (const int column : numberColumns) {
        widths[std::size_t(column)] = std::max(widths[std::size_t(column)], textWidth(widestNumber));
    }
    const int longestName = textWidth(qText(text::StockSourceName).arg(vantor::ExeTrackCount));
    for (const auto& [compared, own] : comparedColumns) {
        widths[std::size_t(compared)] = std::max(widths[std::size_t(own)], longestName);
    }
    int width = 2 * view.frameWidth() + view.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &view);
    if (!view.verticalHeader()->isHidden()) {
        width += textWidth(QString::number(model.rowCount() + 10)) + cellMargin;
    }
    for (int column = 0; column < model.columnCount(); ++column) {
        view.horizontalHeader()->resizeSection(column, widths[std::size_t(column)]);
        width += widths[std::size_t(column)];
    }
    return width;
}

void setUpTable(QTableView* view) {
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
}

} // namespace

QString sourceTitle(const vantor::SourceName& name) {
    if (name.kind == vantor::SourceKind::StockData) {
        return qText(text::StockSourceName).arg(name.track);
    }
    return qPath(name.file.filename());
}

TFMagicEditor::TFMagicEditor(vantor::MagicSource source, MagicEditorContext context, QWidget* parent)
    : QMainWindow(parent, Qt::Window)
    , source_(std::move(source))
    , context_(std::move(context))
    , document_(new MagicDocument(source_.block, this))
    , valuesModel_(new MagicValuesModel(*document_, shownDescriptions(), this))
    , valuesFilter_(new DifferenceFilter(this))
    , bumpModel_(new BumpTableModel(*document_, this))
    , valuesDelegate_(new CheckedItemDelegate(this))
    , bumpDelegate_(new CheckedItemDelegate(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    // Edits in the main window while the editor is open would go unseen by it.
    setWindowModality(Qt::ApplicationModal);
    valuesFilter_->setSourceModel(valuesModel_);
    buildViews();
    buildMenu();
    statusBar()->setSizeGripEnabled(true);

    QUndoStack& stack = document_->undoStack();
    connect(&stack, &QUndoStack::cleanChanged, this, &TFMagicEditor::updateTitle);
    connect(document_, &MagicDocument::bumpTableChanged, this,
            [this] { bumpChart->setEntries(document_->bumpTable()); });
    connect(document_, &MagicDocument::comparisonChanged, this, [this] {
        bumpChart->setOtherEntries(document_->other() ? std::optional(document_->otherBumpTable())
                                                      : std::nullopt);
        updateCommands();
    });
    // A view takes its own delegate: a shared one would hand each view the other's editors.
    for (CheckedItemDelegate* delegate : {valuesDelegate_, bumpDelegate_}) {
        connect(delegate, &CheckedItemDelegate::refusalChanged, this,
                [this](const QString& reason) { statusBar()->showMessage(reason); });
    }
    bumpChart->setEntries(document_->bumpTable());
    updateTitle();
    updateCommands();
    showFindings();
    valuesView->setFocus();
    valuesView->setCurrentIndex(valuesFilter_->index(0, MagicValuesModel::Value));
}

TFMagicEditor::~TFMagicEditor() {
    // A cell still being edited is taken as its view goes; the document must outlive the views,
    // and the window, half gone, must not follow.
    disconnect(document_, nullptr, this, nullptr);
    disconnect(&document_->undoStack(), nullptr, this, nullptr);
    delete centralWidget();
}

void TFMagicEditor::takePendingEdit() {
    // Leaving the cell takes a value still being typed, when it can be taken.
    QWidget* focus = QApplication::focusWidget();
    for (QTableView* view : {valuesView, bumpView}) {
        if (focus != nullptr && view->isAncestorOf(focus)) {
            view->setFocus();
        }
    }
}

const vantor::Descriptions& TFMagicEditor::shownDescriptions() const {
    return vantor::descriptionsFor(source_, std::nullopt, context_.descriptions);
}

void TFMagicEditor::buildViews() {
    valuesView = new QTableView;
    valuesView->setModel(valuesFilter_);
    setUpTable(valuesView);
    valuesView->setItemDelegateForColumn(MagicValuesModel::Value, valuesDelegate_);
    valuesView->verticalHeader()->hide();

    bumpLabel = new QLabel(qText(text::BumpTableLabel));
    bumpView = new QTableView;
    bumpView->setModel(bumpModel_);
    setUpTable(bumpView);
    bumpView->setItemDelegate(bumpDelegate_);
    bumpLabel->setBuddy(bumpView);

    addEntryButton = new QPushButton(qText(text::AddEntryButton));
    removeEntryButton = new QPushButton(qText(text::RemoveEntryButton));
    moveUpButton = new QPushButton(qText(text::MoveUpButton));
    moveDownButton = new QPushButton(qText(text::MoveDownButton));
    for (QPushButton* button : {addEntryButton, removeEntryButton, moveUpButton, moveDownButton}) {
        button->setAutoDefault(false);
    }
    connect(addEntryButton, &QPushButton::clicked, this, &TFMagicEditor::addEntry);
    connect(removeEntryButton, &QPushButton::clicked, this, &TFMagicEditor::removeEntries);
    connect(moveUpButton, &QPushButton::clicked, this, [this] { moveEntry(-1); });
    connect(moveDownButton, &QPushButton::clicked, this, [this] { moveEntry(1); });
    bumpChart = new BumpChart;
    connect(bumpView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                bumpChart->setCurrentEntry(current.isValid() ? std::optional(std::size_t(current.row()))
                                                             : std::nullopt);
                updateCommands();
            });

    findingsLabel = new QLabel(qText(text::FindingsLabel));
    findingsList = new QListWidget;
    findingsLabel->setBuddy(findingsList);
    connect(findingsList, &QListWidget::itemActivated, this, &TFMagicEditor::selectFinding);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {addEntryButton, removeEntryButton, moveUpButton, moveDownButton}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* bumpSide = new QWidget;
    auto* bumpLayout = new QVBoxLayout(bumpSide);
    bumpLayout->setContentsMargins(0, 0, 0, 0);
    bumpLayout->addWidget(bumpLabel);
    bumpLayout->addWidget(bumpView, 1);
    bumpLayout->addLayout(buttons);
    bumpLayout->addWidget(bumpChart, 1);

    valuesLabel = new QLabel(qText(text::ValuesLabel));
    valuesLabel->setBuddy(valuesView);
    auto* valuesSide = new QWidget;
    auto* valuesLayout = new QVBoxLayout(valuesSide);
    valuesLayout->setContentsMargins(0, 0, 0, 0);
    valuesLayout->addWidget(valuesLabel);
    valuesLayout->addWidget(valuesView);

    auto* sides = new QSplitter(Qt::Horizontal);
    sides->addWidget(valuesSide);
    sides->addWidget(bumpSide);
    // Every column of the values shows whole, the compared one included; the bump side has the rest.
    const int valuesWidth = fitColumns(*valuesView, {MagicValuesModel::Value}, QString::number(INT32_MIN),
                                       {{MagicValuesModel::OtherValue, MagicValuesModel::Value}});
    const int bumpWidth = fitColumns(*bumpView, {BumpTableModel::First, BumpTableModel::Second},
                                     QString::number(vantor::EndMark - 1),
                                     {{BumpTableModel::OtherFirst, BumpTableModel::First},
                                      {BumpTableModel::OtherSecond, BumpTableModel::Second}});
    sides->setSizes({valuesWidth, bumpWidth});
    sides->setStretchFactor(0, 0);
    sides->setStretchFactor(1, 1);
    sides->setChildrenCollapsible(false);

    auto* findingsSide = new QWidget;
    auto* findingsLayout = new QVBoxLayout(findingsSide);
    findingsLayout->setContentsMargins(0, 0, 0, 0);
    findingsLayout->addWidget(findingsLabel);
    findingsLayout->addWidget(findingsList);

    auto* client = new QWidget;
    auto* layout = new QVBoxLayout(client);
    layout->addWidget(sides, 4);
    layout->addWidget(findingsSide, 1);
    setCentralWidget(client);

    setTabOrder(valuesView, bumpView);
    setTabOrder(bumpView, addEntryButton);
    setTabOrder(addEntryButton, removeEntryButton);
    setTabOrder(removeEntryButton, moveUpButton);
    setTabOrder(moveUpButton, moveDownButton);
    setTabOrder(moveDownButton, findingsList);

    // Room for both tables whole and a chart as wide as the bump table, within the screen.
    const QSize wanted(valuesWidth + bumpWidth + 3 * layout->spacing() +
                           2 * style()->pixelMetric(QStyle::PM_LayoutLeftMargin),
                       fontMetrics().height() * 42);
    resize(wanted.boundedTo(screen()->availableGeometry().size() * 9 / 10));
}

void TFMagicEditor::buildMenu() {
    QUndoStack& stack = document_->undoStack();
    QMenu* file = menuBar()->addMenu(qText(text::EditorFileMenu));
    saveAction =
        file->addAction(qText(text::SaveItem), QKeySequence(Qt::CTRL | Qt::Key_S), this, [this] { save(); });
    saveAsAction =
        file->addAction(qText(text::SaveAsMagicFileItem), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                        this, [this] { saveAsMagicFile(); });
    file->addSeparator();
    closeAction =
        file->addAction(qText(text::CloseItem), QKeySequence(Qt::CTRL | Qt::Key_W), this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(qText(text::EditorEditMenu));
    undoAction = stack.createUndoAction(this, qText(text::UndoItem));
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction = stack.createRedoAction(this, qText(text::RedoItem));
    redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addAction(undoAction);
    edit->addAction(redoAction);
    edit->addSeparator();
    copyFromOtherAction =
        edit->addAction(qText(text::CopyFromOtherItem), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this,
                        &TFMagicEditor::copyFromOther);

    QMenu* compare = menuBar()->addMenu(qText(text::CompareMenu));
    compareAction = compare->addAction(qText(text::CompareWithItem), QKeySequence(Qt::CTRL | Qt::Key_K), this,
                                       &TFMagicEditor::compareWithFile);
    compareStockAction =
        compare->addAction(qText(text::CompareWithStockItem), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K),
                           this, &TFMagicEditor::compareWithStock);
    differencesOnlyAction = compare->addAction(qText(text::DifferencesOnlyItem));
    differencesOnlyAction->setCheckable(true);
    differencesOnlyAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    connect(differencesOnlyAction, &QAction::toggled, valuesFilter_, &DifferenceFilter::setDifferencesOnly);
    compare->addSeparator();
    stopComparingAction =
        compare->addAction(qText(text::StopComparingItem), this, &TFMagicEditor::stopComparing);
}

void TFMagicEditor::updateTitle() {
    QString title = qText(text::MagicEditorTitle) + sourceTitle(source_.name);
    if (!document_->undoStack().isClean()) {
        title += QStringLiteral(" *");
    }
    setWindowTitle(title);
}

void TFMagicEditor::updateCommands() {
    const bool comparing = document_->other().has_value();
    copyFromOtherAction->setEnabled(comparing);
    differencesOnlyAction->setEnabled(comparing);
    stopComparingAction->setEnabled(comparing);
    compareStockAction->setEnabled(vantor::fileExists(context_.gameExePath));
    valuesView->setColumnHidden(MagicValuesModel::OtherValue, !comparing);
    bumpView->setColumnHidden(BumpTableModel::OtherFirst, !comparing);
    bumpView->setColumnHidden(BumpTableModel::OtherSecond, !comparing);
    const int row = currentBumpRow();
    const int entries = int(document_->bumpTable().size());
    removeEntryButton->setEnabled(row >= 0 && row < entries);
    moveUpButton->setEnabled(row > 0 && row < entries);
    moveDownButton->setEnabled(row >= 0 && row + 1 < entries);
}

int TFMagicEditor::currentBumpRow() const {
    const QModelIndex current = bumpView->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TFMagicEditor::selectBumpRow(int row) {
    if (row < 0 || row >= bumpModel_->rowCount()) {
        return;
    }
    const QModelIndex index = bumpModel_->index(row, BumpTableModel::First);
    bumpView->setCurrentIndex(index);
    bumpView->selectionModel()->select(index,
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    updateCommands();
}

void TFMagicEditor::addEntry() {
    // A new entry goes behind the current one, as a copy of it, so that a table can be extended
    // in small steps; in an empty table it starts at zero.
    std::vector<BumpEntry> table = document_->bumpTable();
    const int row = currentBumpRow();
    const auto at = std::size_t(row >= 0 && row < int(table.size()) ? row + 1 : int(table.size()));
    const BumpEntry entry = at > 0 ? table[at - 1] : BumpEntry{0, 0};
    table.insert(table.begin() + std::ptrdiff_t(at), entry);
    document_->editBumpTable(std::move(table), qText(text::AddEntryStep));
    selectBumpRow(int(at));
}

void TFMagicEditor::removeEntries() {
    std::vector<BumpEntry> table = document_->bumpTable();
    std::vector<int> rows = selectedSourceRows(*bumpView);
    std::erase_if(rows, [&table](int row) { return row >= int(table.size()); });
    if (rows.empty()) {
        return;
    }
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        table.erase(table.begin() + *row);
    }
    document_->editBumpTable(std::move(table), qText(text::RemoveEntryStep));
    selectBumpRow(std::min(rows.front(), int(document_->bumpTable().size()) - 1));
}

void TFMagicEditor::moveEntry(int step) {
    std::vector<BumpEntry> table = document_->bumpTable();
    const int row = currentBumpRow();
    const int target = row + step;
    if (row < 0 || row >= int(table.size()) || target < 0 || target >= int(table.size())) {
        return;
    }
    std::swap(table[std::size_t(row)], table[std::size_t(target)]);
    document_->editBumpTable(std::move(table), qText(text::MoveEntryStep));
    selectBumpRow(target);
}

void TFMagicEditor::copyFromOther() {
    const auto& other = document_->other();
    if (!other) {
        return;
    }
    if (bumpView->hasFocus()) {
        // Rows the other table has are copied (added where this one is shorter); rows it lacks
        // are removed.
        const std::vector<BumpEntry> theirs = document_->otherBumpTable();
        std::vector<BumpEntry> table = document_->bumpTable();
        std::vector<int> drop;
        for (const int row : selectedSourceRows(*bumpView)) {
            const auto index = std::size_t(row);
            if (index >= theirs.size()) {
                drop.push_back(row);
            } else {
                while (table.size() <= index) {
                    table.push_back(theirs[table.size()]);
                }
                table[index] = theirs[index];
            }
        }
        for (auto row = drop.rbegin(); row != drop.rend(); ++row) {
            if (std::size_t(*row) < table.size()) {
                table.erase(table.begin() + *row);
            }
        }
        document_->editBumpTable(std::move(table), qText(text::CopyFromOtherStep));
        return;
    }
    std::vector<std::pair<int, std::int32_t>> values;
    for (const int row : selectedSourceRows(*valuesView)) {
        const int number = MagicValuesModel::numberOf(row);
        values.emplace_back(number, other->value(number));
    }
    document_->editValues(values, qText(text::CopyFromOtherStep));
}

void TFMagicEditor::showFindings() {
    findingsList->clear();
    if (source_.name.kind == vantor::SourceKind::StockData) {
        findingsLabel->hide();
        findingsList->hide();
        return;
    }
    std::vector<vantor::Finding> findings;
    runGuarded(this, [this, &findings] {
        findings = vantor::checkFileContents(vantor::readFile(source_.name.file), source_.name.given);
    });
    for (const vantor::Finding& finding : findings) {
        QString shown =
            qText(vantor::severityName(finding.severity)) + QStringLiteral(": ") + qText(finding.message);
        if (finding.line) {
            shown = qText(text::LineFinding).arg(*finding.line) + shown;
        }
        auto* item = new QListWidgetItem(shown, findingsList);
        item->setToolTip(shown);
        if (finding.line) {
            item->setData(Qt::UserRole, *finding.line);
        }
    }
    if (findings.empty()) {
        new QListWidgetItem(qText(text::NoFindings), findingsList);
    }
}

void TFMagicEditor::selectFinding(QListWidgetItem* item) {
    const QVariant line = item->data(Qt::UserRole);
    if (!line.isValid()) {
        return;
    }
    const int number = line.toInt() - vantor::ValueLineOffset;
    if (number >= 1 && number <= vantor::MagicValueCount) {
        // A filtered table may hide the row.
        differencesOnlyAction->setChecked(false);
        const QModelIndex index = valuesFilter_->mapFromSource(
            valuesModel_->index(MagicValuesModel::rowOf(number), MagicValuesModel::Value));
        valuesView->setCurrentIndex(index);
        valuesView->scrollTo(index);
        valuesView->setFocus();
        return;
    }
    const int entry = line.toInt() - vantor::FirstBumpLine;
    if (entry >= 0 && entry < bumpModel_->rowCount()) {
        selectBumpRow(entry);
        bumpView->scrollTo(bumpView->currentIndex());
        bumpView->setFocus();
    }
}

bool TFMagicEditor::save() {
    takePendingEdit();
    if (source_.name.kind == vantor::SourceKind::StockData) {
        return saveAsMagicFile();
    }
    bool saved = false;
    runGuarded(this, [this, &saved] {
        const WaitCursor wait;
        const vantor::MagicBlock block = document_->block();
        BoxMessages messages(this);
        if (source_.name.kind == vantor::SourceKind::TrackFile) {
            // Saving over a block that another program changed since it was read would undo that
            // change.
            const auto unlessChanged =
                [&](const vantor::MagicBlock& current) -> std::optional<std::vector<std::uint8_t>> {
                if (!vantor::compareBlocks(current, source_.block).equal()) {
                    messages.show(vantor::MessageKind::Error, text::TrackMagicDataChanged);
                    return std::nullopt;
                }
                return block.markedForm();
            };
            saved = vantor::EditMagicBlock(source_.name.file, context_.backup(), messages, unlessChanged) ==
                    vantor::InsertResult::Inserted;
        } else {
            saved = saveMagicFileInPlace(block, messages);
        }
    });
    if (saved) {
        source_.block = document_->block();
        document_->undoStack().setClean();
        statusBar()->showMessage(qText(text::Saved));
        showFindings();
    }
    return saved;
}

// Only what differs from the file as it now reads is written, so that every other line of it stays
// byte for byte.
bool TFMagicEditor::saveMagicFileInPlace(const vantor::MagicBlock& block, vantor::Messages& messages) {
    const vantor::SourceLoad current = vantor::loadSource(source_.name);
    if (!current.source) {
        messages.show(vantor::MessageKind::Error, current.refusal);
        return false;
    }
    if (!vantor::compareBlocks(current.source->block, source_.block).equal()) {
        messages.show(vantor::MessageKind::Error, text::MagicFileChanged);
        return false;
    }
    std::vector<vantor::ValueChange> changes;
    for (const vantor::ValueDifference& difference :
         vantor::compareBlocks(block, current.source->block).values) {
        changes.push_back({difference.number, difference.a});
    }
    std::optional<std::vector<BumpEntry>> table;
    if (bumpTableOf(current.source->block) != document_->bumpTable()) {
        table = document_->bumpTable();
    }
    return vantor::SetMagicFileValues(source_.name.file, changes, table, messages) ==
           vantor::EditResult::Changed;
}

bool TFMagicEditor::saveAsMagicFile() {
    takePendingEdit();
    const auto target = DesktopServices::current().saveFileName(this, qText(text::SaveMagicTitle),
                                                                qtFileFilter(qText(text::MagicFileFilter)),
                                                                qText(text::MagicFileExtension));
    if (!target) {
        return false;
    }
    bool saved = false;
    runGuarded(this, [this, &target, &saved] {
        const WaitCursor wait;
        const vantor::MagicBlock block = document_->block();
        vantor::WriteMagicFile(block, shownDescriptions(), toPath(*target));
        // From now on the editor works on the file written.
        source_ = vantor::MagicSource{
            {vantor::SourceKind::MagicFile, toPath(*target), 0, localFileName(*target)}, block, std::nullopt};
        saved = true;
    });
    if (saved) {
        document_->undoStack().setClean();
        updateTitle();
        statusBar()->showMessage(qText(text::Saved));
        showFindings();
    }
    return saved;
}

void TFMagicEditor::compareWith(const vantor::SourceName& name) {
    runGuarded(this, [this, &name] {
        // A refusal is told under the normal cursor.
        const vantor::SourceLoad load = [&name] {
            const WaitCursor wait;
            return vantor::loadSource(name);
        }();
        if (!load.source) {
            BoxMessages(this).show(vantor::MessageKind::Error, load.refusal);
            return;
        }
        document_->compareWith(load.source->block, sourceTitle(name));
    });
}

void TFMagicEditor::compareWithFile() {
    const auto chosen = DesktopServices::current().openFileName(
        this, qText(text::CompareWithCaption), qFileName(vantor::folderPart(source_.name.given)), QString(),
        qtFileFilter(qText(text::CompareFileFilter)));
    if (!chosen) {
        return;
    }
    const std::filesystem::path file = toPath(*chosen);
    compareWith(
        {vantor::isMagicFileName(file) ? vantor::SourceKind::MagicFile : vantor::SourceKind::TrackFile, file,
         0, localFileName(*chosen)});
}

void TFMagicEditor::compareWithStock() {
    if (!vantor::fileExists(context_.gameExePath)) {
        return;
    }
    const auto reply =
        DesktopServices::current().inputText(this, qText(text::CompareWithStockCaption),
                                             qText(text::StockTrackPrompt), qText(text::StockTrackDefault));
    if (!reply) {
        return;
    }
    const auto track = vantor::parseInteger(localFileName(*reply));
    // As in the stock data command, a number that names no track does nothing.
    if (!track || *track < 1 || *track > vantor::ExeTrackCount) {
        return;
    }
    compareWith({vantor::SourceKind::StockData, context_.gameExePath, *track,
                 context_.gameExePath + '@' + std::to_string(*track)});
}

void TFMagicEditor::stopComparing() {
    differencesOnlyAction->setChecked(false);
    document_->compareWith(std::nullopt, QString());
}

void TFMagicEditor::closeEvent(QCloseEvent* event) {
    takePendingEdit();
    if (!document_->undoStack().isClean()) {
        const auto answer = DesktopServices::current().askQuestion(
            this, qText(text::MagicEditorCaption),
            qText(text::UnsavedChangesText).arg(sourceTitle(source_.name)),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !save())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}
