#include "SheetOptionsDialog.h"

#include "AppContext.h"
#include "AppFont.h"
#include "DialogSupport.h"
#include "MessageBox.h"
#include "NumberTexts.h"
#include "PageCaptions.h"
#include "PageTextFit.h"
#include "SheetOptionTexts.h"
#include "TypedText.h"
#include "UnfitTextsQuestion.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace veloquin {
namespace {

const char* const kApplyToDocumentQuestion =
    "Рамки и подписи текущей страницы будут применены к листам текущего документа.\rВыполнить операцию?";
const QString kSheetOptionsStep = QStringLiteral("Параметры листа");
const char* const kApplyToAllQuestion =
    "Рамки и подписи текущей страницы будут применены ко всем листам.\rВыполнить операцию?";

// The tabs in their order.
enum Tab
{
    kFrameTab,
    kTextTab,
    kSignatureTab,
    kProtocolSheet1Tab,
    kProtocolEndSheetTab
};

// The boxes of "Протокол Лист1", in the order they are shown; each labelled
// with the name a message about its text uses.
const ProtocolTextId kSheet1Texts[] = {
    ProtocolTextId::RegNumber,     ProtocolTextId::OsnovIzmer,
    ProtocolTextId::Chislo,        ProtocolTextId::Month,
    ProtocolTextId::Year,          ProtocolTextId::MestoIzmer,
    ProtocolTextId::TypeRez,       ProtocolTextId::NumberRez,
    ProtocolTextId::Pogreshn,      ProtocolTextId::SredstvaIzmer,
    ProtocolTextId::Temperatura,   ProtocolTextId::SkorostVetra,
    ProtocolTextId::Zagazovannost, ProtocolTextId::TemperaturaGidk,
};

// A box whose text does not fit its place on the sheet, its tab and the
// dialog's note of it.
const char* const kOverflowProperty = "textOverflows";
const QColor kOverflowTextColour(0xB0, 0x00, 0x00);
constexpr int kTextFitDelayMs = 250;

// The tab a box lies on: its ancestor that is a page of the tab widget.
QWidget* TabPageOf(QWidget* widget)
{
    while (widget && widget->parentWidget() && !qobject_cast<QStackedWidget*>(widget->parentWidget()))
        widget = widget->parentWidget();
    return widget;
}

// The title page's panels fill the tab: the boxes are as low as the font allows.
constexpr int kEditHeightPx = 20;

QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QLabel* NewLabel(QWidget* parent, const char* text, bool bold = false)
{
    auto* label = new QLabel(Utf8(text), parent);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

void Compact(QLayout* layout, int margin = 0, int spacing = 3)
{
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(spacing);
}

} // namespace

SheetOptionsDialog::SheetOptionsDialog(QWidget* parent, AppContext& context) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("SheetOptionsDlg"));
    SetUpMeasurementDialog(*this, QStringLiteral("Параметры страницы"), QSize(kClientWidthPx, kClientHeightPx));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_tabs->setUsesScrollButtons(false);
    m_tabs->addTab(CreateFrameTab(), QStringLiteral("Рамка"));
    m_tabs->addTab(CreateTextTab(), QStringLiteral("Надписи"));
    m_tabs->addTab(CreateSignatureTab(), QStringLiteral("Подпись предс. комиссии"));
    m_tabs->addTab(CreateProtocolSheet1Tab(), QStringLiteral("Протокол Лист1"));
    m_tabs->addTab(CreateProtocolEndSheetTab(), QStringLiteral("Протокол Посл. лист"));

    auto* layout = new QVBoxLayout(this);
    Compact(layout, 4, 4);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(CreateBottomStrip());

    m_keyPreview = new KeyPreview(*this, [this](QKeyEvent& key) { return FormKeyDown(key); });
    // Measuring the pages costs a few drawings: once typing pauses, not per keystroke.
    m_fitTimer = new QTimer(this);
    m_fitTimer->setSingleShot(true);
    m_fitTimer->setInterval(kTextFitDelayMs);
    connect(m_fitTimer, &QTimer::timeout, this, &SheetOptionsDialog::CheckTextFit);
    connect(this, &SheetOptionsDialog::RepaintPreview, m_fitTimer, qOverload<>(&QTimer::start));
    // The state of the controls at creation: what a page that leaves a choice
    // undecided is drawn with until a page decides it.
    ShowOptions();
}

SheetOptionsDialog::~SheetOptionsDialog() = default;

// --- Construction -----------------------------------------------------------------

QLineEdit* SheetOptionsDialog::NewEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedHeight(kEditHeightPx);
    for (const SheetOptionText& text : SheetOptionTexts()) {
        if (text.control == name) {
            m_edits.push_back({edit, &text});
            const BoundEdit bound = m_edits.back();
            connect(edit, &QLineEdit::textChanged, this, [this, bound] { EditChanged(bound); });
            break;
        }
    }
    return edit;
}

QLineEdit* SheetOptionsDialog::Edit(const char* name) const
{
    for (const BoundEdit& bound : m_edits) {
        if (bound.text->control == name)
            return bound.edit;
    }
    return nullptr;
}

QRadioButton* SheetOptionsDialog::NewFrameButton(QWidget* parent, const char* name, const char* caption,
                                               FrameButton button)
{
    auto* radio = new QRadioButton(Utf8(caption), parent);
    radio->setObjectName(QLatin1String(name));
    connect(radio, &QRadioButton::toggled, this, [this, button](bool checked) {
        if (checked)
            FrameButtonChecked(button);
    });
    return radio;
}

QWidget* SheetOptionsDialog::CreateFrameTab()
{
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("tsFrame"));
    auto* layout = new QVBoxLayout(tab);
    Compact(layout, 4, 3);

    auto* frames = new QHBoxLayout;
    Compact(frames, 0, 12);
    m_rbUnFramed = NewFrameButton(tab, "rbUnFramed", "Без рамки", FrameButton::UnFramed);
    m_rbFramed = NewFrameButton(tab, "rbFramed", "Простая рамка", FrameButton::Framed);
    m_rbFramedVD = NewFrameButton(tab, "rbFramedVD", "Рамка \"Вальдор\"", FrameButton::FramedVD);
    auto* frameGroup = new QButtonGroup(tab);
    for (QRadioButton* radio : {m_rbUnFramed, m_rbFramed, m_rbFramedVD}) {
        frameGroup->addButton(radio);
        frames->addWidget(radio);
    }
    frames->addStretch(1);
    layout->addLayout(frames);

    auto* apply = new QHBoxLayout;
    Compact(apply, 0, 4);
    const auto flatButton = [tab](const char* name, const char* caption) {
        auto* button = new QToolButton(tab);
        button->setObjectName(QLatin1String(name));
        button->setText(Utf8(caption));
        button->setAutoRaise(true);
        return button;
    };
    m_sbAllSheets = flatButton("sbAllSheets", "Применить ко всем листам");
    m_sbAllSheetsDoc = flatButton("sbAllSheetsDoc", "Применить к листам текущего документа");
    connect(m_sbAllSheets, &QToolButton::clicked, this, &SheetOptionsDialog::sbAllSheetsClick);
    connect(m_sbAllSheetsDoc, &QToolButton::clicked, this, &SheetOptionsDialog::sbAllSheetsDocClick);
    apply->addWidget(m_sbAllSheets);
    apply->addWidget(m_sbAllSheetsDoc);
    apply->addStretch(1);
    layout->addLayout(apply);

    m_panelVD = CreatePanelVD();
    m_panelTitlePageTop = CreateTitlePageTop();
    m_panelTitlePage = CreateTitlePage();
    for (QWidget* panel : {m_panelVD, m_panelTitlePageTop, m_panelTitlePage})
        panel->setParent(tab);
    layout->addWidget(m_panelVD);
    layout->addWidget(m_panelTitlePageTop);
    layout->addWidget(m_panelTitlePage);
    layout->addStretch(1);
    return tab;
}

// Laid out like the printed title block: two cells across the top, three below
// them, the title in the middle, the worker and his name at the bottom.
QWidget* SheetOptionsDialog::CreatePanelVD()
{
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("PanelVD"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* layout = new QVBoxLayout(panel);
    Compact(layout, 6, 4);

    const auto row = [&layout](std::initializer_list<std::pair<QWidget*, int>> cells) {
        auto* line = new QHBoxLayout;
        Compact(line, 0, 4);
        for (const auto& [widget, stretch] : cells)
            line->addWidget(widget, stretch);
        layout->addLayout(line);
    };
    // The stretches follow the cells of the title block in millimetres.
    row({{NewEdit(panel, "edOrg1"), 875}, {NewEdit(panel, "edOrg2"), 875}});
    row({{NewEdit(panel, "edDate"), 35}, {NewEdit(panel, "edObject"), 105}, {NewEdit(panel, "edSheet"), 35}});

    auto* titlePanel = new QFrame(panel);
    titlePanel->setObjectName(QStringLiteral("PanelTitle"));
    titlePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont bold = titlePanel->font();
    bold.setBold(true);
    titlePanel->setFont(bold);
    auto* titleLayout = new QHBoxLayout(titlePanel);
    Compact(titleLayout, 4, 6);
    auto* titleEdits = new QVBoxLayout;
    Compact(titleEdits, 0, 3);
    titleEdits->addWidget(NewEdit(titlePanel, "edTitle_1"));
    titleEdits->addWidget(NewEdit(titlePanel, "edTitle_2"));
    titleEdits->addWidget(NewEdit(titlePanel, "edTitle"));
    titleLayout->addLayout(titleEdits, 1);
    auto* lines = new QVBoxLayout;
    Compact(lines, 0, 2);
    m_rb1Str = new QRadioButton(QStringLiteral("Одна строка"), titlePanel);
    m_rb1Str->setObjectName(QStringLiteral("rb1Str"));
    m_rb2Str = new QRadioButton(QStringLiteral("Две строки"), titlePanel);
    m_rb2Str->setObjectName(QStringLiteral("rb2Str"));
    for (QRadioButton* radio : {m_rb1Str, m_rb2Str}) {
        radio->setFont(font());
        lines->addWidget(radio);
    }
    // One handler for both: it sees whichever of them the user checked.
    connect(m_rb1Str, &QRadioButton::toggled, this, &SheetOptionsDialog::rb1StrClick);
    titleLayout->addLayout(lines);
    layout->addWidget(titlePanel);

    row({{NewEdit(panel, "edWorker"), 118}, {NewEdit(panel, "edNameWorker"), 55}});
    return panel;
}

QWidget* SheetOptionsDialog::CreateTitlePageTop()
{
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("PanelTitlePageTop"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* grid = new QGridLayout(panel);
    Compact(grid, 4, 2);
    grid->addWidget(NewLabel(panel, "Титульный лист", true), 0, 0, 1, 4);
    grid->addWidget(NewLabel(panel, "Должность:"), 1, 0);
    grid->addWidget(NewEdit(panel, "edYtvDolgnoct_1"), 1, 1);
    grid->addWidget(NewEdit(panel, "edYtvDolgnoct_2"), 1, 2, 1, 2);
    grid->addWidget(NewLabel(panel, "Фамилия:"), 2, 0);
    grid->addWidget(NewEdit(panel, "edYtvFamilia"), 2, 1);
    grid->addWidget(NewLabel(panel, "Дата:"), 2, 2);
    grid->addWidget(NewEdit(panel, "edYtvDate"), 2, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 2);
    return panel;
}

QWidget* SheetOptionsDialog::CreateTitlePage()
{
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("PanelTitlePage"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* grid = new QGridLayout(panel);
    Compact(grid, 4, 2);
    int row = 0;
    grid->addWidget(NewLabel(panel, "Название резервуара:"), row, 0);
    grid->addWidget(NewEdit(panel, "edNazvanRez"), row++, 1, 1, 2);
    grid->addWidget(NewLabel(panel, "Организация:"), row, 0);
    grid->addWidget(NewEdit(panel, "edOrg"), row++, 1, 1, 2);

    auto* purpose = new QGroupBox(QStringLiteral("Градуировочная таблица преднозначена для:"), panel);
    purpose->setObjectName(QStringLiteral("rgPredn"));
    auto* items = new QHBoxLayout(purpose);
    items->setContentsMargins(6, 0, 6, 2);
    items->setSpacing(12);
    m_rgPredn = new QButtonGroup(purpose);
    const char* const itemTexts[] = {"оперативного контроля", "учетно-расчетных операций"};
    for (int item = 0; item < 2; ++item) {
        auto* radio = new QRadioButton(Utf8(itemTexts[item]), purpose);
        radio->setObjectName(QStringLiteral("rgPredn%1").arg(item));
        m_rgPredn->addButton(radio, item);
        items->addWidget(radio, 1);
    }
    connect(m_rgPredn, &QButtonGroup::idToggled, this, [this](int item, bool checked) {
        if (checked)
            rgPrednClick(item);
    });
    grid->addWidget(purpose, row++, 0, 1, 3);

    grid->addWidget(NewLabel(panel, "Срок очередной градуировки:"), row, 0);
    grid->addWidget(NewEdit(panel, "edSrok"), row++, 1, 1, 2);
    grid->addWidget(NewLabel(panel, "Председатель комиссии:"), row, 0);
    grid->addWidget(NewEdit(panel, "edPrKom_Dolgn"), row, 1);
    grid->addWidget(NewEdit(panel, "edPrKom_Famil"), row++, 2);
    for (const char* name : {"edAdd_1", "edAdd_2", "edAdd_3"})
        grid->addWidget(NewEdit(panel, name), row++, 0, 1, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 2);
    return panel;
}

QWidget* SheetOptionsDialog::CreateTextTab()
{
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("tsText"));
    auto* layout = new QVBoxLayout(tab);
    Compact(layout, 8, 4);
    m_cbTopCaption = new QCheckBox(QStringLiteral("Добавить текст выше чертежа"), tab);
    m_cbTopCaption->setObjectName(QStringLiteral("cbTopCaption"));
    layout->addWidget(m_cbTopCaption);
    layout->addWidget(NewEdit(tab, "edTopCaption"));
    layout->addSpacing(12);
    m_cbBottomCaption = new QCheckBox(QStringLiteral("Добавить текст ниже чертежа"), tab);
    m_cbBottomCaption->setObjectName(QStringLiteral("cbBottomCaption"));
    layout->addWidget(m_cbBottomCaption);
    layout->addWidget(NewEdit(tab, "edBottomCaption"));
    layout->addStretch(1);

    connect(m_cbTopCaption, &QCheckBox::toggled, this, [this](bool checked) {
        m_options.cbTopCaption = checked;
        WriteTank(m_cbTopCaption->text(), [checked](TSteelVertCylTank& tank) { tank.SetTopCaptionShown(checked); });
        emit RepaintPreview();
    });
    connect(m_cbBottomCaption, &QCheckBox::toggled, this, [this](bool checked) {
        m_options.cbBottomCaption = checked;
        WriteTank(m_cbBottomCaption->text(),
                  [checked](TSteelVertCylTank& tank) { tank.SetBottomCaptionShown(checked); });
        emit RepaintPreview();
    });
    return tab;
}

QWidget* SheetOptionsDialog::CreateSignatureTab()
{
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("tsGraduirPodpis"));
    auto* layout = new QVBoxLayout(tab);
    Compact(layout, 8, 4);
    layout->addWidget(NewLabel(tab, "Председатель комиссии:", true));
    QLineEdit* name = NewEdit(tab, "edPredsCom");
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    layout->addWidget(name);
    layout->addWidget(NewEdit(tab, "ed___"));
    layout->addWidget(NewEdit(tab, "ed__y"));
    layout->addStretch(1);
    return tab;
}

QWidget* SheetOptionsDialog::CreateProtocolSheet1Tab()
{
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("tsProtSheet1"));
    auto* grid = new QGridLayout(tab);
    Compact(grid, 6, 2);
    int row = 0;
    for (const ProtocolTextId id : kSheet1Texts) {
        const std::string name = OptionBoxName(id);
        grid->addWidget(NewLabel(tab, OptionTextLabelOf(name).name.c_str()), row, 0);
        grid->addWidget(NewEdit(tab, name.c_str()), row++, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
    return tab;
}

QWidget* SheetOptionsDialog::CreateProtocolEndSheetTab()
{
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("tsProtEndSheet"));
    auto* grid = new QGridLayout(tab);
    Compact(grid, 8, 4);
    grid->addWidget(NewLabel(tab, "ПОДПИСИ:", true), 0, 0, 1, 2);
    grid->addWidget(NewLabel(tab, "Должность"), 1, 0, Qt::AlignHCenter);
    grid->addWidget(NewLabel(tab, "Фамилия И.О."), 1, 1, Qt::AlignHCenter);
    for (int signature = 1; signature <= 4; ++signature) {
        const std::string index = std::to_string(signature);
        grid->addWidget(NewEdit(tab, ("edDolgnost_" + index).c_str()), signature + 1, 0);
        grid->addWidget(NewEdit(tab, ("edFamilia_" + index).c_str()), signature + 1, 1);
    }
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(6, 1);
    return tab;
}

QWidget* SheetOptionsDialog::CreateBottomStrip()
{
    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("PanelBottom"));
    strip->setFixedHeight(kBottomStripHeightPx - 4);
    auto* layout = new QHBoxLayout(strip);
    Compact(layout, 0, 6);
    m_pageBar = new QToolBar(strip);
    m_pageBar->setObjectName(QStringLiteral("ToolBarPages"));
    m_pageBar->setIconSize(QSize(16, 16));
    m_pageBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    layout->addWidget(m_pageBar);
    m_stPageNumber = NewCaptionText(strip, "stPageNumber", PageNumberCaption(1));
    layout->addWidget(m_stPageNumber, 0, Qt::AlignVCenter);
    m_stTextFit = new QLabel(strip);
    m_stTextFit->setObjectName(QStringLiteral("stTextFit"));
    QPalette warning = m_stTextFit->palette();
    warning.setColor(QPalette::WindowText, kOverflowTextColour);
    m_stTextFit->setPalette(warning);
    // A long note is cut rather than widening the dialog; its tooltip holds it whole.
    m_stTextFit->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(m_stTextFit, 1, Qt::AlignVCenter);
    auto* ok = new QPushButton(QStringLiteral("OK"), strip);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok);
    return strip;
}

// --- Showing and loading -----------------------------------------------------------

void SheetOptionsDialog::SetPageActions(QAction* pageUp, QAction* pageDown)
{
    m_pageUp = pageUp;
    m_pageDown = pageDown;
    m_pageBar->clear();
    m_pageBar->addAction(pageUp);
    m_pageBar->addAction(pageDown);
}

void SheetOptionsDialog::SetPageNumberText(const QString& text)
{
    SetCaptionText(*m_stPageNumber, text);
}

int SheetOptionsDialog::Execute()
{
    return ShowModalCentred(*this);
}

int SheetOptionsDialog::ExecuteAt(const std::string& field)
{
    m_fieldToShow = field;
    const int result = Execute();
    m_fieldToShow.clear();
    return result;
}

void SheetOptionsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Typing in a field after the dialog was shown again is a new step.
    m_context.editing.EndMerging();
    LoadPageOptions();
    if (QLineEdit* edit = m_fieldToShow.empty() ? nullptr : Edit(m_fieldToShow.c_str())) {
        m_tabs->setCurrentWidget(TabPageOf(edit));
        edit->setFocus();
        // The end of the text is what leaves its place.
        edit->end(false);
        m_fieldToShow.clear();
    }
}

void SheetOptionsDialog::LoadPageOptions()
{
    // The options the page is drawn with: its own, whatever page was loaded before.
    m_options = ResolvedPageOptions(m_context.Tank(), GlobalPageNumber(m_context.Tank(), m_context.documents));
    ShowOptions();
    if (isVisible())
        m_fitTimer->start();
}

void SheetOptionsDialog::CheckTextFit()
{
    m_fitTimer->stop();
    const TSteelVertCylTank& tank = m_context.Tank();
    const int current = GlobalPageNumber(tank, m_context.documents);
    std::vector<int> pages = SharedTextPages(tank);
    pages.push_back(current);
    // The widest overflow of each box: a frame text counts on this page only
    // (the boxes show this page's frame), a shared text wherever it is drawn.
    std::map<std::string, double> widest;
    for (const PageOverflow& found : OptionTextOverflows(tank, pages)) {
        const auto text = std::find_if(m_edits.begin(), m_edits.end(), [&found](const BoundEdit& bound) {
            return bound.text->control == found.overflow.field;
        });
        if (text == m_edits.end() || (text->text->home == TextHome::PageSheet && found.page != current))
            continue;
        double& byMm = widest[found.overflow.field];
        byMm = std::max(byMm, found.overflow.byMm);
    }

    std::vector<bool> tabMarked(static_cast<std::size_t>(m_tabs->count()), false);
    int marked = 0;
    double onlyMm = 0;
    for (const BoundEdit& bound : m_edits) {
        const auto found = widest.find(bound.text->control);
        const bool overflows = found != widest.end();
        if (bound.edit->property(kOverflowProperty).toBool() != overflows) {
            bound.edit->setProperty(kOverflowProperty, overflows);
            bound.edit->setStyleSheet(overflows ? QStringLiteral("QLineEdit { background: #ffd8d8; }") : QString());
        }
        bound.edit->setToolTip(overflows ? UnfitTextToolTip(found->second) : QString());
        // Counted where the user can reach the box on this page.
        QWidget* page = TabPageOf(bound.edit);
        const int tab = m_tabs->indexOf(page);
        if (!overflows || tab < 0 || !m_tabs->isTabVisible(tab) || !bound.edit->isVisibleTo(page))
            continue;
        ++marked;
        onlyMm = found->second;
        tabMarked[static_cast<std::size_t>(tab)] = true;
    }
    for (int tab = 0; tab < m_tabs->count(); ++tab)
        m_tabs->tabBar()->setTabTextColor(tab, tabMarked[static_cast<std::size_t>(tab)] ? kOverflowTextColour : QColor());
    m_stTextFit->setText(marked == 0   ? QString()
                         : marked == 1 ? QStringLiteral("Текст не помещается на листе (на %1 мм)")
                                             .arg(QString::fromStdString(OverflowMmText(onlyMm)))
                                       : QStringLiteral("Не помещаются на листе тексты: %1").arg(marked));
    m_stTextFit->setToolTip(m_stTextFit->text());
}

// The controls take the options as they are, without their handlers: showing
// what is stored must never write it back (a purpose index beyond the last
// item would otherwise be stored as the last item).
void SheetOptionsDialog::ShowOptions()
{
    for (const BoundEdit& bound : m_edits) {
        const QSignalBlocker quiet(bound.edit);
        bound.edit->setText(Text(OptionText(m_options, *bound.text)));
        bound.edit->setCursorPosition(0);
    }
    // Checking a radio button unchecks its neighbour, which signals too: all stay quiet.
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    for (QObject* button :
         std::initializer_list<QObject*>{m_rbUnFramed, m_rbFramed, m_rbFramedVD, m_rb1Str, m_rb2Str, m_rgPredn,
                                         m_rgPredn->button(0), m_rgPredn->button(1), m_cbTopCaption, m_cbBottomCaption})
        quiet.push_back(std::make_unique<QSignalBlocker>(button));
    m_rbUnFramed->setChecked(m_options.frame == FrameButton::UnFramed);
    m_rbFramed->setChecked(m_options.frame == FrameButton::Framed);
    m_rbFramedVD->setChecked(m_options.frame == FrameButton::FramedVD);
    m_rb1Str->setChecked(m_options.titleLines == TitleLinesButton::OneLine);
    m_rb2Str->setChecked(m_options.titleLines == TitleLinesButton::TwoLines);
    m_rgPredn->button(static_cast<int>(m_options.rgPredn))->setChecked(true);
    m_cbTopCaption->setChecked(m_options.cbTopCaption);
    m_cbBottomCaption->setChecked(m_options.cbBottomCaption);
    quiet.clear();

    const SheetOptionsLayout& layout = m_options.layout;
    m_tabs->setTabVisible(kFrameTab, layout.tsFrame);
    m_tabs->setTabVisible(kTextTab, layout.tsText);
    m_tabs->setTabVisible(kSignatureTab, layout.tsGraduirPodpis);
    m_tabs->setTabVisible(kProtocolSheet1Tab, layout.tsProtSheet1);
    m_tabs->setTabVisible(kProtocolEndSheetTab, layout.tsProtEndSheet);
    m_rbFramedVD->setVisible(layout.rbFramedVD);
    m_panelVD->setVisible(layout.PanelVD);
    m_sbAllSheets->setVisible(layout.sbAllSheets);
    m_sbAllSheetsDoc->setVisible(layout.sbAllSheetsDoc);
    m_panelTitlePageTop->setVisible(layout.PanelTitlePageTop);
    m_panelTitlePage->setVisible(layout.PanelTitlePage);
    ShowTitleEdits();
}

void SheetOptionsDialog::ShowTitleEdits()
{
    const bool oneLine = m_rb1Str->isChecked();
    Edit("edTitle")->setVisible(oneLine);
    Edit("edTitle_1")->setVisible(!oneLine);
    Edit("edTitle_2")->setVisible(!oneLine);
}

// --- Write-through ------------------------------------------------------------------

void SheetOptionsDialog::EditChanged(const BoundEdit& bound)
{
    std::string& option = OptionText(m_options, *bound.text);
    if (!AcceptTypedText(*bound.edit, Text(option)))
        return;
    option = bound.edit->text().toStdString();
    // Both title boxes show the page's one title: the hidden one follows, so
    // that switching the line count never draws a title other than the stored one.
    const bool title = bound.text->home == TextHome::PageSheet && bound.text->field == SheetField::Title;
    if (title) {
        const bool oneLineBox = bound.text->option == &PageOptions::edTitle;
        QLineEdit* other = Edit(oneLineBox ? "edTitle_1" : "edTitle");
        (oneLineBox ? m_options.edTitle_1 : m_options.edTitle) = option;
        const QSignalBlocker quiet(other);
        other->setText(bound.edit->text());
    }
    const DocumentSelection& selection = m_context.documents;
    const QString field = bound.edit->objectName() + QLatin1Char('/') +
                          QString::number(static_cast<int>(selection.docKind)) + QLatin1Char('/') +
                          QString::number(selection.curPage);
    WriteTank(kSheetOptionsStep,
              [&](TSteelVertCylTank& tank) { StoreOptionText(tank, m_context.documents, *bound.text, option); },
              field);
    emit RepaintPreview();
}

void SheetOptionsDialog::FrameButtonChecked(FrameButton button)
{
    m_options.frame = button;
    const DocumentSelection& selection = m_context.documents;
    WriteTank(kSheetOptionsStep, [&](TSteelVertCylTank& tank) {
        tank.SetSheetFrameStyle(SheetKindOf(selection.docKind),
                                SheetRecordOf(tank, selection.docKind, selection.curPage), EncodeFrameStyle(button));
    });
    emit RepaintPreview();
}

void SheetOptionsDialog::rb1StrClick()
{
    const bool oneLine = m_rb1Str->isChecked();
    ShowTitleEdits();
    m_options.titleLines = oneLine ? TitleLinesButton::OneLine : TitleLinesButton::TwoLines;
    const DocumentSelection& selection = m_context.documents;
    WriteTank(kSheetOptionsStep, [&](TSteelVertCylTank& tank) {
        tank.SetSheetTitleLines(SheetKindOf(selection.docKind),
                                SheetRecordOf(tank, selection.docKind, selection.curPage), oneLine ? 1 : 2);
    });
    emit RepaintPreview();
}

void SheetOptionsDialog::rgPrednClick(int item)
{
    m_options.rgPredn = static_cast<PurposeItem>(item);
    WriteTank(kSheetOptionsStep, [item](TSteelVertCylTank& tank) {
        tank.SetSheetTitleLines(SheetKind::Protocol, 1, static_cast<std::uint8_t>(item));
    });
    emit RepaintPreview();
}

void SheetOptionsDialog::sbAllSheetsDocClick()
{
    const MessageBox::Button answer =
        MessageBox::Ask(this, ApplicationTitle(), Utf8(kApplyToDocumentQuestion), MessageBox::Icon::Warning,
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) {
        const DocumentSelection selection = m_context.documents;
        WriteTank(m_sbAllSheetsDoc->text(),
                  [&](TSteelVertCylTank& tank) { ApplySheetToDocument(tank, selection.docKind, selection.curPage); });
    }
    emit RepaintPreview();
}

void SheetOptionsDialog::sbAllSheetsClick()
{
    const MessageBox::Button answer =
        MessageBox::Ask(this, ApplicationTitle(), Utf8(kApplyToAllQuestion), MessageBox::Icon::Warning,
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return;
    WriteTank(m_sbAllSheets->text(), [this](TSteelVertCylTank& tank) { ApplyToAllSheets(tank, m_options); });
    emit RepaintPreview();
}

void SheetOptionsDialog::WriteTank(const QString& caption, const std::function<void(TSteelVertCylTank&)>& write,
                                   const QString& mergeKey)
{
    m_context.editing.Change(caption, write, 0, mergeKey);
}

bool SheetOptionsDialog::FormKeyDown(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Escape: reject(); return true;
    case Qt::Key_PageUp:
        if (m_pageUp)
            m_pageUp->trigger();
        return true;
    case Qt::Key_PageDown:
        if (m_pageDown)
            m_pageDown->trigger();
        return true;
    default: return false;
    }
}

} // namespace veloquin
