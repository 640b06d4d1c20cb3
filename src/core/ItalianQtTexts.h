#pragma once

#include <memory>

class QTranslator;

namespace zet {

// Qt's own texts in the component's windows (the file and print dialogs'
// labels, the standard buttons) in Italian while the object lives, whatever
// translation the host program installed. Does nothing without an
// application or when Qt's Italian catalogue is not installed.
class ItalianQtTexts
{
public:
    ItalianQtTexts();
    ~ItalianQtTexts();
    ItalianQtTexts(const ItalianQtTexts &) = delete;
    ItalianQtTexts &operator=(const ItalianQtTexts &) = delete;

private:
    std::unique_ptr<QTranslator> translator_;
};

} // namespace zet
