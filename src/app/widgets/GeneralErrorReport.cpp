#include "GeneralErrorReport.h"

#include "AppFont.h"
#include "ErrorReport.h"
#include "MessageBox.h"

#include <QApplication>

namespace veloquin {

QString WithFullStop(const QString& text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void ReportGeneralError(QWidget* parent, const QString& text)
{
    MessageBox::Tell(parent, ApplicationTitle(), WithFullStop(text), MessageBox::Icon::Critical);
}

void ReportGeneralError(QWidget* parent, const std::exception& error)
{
    ReportGeneralError(parent, QString::fromStdString(error.what()));
}

void InstallMessageBoxErrorReporter()
{
    InstallErrorReporter([](const std::string& caption, const std::string& text) {
        MessageBox::Tell(QApplication::activeWindow(), QString::fromStdString(caption), QString::fromStdString(text),
                         MessageBox::Icon::Critical);
    });
}

} // namespace veloquin
