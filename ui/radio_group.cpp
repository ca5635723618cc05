#include "ui/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        group_->addButton(button, i);
        buttons_.push_back(button);
    }
    KeepTabOnSelectedItem();
    connect(group_, &QButtonGroup::buttonToggled, this, [this] { KeepTabOnSelectedItem(); });
    // The group is exclusive: an item is unchecked only when another is checked.
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            itemIndex_ = id;
    });
}

void RadioGroup::KeepTabOnSelectedItem() {
    for (QRadioButton* button : buttons_)
        button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void RadioGroup::SetItemIndex(int index) {
    if (index >= 0 && index < static_cast<int>(buttons_.size()))
        buttons_[static_cast<std::size_t>(index)]->setChecked(true);
}

void RadioGroup::SetItemText(int index, const QString& text) {
    buttons_.at(static_cast<std::size_t>(index))->setText(text);
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    // Items share the height below the caption evenly, as in a radio group.
    constexpr int top = 16;
    constexpr int left = 8;
    const int count = static_cast<int>(buttons_.size());
    if (count == 0)
        return;
    const int rowHeight = (height() - top - 4) / count;
    for (int i = 0; i < count; ++i)
        buttons_[static_cast<std::size_t>(i)]->setGeometry(left, top + i * rowHeight,
                                                           width() - left - 4, rowHeight);
}
