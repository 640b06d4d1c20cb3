#pragma once

#include "render/EditBoxes.h"

#include <QCursor>
#include <QGuiApplication>
#include <QList>
#include <QRect>
#include <algorithm>

namespace zet::testing {

// Records what the renderer sets on each box, and the order of loads.
class FakeEditBoxes : public EditBoxes
{
public:
    struct Box
    {
        bool visible = false;
        QString fontName, text, tag;
        TextAlignment alignment {};
        int foreColor = 0, backColor = 0, frontCount = 0;
        QRect geometry;
    };

    explicit FakeEditBoxes(int count)
        : boxes(count)
    { }

    int upperBound() const override { return int(boxes.size()) - 1; }
    void load(int i) override
    {
        loads.append(i);
        boxes.resize(qMax(boxes.size(), qsizetype(i) + 1));
    }
    void setVisible(int i, bool visible) override { boxes[i].visible = visible; }
    void setFont(int i, const ReportFont *font) override
    {
        if (font)
            boxes[i].fontName = font->name;
    }
    void setAlignment(int i, TextAlignment alignment) override { boxes[i].alignment = alignment; }
    void setForeColor(int i, int colour) override { boxes[i].foreColor = colour; }
    void setBackColor(int i, int colour) override { boxes[i].backColor = colour; }
    void setGeometry(int i, int l, int t, int w, int h) override { boxes[i].geometry = QRect(l, t, w, h); }
    void setText(int i, const QString &text) override
    {
        boxes[i].text = text;
        textSetWhileIdle += idle() ? 1 : 0; // the preview would take these for the user's edits
        const QCursor *cursor = QGuiApplication::overrideCursor();
        busyPointerWhileFilling = cursor != nullptr && cursor->shape() == Qt::BusyCursor;
    }
    QString tag(int i) const override { return boxes[i].tag; }
    void setTag(int i, const QString &tag) override { boxes[i].tag = tag; }
    void bringToFront(int i) override { ++boxes[i].frontCount; }

    int visibleCount() const { return int(std::ranges::count(boxes, true, &Box::visible)); }

    QList<Box> boxes;
    QList<int> loads;
    int textSetWhileIdle = 0;
    bool busyPointerWhileFilling = false;
};

} // namespace zet::testing
