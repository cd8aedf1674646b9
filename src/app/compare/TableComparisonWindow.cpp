#include "compare/TableComparisonWindow.h"
#include "FileNames.h"

#include "AppContext.h"
#include "AppFont.h"
#include "CalibrationText.h"
#include "DialogSupport.h"
#include "FileDialog.h"
#include "FileIo.h"
#include "GFunc.h"
#include "MessageBox.h"
#include "TableWorkbook.h"
#include "TankFile.h"
#include "export/SaveChosenFile.h"
#include "export/TableCsv.h"
#include "ChartParts.h"

#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSplitter>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace veloquin {
namespace {

const QColor kBeyondColour(0xFF, 0xC7, 0xCE);
const QColor kErrorLineColour(0xC0, 0x00, 0x00);
constexpr double kChartMargin = 1.1;
constexpr double kBeyondMarkerPx = 9;
const QColor kBeyondMarkerColour(0xFF, 0x8C, 0x00);

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QTableWidgetItem* Cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidget* NewTable(QWidget* parent, const char* name, const QStringList& heads, int rows)
{
    auto* table = new QTableWidget(rows, heads.size(), parent);
    table->setObjectName(QLatin1String(name));
    table->setHorizontalHeaderLabels(heads);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

QString Summary(const TableComparison& comparison)
{
    QString text;
    if (comparison.largest)
        text = QStringLiteral("Наибольшая разность: %1 м³ на уровне %2 мм. ")
                   .arg(Text(FormatDecimals(3, comparison.largest->differenceM3)),
                        Text(FloatToStr(comparison.largest->levelMm)));
    if (!comparison.errorM3) {
        text += QStringLiteral("Погрешность не известна: ни одна из таблиц не из файла резервуара.");
    } else {
        if (comparison.levelsBeyondError > 0)
            text += QStringLiteral("Разность превышает погрешность на %1 уровнях. ").arg(comparison.levelsBeyondError);
        if (comparison.girdlesBeyondError > 0)
            text += QStringLiteral("Разность вместимостей превышает погрешность у %1 %2. ")
                        .arg(comparison.girdlesBeyondError)
                        .arg(comparison.girdlesBeyondError == 1 ? QStringLiteral("пояса") : QStringLiteral("поясов"));
        if (!BeyondError(comparison))
            text += QStringLiteral("Разность в пределах погрешности.");
        text = text.trimmed();
    }
    if (comparison.newLevelsNotCompared > 0)
        text += QStringLiteral(" Уровней новой таблицы вне прежней: %1.").arg(comparison.newLevelsNotCompared);
    return text;
}

} // namespace

std::optional<ComparedTable> LoadPreviousTable(QWidget* parent, const QString& path)
{
    const QString name = ShownPath(QFileInfo(path).fileName());
    try {
        if (path.endsWith(QStringLiteral(".vlq"), Qt::CaseInsensitive)) {
            LoadedTank loaded = LoadTankFile(NativePath(path));
            return ComparedTableOfTank(loaded.tank, name.toStdString());
        }
        return ComparedTableOfCsv(ReadTableCsv(ReadFileBytes(NativePath(path))), name.toStdString());
    } catch (const std::exception& error) {
        MessageBox::Tell(parent, QStringLiteral("Veloquin"),
                         QStringLiteral("Не удалось прочитать прежнюю таблицу «%1»:\n%2").arg(QuotedPath(path), Text(error.what())),
                         MessageBox::Icon::Critical);
    }
    return std::nullopt;
}

void CompareWithPrevious(QWidget* parent, AppContext& context)
{
    FileDialog::Request request;
    request.title = QStringLiteral("Сравнить с прежней градуировкой");
    request.filter = QStringLiteral("Таблицы (*.vlq *.csv *.txt);;Файл данных Veloquin (*.vlq);;Таблица CSV (*.csv "
                                    "*.txt);;Все файлы (*)");
    const QString path = FileDialog::GetOpenFileName(parent, request);
    if (path.isEmpty())
        return;
    const std::optional<ComparedTable> previous = LoadPreviousTable(parent, path);
    if (!previous)
        return;
    TableComparison comparison;
    try {
        TSteelVertCylTank copy = context.Tank(); // the comparison never moves the tank's level
        const ComparedTable current =
            ComparedTableOfTank(copy, QFileInfo(context.currentFileName).fileName().toStdString());
        comparison = CompareTables(*previous, current);
    } catch (const std::exception& error) {
        MessageBox::Tell(parent, QStringLiteral("Veloquin"), Text(error.what()), MessageBox::Icon::Critical);
        return;
    }
    TableComparisonWindow form(parent, std::move(comparison));
    ShowModalCentred(form);
}

TableComparisonWindow::TableComparisonWindow(QWidget* parent, TableComparison comparison)
    : QDialog(parent), m_comparison(std::move(comparison))
{
    setObjectName(QStringLiteral("TableComparisonForm"));
    setWindowTitle(QStringLiteral("Сравнение с прежней градуировкой"));
    setFont(UiFont());
    resize(1000, 640);
    auto* layout = new QVBoxLayout(this);

    auto* sources = new QLabel(QStringLiteral("Прежняя таблица: %1\nНовая таблица: %2")
                                   .arg(Text(m_comparison.previousSource), Text(m_comparison.newSource)),
                               this);
    sources->setObjectName(QStringLiteral("lbSources"));
    layout->addWidget(sources);
    auto* error = new QLabel(this);
    error->setObjectName(QStringLiteral("lbError"));
    if (m_comparison.errorM3)
        error->setText(QStringLiteral("Погрешность определения вместимости: ±%1 м³ (%2)")
                           .arg(Text(FormatDecimals(3, *m_comparison.errorM3)), Text(m_comparison.errorSource)));
    layout->addWidget(error);
    auto* warnings = new QLabel(this);
    warnings->setObjectName(QStringLiteral("lbWarnings"));
    warnings->setStyleSheet(QStringLiteral("color: #c00000"));
    warnings->setWordWrap(true);
    QStringList warningTexts;
    for (const std::string& warning : m_comparison.warnings)
        warningTexts << QStringLiteral("Внимание: ") + Text(warning);
    warnings->setText(warningTexts.join(QLatin1Char('\n')));
    warnings->setVisible(!warningTexts.isEmpty());
    layout->addWidget(warnings);
    auto* summary = new QLabel(Summary(m_comparison), this);
    summary->setObjectName(QStringLiteral("lbSummary"));
    summary->setWordWrap(true);
    layout->addWidget(summary);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    m_levels = NewTable(splitter,
                        "tvLevels",
                        {QStringLiteral("Уровень, мм"), QStringLiteral("Прежний, м³"), QStringLiteral("Новый, м³"),
                         QStringLiteral("Разность, м³"), QStringLiteral("Разность, %")},
                        static_cast<int>(m_comparison.levels.size()));
    auto* right = new QSplitter(Qt::Vertical, splitter);
    m_girdles = NewTable(right,
                         "tvGirdles",
                         {QStringLiteral("Пояс"),
                          m_comparison.girdlesFromCapacities ? QStringLiteral("Прежняя вместимость, м³")
                                                             : QStringLiteral("Прежняя по таблице, м³"),
                          m_comparison.girdlesFromCapacities ? QStringLiteral("Новая вместимость, м³")
                                                             : QStringLiteral("Новая по таблице, м³"),
                          QStringLiteral("Разность, м³")},
                         static_cast<int>(m_comparison.girdles.size()));
    right->addWidget(MakeChart());
    right->setSizes({180, 420});
    splitter->setSizes({470, 530});
    layout->addWidget(splitter, 1);
    FillLevels();
    FillGirdles();

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lbStatus"));
    auto* buttons = new QHBoxLayout;
    auto* saveCsv = new QPushButton(QStringLiteral("Сохранить CSV…"), this);
    saveCsv->setObjectName(QStringLiteral("btnSaveCsv"));
    auto* saveXlsx = new QPushButton(QStringLiteral("Сохранить XLSX…"), this);
    saveXlsx->setObjectName(QStringLiteral("btnSaveXlsx"));
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setDefault(true);
    buttons->addWidget(m_status, 1);
    buttons->addWidget(saveCsv);
    buttons->addWidget(saveXlsx);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(saveCsv, &QPushButton::clicked, this, [this] { SaveCsv(); });
    connect(saveXlsx, &QPushButton::clicked, this, [this] { SaveXlsx(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TableComparisonWindow::FillLevels()
{
    int row = 0;
    for (const LevelDifference& level : m_comparison.levels) {
        const QString cells[] = {Text(FloatToStr(level.levelMm)), Text(FormatDecimals(3, level.previousM3)),
                                 Text(FormatDecimals(3, level.newM3)), Text(FormatDecimals(3, level.differenceM3)),
                                 level.percent ? Text(FormatDecimals(3, *level.percent)) : QStringLiteral("—")};
        for (int column = 0; column < 5; ++column) {
            QTableWidgetItem* item = Cell(cells[column]);
            if (level.beyondError)
                item->setBackground(kBeyondColour);
            m_levels->setItem(row, column, item);
        }
        ++row;
    }
}

void TableComparisonWindow::FillGirdles()
{
    int row = 0;
    for (const GirdleDifference& girdle : m_comparison.girdles) {
        m_girdles->setItem(row, 0, Cell(QString::number(girdle.girdle)));
        m_girdles->setItem(row, 1, Cell(Text(FormatDecimals(3, girdle.previousM3))));
        m_girdles->setItem(row, 2, Cell(Text(FormatDecimals(3, girdle.newM3))));
        m_girdles->setItem(row, 3, Cell(Text(FormatDecimals(3, girdle.differenceM3))));
        ++row;
    }
}

QChartView* TableComparisonWindow::MakeChart()
{
    // The height runs up the plot as it runs up the tank; the difference runs across.
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Разность объемов по высоте"));
    auto* difference = new QLineSeries;
    difference->setName(QStringLiteral("Разность, м³"));
    auto* beyond = new QScatterSeries;
    beyond->setObjectName(QStringLiteral("BeyondError"));
    beyond->setName(QStringLiteral("Сверх погрешности"));
    // Their own colour, with a rim of the error line's: a level just beyond the
    // error lies on that line, and must not vanish into it.
    beyond->setColor(kBeyondMarkerColour);
    beyond->setBorderColor(kErrorLineColour);
    beyond->setMarkerSize(kBeyondMarkerPx);
    double widest = 0;
    for (const LevelDifference& level : m_comparison.levels) {
        difference->append(level.differenceM3, level.levelMm);
        if (level.beyondError)
            beyond->append(level.differenceM3, level.levelMm);
        widest = std::max(widest, std::fabs(level.differenceM3));
    }
    chart->addSeries(difference);

    const double low = m_comparison.levels.front().levelMm;
    const double high = m_comparison.levels.back().levelMm;
    std::vector<QLineSeries*> bounds;
    if (m_comparison.errorM3) {
        const double error = *m_comparison.errorM3;
        widest = std::max(widest, error);
        QPen pen(kErrorLineColour);
        pen.setStyle(Qt::DashLine);
        for (double side : {-error, error}) {
            auto* bound = new QLineSeries;
            bound->setName(QStringLiteral("Погрешность ±%1 м³").arg(Text(FormatDecimals(3, error))));
            bound->setPen(pen);
            bound->append(side, low);
            bound->append(side, high);
            chart->addSeries(bound);
            bounds.push_back(bound);
        }
        // One entry in the legend for both sides.
        for (QLegendMarker* marker : chart->legend()->markers(bounds.back()))
            marker->setVisible(false);
    }
    // Series are drawn in the order they were added: the markers last, over both lines.
    if (beyond->count() > 0)
        chart->addSeries(beyond);
    else
        delete beyond;
    WriteNumbersAsTheProgram(*chart);
    QValueAxis* x = Axis(*chart, Qt::AlignBottom, QStringLiteral("Разность, м³"));
    const double half = widest > 0 ? widest * kChartMargin : 1;
    x->setRange(-half, half);
    QValueAxis* y = Axis(*chart, Qt::AlignLeft, QStringLiteral("Уровень, мм"));
    y->setRange(low, high);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    auto* view = new QChartView(chart);
    view->setObjectName(QStringLiteral("chDifference"));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(260);
    return view;
}

bool TableComparisonWindow::SaveCsv()
{
    return SaveChosenFile(this, m_status, QStringLiteral("Сохранить сравнение"), QStringLiteral("Таблица CSV (*.csv)"),
                          QStringLiteral("csv"),
                          [this](const std::string& path) { ReplaceFile(path, ComparisonCsv(m_comparison)); });
}

bool TableComparisonWindow::SaveXlsx()
{
    return SaveChosenFile(this, m_status, QStringLiteral("Сохранить сравнение"),
                          QStringLiteral("Книга Excel (*.xlsx)"), QStringLiteral("xlsx"),
                          [this](const std::string& path) { WriteComparisonWorkbook(path, m_comparison); });
}

} // namespace veloquin
