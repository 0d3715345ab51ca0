#include "gui/views/ColorsDialog.h"

#include <QColor>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/views/GridPainter.h"
#include "core/views/ColorScheme.h"

namespace varnel {
namespace {

QColor SampleColor(Color color) { return ToQColor(color, Qt::black, QPalette()); }

QLabel* Sample(const QString& text, Color background, Color foreground, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 24);
    label->setMinimumHeight(label->fontMetrics().height() + 8);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, SampleColor(background));
    palette.setColor(QPalette::WindowText, SampleColor(foreground));
    label->setPalette(palette);
    return label;
}

}  // namespace

ColorsDialog::ColorsDialog(QWidget* owner, int current)
    : QDialog(owner),
      okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("frmColors"));
    setWindowTitle(QStringLiteral("Select Main Color Scheme"));
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    cancelButton_->setObjectName(QStringLiteral("cmdCancel"));
    okButton_->setDefault(true);

    auto* schemes = new QGridLayout;
    schemes->setHorizontalSpacing(12);
    for (int i = 0; i < kColorSchemeCount; ++i) {
        const ColorSchemeEntry& scheme = ColorSchemeAt(i);
        const QString index = QString::number(i);
        // Exclusive within the dialog; the name's first letter is its access key.
        auto* option = new QRadioButton(QStringLiteral("&") + QString::fromUtf8(scheme.name), this);
        option->setObjectName(QStringLiteral("optScheme") + index);
        QLabel* holy = Sample(QStringLiteral("Holy Days"), scheme.holyDay, kBlackColor, this);
        holy->setObjectName(QStringLiteral("lblHolyDays") + index);
        QLabel* shabbat = Sample(QStringLiteral("Shabbat"), scheme.shabbat, kWhiteColor, this);
        shabbat->setObjectName(QStringLiteral("lblShabbat") + index);
        schemes->addWidget(option, i, 0);
        schemes->addWidget(holy, i, 1);
        schemes->addWidget(shabbat, i, 2);
        schemeRadios_[static_cast<size_t>(i)] = option;
        option->installEventFilter(this);
        holyDaysLabel_[static_cast<size_t>(i)] = holy;
        shabbatLabel_[static_cast<size_t>(i)] = shabbat;
    }
    // A scheme number outside 0..3 (black colours) opens with no option selected.
    if (IsColorScheme(current)) schemeRadios_[static_cast<size_t>(current)]->setChecked(true);
    // The keyboard starts on the schemes, where the arrows choose one and
    // Enter takes it; Tab then reaches the buttons.
    QRadioButton* focused = schemeRadios_[IsColorScheme(current) ? static_cast<size_t>(current) : 0];
    focused->setFocus();
    setTabOrder(focused, okButton_);
    setTabOrder(okButton_, cancelButton_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(schemes);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

// An access key chooses its scheme at once (a button's own access key only
// starts a click that lands a moment later, after an Enter pressed at once).
bool ColorsDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* option = qobject_cast<QRadioButton*>(watched);
    if (event->type() != QEvent::Shortcut || !option) return QDialog::eventFilter(watched, event);
    option->setChecked(true);
    option->setFocus(Qt::ShortcutFocusReason);
    return true;
}

void ColorsDialog::accept() {
    for (int i = 0; i < kColorSchemeCount; ++i) {
        if (schemeRadios_[static_cast<size_t>(i)]->isChecked()) {
            chosen_ = i;
            break;
        }
    }
    QDialog::accept();
}

std::optional<int> ShowColorsDialog(QWidget* owner, int current) {
    ColorsDialog dialog(owner, current);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}

}  // namespace varnel
