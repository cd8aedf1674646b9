#pragma once
// The About box: picture, program name, credits, version and purpose.

#include <QDialog>

namespace veloquin {

class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent);
};

} // namespace veloquin
