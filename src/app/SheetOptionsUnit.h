#pragma once
// The sheet options of the printed pages. Created at start-up and kept; its
// pages and fields arrive with the printed documents.

#include <QDialog>

namespace veloquin {

class TSheetOptionsDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TSheetOptionsDlg(QWidget* parent);
};

} // namespace veloquin
