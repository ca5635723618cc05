#pragma once

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QRadioButton;

// A captioned group of radio buttons, one item selected, captions
// replaceable by index. Tab reaches the group at its selected item; the arrow
// keys move the selection.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    // The selected item, -1 when none; kept up to date as buttons toggle, as
    // the run loop reads it for every sample.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    void SetItemText(int index, const QString& text);
    const std::vector<QRadioButton*>& Items() const { return buttons_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void KeepTabOnSelectedItem();

    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
    int itemIndex_ = -1;
};
