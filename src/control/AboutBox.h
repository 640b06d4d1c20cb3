#pragma once

#include <QDialog>

namespace zet {

// The small modal window with the component's name and version.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);
};

} // namespace zet
