#include "gui/report/FormProgressi.h"

#include "core/app/Program.h"
#include "core/app/Users.h"
#include "core/platform/Dialogs.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/TextFiles.h"
#include "core/report/ReportSave.h"
#include "gui/report/ReportPrinting.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FittedText.h"
#include "gui/widgets/PrinterTarget.h"
#include "gui/widgets/WindowManager.h"
#include "gui/widgets/WordWrapButton.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QMenuBar>
#include <QPen>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QValueAxis>

namespace ortolino {

namespace {

constexpr Margins kOneInchMargins{1440, 1440, 1440, 1440};
constexpr int kMonth = 2; // the period shown first: the last 30 days
const QString kReport = QStringLiteral("FormEserciziEseguiti");
// The chart as printed, in pixels of a 96-dpi page.
constexpr QSize kPrintedChart(960, 480);
// Bars a chart shows before it counts weeks (or months) instead of days, and
// the most whose dates fit under them level.
constexpr size_t kMostBars = 31;
constexpr qsizetype kMostLevelLabels = 12;
// Letter confusions a printed page lists, the most frequent.
constexpr size_t kPrintedConfusions = 20;
// How far the clock may read behind the last word before the view says so.
constexpr qint64 kClockBehind = 24 * 60 * 60;

QString percent(double share)
{
    return QString::number(qRound(share * 100));
}

// QtCharts cuts an axis's labels to "..." when they stand closer than their
// own height (a small or scaled screen leaves the chart a few lines high):
// the axis then marks every second or fourth step, or only its ends, so that
// each mark still falls on a step.
void keepLabelsWhole(QChart& chart, QValueAxis& axis, int steps)
{
    QObject::connect(&chart, &QChart::plotAreaChanged, &axis, [&axis, steps](const QRectF& plot) {
        const double room = QFontMetricsF(axis.labelsFont()).height() + 2;
        int shown = 1;
        for (int marks = steps; marks > 1; --marks) {
            if (steps % marks == 0 && plot.height() >= marks * room) {
                shown = marks;
                break;
            }
        }
        if (axis.tickCount() != shown + 1)
            axis.setTickCount(shown + 1);
    });
}

// The lines of a chart: words finished per day (bars, left axis) and the share
// of them without any error (line, right axis, per cent); its texts and days
// in the language in force.
QChart* makeChart(const std::vector<DayCount>& days, Program& program)
{
    const ChartBars chartBars = ortolino::chartBars(days, kMostBars);
    auto* chart = new QChart;
    const char* title = chartBars.length == BarLength::Month  ? "0281"
                        : chartBars.length == BarLength::Week ? "0280"
                                                              : "0256";
    chart->setTitle(program.text(QString::fromLatin1(title)));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto* finished = new QBarSet(program.text(QStringLiteral("0257")));
    auto* line = new QLineSeries;
    line->setName(program.text(QStringLiteral("0258")));
    line->setPointsVisible(true);
    QStringList categories;
    int most = 1;
    const QLocale locale = program.language.locale();
    // Bars over more than one year date the first bar and each new year's
    // first in full: a flat battery's "01/01" of 2000 before today's "08/12"
    // read as one year's days.
    const std::vector<DayCount>& all = chartBars.bars;
    const bool years = !all.empty() && all.front().day.year() != all.back().day.year();
    for (size_t i = 0; i < all.size(); ++i) {
        const DayCount& bar = all[i];
        const bool newYear = years && (i == 0 || all[i - 1].day.year() != bar.day.year());
        *finished << bar.finished;
        most = std::max(most, bar.finished);
        line->append(static_cast<double>(i),
                     bar.finished > 0 ? 100.0 * bar.withoutError / bar.finished : 0);
        categories << (chartBars.length == BarLength::Month
                           ? locale.standaloneMonthName(bar.day.month(), QLocale::ShortFormat) +
                                 QLatin1Char(' ') + QString::number(bar.day.year())
                       : newYear ? program.language.shortDate(bar.day)
                                 : program.language.dayAndMonth(bar.day));
    }
    auto* bars = new QBarSeries;
    bars->append(finished);
    chart->addSeries(bars);
    chart->addSeries(line);
    // A day is a point, often the only one: big enough to see over its bar
    // (in the colour the chart's theme gave the line).
    line->setMarkerSize(10);
    QPen pen = line->pen();
    pen.setWidth(3);
    line->setPen(pen);

    auto* daysAxis = new QBarCategoryAxis;
    daysAxis->append(categories);
    // Upright, a date needs more room than a bar of a month's days has.
    if (categories.size() > kMostLevelLabels)
        daysAxis->setLabelsAngle(-90);
    chart->addAxis(daysAxis, Qt::AlignBottom);
    bars->attachAxis(daysAxis);
    line->attachAxis(daysAxis);
    auto* countAxis = new QValueAxis;
    const CountScale scale = countScale(most);
    countAxis->setRange(0, scale.top);
    countAxis->setLabelFormat(QStringLiteral("%d"));
    countAxis->setTickCount(scale.ticks);
    chart->addAxis(countAxis, Qt::AlignLeft);
    bars->attachAxis(countAxis);
    auto* shareAxis = new QValueAxis;
    shareAxis->setRange(0, 100);
    shareAxis->setLabelFormat(QStringLiteral("%d %%"));
    chart->addAxis(shareAxis, Qt::AlignRight);
    line->attachAxis(shareAxis);
    keepLabelsWhole(*chart, *countAxis, scale.ticks - 1);
    keepLabelsWhole(*chart, *shareAxis, 4); // every 25 %
    return chart;
}

void setRows(QTableWidget& table, const std::vector<QStringList>& rows)
{
    table.clearContents();
    table.setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const QStringList& cells = rows[static_cast<size_t>(row)];
        for (int column = 0; column < cells.size(); ++column)
            table.setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}

std::vector<QStringList> confusionRows(const Progress& progress)
{
    std::vector<QStringList> rows;
    for (const Confusion& c : progress.confusions)
        rows.push_back({c.expected, c.chosen, QString::number(c.times)});
    return rows;
}

// The user's data folder, made when missing so that the dialog starts there.
QString userFolder(const Program& program)
{
    const QString folder = cartellaDatiUtente(program.env, program.state.NomeUtente);
    QDir().mkpath(folder);
    return folder;
}

std::vector<QStringList> helpedRows(const Progress& progress)
{
    std::vector<QStringList> rows;
    for (const HelpedWord& w : progress.mostHelped)
        rows.push_back({w.word, QString::number(w.helps), QString::number(w.wrongLetters),
                        QString::number(w.shown)});
    return rows;
}

} // namespace

FormProgressi::FormProgressi(Program& program, WindowManager& windows)
    : Form(QStringLiteral("FormProgressi"), program, windows, QSize(12000, 8400))
{
    setWindowTitle(QStringLiteral("Ortolino - Progressi"));
    QLabel* periodTitle = addLabel("Label1", QStringLiteral("&Periodo:"), 240, 120, 1400);
    period_ = named(new QComboBox(area()), "ComboPeriodo");
    period_->setFont(designFont(QStringLiteral("Arial"), 12));
    place(period_, 1700, 120, 3600, 420);
    periodTitle->setBuddy(period_);
    // Whose progress this is: the teacher goes through each child's in turn.
    user_ = addLabel("LabelUtente", QString(), 5600, 120, 6160);
    user_->setFont(designFont(QStringLiteral("Arial"), 14, true));
    user_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    totals_ = addLabel("LabelTotali", QString(), 240, 660, 11520);
    totals_->setWordWrap(true);
    place(totals_, 240, 660, 11520, 700);

    chart_ = named(new QChartView(area()), "Grafico");
    chart_->setRenderHint(QPainter::Antialiasing);
    // Nothing in the chart answers a key, and it shows no focus: Tab stopped
    // there unseen on its way to the tables and buttons.
    chart_->setFocusPolicy(Qt::NoFocus);
    place(chart_, 240, 1440, 7200, 3600);

    confusionsTitle_ =
        addLabel("LabelConfusioni", QStringLiteral("Lettere confuse"), 7680, 1440, 4080);
    confusions_ = addTable("TabellaConfusioni", 7680, 1800, 4080, 3240);
    helpedTitle_ = addLabel("LabelAiuti", QStringLiteral("Parole che hanno chiesto più aiuto"), 240,
                            5160, 7200);
    helped_ = addTable("TabellaAiuti", 240, 5520, 7200, 2640);

    exportCsv_ = addButton("Command1", QStringLiteral("Esporta CSV"), 7680, 5160);
    print_ = addButton("Command2", QStringLiteral("Stampa"), 9780, 5160);
    savePdf_ = addButton("Command3", QStringLiteral("Salva PDF"), 7680, 6240);
    forget_ = addButton("Command4", QStringLiteral("Cancella lo storico"), 9780, 6240);
    connect(exportCsv_, &QPushButton::clicked, this, &FormProgressi::Command1_Click);
    connect(print_, &QPushButton::clicked, this, &FormProgressi::Command2_Click);
    connect(savePdf_, &QPushButton::clicked, this, &FormProgressi::Command3_Click);
    connect(forget_, &QPushButton::clicked, this, &FormProgressi::Command4_Click);

    connect(named(menuBar()->addAction(QStringLiteral("&Esci")), "mnuEsci"), &QAction::triggered,
            this, &FormProgressi::mnuEsci_Click);
}

QPushButton* FormProgressi::addButton(const char* name, const QString& caption, int left, int top)
{
    auto* button = named(new WordWrapButton(caption, area()), name);
    button->setFont(designFont(QStringLiteral("Arial"), 12));
    place(button, left, top, 1980, 855);
    return button;
}

QLabel* FormProgressi::addLabel(const char* name, const QString& caption, int left, int top,
                                int width)
{
    // Drawn smaller when a small or scaled screen makes the line lower than the font's.
    auto* label = named(new FittedLabel(caption, area()), name);
    label->setKeepsMargin(false);
    label->setFont(designFont(QStringLiteral("Arial"), 12));
    place(label, left, top, width, 360);
    return label;
}

QTableWidget* FormProgressi::addTable(const char* name, int left, int top, int width, int height)
{
    auto* table = named(new QTableWidget(area()), name);
    table->setFont(designFont(QStringLiteral("Arial"), 11));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    place(table, left, top, width, height);
    return table;
}

void FormProgressi::Form_Load()
{
    Form::Form_Load();
    for (const char* key : {"0251", "0252", "0253", "0254"})
        period_->addItem(program().text(QString::fromLatin1(key)));
    period_->setCurrentIndex(kMonth);
    const QStringList confusionTitles = program().text(QStringLiteral("0259")).split('|');
    confusions_->setColumnCount(static_cast<int>(confusionTitles.size()));
    confusions_->setHorizontalHeaderLabels(confusionTitles);
    const QStringList helpedTitles = program().text(QStringLiteral("0260")).split('|');
    helped_->setColumnCount(static_cast<int>(helpedTitles.size()));
    helped_->setHorizontalHeaderLabels(helpedTitles);
    connect(period_, &QComboBox::currentIndexChanged, this, &FormProgressi::aggiorna);
    fitTextBoxes(this); // the periods' names on a small screen
}

void FormProgressi::Form_Activate()
{
    coverScreen();
    aggiorna();
    period_->setFocus();
}

// The close box leads back to the report, as "Esci" does.
void FormProgressi::Form_Unload()
{
    if (windows().find(kReport) == nullptr)
        windows().show(kReport);
}

TimeSpan FormProgressi::span() const
{
    const auto period = static_cast<Period>(std::max(0, period_->currentIndex()));
    return spanOf(period, QDateTime::currentSecsSinceEpoch());
}

void FormProgressi::aggiorna()
{
    History* history = program().services.history;
    progress_ =
        history != nullptr ? history->progress(program().state.NomeUtente, span()) : std::nullopt;
    for (QPushButton* button : {exportCsv_, print_, savePdf_, forget_})
        button->setEnabled(progress_.has_value());
    user_->setText(nomeUtenteMostrato(program(), program().state.NomeUtente));
    totals_->setText(totalsText());
    const Progress none;
    const Progress& shown = progress_ ? *progress_ : none;
    setRows(*confusions_, confusionRows(shown));
    setRows(*helped_, helpedRows(shown));
    fillChart();
}

void FormProgressi::fillChart()
{
    const std::vector<DayCount> none;
    QChart* old = chart_->chart();
    chart_->setChart(makeChart(progress_ ? progress_->days : none, program()));
    delete old;
}

QString FormProgressi::totalsText() const
{
    Program& p = program();
    QString text;
    if (!progress_)
        text = p.text(QStringLiteral("0266"));
    else if (progress_->totals.words == 0)
        text = p.text(QStringLiteral("0269"));
    else {
        const ProgressTotals& t = progress_->totals;
        text = p.text(QStringLiteral("0255"))
                   .arg(t.words)
                   .arg(t.finished)
                   .arg(percent(t.firstTryRate()))
                   .arg(p.language.number(t.helpsPerWord(), 1))
                   .arg(QString::number(qRound(t.secondsPerWord())));
    }
    // A clock set back since the last word (a flat battery's year 2000)
    // counts the period back from the wrong day: the teacher is told why the
    // latest words are missing, and what to check.
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    if (progress_ && progress_->lastWordAt >= span().to &&
        progress_->lastWordAt > now + kClockBehind)
        text += QLatin1Char('\n') +
                p.text(QStringLiteral("0212"))
                    .arg(p.language.shortDate(QDateTime::fromSecsSinceEpoch(now).date()),
                         p.language.shortDate(
                             QDateTime::fromSecsSinceEpoch(progress_->lastWordAt).date()));
    // Words the disk refused are not counted above: the teacher is told why
    // they are missing, and that they are still held.
    History* history = p.services.history;
    if (const int waiting = history != nullptr ? history->unwritten() : 0; waiting > 0)
        text += QLatin1Char('\n') + p.text(QStringLiteral("0268")).arg(waiting);
    return text;
}

void FormProgressi::showError(const QString& key, const QString& detail)
{
    Message message;
    message.text = program().text(key);
    if (!detail.isEmpty())
        message.text += QStringLiteral("\r\n") + QDir::toNativeSeparators(detail);
    message.icon = Message::Icon::Critical;
    program().services.messages->show(message);
}

// CSV of the period's words.
void FormProgressi::Command1_Click()
{
    History* history = program().services.history;
    const QString user = program().state.NomeUtente;
    const auto words = history != nullptr ? history->words(user, span()) : std::nullopt;
    if (!words) {
        showError(QStringLiteral("0266"));
        return;
    }
    const QString path = askSavePath(*exportCsv_, QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    CsvTexts texts;
    texts.titles = program().text(QStringLiteral("0261")).split('|');
    texts.exercises = program().text(QStringLiteral("0262")).split('|');
    texts.inputModes = program().text(QStringLiteral("0263")).split('|');
    const QStringList yesNo = program().text(QStringLiteral("0264")).split('|');
    texts.yes = yesNo.value(0);
    texts.no = yesNo.value(1);
    if (!writeFileAtomically(path, historyCsv(*words, texts)))
        showError(QStringLiteral("0267"), path);
}

// A file to save in, in the user's data folder unless the teacher chooses
// another place; the dialog is titled by the button that asked.
QString FormProgressi::askSavePath(const QPushButton& button, const QString& extension)
{
    return program().services.dialogs->ShowFileDialog(
        this, Dialogs::Save, button.text().remove(QLatin1Char('&')),
        nomeFileProposto(nomeUtenteMostrato(program(), program().state.NomeUtente),
                         QDate::currentDate(), extension),
        {FileFilter{QString(), QStringLiteral("*.") + extension}}, userFolder(program()), extension,
        savePlaces(program().env));
}

void FormProgressi::Command2_Click()
{
    PrinterTarget* target = program().services.printer;
    std::unique_ptr<QPrinter> printer = target ? target->open() : nullptr;
    if (!printer || !print(*printer) || !target->jobAccepted())
        showError(QStringLiteral("0213"));
}

void FormProgressi::Command3_Click()
{
    const QString path = askSavePath(*savePdf_, QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    PdfFilePrinter file(path);
    std::unique_ptr<QPrinter> printer = file.open();
    if (!printer || !print(*printer))
        showError(QStringLiteral("0267"), path);
}

void FormProgressi::Command4_Click()
{
    History* history = program().services.history;
    const QString user = program().state.NomeUtente;
    const Message question =
        destructiveQuestion(program().text(QStringLiteral("0265")) + QStringLiteral("\r\n") +
                            nomeUtenteMostrato(program(), user));
    if (program().services.messages->show(question) != MessageBoxes::Answer::Yes)
        return;
    if (history == nullptr || !history->forget(user))
        showError(QStringLiteral("0270"));
    aggiorna();
}

void FormProgressi::mnuEsci_Click()
{
    windows().show(kReport);
    windows().unload(this);
}

bool FormProgressi::print(QPrinter& printer) const
{
    const std::unique_ptr<QTextDocument> document = printedDocument();
    return StampaTestoFormattato(*document, printer, kOneInchMargins).started;
}

std::unique_ptr<QTextDocument> FormProgressi::printedDocument() const
{
    Program& p = program();
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(designFont(QStringLiteral("Arial"), 11));

    QChartView chart(makeChart(progress_ ? progress_->days : std::vector<DayCount>{}, p));
    chart.setRenderHint(QPainter::Antialiasing);
    chart.resize(kPrintedChart);
    document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("chart.png")),
                          chart.grab().toImage());

    auto escaped = [](const QString& text) { return text.toHtmlEscaped(); };
    QString html =
        QStringLiteral("<p style=\"font-size:18pt\" align=\"center\"><b>%1 – %2</b></p>")
            .arg(escaped(windowTitle()), escaped(nomeUtenteMostrato(p, p.state.NomeUtente)));
    html += QStringLiteral("<p>%1 – %2</p>")
                .arg(escaped(period_->currentText()),
                     escaped(program().language.shortDate(QDate::currentDate())));
    html += QStringLiteral("<p>%1</p>").arg(escaped(totalsText()));
    // Six inches wide: inside an A4 or Letter page one inch in from each side.
    html += QStringLiteral("<p><img src=\"chart.png\" width=\"%1\" height=\"%2\"></p>")
                .arg(kPrintedChart.width() * 3 / 5)
                .arg(kPrintedChart.height() * 3 / 5);
    // The lists as plain lines, which the printing path splits between pages.
    auto list = [&](const QLabel* title, const QTableWidget* table,
                    const std::vector<QStringList>& rows) {
        html += QStringLiteral("<p><b>%1</b></p>").arg(escaped(title->text().remove('&')));
        QStringList titles;
        for (int c = 0; c < table->columnCount(); ++c)
            titles << table->horizontalHeaderItem(c)->text();
        html += QStringLiteral("<p><i>%1</i></p>").arg(escaped(titles.join(QStringLiteral(" · "))));
        for (const QStringList& row : rows)
            html += QStringLiteral("<p>%1</p>").arg(escaped(row.join(QStringLiteral(" · "))));
    };
    const Progress none;
    const Progress& shown = progress_ ? *progress_ : none;
    // A term's confusions run to hundreds of pairs, most of them met once:
    // the page keeps the most frequent and says how many more there are.
    std::vector<QStringList> confusions = confusionRows(shown);
    const size_t printed = std::min(confusions.size(), kPrintedConfusions);
    const auto more = static_cast<qsizetype>(confusions.size() - printed);
    confusions.resize(printed);
    list(confusionsTitle_, confusions_, confusions);
    if (more > 0)
        html += QStringLiteral("<p>%1</p>").arg(escaped(p.text(QStringLiteral("0282")).arg(more)));
    list(helpedTitle_, helped_, helpedRows(shown));
    document->setHtml(html);
    return document;
}

} // namespace ortolino
