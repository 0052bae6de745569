// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/three_pair_dialog.h"

#include "engine/gearbox_positions.h"
#include "engine/quantity_text.h"
#include "engine/train_constants.h"
#include "present/problem_text.h"
#include "present/result_text.h"
#include "present/search_problem_text.h"
#include "present/value_problem_text.h"
#include "print/printer_output.h"
#include "ui/pdf_offer.h"
#include "ui/print_command.h"
#include "ui/prompter.h"
#include "ui/read_only_table.h"
#include "ui/screen_fit.h"
#include "ui/three_pair_job.h"
#include "ui/three_pair_table_model.h"
#include "ui/widget_helpers.h"
#include "ui/window_language.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace gearsel {

namespace {

// A search shows that it is working once it has taken this long.
constexpr int kWorkingAfterMs = 300;

QPushButton* commandButton(const QString& text, const char* name, const QKeySequence& key,
                           const QString& toolTip, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    if (!key.isEmpty()) {
        button->setShortcut(key);
    }
    button->setToolTip(toolTip);
    button->setAccessibleDescription(toolTip);
    return button;
}

// The words for why the search could not run.
QString refusalText(const std::exception_ptr& refusal) {
    try {
        std::rethrow_exception(refusal);
    } catch (const SearchRefused& refused) {
        return QString::fromStdString(searchProblemText(refused.problem(), windowLanguage()));
    } catch (const PositionsRefused& refused) {
        return QString::fromStdString(positionProblemText(refused.problem(), windowLanguage()));
    } catch (const std::exception& error) {
        return QString::fromStdString(exceptionText(error, windowLanguage()));
    }
}

} // namespace

ThreePairDialog::ThreePairDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setObjectName(QStringLiteral("ThreePairDialog"));
    setWindowTitle(tr("三对挂轮选配"));
    job_ = new ThreePairJob(this);
    connect(job_, &ThreePairJob::finished, this, &ThreePairDialog::showOutcome);
    tick_ = new QTimer(this);
    tick_->setInterval(100);
    connect(tick_, &QTimer::timeout, this, &ThreePairDialog::showWorking);

    auto* inputs = new QGridLayout;
    ratio_ = new QLineEdit(this);
    ratio_->setObjectName(QStringLiteral("ratio"));
    ratio_->setToolTip(tr("打开本页时取主界面的要求速比；也可输入小数或分数 p/q"));
    connect(ratio_, &QLineEdit::textEdited, this, [this] { ratioTyped_ = true; });
    auto* ratioLabel = new QLabel(tr("要求速比："), this);
    ratioLabel->setBuddy(ratio_);
    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("count"));
    count_->setRange(1, kMaxResultCount);
    auto* countLabel = new QLabel(tr("列表组数："), this);
    countLabel->setBuddy(count_);
    inputs->addWidget(ratioLabel, 0, 0);
    inputs->addWidget(ratio_, 0, 1);
    inputs->addWidget(countLabel, 0, 2);
    inputs->addWidget(count_, 0, 3);
    rules_ = new QLabel(this);
    rules_->setObjectName(QStringLiteral("rules"));
    rules_->setWordWrap(true);
    inputs->addWidget(rules_, 1, 0, 1, 4);

    search_ = commandButton(tr("选配"), "search", QKeySequence(Qt::CTRL | Qt::Key_Return),
                            tr("列出最好的三对挂轮（Enter 或 Ctrl+Enter）"), this);
    search_->setDefault(true);
    print_ = commandButton(tr("打印"), "print", QKeySequence(Qt::CTRL | Qt::Key_P),
                           tr("打印三对挂轮列表（Ctrl+P）"), this);
    auto* close = commandButton(tr("关闭"), "close", {}, tr("关闭本页（Esc）"), this);
    connect(search_, &QPushButton::clicked, this, &ThreePairDialog::search);
    connect(print_, &QPushButton::clicked, this, &ThreePairDialog::print);
    connect(close, &QPushButton::clicked, this, &ThreePairDialog::reject);
    auto* commands = new QHBoxLayout;
    commands->addWidget(search_);
    commands->addStretch(1);
    commands->addWidget(print_);
    commands->addWidget(close);

    working_ = new QWidget(this);
    working_->setObjectName(QStringLiteral("working"));
    auto* workingRow = new QHBoxLayout(working_);
    workingRow->setContentsMargins(0, 0, 0, 0);
    progress_ = new QProgressBar(working_);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setRange(0, 0);
    progress_->setAccessibleName(tr("正在计算"));
    elapsed_ = new QLabel(working_);
    elapsed_->setObjectName(QStringLiteral("elapsed"));
    cancel_ = commandButton(tr("取消"), "cancel", {}, tr("停止计算，不列出挂轮"), working_);
    connect(cancel_, &QPushButton::clicked, this, &ThreePairDialog::cancelSearch);
    workingRow->addWidget(progress_, 1);
    workingRow->addWidget(elapsed_);
    workingRow->addWidget(cancel_);
    working_->hide();

    rows_ = new ThreePairTableModel(this);
    table_ = new ReadOnlyTable(this);
    table_->setObjectName(QStringLiteral("trains"));
    table_->setAccessibleName(tr("三对挂轮列表"));
    table_->setModel(rows_);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addLayout(commands);
    layout->addWidget(working_);
    layout->addWidget(table_, 1);
    layout->addWidget(status_);
    setTabOrder(ratio_, count_);
    setTabOrder(count_, search_);
    setTabOrder(search_, cancel_);
    setTabOrder(cancel_, table_);
    setTabOrder(table_, print_);
    setTabOrder(print_, close);
    resize(sizeWithin(QSize(760, 520), availableArea(this)));
}

ThreePairDialog::~ThreePairDialog() = default;

QString ThreePairDialog::rulesText(const ThreePairBasis& basis) const {
    const SearchRequest& r = basis.options;
    QStringList parts;
    parts << tr("机床：%1").arg(basis.machineName.trimmed());
    parts << tr("装配条件 %1").arg(r.zn);
    parts << (r.allowRepeats ? tr("允许重复") : tr("不允许重复"));
    if (r.firstDriver) {
        parts << tr("首轮固定为 %1 齿").arg(*r.firstDriver);
    }
    if (r.lastDriven) {
        parts << tr("末轮固定为 %1 齿").arg(*r.lastDriven);
    }
    if (r.useOnce) {
        parts << tr("每个齿轮只用一次");
    }
    if (basis.positions) {
        MachineConstants named;
        named.gearboxPositions = basis.positions;
        parts << tr("车螺纹速比按进给箱手柄位置 %1 一起选配")
                     .arg(QString::fromStdString(
                         constantText(named, TrainConstantKey::GearboxPositions).value_or("")));
    }
    return parts.join(tr("；"));
}

void ThreePairDialog::prepare(const ThreePairBasis& basis) {
    if (job_->running()) {
        job_->cancel();
    }
    basis_ = basis;
    ratio_->setText(basis.ratioText.trimmed());
    ratioTyped_ = false;
    count_->setValue(std::max(1, basis.options.resultCount));
    rules_->setText(rulesText(basis));
    rows_->showRows({});
    status_->clear();
    print_->setEnabled(false);
    ratio_->setFocus(Qt::OtherFocusReason);
    ratio_->selectAll();
}

void ThreePairDialog::search() {
    if (job_->running()) {
        return;
    }
    ThreePairQuery query{basis_.options, basis_.ratio, basis_.positions};
    query.request.resultCount = count_->value();
    if (ratioTyped_) {
        // A ratio typed here: no gearbox positions, and its size, as a train gives it.
        try {
            query.ratio = readQuantity(utf8(ratio_->text())).magnitude();
        } catch (const ValueRefused& refused) {
            prompter_.inform(tr("要求速比“%1”不能使用：%2")
                                 .arg(ratio_->text().trimmed(),
                                      QString::fromStdString(
                                          valueProblemText(refused.problem(), windowLanguage()))));
            return;
        }
        if (const auto problem = findRatioProblem(query.ratio.value())) {
            prompter_.inform(QString::fromStdString(searchProblemText(*problem, windowLanguage())));
            return;
        }
        query.positions.reset();
    }
    searchedRatioText_ = ratio_->text().trimmed();
    rows_->showRows({});
    status_->clear();
    if (!job_->start(query)) {
        return;
    }
    setRunning(true);
}

void ThreePairDialog::setRunning(bool running) {
    search_->setEnabled(!running);
    print_->setEnabled(!running && !rows_->rows().empty());
    if (running) {
        clock_.start();
        tick_->start();
        return;
    }
    tick_->stop();
    // The focus leaves the cancel command before it is hidden.
    const bool cancelHadFocus = cancel_->hasFocus();
    working_->hide();
    if (cancelHadFocus) {
        search_->setFocus(Qt::OtherFocusReason);
    }
}

void ThreePairDialog::showWorking() {
    if (clock_.elapsed() < kWorkingAfterMs) {
        return;
    }
    elapsed_->setText(
        tr("已用 %1 秒").arg(static_cast<double>(clock_.elapsed()) / 1000.0, 0, 'f', 1));
    if (working_->isHidden()) {
        working_->show();
    }
}

void ThreePairDialog::cancelSearch() {
    job_->cancel();
}

void ThreePairDialog::showOutcome(const ThreePairOutcome& outcome) {
    rows_->showRows(outcome.rows);
    setRunning(false);
    if (outcome.refusal) {
        status_->clear();
        prompter_.inform(refusalText(outcome.refusal));
        return;
    }
    if (outcome.cancelled) {
        status_->setText(tr("已取消，没有列出挂轮。"));
        return;
    }
    status_->setText(
        (outcome.rows.empty() ? tr("没有找到可以装配的三对挂轮。") + QLatin1Char(' ') : QString()) +
        tr("计算处理所花的时间: ") + QString::fromStdString(secondsText(outcome.seconds)));
    table_->scrollToTop();
}

void ThreePairDialog::reject() {
    // Closing stops the search; its end finds the page closed.
    job_->cancel();
    QDialog::reject();
}

void ThreePairDialog::print() {
    if (rows_->rows().empty() || job_->running()) {
        return;
    }
    TrainTableContent content{
        tr("三对挂轮选配列表"),      basis_.machineName, searchedRatioText_, rows_->headings(), {},
        QDateTime::currentDateTime()};
    for (int row = 0; row < rows_->rowCount(); ++row) {
        content.rows.push_back(rows_->cells(row));
    }
    const PrinterResult result = printTrainTableOnDefaultPrinter(content);
    if (!result.printed) {
        offerPdf(prompter_, result.problem,
                 PdfOffer{tr("三对挂轮列表"), PrintCommand::defaultPdfPath(content.printedAt)},
                 [&content](const QString& path) { return writeTrainTablePdf(path, content); });
    }
}

} // namespace gearsel
