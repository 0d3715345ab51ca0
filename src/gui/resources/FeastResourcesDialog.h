#pragma once
// The feast-resources window: pick a feast, keep its list of files and web
// addresses, open the ticked ones. Modeless; the list of the chosen feast is
// saved to the resource file on choosing another feast, on "Clear List" and
// on closing. A save that fails is reported and the edits stay in the window.
#include <QWidget>
#include <string>
#include <vector>

#include "core/calendar/HolyDays.h"

class QGroupBox;
class QListWidget;
class QPushButton;

namespace varnel {

class ResourceOpener;
class ResourceTable;

class FeastResourcesDialog : public QWidget {
    Q_OBJECT
public:
    // The feasts come from the holy-day table; the list file is "resources.dat"
    // in the data folder.
    FeastResourcesDialog(const HolyDayTable& holyDays, const std::string& dataFolder, QWidget* owner = nullptr);
    // A window destroyed with its owner (the program closing) without being
    // closed itself still saves its list.
    ~FeastResourcesDialog() override;

    // Where launched entries go (the desktop unless replaced; not owned).
    void SetOpener(ResourceOpener* opener) { opener_ = opener; }

    const std::string& CurrentFeast() const { return currentFeast_; }
    const std::string& ResourcePath() const { return resourcePath_; }
    QListWidget* FeastList() const { return feastList_; }
    ResourceTable* Table() const { return launchTable_; }

    // The steps behind the controls, public for the keyboard-less callers (tests).
    void ChooseFeast(int listRow);
    bool SaveList();
    void LaunchSelections();
    void ClearList();
    void DeleteRow(int row);
    void ChooseEntryForRow(int row);
    void DropOnList(const QStringList& files, const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowList(const std::string& feast);

    std::string resourcePath_;
    std::string currentFeast_;
    bool closed_ = false;
    ResourceOpener* opener_;
    QListWidget* feastList_;
    QGroupBox* launchGroup_;
    ResourceTable* launchTable_;
    QPushButton* launchButton_;
    QPushButton* clearButton_;
    QPushButton* closeButton_;
};

// Shows the one window (raising it when it is already open), owned by `owner`.
FeastResourcesDialog* ShowFeastResources(QWidget* owner, const HolyDayTable& holyDays, const std::string& dataFolder);

}  // namespace varnel
