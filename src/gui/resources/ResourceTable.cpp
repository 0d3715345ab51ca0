#include "gui/resources/ResourceTable.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QUrl>

namespace varnel {
namespace {

constexpr int kEllipsisWidth = 22;

QRect EllipsisIn(const QRect& cell) { return QRect(cell.right() - kEllipsisWidth + 1, cell.top(), kEllipsisWidth, cell.height()); }

// Draws the ellipsis button in the file cells and reports a click on it.
class FileCellDelegate : public QStyledItemDelegate {
public:
    explicit FileCellDelegate(ResourceTable* table) : QStyledItemDelegate(table), table_(table) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem text = option;
        text.rect.setRight(option.rect.right() - kEllipsisWidth);
        QStyledItemDelegate::paint(painter, text, index);
        QStyleOptionButton button;
        button.rect = EllipsisIn(option.rect);
        button.text = QStringLiteral("...");
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        QApplication::style()->drawControl(QStyle::CE_PushButton, &button, painter);
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && EllipsisIn(option.rect).contains(mouse->position().toPoint())) {
                emit table_->EllipsisClicked(index.row());
                return true;
            }
        }
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }

private:
    ResourceTable* table_;
};

QTableWidgetItem* CheckItem(bool checked) {
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

QString CellText(const QTableWidget& table, int row, int column) {
    const QTableWidgetItem* item = table.item(row, column);
    return item ? item->text() : QString();
}

}  // namespace

ResourceTable::ResourceTable(QWidget* parent) : QTableWidget(0, 3, parent) {
    setObjectName(QStringLiteral("fgLaunch"));
    setHorizontalHeaderLabels({QStringLiteral("Launch?"), QStringLiteral("File or URL"), QStringLiteral("Description")});
    setItemDelegateForColumn(FileColumn, new FileCellDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setVisible(false);
    setCornerButtonEnabled(false);  // no row headers: nothing to select all from
    horizontalHeader()->setSectionResizeMode(LaunchColumn, QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(FileColumn, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(DescriptionColumn, QHeaderView::Stretch);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    connect(this, &QTableWidget::itemChanged, this, &ResourceTable::AddEmptyRowWhenLastIsUsed);
}

std::vector<ResourceRow> ResourceTable::Rows() const {
    std::vector<ResourceRow> rows;
    rows.reserve(static_cast<size_t>(rowCount()));
    for (int r = 0; r < rowCount(); ++r) {
        const QTableWidgetItem* tick = item(r, LaunchColumn);
        rows.push_back({tick && tick->checkState() == Qt::Checked, CellText(*this, r, FileColumn).toStdString(),
                        CellText(*this, r, DescriptionColumn).toStdString()});
    }
    return rows;
}

void ResourceTable::SetRow(int row, const ResourceRow& value) {
    filling_ = true;
    setItem(row, LaunchColumn, CheckItem(value.launch));
    setItem(row, FileColumn, new QTableWidgetItem(QString::fromStdString(value.fileurl)));
    setItem(row, DescriptionColumn, new QTableWidgetItem(QString::fromStdString(value.description)));
    filling_ = false;
    AddEmptyRowWhenLastIsUsed(item(row, FileColumn));
}

void ResourceTable::SetRows(const std::vector<ResourceRow>& rows) {
    filling_ = true;
    setRowCount(0);
    setRowCount(static_cast<int>(rows.size()));
    filling_ = false;
    for (size_t r = 0; r < rows.size(); ++r) SetRow(static_cast<int>(r), rows[r]);
}

// Typing into the empty last row makes it an entry: a new empty row follows.
void ResourceTable::AddEmptyRowWhenLastIsUsed(QTableWidgetItem* changed) {
    if (filling_ || !changed || changed->row() != rowCount() - 1 || changed->column() == LaunchColumn) return;
    const int last = rowCount() - 1;
    if (CellText(*this, last, FileColumn).trimmed().isEmpty() && CellText(*this, last, DescriptionColumn).trimmed().isEmpty())
        return;
    insertRow(rowCount());
    SetRow(rowCount() - 1, ResourceRow{});
}

QRect ResourceTable::EllipsisRect(int row) const { return EllipsisIn(visualItemRect(item(row, FileColumn))); }

void ResourceTable::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState && currentRow() >= 0) {
        emit DeletePressed(currentRow());
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void ResourceTable::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() || event->mimeData()->hasText()) event->acceptProposedAction();
}

void ResourceTable::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls() || event->mimeData()->hasText()) event->acceptProposedAction();
}

void ResourceTable::dropEvent(QDropEvent* event) {
    const QMimeData* mime = event->mimeData();
    QStringList files, links;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) files << url.toLocalFile();
        else links << url.toString();
    }
    // A browser may give a link as a URL only.
    QStringList lines = (mime->hasText() ? mime->text() : links.join(QLatin1Char('\n'))).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        const QUrl url(line.trimmed());
        if (url.isLocalFile() && files.contains(url.toLocalFile())) line = url.toLocalFile();
    }
    event->acceptProposedAction();
    emit Dropped(files, lines.join(QLatin1Char('\n')));
}

}  // namespace varnel
