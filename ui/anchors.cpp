#include "ui/anchors.h"

#include <QString>
#include <QWidget>

#include <stdexcept>
#include <string>

QWidget* RequiredChild(const QWidget& parent, const QString& name) {
    QWidget* child = parent.findChild<QWidget*>(name);
    if (child == nullptr)
        throw std::logic_error("no control named " + name.toStdString() + " in " +
                               parent.objectName().toStdString());
    return child;
}

void Anchors::Add(QWidget* widget, int edges) {
    if (widget == nullptr)
        throw std::logic_error("no control to anchor");
    entries_.push_back({widget, widget->geometry(), edges});
}

void Anchors::Apply(QSize parentSize) const {
    const int dx = parentSize.width() - designParent_.width();
    const int dy = parentSize.height() - designParent_.height();
    for (const Entry& entry : entries_) {
        QRect r = entry.design;
        if (entry.edges & AnchorRight) {
            if (entry.edges & AnchorLeft)
                r.setWidth(r.width() + dx);
            else
                r.translate(dx, 0);
        }
        if (entry.edges & AnchorBottom) {
            if (entry.edges & AnchorTop)
                r.setHeight(r.height() + dy);
            else
                r.translate(0, dy);
        }
        entry.widget->setGeometry(r);
    }
}
