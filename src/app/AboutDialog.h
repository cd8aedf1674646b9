#pragma once
// The About box: picture, program name, credits, version and purpose.

#include <QDialog>

namespace veloquin {

class TAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutDlg(QWidget* parent);
};

} // namespace veloquin
