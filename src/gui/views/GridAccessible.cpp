// A calendar grid as assistive technology sees it: a table whose cells carry
// the names and descriptions the grid's speech gives (a day's date and texts),
// whose header rows are column headers, and whose current cell has the focus
// while the grid has it. The grid widget reports focus moves; this answers
// the questions of a screen reader.
#include <QAccessibleWidget>
#include <QPointer>
#include <unordered_map>

#include "gui/views/GridWidget.h"

namespace varnel {
namespace {

class GridTableAccessible;

// One cell; made on first request and kept by the table, so a screen reader
// sees the same object for the same cell.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCellAccessible(GridWidget* grid, int row, int col) : grid_(grid), row_(row), col_(col) {}

    bool isValid() const override { return grid_ && grid_->Model() && row_ < grid_->Model()->Rows() && col_ < grid_->Model()->Cols(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return table(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        const CellSpeech speech = grid_->SpeechAt(row_, col_);
        if (t == QAccessible::Name) return QString::fromStdString(speech.name);
        if (t == QAccessible::Description) return QString::fromStdString(speech.description);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect cell = grid_->CellRect(row_, col_);
        return QRect(grid_->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return IsHeader() ? QAccessible::ColumnHeader : QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const GridCell& cell = grid_->Model()->Cell(row_, col_);
        s.readOnly = true;
        s.invisible = !grid_->isVisible();
        if (grid_->SelectionShown() && !IsHeader()) {
            s.focusable = true;
            s.selectable = true;
            s.selected = isSelected();
            s.focused = s.selected && grid_->hasFocus();
        }
        if (cell.check != CheckState::None) {
            s.checkable = true;
            s.checked = cell.check == CheckState::Checked;
        }
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isSelected() const override { return grid_ && grid_->SelectionShown() && grid_->Row() == row_ && grid_->Col() == col_; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return col_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return grid_ ? QAccessible::queryAccessibleInterface(grid_) : nullptr; }

private:
    bool IsHeader() const { return grid_ && row_ < grid_->FixedRows(); }

    QPointer<GridWidget> grid_;
    int row_;
    int col_;
};

class GridTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridTableAccessible(GridWidget* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~GridTableAccessible() override {
        for (const auto& [index, id] : cells_) QAccessible::deleteAccessibleInterface(id);
    }

    GridWidget* Grid() const { return static_cast<GridWidget*>(widget()); }
    int Rows() const { return Grid()->Model() ? Grid()->Model()->Rows() : 0; }
    int Cols() const { return Grid()->Model() ? Grid()->Model()->Cols() : 0; }

    int childCount() const override { return Rows() * Cols(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return cellAt(index / Cols(), index % Cols());
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
        if (!cell || cell->table() != this) return -1;
        return cell->rowIndex() * Cols() + cell->columnIndex();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        int row = -1, col = -1;
        return Grid()->CellAt(Grid()->mapFromGlobal(QPoint(x, y)), row, col) ? cellAt(row, col) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return Grid()->hasFocus() && Grid()->SelectionShown() ? cellAt(Grid()->Row(), Grid()->Col()) : nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int col) const override {
        if (row < 0 || col < 0 || row >= Rows() || col >= Cols()) return nullptr;
        // A grid resized to other rows or columns numbers its cells anew.
        if (shape_ != std::pair(Rows(), Cols())) {
            for (const auto& [index, id] : cells_) QAccessible::deleteAccessibleInterface(id);
            cells_.clear();
            shape_ = {Rows(), Cols()};
        }
        const int index = row * Cols() + col;
        auto found = cells_.find(index);
        if (found == cells_.end()) {
            auto* cell = new GridCellAccessible(Grid(), row, col);
            found = cells_.emplace(index, QAccessible::registerAccessibleInterface(cell)).first;
        }
        return QAccessible::accessibleInterface(found->second);
    }
    int selectedCellCount() const override { return Grid()->SelectionShown() ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override {
        if (!Grid()->SelectionShown()) return {};
        QAccessibleInterface* cell = cellAt(Grid()->Row(), Grid()->Col());
        return cell ? QList<QAccessibleInterface*>{cell} : QList<QAccessibleInterface*>{};
    }
    QString columnDescription(int col) const override {
        return Grid()->FixedRows() > 0 ? QString::fromStdString(Grid()->Model()->Cell(0, col).text) : QString();
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return Cols(); }
    int rowCount() const override { return Rows(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable std::unordered_map<int, QAccessible::Id> cells_;
    mutable std::pair<int, int> shape_{0, 0};
};

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
    if (!grid_ || IsHeader() || grid_->FixedRows() < 1) return {};
    auto* table = static_cast<GridTableAccessible*>(QAccessible::queryAccessibleInterface(grid_));
    return {table->cellAt(0, col_)};
}

}  // namespace

QAccessibleInterface* AccessibleGrid(const QString& className, QObject* object) {
    if (className != QLatin1String("varnel::GridWidget")) return nullptr;
    auto* grid = qobject_cast<GridWidget*>(object);
    return grid ? new GridTableAccessible(grid) : nullptr;
}

}  // namespace varnel
