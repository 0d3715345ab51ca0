#include "gui/resources/FeastResourcesDialog.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/common/Files.h"
#include "core/resources/FeastList.h"
#include "core/resources/ResourceList.h"
#include "core/resources/ResourceRows.h"
#include "gui/common/OneWindow.h"
#include "gui/resources/ResourceOpener.h"
#include "gui/resources/ResourceTable.h"
#include "gui/resources/FileOrUrlDialog.h"

namespace varnel {
namespace {

QPushButton* Button(const char* name, const char* text, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromUtf8(name));
    return button;
}

bool AnsweredYes(QWidget* owner, const QString& title, const QString& question) {
    return QMessageBox::question(owner, title, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

}  // namespace

FeastResourcesDialog::FeastResourcesDialog(const HolyDayTable& holyDays, const std::string& dataFolder, QWidget* owner)
    : QWidget(owner, Qt::Window),
      resourcePath_(PathIn(dataFolder, kResourceFile)),
      opener_(&TheDesktopOpener()),
      feastList_(new QListWidget(this)),
      launchGroup_(new QGroupBox(this)),
      launchTable_(new ResourceTable(launchGroup_)),
      launchButton_(Button("cmdLaunch", "Launch Selections", launchGroup_)),
      clearButton_(Button("cmdClear", "Clear List", launchGroup_)),
      closeButton_(Button("cmdClose", "Close", launchGroup_)) {
    setObjectName(QStringLiteral("frmFeastResources"));
    setWindowTitle(QStringLiteral("Feast Resources"));
    feastList_->setObjectName(QStringLiteral("lstFeast"));
    feastList_->setAccessibleName(QStringLiteral("Feast/Holy Day"));
    launchGroup_->setObjectName(QStringLiteral("ssfmLaunch"));

    auto* feastFrame = new QGroupBox(QStringLiteral("Feast/Holy Day"), this);
    feastFrame->setObjectName(QStringLiteral("SSFrame1"));
    auto* feastLayout = new QVBoxLayout(feastFrame);
    feastList_->setParent(feastFrame);
    feastLayout->addWidget(feastList_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(launchButton_);
    buttons->addWidget(clearButton_);
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    auto* listLayout = new QVBoxLayout(launchGroup_);
    listLayout->addWidget(launchTable_);
    listLayout->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(feastFrame, 1);
    layout->addWidget(launchGroup_, 3);

    feastList_->addItem(QString::fromUtf8(kSelectFeastPrompt));
    for (const std::string& feast : FeastNames(holyDays)) feastList_->addItem(QString::fromStdString(feast));
    // The list is as wide as its longest feast's name, with room for its scroll bar.
    feastList_->setMinimumWidth(feastList_->sizeHintForColumn(0) + 2 * feastList_->frameWidth() +
                                feastList_->verticalScrollBar()->sizeHint().width());
    resize(sizeHint().expandedTo(QSize(820, 420)));

    launchTable_->setAccessibleName(QStringLiteral("Resources"));
    connect(feastList_, &QListWidget::currentRowChanged, this, &FeastResourcesDialog::ChooseFeast);
    connect(launchButton_, &QPushButton::clicked, this, &FeastResourcesDialog::LaunchSelections);
    connect(clearButton_, &QPushButton::clicked, this, &FeastResourcesDialog::ClearList);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(launchTable_, &ResourceTable::DeletePressed, this, &FeastResourcesDialog::DeleteRow);
    connect(launchTable_, &ResourceTable::EllipsisClicked, this, &FeastResourcesDialog::ChooseEntryForRow);
    connect(launchTable_, &ResourceTable::Dropped, this, &FeastResourcesDialog::DropOnList);

    // Nothing chosen yet: the prompt is selected and the list is empty.
    feastList_->setCurrentRow(0);
    launchTable_->SetRows(RowsOfEntries({}));
}

void FeastResourcesDialog::ChooseFeast(int listRow) {
    if (listRow < 1) return;
    const std::string feast = feastList_->item(listRow)->text().toStdString();
    if (feast == currentFeast_) return;
    if (!currentFeast_.empty() && !SaveList()) {
        // The edits of the feast shown stay in the window, and so does the feast.
        const QList<QListWidgetItem*> shown =
            feastList_->findItems(QString::fromStdString(currentFeast_), Qt::MatchExactly);
        const QSignalBlocker block(feastList_);
        if (!shown.isEmpty()) feastList_->setCurrentItem(shown.front());
        return;
    }
    ShowList(feast);
}

void FeastResourcesDialog::ShowList(const std::string& feast) {
    launchGroup_->setTitle(QString::fromStdString(feast) + QStringLiteral(" resources"));
    currentFeast_ = feast;
    launchTable_->SetRows(RowsOfEntries(ReadResourceList(resourcePath_, feast)));
}

bool FeastResourcesDialog::SaveList() {
    if (currentFeast_.empty()) return true;
    if (SaveResourceList(resourcePath_, currentFeast_, EntriesOfRows(launchTable_->Rows()))) return true;
    QMessageBox::warning(this, QStringLiteral("Resources Not Saved"),
                         QStringLiteral("The resources of %1 could not be saved to '%2'. Check that the folder can be "
                                        "written and the disk is not full; the list stays in this window.")
                             .arg(QString::fromStdString(currentFeast_), QString::fromStdString(resourcePath_)));
    return false;
}

void FeastResourcesDialog::LaunchSelections() {
    for (const ResourceRow& row : launchTable_->Rows())
        if (row.launch) LaunchResource(*opener_, QString::fromStdString(row.fileurl), this);
}

void FeastResourcesDialog::ClearList() {
    if (currentFeast_.empty()) return;
    if (QMessageBox::question(this, QStringLiteral("Clear Resource List"),
                              QStringLiteral("Are you sure you want to clear the resource list?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::No)
        return;
    SaveList();
    launchTable_->SetRows(RowsOfEntries({}));
}

void FeastResourcesDialog::DeleteRow(int row) {
    if (row < 0 || row >= launchTable_->rowCount()) return;
    if (!AnsweredYes(this, QStringLiteral("Delete This Item In List?"),
                     QStringLiteral("Are you sure you want to remove this file (or URL) from your resource list? Note: "
                                    "This does NOT delete the file from your hard drive.")))
        return;
    std::vector<ResourceRow> rows = launchTable_->Rows();
    RemoveRow(rows, static_cast<size_t>(row));
    launchTable_->SetRows(rows);
}

void FeastResourcesDialog::ChooseEntryForRow(int row) {
    if (row < 0 || row >= launchTable_->rowCount()) return;
    ResourceRow entry = launchTable_->Rows()[static_cast<size_t>(row)];
    FileOrUrlDialog chooser(this);
    if (chooser.exec() != QDialog::Accepted) return;
    if (chooser.Chosen() == FileOrUrlDialog::WebSite) {
        const QString address =
            QInputDialog::getText(this, QStringLiteral("What URL?"),
                                  QStringLiteral("What Web 'URL' do you want referenced? Example: \r\n\r\n"
                                                 "'https://www.example.org/feasts/pesach.html'"))
                .trimmed();
        if (address.isEmpty()) return;
        const QString text =
            QInputDialog::getText(this, QStringLiteral("What Link Text?"),
                                  QStringLiteral("How you do want that URL displayed in the menu? Example: "
                                                 "'The Feasts of the LORD' etc."),
                                  QLineEdit::Normal, address)
                .trimmed();
        if (text.isEmpty()) return;
        entry.fileurl = address.toStdString();
        entry.description = text.toStdString();
    } else {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Add File For Posting"),
                                                          QString::fromStdString(entry.fileurl),
                                                          QStringLiteral("All Files (*)"));
        if (path.isEmpty()) return;
        entry.fileurl = path.toStdString();
        entry.description = FileNameOf(entry.fileurl);
    }
    launchTable_->SetRow(row, entry);
}

void FeastResourcesDialog::DropOnList(const QStringList& files, const QString& text) {
    std::vector<std::string> paths;
    for (const QString& f : files) paths.push_back(f.toStdString());
    std::vector<ResourceRow> rows = launchTable_->Rows();
    DropOnRows(rows, paths, text.toStdString());
    launchTable_->SetRows(rows);
}

void FeastResourcesDialog::closeEvent(QCloseEvent* event) {
    if (!currentFeast_.empty() &&
        !SaveResourceList(resourcePath_, currentFeast_, EntriesOfRows(launchTable_->Rows())) &&
        !AnsweredYes(this, QStringLiteral("Resources Not Saved"),
                     QStringLiteral("The resources of %1 could not be saved to '%2'. Close anyway and lose the "
                                    "changes?")
                         .arg(QString::fromStdString(currentFeast_), QString::fromStdString(resourcePath_)))) {
        event->ignore();
        return;
    }
    closed_ = true;
    event->accept();
}

FeastResourcesDialog::~FeastResourcesDialog() {
    if (!closed_ && !currentFeast_.empty()) SaveResourceList(resourcePath_, currentFeast_, EntriesOfRows(launchTable_->Rows()));
}

FeastResourcesDialog* ShowFeastResources(QWidget* owner, const HolyDayTable& holyDays, const std::string& dataFolder) {
    static QPointer<FeastResourcesDialog> window;
    return ShowOneWindow(window, [&] { return new FeastResourcesDialog(holyDays, dataFolder, owner); });
}

}  // namespace varnel
