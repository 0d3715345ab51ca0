#pragma once
// The resource list as a table: a launch check box, the file or address with
// an ellipsis button at the cell's right, and the description. It shows and
// gives back plain rows; the window decides what the Delete key, the ellipsis
// button and a drop do.
#include <QStringList>
#include <QTableWidget>
#include <vector>

#include "core/resources/ResourceRows.h"

class QMimeData;

namespace varnel {

class ResourceTable : public QTableWidget {
    Q_OBJECT
public:
    enum Column { LaunchColumn = 0, FileColumn = 1, DescriptionColumn = 2 };

    explicit ResourceTable(QWidget* parent = nullptr);

    std::vector<ResourceRow> Rows() const;
    void SetRows(const std::vector<ResourceRow>& rows);
    void SetRow(int row, const ResourceRow& value);

    // The ellipsis button's rectangle in a file cell (viewport coordinates).
    QRect EllipsisRect(int row) const;

signals:
    void DeletePressed(int row);
    void EllipsisClicked(int row);
    // Local paths of the dropped files, and the dropped text with any line
    // naming one of those files as a URL given as its path.
    void Dropped(const QStringList& files, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void AddEmptyRowWhenLastIsUsed(QTableWidgetItem* item);
    bool filling_ = false;
};

}  // namespace varnel
