// The feast-resources window offscreen: its feast list, the Delete and Clear
// questions, a drop from a file manager, launching through a recording opener,
// the saves on switching and closing, and the menu item that opens it.

#include <QAction>
#include <QDropEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QGroupBox>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>
#include <filesystem>
#include <functional>

#include "../core/ResourcePrint.h"
#include "../core/TempFolder.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Profile.h"
#include "core/resources/FeastList.h"
#include "core/resources/ResourceList.h"
#include "gui/common/WindowPlacement.h"
#include "gui/resources/ResourceOpener.h"
#include "gui/resources/ResourceTable.h"
#include "gui/resources/FeastResourcesDialog.h"
#include "gui/resources/FileOrUrlDialog.h"
#include "WindowFixture.h"

namespace varnel {
namespace {

using testing::TempFolder;

// Records what would open; answers as told.
struct RecordingOpener : ResourceOpener {
    bool OpenFile(const QString& path) override { return Record("file " + path); }
    bool StartProgram(const QString& path) override { return Record("program " + path); }
    bool OpenWebAddress(const QUrl& address) override { return Record("web " + address.toString()); }
    bool Record(const QString& what) {
        calls << what;
        return succeed;
    }
    QStringList calls;
    bool succeed = true;
};

class FeastResources : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        std::filesystem::copy_file(std::string(VARNEL_SOURCE_DATA) + "/holydays.dat", dir_.File("holydays.dat"));
        table_ = LoadCalendarData(dir_.Path()).holyDays;
        window_ = std::make_unique<FeastResourcesDialog>(table_, dir_.Path());
        window_->SetOpener(&opener_);
    }
    void Choose(const QString& feast) {
        const auto items = window_->FeastList()->findItems(feast, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << feast.toStdString();
        window_->FeastList()->setCurrentItem(items.front());
    }
    std::vector<ResourceRow> Rows() const { return window_->Table()->Rows(); }
    std::vector<ResourceEntry> Saved(const std::string& feast) const { return ReadResourceList(dir_.File("resources.dat"), feast); }

    TempFolder dir_;
    HolyDayTable table_;
    RecordingOpener opener_;
    std::unique_ptr<FeastResourcesDialog> window_;
};

TEST_F(FeastResources, ListsThisYearsFeastsAndShowsAChosenFeastsList) {
    QStringList names, expected{"--Select Feast/Holy Day--"};  // then the core's list of feasts, its tests'
    for (int i = 0; i < window_->FeastList()->count(); ++i) names << window_->FeastList()->item(i)->text();
    for (const std::string& feast : FeastNames(table_)) expected << QString::fromStdString(feast);
    EXPECT_EQ(names, expected);
    EXPECT_EQ(window_->FeastList()->currentRow(), 0);

    dir_.Write("resources.dat", "[Purim]\ncount=1\n1fileurl=/home/u/megillah.pdf\n1description=Megillah\n");
    Choose("Purim");
    EXPECT_EQ(window_->findChild<QGroupBox*>("ssfmLaunch")->title(), "Purim resources");
    EXPECT_EQ(Rows(), (std::vector<ResourceRow>{{false, "/home/u/megillah.pdf", "Megillah"}, {}}));
    Choose("Pesach");  // no section: one empty row
    EXPECT_EQ(Rows(), std::vector<ResourceRow>{ResourceRow{}});
}

TEST_F(FeastResources, TypingIntoTheEmptyRowSavesOnSwitchingAndAddsAnotherEmptyRow) {
    Choose("Sukkot");
    window_->Table()->item(0, ResourceTable::FileColumn)->setText("https://example.org/sukkah");
    window_->Table()->item(0, ResourceTable::DescriptionColumn)->setText("Building a sukkah");
    EXPECT_EQ(window_->Table()->rowCount(), 2);
    Choose("Purim");
    EXPECT_EQ(Saved("Sukkot"), (std::vector<ResourceEntry>{{"https://example.org/sukkah", "Building a sukkah"}}));
    Choose("Sukkot");
    EXPECT_EQ(Rows().size(), 2u);
}

TEST_F(FeastResources, DeleteAsksAndRemovesOnlyOnYes) {
    dir_.Write("resources.dat", "[Purim]\ncount=2\n1fileurl=a\n1description=A\n2fileurl=b\n2description=B\n");
    Choose("Purim");
    window_->Table()->setFocus();
    window_->Table()->setCurrentCell(0, ResourceTable::DescriptionColumn);

    auto no = AnswerNextBox(QMessageBox::No);
    QTest::keyClick(window_->Table(), Qt::Key_Delete);
    ASSERT_TRUE(no->seen);
    EXPECT_EQ(no->title, "Delete This Item In List?");
    EXPECT_EQ(no->text, "Are you sure you want to remove this file (or URL) from your resource list? Note: This does "
                        "NOT delete the file from your hard drive.");
    EXPECT_EQ(Rows().size(), 3u);

    auto yes = AnswerNextBox(QMessageBox::Yes);
    QTest::keyClick(window_->Table(), Qt::Key_Delete);
    ASSERT_TRUE(yes->seen);
    EXPECT_EQ(Rows(), (std::vector<ResourceRow>{{false, "b", "B"}, {}}));
}

TEST_F(FeastResources, ClearAnsweredNoChangesNothingAndYesEmptiesTheListUntilTheNextSave) {
    dir_.Write("resources.dat", "[Purim]\ncount=1\n1fileurl=a\n1description=A\n");
    Choose("Purim");
    const std::string before = dir_.Read("resources.dat");

    auto no = AnswerNextBox(QMessageBox::No);
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdClear"), Qt::LeftButton);
    ASSERT_TRUE(no->seen);
    EXPECT_EQ(no->title, "Clear Resource List");
    EXPECT_EQ(no->text, "Are you sure you want to clear the resource list?");
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_EQ(dir_.Read("resources.dat"), before);

    auto yes = AnswerNextBox(QMessageBox::Yes);
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdClear"), Qt::LeftButton);
    ASSERT_TRUE(yes->seen);
    EXPECT_EQ(Rows(), std::vector<ResourceRow>{ResourceRow{}});
    EXPECT_EQ(Saved("Purim").size(), 1u);  // cleared in the window only
    window_->close();
    EXPECT_EQ(GetProfileString("Purim", "count", dir_.File("resources.dat")), "0");
}

TEST_F(FeastResources, ADropOfTwoFilesAndATextAddsThreeRows) {
    Choose("Pesach");
    window_->show();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/home/u/Seder.PDF"), QUrl::fromLocalFile("/home/u/Songs/Dayenu.ogg")});
    mime.setText("https://Example.org/Pesach");
    // As a file manager's drag arrives: entering, then the drop.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window_->Table()->viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window_->Table()->viewport(), &drop);
    EXPECT_EQ(Rows(), (std::vector<ResourceRow>{{false, "/home/u/Seder.PDF", "seder.pdf"},
                                                {false, "/home/u/Songs/Dayenu.ogg", "dayenu.ogg"},
                                                {false, "https://Example.org/Pesach", "https://example.org/pesach"},
                                                {}}));
}

TEST_F(FeastResources, LaunchOpensTheTickedEntriesAndSaysWhyWhenNothingCanOpenOne) {
    const std::string document = dir_.Write("Haggadah.pdf", "%PDF");
    const std::string program = dir_.Write("omer-counter", "#!/bin/sh\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    Choose("Pesach");
    window_->Table()->SetRows({{true, document, "d"},
                               {true, program, "p"},
                               {true, "www.example.org/seder", "w"},
                               {false, "https://example.org/unticked", "u"},
                               {true, "/no/such/seder.pdf", "n"},
                               {true, "https://example.org/seder", "s"},
                               {}});
    auto box = AnswerNextBox(QMessageBox::Ok);
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdLaunch"), Qt::LeftButton);
    EXPECT_EQ(opener_.calls, (QStringList{"file " + QString::fromStdString(document), "program " + QString::fromStdString(program),
                                          "web https://www.example.org/seder", "web https://example.org/seder"}));
    ASSERT_TRUE(box->seen);  // the missing file is named, and the rows after it still open
    EXPECT_EQ(box->title, "Resource Not Opened");
    EXPECT_EQ(box->text, "The file '/no/such/seder.pdf' does not exist or cannot be read.");

    opener_.succeed = false;
    opener_.calls.clear();
    window_->Table()->SetRows({{true, document, "d"}, {}});
    box = AnswerNextBox(QMessageBox::Ok);
    window_->LaunchSelections();
    ASSERT_TRUE(box->seen);
    EXPECT_EQ(box->title, "Application Not Found");
    EXPECT_EQ(box->text, "Could not find associated program for the file '" + QString::fromStdString(document) + "'.");

    window_->Table()->SetRows({{true, "https://example.org/x", "x"}, {}});
    box = AnswerNextBox(QMessageBox::Ok);
    window_->LaunchSelections();
    ASSERT_TRUE(box->seen);
    EXPECT_EQ(box->title, "Browser Not Found");
    EXPECT_EQ(box->text, "Could not find associated Browser");
}

TEST_F(FeastResources, ClosingSavesAndAFailedSaveKeepsTheWindowUnlessTheUserLetsGo) {
    Choose("Purim");
    window_->Table()->SetRows({{false, "a", "A"}, {}});
    window_->show();
    window_->close();
    EXPECT_EQ(Saved("Purim"), (std::vector<ResourceEntry>{{"a", "A"}}));
    {
        // The program closing takes the window with it: the list is saved too.
        QWidget owner;
        auto* owned = new FeastResourcesDialog(table_, dir_.Path(), &owner);
        owned->FeastList()->setCurrentItem(owned->FeastList()->findItems("Purim", Qt::MatchExactly).front());
        owned->Table()->SetRows({{false, "c", "C"}, {}});
    }
    EXPECT_EQ(Saved("Purim"), (std::vector<ResourceEntry>{{"c", "C"}}));

    // The data file's name taken by a folder: nothing can be written.
    auto blocked = std::make_unique<FeastResourcesDialog>(table_, dir_.File("blocked"));
    std::filesystem::create_directories(dir_.File("blocked/resources.dat"));
    const auto items = blocked->FeastList()->findItems("Purim", Qt::MatchExactly);
    blocked->FeastList()->setCurrentItem(items.front());
    blocked->Table()->SetRows({{false, "b", "B"}, {}});
    blocked->show();

    auto keep = AnswerNextBox(QMessageBox::No);
    EXPECT_FALSE(blocked->close());
    ASSERT_TRUE(keep->seen);
    EXPECT_EQ(keep->title, "Resources Not Saved");
    EXPECT_TRUE(blocked->isVisible());
    EXPECT_EQ(blocked->Table()->Rows().front().fileurl, "b");

    auto switching = AnswerNextBox(QMessageBox::Ok);  // switching feasts: the list and the feast stay
    const auto other = blocked->FeastList()->findItems("Pesach", Qt::MatchExactly);
    blocked->FeastList()->setCurrentItem(other.front());
    ASSERT_TRUE(switching->seen);
    EXPECT_EQ(blocked->CurrentFeast(), "Purim");
    EXPECT_EQ(blocked->FeastList()->currentItem()->text(), "Purim");

    auto letGo = AnswerNextBox(QMessageBox::Yes);
    EXPECT_TRUE(blocked->close());
    EXPECT_TRUE(letGo->seen);
}

// Answers the modal dialogs that open next, one handler each, in order.
std::shared_ptr<int> AnswerDialogs(std::vector<std::function<void(QDialog*)>> handlers) {
    auto answered = std::make_shared<int>(0);
    auto* timer = new QTimer;
    auto last = std::make_shared<QPointer<QWidget>>();
    QObject::connect(timer, &QTimer::timeout, [=]() mutable {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog == last->data()) return;
        *last = dialog;
        handlers[static_cast<size_t>((*answered)++)](dialog);
        if (*answered == static_cast<int>(handlers.size())) timer->deleteLater();
    });
    timer->start(0);  // each turn of the event loop, the box's own included
    return answered;
}

TEST_F(FeastResources, TheEllipsisAddsAWebSiteOnlyWhenBothQuestionsAreAnswered) {
    Choose("Shavuot");
    window_->show();
    const auto chooseWebSite = [](QDialog* d) {
        auto* chooser = qobject_cast<FileOrUrlDialog*>(d);
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->windowTitle(), "File or Web Site?");
        chooser->Option(FileOrUrlDialog::WebSite)->setChecked(true);
        chooser->findChild<QPushButton*>("cmdOK")->click();
    };
    const auto answer = [](const char* title, const char* text) {
        return [=](QDialog* d) {
            auto* input = qobject_cast<QInputDialog*>(d);
            ASSERT_NE(input, nullptr);
            EXPECT_EQ(input->windowTitle(), title);
            if (QString(title) == "What Link Text?") {
                EXPECT_EQ(input->textValue(), "https://example.org/Shavuot");  // the address is the default
            }
            input->setTextValue(text);
            input->accept();
        };
    };
    const QPoint ellipsis = window_->Table()->EllipsisRect(0).center();

    auto done = AnswerDialogs({chooseWebSite, answer("What URL?", "https://example.org/Shavuot"),
                               answer("What Link Text?", "")});
    QTest::mouseClick(window_->Table()->viewport(), Qt::LeftButton, Qt::NoModifier, ellipsis);
    EXPECT_EQ(*done, 3);
    EXPECT_EQ(Rows(), std::vector<ResourceRow>{ResourceRow{}});  // no link text: nothing changes

    done = AnswerDialogs({chooseWebSite, answer("What URL?", "https://example.org/Shavuot"),
                          answer("What Link Text?", "Readings for Shavuot")});
    QTest::mouseClick(window_->Table()->viewport(), Qt::LeftButton, Qt::NoModifier, ellipsis);
    EXPECT_EQ(*done, 3);
    EXPECT_EQ(Rows(), (std::vector<ResourceRow>{{false, "https://example.org/Shavuot", "Readings for Shavuot"}, {}}));
}

using FeastResourcesMenu = WindowFixture;

TEST_F(FeastResourcesMenu, TheMenuItemOpensOneWindowWithTheYearsFeasts) {
    TempFolder data;
    std::filesystem::copy_file(std::string(VARNEL_SOURCE_DATA) + "/holydays.dat", data.File("holydays.dat"));
    SetProgramFolder(data.Path());
    // A main window away from the screen's top left corner.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    Start(screen.size() / 2).move(screen.topLeft() + QPoint(screen.width(), screen.height()) / 3);
    QAction* item = window_->findChild<QAction*>("mFeastResources");
    ASSERT_NE(item, nullptr);
    item->trigger();
    item->trigger();
    const auto open = window_->findChildren<FeastResourcesDialog*>();
    ASSERT_EQ(open.size(), 1);
    EXPECT_TRUE(open.front()->isVisible());
    // It opens over the main window, and its list shows every feast's whole name.
    EXPECT_TRUE(open.front()->frameGeometry().contains(window_->frameGeometry().center()));
    EXPECT_TRUE(window_->screen()->availableGeometry().contains(open.front()->frameGeometry()));
    QListWidget* list = open.front()->FeastList();
    for (int i = 0; i < list->count(); ++i)
        EXPECT_LE(list->visualItemRect(list->item(i)).left() + list->fontMetrics().horizontalAdvance(list->item(i)->text()),
                  list->viewport()->width()) << list->item(i)->text().toStdString();
    EXPECT_EQ(open.front()->FeastList()->count(), 35);
    EXPECT_EQ(open.front()->ResourcePath(), data.File("resources.dat"));
    {  // a smaller window owned by the main window opens over its middle
        QWidget small(window_.get(), Qt::Window);
        small.resize(window_->size() / 2);
        small.show();  // with its frame
        PlaceOverOwner(small);
        const QPoint offset = small.frameGeometry().center() - window_->frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
    }

    QPointer<FeastResourcesDialog> closed = open.front();
    closed->close();
    FlushDeletes();
    EXPECT_TRUE(closed.isNull());  // released when closed
    window_.reset();
    SetProgramFolder(VARNEL_SOURCE_DATA);
}

}  // namespace
}  // namespace varnel
