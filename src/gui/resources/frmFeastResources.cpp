#include "gui/resources/frmFeastResources.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/Files.h"
#include "core/resources/FeastList.h"
#include "core/resources/ResourceList.h"
#include "core/resources/ResourceRows.h"
#include "gui/resources/ResourceOpener.h"
#include "gui/resources/ResourceTable.h"
#include "gui/resources/frmFileOrURL.h"

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

frmFeastResources::frmFeastResources(const HolyDayTable& holyDays, const std::string& dataFolder, QWidget* owner)
    : QWidget(owner, Qt::Window),
      datPath_(PathIn(dataFolder, kResourceFile)),
      opener_(&TheDesktopOpener()),
      lstFeast_(new QListWidget(this)),
      ssfmLaunch_(new QGroupBox(this)),
      fgLaunch_(new ResourceTable(ssfmLaunch_)),
      cmdLaunch_(Button("cmdLaunch", "Launch Selections", ssfmLaunch_)),
      cmdClear_(Button("cmdClear", "Clear List", ssfmLaunch_)),
      cmdClose_(Button("cmdClose", "Close", ssfmLaunch_)) {
    setObjectName(QStringLiteral("frmFeastResources"));
    setWindowTitle(QStringLiteral("Feast Resources"));
    lstFeast_->setObjectName(QStringLiteral("lstFeast"));
    ssfmLaunch_->setObjectName(QStringLiteral("ssfmLaunch"));

    auto* feastFrame = new QGroupBox(QStringLiteral("Feast/Holy Day"), this);
    feastFrame->setObjectName(QStringLiteral("SSFrame1"));
    auto* feastLayout = new QVBoxLayout(feastFrame);
    lstFeast_->setParent(feastFrame);
    feastLayout->addWidget(lstFeast_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdLaunch_);
    buttons->addWidget(cmdClear_);
    buttons->addStretch();
    buttons->addWidget(cmdClose_);
    auto* listLayout = new QVBoxLayout(ssfmLaunch_);
    listLayout->addWidget(fgLaunch_);
    listLayout->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(feastFrame, 1);
    layout->addWidget(ssfmLaunch_, 3);
    resize(820, 420);

    lstFeast_->addItem(QString::fromUtf8(kSelectFeastPrompt));
    for (const std::string& feast : FeastNames(holyDays)) lstFeast_->addItem(QString::fromStdString(feast));

    connect(lstFeast_, &QListWidget::currentRowChanged, this, &frmFeastResources::ChooseFeast);
    connect(cmdLaunch_, &QPushButton::clicked, this, &frmFeastResources::LaunchSelections);
    connect(cmdClear_, &QPushButton::clicked, this, &frmFeastResources::ClearList);
    connect(cmdClose_, &QPushButton::clicked, this, &QWidget::close);
    connect(fgLaunch_, &ResourceTable::DeletePressed, this, &frmFeastResources::DeleteRow);
    connect(fgLaunch_, &ResourceTable::EllipsisClicked, this, &frmFeastResources::ChooseEntryForRow);
    connect(fgLaunch_, &ResourceTable::Dropped, this, &frmFeastResources::DropOnList);

    // Nothing chosen yet: the prompt is selected and the list is empty.
    lstFeast_->setCurrentRow(0);
    fgLaunch_->SetRows(RowsOfEntries({}));
}

void frmFeastResources::ChooseFeast(int listRow) {
    if (listRow < 1) return;
    const std::string feast = lstFeast_->item(listRow)->text().toStdString();
    if (feast == currentFeast_) return;
    if (!currentFeast_.empty() && !SaveList()) {
        // The edits of the feast shown stay in the window, and so does the feast.
        const QList<QListWidgetItem*> shown =
            lstFeast_->findItems(QString::fromStdString(currentFeast_), Qt::MatchExactly);
        const QSignalBlocker block(lstFeast_);
        if (!shown.isEmpty()) lstFeast_->setCurrentItem(shown.front());
        return;
    }
    ShowList(feast);
}

void frmFeastResources::ShowList(const std::string& feast) {
    ssfmLaunch_->setTitle(QString::fromStdString(feast) + QStringLiteral(" resources"));
    currentFeast_ = feast;
    fgLaunch_->SetRows(RowsOfEntries(ReadResourceList(datPath_, feast)));
}

bool frmFeastResources::SaveList() {
    if (currentFeast_.empty()) return true;
    if (SaveResourceList(datPath_, currentFeast_, EntriesOfRows(fgLaunch_->Rows()))) return true;
    QMessageBox::warning(this, QStringLiteral("Resources Not Saved"),
                         QStringLiteral("The resources of %1 could not be saved to '%2'. Check that the folder can be "
                                        "written and the disk is not full; the list stays in this window.")
                             .arg(QString::fromStdString(currentFeast_), QString::fromStdString(datPath_)));
    return false;
}

void frmFeastResources::LaunchSelections() {
    for (const ResourceRow& row : fgLaunch_->Rows())
        if (row.launch) LaunchResource(*opener_, QString::fromStdString(row.fileurl), this);
}

void frmFeastResources::ClearList() {
    if (currentFeast_.empty()) return;
    if (QMessageBox::question(this, QStringLiteral("Clear Resource List"),
                              QStringLiteral("Are you sure you want to clear the resource list?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::No)
        return;
    SaveList();
    fgLaunch_->SetRows(RowsOfEntries({}));
}

void frmFeastResources::DeleteRow(int row) {
    if (row < 0 || row >= fgLaunch_->rowCount()) return;
    if (!AnsweredYes(this, QStringLiteral("Delete This Item In List?"),
                     QStringLiteral("Are you sure you want to remove this file (or URL) from your resource list? Note: "
                                    "This does NOT delete the file from your hard drive.")))
        return;
    std::vector<ResourceRow> rows = fgLaunch_->Rows();
    RemoveRow(rows, static_cast<size_t>(row));
    fgLaunch_->SetRows(rows);
}

void frmFeastResources::ChooseEntryForRow(int row) {
    if (row < 0 || row >= fgLaunch_->rowCount()) return;
    ResourceRow entry = fgLaunch_->Rows()[static_cast<size_t>(row)];
    frmFileOrURL chooser(this);
    if (chooser.exec() != QDialog::Accepted) return;
    if (chooser.Chosen() == frmFileOrURL::WebSite) {
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
    fgLaunch_->SetRow(row, entry);
}

void frmFeastResources::DropOnList(const QStringList& files, const QString& text) {
    std::vector<std::string> paths;
    for (const QString& f : files) paths.push_back(f.toStdString());
    std::vector<ResourceRow> rows = fgLaunch_->Rows();
    DropOnRows(rows, paths, text.toStdString());
    fgLaunch_->SetRows(rows);
}

void frmFeastResources::closeEvent(QCloseEvent* event) {
    if (!currentFeast_.empty() &&
        !SaveResourceList(datPath_, currentFeast_, EntriesOfRows(fgLaunch_->Rows())) &&
        !AnsweredYes(this, QStringLiteral("Resources Not Saved"),
                     QStringLiteral("The resources of %1 could not be saved to '%2'. Close anyway and lose the "
                                    "changes?")
                         .arg(QString::fromStdString(currentFeast_), QString::fromStdString(datPath_)))) {
        event->ignore();
        return;
    }
    closed_ = true;
    event->accept();
}

frmFeastResources::~frmFeastResources() {
    if (!closed_ && !currentFeast_.empty()) SaveResourceList(datPath_, currentFeast_, EntriesOfRows(fgLaunch_->Rows()));
}

frmFeastResources* ShowFeastResources(QWidget* owner, const HolyDayTable& holyDays, const std::string& dataFolder) {
    static QPointer<frmFeastResources> window;
    if (!window) {
        window = new frmFeastResources(holyDays, dataFolder, owner);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace varnel
