#include "ui/anchors.h"

#include <QWidget>

void Anchors::Add(QWidget* widget, int edges) {
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
