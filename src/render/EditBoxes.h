#pragma once

#include "model/ReportFont.h"
#include "model/TemplateCodes.h"

#include <QLatin1String>
#include <QString>

namespace zet {

// Element of an edit box's tag that holds the index (decimal, into Values) of
// the data value the box edits.
inline constexpr QLatin1String kEditBoxValueElement("IndexDato");

// The preview's array of edit boxes, as the renderer sees it. Boxes are
// numbered from 0; upperBound() is the highest existing index (-1 when there
// is none). Positions and sizes are twips on the page surface; colours hold
// RGB with red in the low byte. A box created by load() starts invisible.
class EditBoxes
{
public:
    virtual ~EditBoxes() = default;

    // False while a render is filling the boxes, true at every other time
    // (also before the first render). The preview takes a text change for a
    // user edit only while idle, so the renderer's own texts never reach the
    // data values.
    bool idle() const { return !filling_; }

    // Marks boxes as being filled for its lifetime (no effect on null boxes).
    class Filling
    {
    public:
        explicit Filling(EditBoxes *boxes)
            : boxes_(boxes)
            , wasFilling_(boxes && boxes->filling_)
        {
            if (boxes_)
                boxes_->filling_ = true;
        }
        ~Filling()
        {
            if (boxes_)
                boxes_->filling_ = wasFilling_;
        }
        Filling(const Filling &) = delete;
        Filling &operator=(const Filling &) = delete;

    private:
        EditBoxes *boxes_;
        bool wasFilling_;
    };

    virtual int upperBound() const = 0;
    // Creates box index, which is upperBound() + 1.
    virtual void load(int index) = 0;

    virtual void setVisible(int index, bool visible) = 0;
    // font is null when the object has none: the box keeps the font it has.
    virtual void setFont(int index, const ReportFont *font) = 0;
    // Left, right or centre; other values as the template stores them.
    virtual void setAlignment(int index, TextAlignment alignment) = 0;
    virtual void setForeColor(int index, int colour) = 0;
    virtual void setBackColor(int index, int colour) = 0;
    virtual void setGeometry(int index, int left, int top, int width, int height) = 0;
    virtual void setText(int index, const QString &text) = 0;
    virtual QString tag(int index) const = 0;
    virtual void setTag(int index, const QString &tag) = 0;
    // Puts the box above every other control of the page surface.
    virtual void bringToFront(int index) = 0;

private:
    bool filling_ = false;
};

} // namespace zet
