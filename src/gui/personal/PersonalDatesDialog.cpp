#include "gui/personal/PersonalDatesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/common/EntryChange.h"
#include "core/common/Files.h"
#include "core/personal/PersonalDays.h"
#include "gui/common/OneWindow.h"

namespace varnel {
namespace {

enum Column { kNameColumn, kKindColumn, kDateColumn, kHebrewColumn, kNoteColumn, kColumnCount };
constexpr PersonalKind kKinds[] = {PersonalKind::Birthday, PersonalKind::Anniversary, PersonalKind::Yahrzeit,
                                   PersonalKind::Other};

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The table's texts of an entry: a date it cannot read says why in the Hebrew column.
QStringList RowTexts(const PersonalDateEntry& e) {
    std::string why;
    const std::optional<PersonalDate> p = ReadPersonalDate(e, why);
    std::string date = DateFieldOf(e);
    if (p && p->afterSunset) date += " after sunset";
    return {Q(e.name), Q(p ? KindName(p->kind) : e.kind), Q(date), Q(p ? HebrewDateText(p->hebrew) : "skipped: " + why),
            Q(e.note)};
}

}  // namespace

PersonalDatesDialog::PersonalDatesDialog(const std::string& dataFolder, Date today, QWidget* owner)
    : QWidget(owner, Qt::Window),
      path_(PathIn(dataFolder, kPersonalDatesFile)),
      today_(today),
      table_(Named(new QTableWidget(0, kColumnCount, this), "fgDates")),
      name_(Named(new QLineEdit(this), "txtName")),
      kind_(Named(new QComboBox(this), "cboKind")),
      date_(Named(new QLineEdit(this), "txtDate")),
      afterSunset_(Named(new QCheckBox(QStringLiteral("After s&unset (the Hebrew day had begun)"), this), "chkAfterSunset")),
      note_(Named(new QLineEdit(this), "txtNote")),
      upcoming_(Named(new QLabel(this), "lblUpcoming")),
      add_(Named(new QPushButton(QStringLiteral("&Add"), this), "cmdAdd")),
      save_(Named(new QPushButton(QStringLiteral("&Save changes"), this), "cmdSave")),
      remove_(Named(new QPushButton(QStringLiteral("&Remove"), this), "cmdRemove")),
      close_(Named(new QPushButton(QStringLiteral("Close"), this), "cmdClose")) {
    setObjectName(QStringLiteral("frmPersonalDates"));
    setWindowTitle(QStringLiteral("Personal dates"));

    table_->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Kind"), QStringLiteral("Date"),
                                       QStringLiteral("Hebrew date"), QStringLiteral("Note")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);  // Tab leaves the table for the form
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->installEventFilter(this);
    for (const PersonalKind k : kKinds) kind_->addItem(Q(KindName(k)));
    date_->setPlaceholderText(QStringLiteral("YYYY-MM-DD, or a Hebrew date such as 12 Adar II 5784"));
    upcoming_->setWordWrap(true);
    upcoming_->setAccessibleName(QStringLiteral("Next days"));

    auto* form = new QFormLayout;
    const auto row = [&](const char* label, QWidget* field) {
        auto* l = new QLabel(QString::fromUtf8(label), this);
        l->setBuddy(field);
        form->addRow(l, field);
    };
    row("&Name:", name_);
    row("&Kind:", kind_);
    row("&Date:", date_);
    form->addRow(QString(), afterSunset_);
    row("N&ote:", note_);
    row("Next days:", upcoming_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(save_);
    buttons->addWidget(remove_);
    buttons->addStretch();
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(760, 480);
    setTabOrder(table_, name_);
    setTabOrder(name_, kind_);
    setTabOrder(kind_, date_);
    setTabOrder(date_, afterSunset_);
    setTabOrder(afterSunset_, note_);
    setTabOrder(note_, add_);

    connect(table_, &QTableWidget::itemSelectionChanged, this, &PersonalDatesDialog::ShowChosenEntry);
    for (QLineEdit* field : {name_, date_, note_}) {
        connect(field, &QLineEdit::textChanged, this, &PersonalDatesDialog::ShowUpcoming);
        // Return adds the form's date, or saves it over the chosen row.
        connect(field, &QLineEdit::returnPressed, this, [this] { ChosenRow() ? SaveEntry() : AddEntry(); });
    }
    connect(kind_, &QComboBox::currentIndexChanged, this, &PersonalDatesDialog::ShowUpcoming);
    connect(afterSunset_, &QCheckBox::toggled, this, &PersonalDatesDialog::ShowUpcoming);
    connect(add_, &QPushButton::clicked, this, &PersonalDatesDialog::AddEntry);
    connect(save_, &QPushButton::clicked, this, &PersonalDatesDialog::SaveEntry);
    connect(remove_, &QPushButton::clicked, this, &PersonalDatesDialog::RemoveEntry);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    Reload(-1);
    name_->setFocus();
}

void PersonalDatesDialog::Reload(int selectRow) {
    entries_ = ReadPersonalDateEntries(path_);
    const QSignalBlocker block(table_);
    table_->clearSelection();
    table_->setRowCount(static_cast<int>(entries_.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const QStringList texts = RowTexts(entries_[static_cast<size_t>(r)]);
        for (int c = 0; c < kColumnCount; ++c) table_->setItem(r, c, new QTableWidgetItem(texts[c]));
    }
    table_->resizeColumnsToContents();
    if (selectRow >= 0 && selectRow < table_->rowCount()) table_->selectRow(selectRow);
    else table_->setCurrentCell(-1, -1);
    save_->setEnabled(ChosenRow().has_value());
    remove_->setEnabled(ChosenRow().has_value());
    ShowUpcoming();
}

std::optional<size_t> PersonalDatesDialog::ChosenRow() const {
    const QList<QTableWidgetItem*> chosen = table_->selectedItems();
    if (chosen.isEmpty()) return std::nullopt;
    const int r = chosen.front()->row();
    if (r < 0 || static_cast<size_t>(r) >= entries_.size()) return std::nullopt;
    return static_cast<size_t>(r);
}

void PersonalDatesDialog::ShowChosenEntry() {
    const std::optional<size_t> r = ChosenRow();
    save_->setEnabled(r.has_value());
    remove_->setEnabled(r.has_value());
    if (!r) return;
    const PersonalDateEntry& e = entries_[*r];
    name_->setText(Q(e.name));
    const std::optional<PersonalKind> kind = ParseKind(e.kind.empty() ? "other" : e.kind);
    kind_->setCurrentIndex(kind ? static_cast<int>(*kind) : static_cast<int>(PersonalKind::Other));
    date_->setText(Q(DateFieldOf(e)));
    afterSunset_->setChecked(e.afterSunset == "1");
    note_->setText(Q(e.note));
    ShowUpcoming();
}

PersonalDateEntry PersonalDatesDialog::FormEntry() const {
    return EntryOfFields(name_->text().toStdString(), kKinds[std::max(0, kind_->currentIndex()) % 4],
                         date_->text().toStdString(), afterSunset_->isChecked(), note_->text().toStdString());
}

void PersonalDatesDialog::ShowUpcoming() {
    const PersonalDateEntry e = FormEntry();
    upcoming_->setText(e.date.empty() && e.hebrew.empty() ? QString() : Q(UpcomingText(e, today_)));
}

bool PersonalDatesDialog::Change(const PersonalDatesChange& change, int selectRow) {
    std::string error;
    if (!UpdatePersonalDates(path_, change, &error)) {
        Reload(-1);  // the table shows the file as it now is; the form keeps what was typed
        QMessageBox::warning(this, QStringLiteral("Personal Dates Not Saved"),
                             QStringLiteral("The personal dates could not be saved to '%1' (%2). Check that the folder "
                                            "can be written and the disk is not full; the entry stays in this window.")
                                 .arg(Q(path_), Q(error)));
        return false;
    }
    Reload(selectRow);
    emit DatesChanged();
    return true;
}

bool PersonalDatesDialog::AddEntry() {
    const PersonalDateEntry added = FormEntry();
    std::string why;
    if (!ReadPersonalDate(added, why)) {
        upcoming_->setText(QStringLiteral("Not added: %1").arg(Q(why)));
        (added.name.empty() ? name_ : date_)->setFocus();
        return false;
    }
    if (!Change([&](std::vector<PersonalDateEntry>& list, std::string&) {
            list.push_back(added);
            return true;
        }, -1))
        return false;
    for (QLineEdit* field : {name_, date_, note_}) field->clear();
    afterSunset_->setChecked(false);
    name_->setFocus();  // ready for the next one
    return true;
}

bool PersonalDatesDialog::SaveEntry() {
    const std::optional<size_t> r = ChosenRow();
    const PersonalDateEntry changed = FormEntry();
    std::string why;
    if (!r) return false;
    if (!ReadPersonalDate(changed, why)) {
        upcoming_->setText(QStringLiteral("Not saved: %1").arg(Q(why)));
        return false;
    }
    const PersonalDateEntry shown = entries_[*r];
    return Change([&](std::vector<PersonalDateEntry>& list, std::string& error) {
        return ChangeEntryAsRead(list, *r, shown, std::optional(changed), error);
    }, static_cast<int>(*r));
}

bool PersonalDatesDialog::RemoveEntry() {
    const std::optional<size_t> r = ChosenRow();
    if (!r) return false;
    const PersonalDateEntry shown = entries_[*r];
    if (QMessageBox::question(this, QStringLiteral("Remove Personal Date?"),
                              QStringLiteral("Remove %1 from your personal dates?").arg(Q(shown.name)),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return false;
    const bool removed = Change([&](std::vector<PersonalDateEntry>& list, std::string& error) {
        return ChangeEntryAsRead(list, *r, shown, {}, error);
    }, -1);
    table_->setFocus();
    return removed;
}

bool PersonalDatesDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        RemoveEntry();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

PersonalDatesDialog* ShowPersonalDates(QWidget* owner, const std::string& dataFolder) {
    static QPointer<PersonalDatesDialog> window;
    return ShowOneWindow(window, [&] { return new PersonalDatesDialog(dataFolder, Today(), owner); });
}

}  // namespace varnel
