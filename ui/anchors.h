#pragma once

#include <QRect>
#include <QSize>

#include <vector>

class QString;
class QWidget;

// The child control of that name, looked up at any depth. A missing control is
// a fault of the window's build: throws std::logic_error naming it.
QWidget* RequiredChild(const QWidget& parent, const QString& name);

enum AnchorEdge { AnchorLeft = 1, AnchorTop = 2, AnchorRight = 4, AnchorBottom = 8 };
constexpr int AnchorTopLeft = AnchorLeft | AnchorTop;
constexpr int AnchorAll = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom;

// Keeps controls at fixed distances to the named edges of their parent: a
// control anchored left and right grows with the parent, one anchored only
// right moves with the right edge.
class Anchors {
public:
    explicit Anchors(QSize designParentSize) : designParent_(designParentSize) {}

    void Add(QWidget* widget, int edges);
    void Apply(QSize parentSize) const;

private:
    struct Entry {
        QWidget* widget;
        QRect design;
        int edges;
    };
    QSize designParent_;
    std::vector<Entry> entries_;
};
