#pragma once
// A calendar grid as assistive technology sees it: a table whose cells carry
// the names and descriptions the grid's speech gives (a day's date and texts),
// whose header row are column headers, and whose current cell has the focus
// while the grid has it. The grid widget reports focus moves; this answers
// the questions of a screen reader.
class QAccessibleInterface;
class QObject;
class QString;

namespace varnel {

// Qt's accessibility factory for GridWidget; installed once, by the first grid.
QAccessibleInterface* GridAccessibleFactory(const QString& className, QObject* object);

}  // namespace varnel
