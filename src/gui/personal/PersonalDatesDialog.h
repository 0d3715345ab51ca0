#pragma once
// The "Personal dates" window: a table of the birthdays, anniversaries and
// yahrzeits of dates.dat and a form to add, change or remove one, with the
// next three days of the date shown as it is typed. Every change is written
// at once, to the file as it is at that moment (under its lock); an entry
// that another program changed meanwhile is not overwritten. Modeless, and
// usable from the keyboard alone: Return in the form adds (or, with a row
// chosen, saves), Delete in the table removes.
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "core/common/Date.h"
#include "core/personal/PersonalDates.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace varnel {

class PersonalDatesDialog : public QWidget {
    Q_OBJECT
public:
    // The list is "dates.dat" in the data folder; `today` starts the next days shown.
    PersonalDatesDialog(const std::string& dataFolder, Date today, QWidget* owner = nullptr);

    const std::string& DatesPath() const { return path_; }
    QTableWidget* Table() const { return table_; }
    const std::vector<PersonalDateEntry>& Entries() const { return entries_; }

    // The steps behind the buttons; each returns whether the file was changed.
    bool AddEntry();
    bool SaveEntry();
    bool RemoveEntry();

signals:
    // The file now holds other dates: the views draw them anew.
    void DatesChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Reload(int selectRow);
    void ShowChosenEntry();
    void ShowUpcoming();
    PersonalDateEntry FormEntry() const;
    // The selected row while it still holds the entry read, else nullopt.
    std::optional<size_t> ChosenRow() const;
    bool Change(const PersonalDatesChange& change, int selectRow);

    std::string path_;
    Date today_;
    std::vector<PersonalDateEntry> entries_;
    QTableWidget* table_;
    QLineEdit* name_;
    QComboBox* kind_;
    QLineEdit* date_;
    QCheckBox* afterSunset_;
    QLineEdit* note_;
    QLabel* upcoming_;
    QPushButton* add_;
    QPushButton* save_;
    QPushButton* remove_;
    QPushButton* close_;
};

// Shows the one window (raising it when it is already open), owned by `owner`.
PersonalDatesDialog* ShowPersonalDates(QWidget* owner, const std::string& dataFolder);

}  // namespace varnel
