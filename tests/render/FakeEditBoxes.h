#pragma once

#include "render/EditBoxes.h"
#include "render/RenderIdle.h"

#include <QCursor>
#include <QGuiApplication>
#include <QList>
#include <optional>

namespace zet::testing {

// Records what the renderer sets on each box, and how often, so tests can
// check both the final state and the order of loads.
class FakeEditBoxes : public EditBoxes
{
public:
    struct Box
    {
        bool visible = false;
        std::optional<ReportFont> font;
        int alignment = 0;
        int foreColor = 0;
        int backColor = 0;
        int left = 0, top = 0, width = 0, height = 0;
        QString text;
        QString tag;
        int frontCount = 0;
        int textAssignments = 0;
    };

    explicit FakeEditBoxes(int initialCount = 1)
        : boxes(initialCount)
    { }

    int upperBound() const override { return int(boxes.size()) - 1; }
    void load(int index) override
    {
        loads.append(index);
        if (index != boxes.size())
            ++outOfOrderLoads;
        boxes.resize(qMax(boxes.size(), qsizetype(index) + 1));
    }
    void setVisible(int index, bool visible) override { boxes[index].visible = visible; }
    void setFont(int index, const ReportFont *font) override
    {
        if (font)
            boxes[index].font = *font;
    }
    void setAlignment(int index, int alignment) override { boxes[index].alignment = alignment; }
    void setForeColor(int index, int colour) override { boxes[index].foreColor = colour; }
    void setBackColor(int index, int colour) override { boxes[index].backColor = colour; }
    void setGeometry(int index, int left, int top, int width, int height) override
    {
        Box &b = boxes[index];
        b.left = left;
        b.top = top;
        b.width = width;
        b.height = height;
    }
    void setText(int index, const QString &text) override
    {
        boxes[index].text = text;
        ++boxes[index].textAssignments;
        if (RenderIdle)
            ++textSetWhileIdle;
        const QCursor *cursor = QGuiApplication::overrideCursor();
        busyPointerWhileFilling = cursor != nullptr && cursor->shape() == Qt::BusyCursor;
    }
    QString tag(int index) const override { return boxes[index].tag; }
    void setTag(int index, const QString &tag) override { boxes[index].tag = tag; }
    void bringToFront(int index) override { ++boxes[index].frontCount; }

    int visibleCount() const
    {
        int n = 0;
        for (const Box &b : boxes)
            n += b.visible ? 1 : 0;
        return n;
    }

    QList<Box> boxes;
    QList<int> loads;
    int outOfOrderLoads = 0;
    int textSetWhileIdle = 0; // text assignments the preview would take for edits
    bool busyPointerWhileFilling = false;
};

} // namespace zet::testing
